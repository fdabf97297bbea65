#pragma once

#include <cstdint>

// One short MIDI message as it arrived, stamped with the monotonic clock.
struct MidiEvent {
    int64_t nanoseconds = 0;
    uint8_t size = 0;
    uint8_t bytes[3] = {};
};
