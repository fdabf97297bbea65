#include <gtest/gtest.h>

#include "apps/standalone/MidiMap.h"

namespace {

MidiEvent message(std::initializer_list<int> bytes) {
    MidiEvent event;
    for (int b : bytes)
        event.bytes[event.size++] = static_cast<uint8_t>(b);
    return event;
}

TEST(MidiMap, DrumNotesSongMessagesAndWhatIsIgnored) {
    struct Case {
        MidiEvent event;
        MidiAction::Kind kind;
        int track;
        float velocity;
        int sixteenths;
    };
    const Case cases[] = {
        {message({0x99, 36, 127}), MidiAction::Trigger, 0, 1.0f, 0},
        {message({0x99, 51, 64}), MidiAction::Trigger, 15, 64.0f / 127.0f, 0},
        {message({0x99, 35, 100}), MidiAction::None, 0, 0.0f, 0}, // below the map
        {message({0x99, 52, 100}), MidiAction::None, 0, 0.0f, 0}, // above it
        {message({0x99, 40, 0}), MidiAction::None, 0, 0.0f, 0},   // note-on at velocity 0 is a note-off
        {message({0x89, 40, 100}), MidiAction::None, 0, 0.0f, 0}, // drums ignore note-offs
        {message({0x90, 36, 100}), MidiAction::None, 0, 0.0f, 0}, // another channel
        {message({0xB9, 36, 100}), MidiAction::None, 0, 0.0f, 0}, // a controller
        {message({0xFA}), MidiAction::Start, 0, 0.0f, 0},
        {message({0xFB}), MidiAction::Continue, 0, 0.0f, 0},
        {message({0xFC}), MidiAction::Stop, 0, 0.0f, 0},
        {message({0xF8}), MidiAction::Clock, 0, 0.0f, 0},
        {message({0xF2, 0x10, 0x01}), MidiAction::SongPosition, 0, 0.0f, 0x90},
        {message({0xF2, 0x10}), MidiAction::None, 0, 0.0f, 0}, // cut short
        {message({}), MidiAction::None, 0, 0.0f, 0},
    };
    const MidiMap map(10);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << int{c.event.bytes[0]} << " " << int{c.event.bytes[1]});
        MidiAction action = map.interpret(c.event);
        EXPECT_EQ(action.kind, c.kind);
        if (c.kind == MidiAction::Trigger) {
            EXPECT_EQ(action.track, c.track);
            EXPECT_FLOAT_EQ(action.velocity, c.velocity);
        }
        if (c.kind == MidiAction::SongPosition) {
            EXPECT_EQ(action.sixteenths, c.sixteenths);
        }
    }
}

TEST(MidiMap, TheDrumChannelIsChosen) {
    EXPECT_EQ(MidiMap(1).interpret(message({0x90, 37, 90})).track, 1);
    EXPECT_EQ(MidiMap(1).interpret(message({0x99, 37, 90})).kind, MidiAction::None);
    EXPECT_EQ(MidiMap(16).interpret(message({0x9F, 37, 90})).kind, MidiAction::Trigger);
}

} // namespace
