#pragma once

#include <memory>
#include <vector>

#include <params/ParameterTable.h>
#include <sequencer/PlaybackTarget.h>
#include <sequencer/Sequencer.h>

namespace trommik2::test {

// Records every hit and automation value that playback sends, in order.
class RecordingTarget : public PlaybackTarget {
  public:
    struct Event {
        bool isTrigger;
        int track;
        int parameter; // -1 for a trigger
        float value;
    };

    bool isPlaying(int track) const override { return !muted[track]; }
    void trigger(int track, float velocity) override { events.push_back({true, track, -1, velocity}); }
    void applyAutomation(int track, int parameter, float value) override {
        events.push_back({false, track, parameter, value});
    }

    int triggerCount(int track) const {
        int n = 0;
        for (const Event& e : events)
            n += e.isTrigger && e.track == track;
        return n;
    }

    std::vector<Event> events;
    bool muted[Sequencer::kTrackCount] = {};
};

inline const ParameterTable& parameterTable() {
    static const ParameterTable table;
    return table;
}

// A sequencer with the default timing and no steps at all.
inline std::unique_ptr<Sequencer> emptySequencer() {
    auto s = std::make_unique<Sequencer>(parameterTable());
    s->track(Sequencer::kDefaultTrack).clear();
    return s;
}

} // namespace trommik2::test
