#pragma once

#include <string>

class TiXmlElement;
class TiXmlNode;

namespace trommik2 {

class DocumentHost;

// One track's instrument as a document (extension tm2ins), as text in memory
// and as the `instrument` element inside drum kits and setups: its name, the
// values of the 59 parameters, its sample and knob slots 0..5.
// User-interface thread.
class InstrumentDocument {
  public:
    explicit InstrumentDocument(DocumentHost& host) : host_(host) {}

    // True when the file holds a preset/instrument that was read into the
    // track. Unless keepName, the track is then named after the file's place
    // in the instrument folder.
    bool loadInstrumentFile(int track, const std::string& path, bool keepName);
    // Names the track after the file's place in the instrument folder and saves
    // it; a failed save keeps both the previous file and the previous name.
    bool saveInstrumentFile(int track, const std::string& path);
    // Reads a whole document held as text into the track, taking its name;
    // false when the text does not parse or holds no preset/instrument.
    bool instrumentFromText(int track, const char* text);
    // Appends the whole document for the track as compact text.
    bool instrumentToText(int track, std::string& stream);

    // The element-level reader: the file and the sample are read first, then
    // the values are applied under the process lock. Unknown keys are skipped,
    // values are clamped to their ranges, a sample that does not load leaves
    // the previous one. False only for a track outside 0..15.
    bool readInstrument(const TiXmlElement& instrument, int track, bool keepName);
    // Appends the track's `instrument` element to parent.
    void writeInstrument(TiXmlNode& parent, int track);

  private:
    // The name of a file in the instrument folder.
    std::string relativeName(const std::string& path) const;

    DocumentHost& host_;
};

} // namespace trommik2
