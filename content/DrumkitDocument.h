#pragma once

#include <string>

#include "InstrumentDocument.h"

namespace trommik2 {

// The instruments of all sixteen tracks as a document (extension tm2drk) and
// as the `drumkit` element of setups. User-interface thread.
class DrumkitDocument {
  public:
    explicit DrumkitDocument(DocumentHost& host) : host_(host), instruments_(host) {}

    // True when the file holds a preset/drumkit that was read. Unless
    // keepNames, the kit is then named after the file's place in its folder.
    bool loadDrumkitFile(const std::string& path, bool keepNames);
    // Names the kit after the file's place in its folder and saves it; a failed
    // save keeps both the previous file and the previous name.
    bool saveDrumkitFile(const std::string& path);

    // Reads the `instrument` children of `instruments` into tracks 0, 1, ...
    // (at most sixteen; later tracks keep their instruments), each under the
    // process lock of its own. Unless keepNames, the kit and instruments take
    // the names the element gives.
    bool readDrumkit(const TiXmlElement& drumkit, bool keepNames);
    void writeDrumkit(TiXmlNode& parent);

  private:
    // The name of a file in the drum-kit folder.
    std::string relativeName(const std::string& path) const;

    DocumentHost& host_;
    InstrumentDocument instruments_;
};

} // namespace trommik2
