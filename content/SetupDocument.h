#pragma once

#include <string>

#include "DrumkitDocument.h"
#include "PatternDocument.h"

namespace trommik2 {

// Everything of a drum machine that lasts: kit, pattern, master volume, mute
// and solo, as a document (extension tm2set) and as the text of the state the
// host keeps in its project. User-interface thread.
class SetupDocument {
  public:
    explicit SetupDocument(DocumentHost& host) : host_(host), drumkit_(host), pattern_(host) {}

    // True when the file holds a preset/setup that was read; then the host is
    // told (nothing of the previous setup keeps sounding). Unless keepNames,
    // the setup is named after the file's place in its folder.
    bool loadSetupFile(const std::string& path, bool keepNames);
    // Names the setup after the file's place in its folder and saves it; a
    // failed save keeps both the previous file and the previous name.
    bool saveSetupFile(const std::string& path);
    // Reads a whole setup document held as text, taking the names it gives;
    // false, with nothing changed, when the text does not parse or holds no
    // preset/setup.
    bool setupFromText(const char* text);
    // Appends the whole setup document as compact text; always true.
    bool setupToText(std::string& stream);

    // Master volume, mute and solo, then the `drumkit` and `pattern` children
    // in document order.
    bool readSetup(const TiXmlElement& setup, bool keepNames);
    void writeSetup(TiXmlNode& parent);

  private:
    void readMuteAndSolo(int mute, int solo);
    // The name of a file in the setup folder.
    std::string relativeName(const std::string& path) const;

    DocumentHost& host_;
    DrumkitDocument drumkit_;
    PatternDocument pattern_;
};

} // namespace trommik2
