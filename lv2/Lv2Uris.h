#pragma once

#include <string>

#include <lv2/atom/atom.h>
#include <lv2/midi/midi.h>
#include <lv2/time/time.h>
#include <lv2/urid/urid.h>

#include "PortLayout.h"

namespace trommik2::lv2 {

// The URIs the plug-in reads and writes, mapped once at instantiation.
struct Lv2Uris {
    explicit Lv2Uris(const LV2_URID_Map& map)
        : atomBlank(id(map, LV2_ATOM__Blank)), atomObject(id(map, LV2_ATOM__Object)), atomInt(id(map, LV2_ATOM__Int)),
          atomLong(id(map, LV2_ATOM__Long)), atomFloat(id(map, LV2_ATOM__Float)), atomDouble(id(map, LV2_ATOM__Double)),
          atomString(id(map, LV2_ATOM__String)), atomPath(id(map, LV2_ATOM__Path)),
          midiEvent(id(map, LV2_MIDI__MidiEvent)), timePosition(id(map, LV2_TIME__Position)),
          timeBar(id(map, LV2_TIME__bar)), timeBarBeat(id(map, LV2_TIME__barBeat)),
          timeBeatUnit(id(map, LV2_TIME__beatUnit)), timeBeatsPerBar(id(map, LV2_TIME__beatsPerBar)),
          timeBeatsPerMinute(id(map, LV2_TIME__beatsPerMinute)), timeFrame(id(map, LV2_TIME__frame)),
          timeSpeed(id(map, LV2_TIME__speed)), setup(id(map, kSetupKey)) {
        for (int t = 0; t < kTrackCount; ++t)
            sample[t] = id(map, sampleKey(t).c_str());
    }

    static std::string sampleKey(int track) { return kSampleKeyPrefix + std::to_string(track); }

    LV2_URID atomBlank, atomObject, atomInt, atomLong, atomFloat, atomDouble, atomString, atomPath;
    LV2_URID midiEvent;
    LV2_URID timePosition, timeBar, timeBarBeat, timeBeatUnit, timeBeatsPerBar, timeBeatsPerMinute, timeFrame,
        timeSpeed;
    LV2_URID setup;
    LV2_URID sample[kTrackCount];

  private:
    static LV2_URID id(const LV2_URID_Map& map, const char* uri) { return map.map(map.handle, uri); }
};

} // namespace trommik2::lv2
