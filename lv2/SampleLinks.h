#pragma once

#include <string>

#include <lv2/core/lv2.h>
#include <lv2/state/state.h>

namespace trommik2 {

class ContentFolders;

namespace lv2 {

// The samples of a saved state as files the host can follow. The setup text
// names each sample relative to the content tree, which another machine may
// not have; so each track's sample file is also stored as a path that the host
// maps (state:mapPath). Where the host offers a folder of the state's own
// (state:makePath), the file is copied there first, so the project carries it.
// On restore a mapped file that exists takes the place of the name in the text.
// Host's main thread (save: any thread but the audio thread).
class SampleLinks {
  public:
    explicit SampleLinks(const LV2_Feature* const* features);

    // The path to store for a track's sample file; empty when there is none
    // or the host maps no paths.
    std::string abstractPath(int track, const std::string& samplePath) const;
    // Points the setup text's instrument of the track at the file the host
    // maps abstractPath to, when that file exists.
    void relink(std::string& setup, int track, const char* abstractPath, const ContentFolders& folders) const;

  private:
    // The file inside the state's own folder, copied there unless it is there.
    std::string copyIntoState(int track, const std::string& samplePath) const;
    // Takes a path the host allocated.
    std::string take(char* path) const;

    const LV2_State_Map_Path* map_;
    const LV2_State_Make_Path* make_;
    const LV2_State_Free_Path* free_;
};

} // namespace lv2
} // namespace trommik2
