#include <gtest/gtest.h>

#include <lv2/atom/forge.h>
#include <lv2/midi/midi.h>
#include <lv2/time/time.h>
#include <lv2/urid/urid.h>
#include <lv2/worker/worker.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "AllocationCounter.h"
#include "LockCounter.h"
#include "core/DrumMachine.h"
#include "lv2/Lv2Plugin.h"

using namespace trommik2;
using namespace trommik2::lv2;

namespace {

// What a host hands run(): URIDs, a worker that only counts, every port.
struct Lv2Rig {
    Lv2Rig() {
        LV2_Feature mapFeature{LV2_URID__map, &map};
        LV2_Feature scheduleFeature{LV2_WORKER__schedule, &schedule};
        const LV2_Feature* features[] = {&mapFeature, &scheduleFeature, nullptr};
        plugin.reset(Lv2Plugin::create(44100.0, features));
        lv2_atom_forge_init(&forge, &map);
        for (const char* uri : {LV2_TIME__Position, LV2_TIME__speed, LV2_TIME__beatsPerMinute, LV2_TIME__bar,
                                LV2_TIME__barBeat, LV2_MIDI__MidiEvent})
            id(uri); // mapped before the counting starts
        for (uint32_t p = kMasterVolume; p < kPortCount; ++p)
            plugin->connectPort(p, &controls[p - kMasterVolume]);
        controls[kTargetTrack - kMasterVolume] = 1.0f;
        controls[kBaseNote - kMasterVolume] = 36.0f;
        plugin->connectPort(kEvents, sequence.data());
        for (uint32_t p = kOutLeft; p < kMasterVolume; ++p) {
            outputs[p - kOutLeft].assign(512, 0.0f);
            plugin->connectPort(p, outputs[p - kOutLeft].data());
        }
        plugin->activate();
    }

    // One block with a note at frame 100 and, on the first, the transport rolling from the top.
    void runBlock(bool withTransport) {
        lv2_atom_forge_set_buffer(&forge, reinterpret_cast<uint8_t*>(sequence.data()), sequence.size() * 8);
        LV2_Atom_Forge_Frame frame;
        lv2_atom_forge_sequence_head(&forge, &frame, 0);
        if (withTransport) {
            LV2_Atom_Forge_Frame object;
            lv2_atom_forge_frame_time(&forge, 0);
            lv2_atom_forge_object(&forge, &object, 0, id(LV2_TIME__Position));
            lv2_atom_forge_key(&forge, id(LV2_TIME__speed));
            lv2_atom_forge_float(&forge, 1.0f);
            lv2_atom_forge_key(&forge, id(LV2_TIME__beatsPerMinute));
            lv2_atom_forge_float(&forge, 120.0f);
            lv2_atom_forge_key(&forge, id(LV2_TIME__bar));
            lv2_atom_forge_long(&forge, 0);
            lv2_atom_forge_key(&forge, id(LV2_TIME__barBeat));
            lv2_atom_forge_float(&forge, 0.0f);
            lv2_atom_forge_pop(&forge, &object);
        }
        const uint8_t note[3] = {LV2_MIDI_MSG_NOTE_ON, 38, 100};
        lv2_atom_forge_frame_time(&forge, 100);
        lv2_atom_forge_atom(&forge, sizeof note, id(LV2_MIDI__MidiEvent));
        lv2_atom_forge_write(&forge, note, sizeof note);
        lv2_atom_forge_pop(&forge, &frame);
        plugin->run(512);
    }

    LV2_URID id(const char* uri) {
        auto found = ids.find(uri);
        return found != ids.end() ? found->second
                                  : ids.emplace(uri, static_cast<LV2_URID>(ids.size() + 1)).first->second;
    }

    std::map<std::string, LV2_URID, std::less<>> ids; // looked up without a string made
    LV2_URID_Map map{this,
                     [](LV2_URID_Map_Handle self, const char* uri) { return static_cast<Lv2Rig*>(self)->id(uri); }};
    int scheduled = 0;
    LV2_Worker_Schedule schedule{this, [](LV2_Worker_Schedule_Handle self, uint32_t, const void*) {
                                     ++static_cast<Lv2Rig*>(self)->scheduled;
                                     return LV2_WORKER_SUCCESS;
                                 }};
    std::unique_ptr<Lv2Plugin> plugin;
    LV2_Atom_Forge forge;
    std::vector<uint64_t> sequence = std::vector<uint64_t>(1024);
    float controls[kPortCount - kMasterVolume] = {};
    std::vector<float> outputs[kMasterVolume - kOutLeft] = {};
};

} // namespace

// The pattern, notes, track outputs and every kind of port change: run()
// neither allocates nor takes a lock other than the process lock; the effect
// type goes to the worker.
TEST(Realtime, Lv2RunNeitherAllocatesNorLocksAfterTheFirstBlock) {
    Lv2Rig rig;
    rig.runBlock(true);
    allocation::startCounting();
    locks::startCounting(rig.plugin->machine().processLock().mutex().native_handle());
    for (int block = 1; block < 200; ++block) {
        rig.controls[kMasterVolume - kMasterVolume] = -static_cast<float>(block % 12);
        rig.controls[kShuffle - kMasterVolume] = static_cast<float>(block % 50);
        rig.controls[kTargetTrack - kMasterVolume] = static_cast<float>(1 + block % 16);
        rig.controls[kFirstParameter + GenNoiseFreq1 - kMasterVolume] = static_cast<float>(block % 10) / 10.0f;
        rig.controls[kFirstParameter + GenSynthesisType - kMasterVolume] = static_cast<float>(block % 4) / 3.0f;
        rig.controls[kFirstParameter + FXType - kMasterVolume] = static_cast<float>(block % 14) / 13.0f;
        rig.runBlock(false);
    }
    const size_t lockCount = locks::stopCounting();
    EXPECT_EQ(allocation::stopCounting(), 0u);
    EXPECT_EQ(lockCount, 0u);
    EXPECT_GT(rig.scheduled, 100);
    EXPECT_GT(rig.plugin->machine().renderedVoiceSamples(), 44100u);
}
