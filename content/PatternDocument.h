#pragma once

#include <string>

class TiXmlElement;
class TiXmlNode;

namespace trommik2 {

class DocumentHost;

// The step data of all sixteen tracks with shuffle, bars and the step grid's
// resolution, as a document (extension tm2pat) and as the `pattern` element
// of setups. User-interface thread; like every pattern edit it takes no lock.
class PatternDocument {
  public:
    explicit PatternDocument(DocumentHost& host) : host_(host) {}

    // True when the file holds a preset/pattern that was read. Unless
    // keepName, the pattern is then named after the file's place in its folder.
    bool loadPatternFile(const std::string& path, bool keepName);
    // Names the pattern after the file's place in its folder and saves it; a
    // failed save keeps both the previous file and the previous name.
    bool savePatternFile(const std::string& path);

    // Replaces the whole pattern: every track is cleared, then the `track`
    // elements (at most sixteen) fill the tracks they name. Shuffle is held to
    // 0..100 and bars to 1..4; unknown automation keys are skipped.
    bool readPattern(const TiXmlElement& pattern, bool keepName);
    void writePattern(TiXmlNode& parent);

  private:
    void readTrack(const TiXmlElement& track, int target);
    void readAutomation(const TiXmlElement& automation, int target);
    // The name of a file in the pattern folder.
    std::string relativeName(const std::string& path) const;

    DocumentHost& host_;
};

} // namespace trommik2
