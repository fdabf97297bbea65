#pragma once

#include <string>
#include <vector>

namespace trommik2 {

class DrumMachine;
class FrontPanel;

// WAV files dropped on the editor: a track's name field takes them from its
// track on, the drum-kit picker from the first track. While they hover, the
// name fields that would take them show the file names; a drop makes an
// instrument of each (the sample copied into the sample folder when it lies
// elsewhere, into the one folder the user picks for the whole drop) and saves
// the kit named after their folder. The dropped files
// themselves are only ever read. User-interface thread.
class SampleDrop {
  public:
    struct Targets {
        int first = 0;
        int count = 0;
    };

    SampleDrop(FrontPanel& panel, DrumMachine& machine) : panel_(panel), machine_(machine) {}

    // The WAV files among the dropped items, in order: files ending in ".wav"
    // (any case) and the WAV files of folders (by name); links count as what
    // they point to. Other items are left out.
    static std::vector<std::string> wavFiles(const std::vector<std::string>& items);
    // The tracks that files dropped on the control of tag fill.
    static Targets targets(int tag, size_t files);

    // The items hover over the control of tag (-1: over none, or gone).
    void hover(int tag, const std::vector<std::string>& items);
    // Imports the items dropped on the control of tag; answers the number of instruments made.
    int drop(int tag, const std::vector<std::string>& items);

  private:
    void showNames(const std::vector<std::string>& files, Targets targets);
    // Dropped files that are no WAV files get the loader's word on them.
    static void explainRefused(const std::vector<std::string>& items);

    FrontPanel& panel_;
    DrumMachine& machine_;
};

} // namespace trommik2
