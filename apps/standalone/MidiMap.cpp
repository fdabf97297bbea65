#include "MidiMap.h"

MidiAction MidiMap::interpret(const MidiEvent& event) const {
    MidiAction action;
    if (event.size < 1)
        return action;
    const int status = event.bytes[0];
    switch (status) {
    case 0xF8: action.kind = MidiAction::Clock; return action;
    case 0xFA: action.kind = MidiAction::Start; return action;
    case 0xFB: action.kind = MidiAction::Continue; return action;
    case 0xFC: action.kind = MidiAction::Stop; return action;
    case 0xF2:
        if (event.size == 3) {
            action.kind = MidiAction::SongPosition;
            action.sixteenths = (event.bytes[1] & 0x7F) | (event.bytes[2] & 0x7F) << 7;
        }
        return action;
    default: break;
    }
    if (event.size != 3 || status != (0x90 | channel_))
        return action;
    const int track = event.bytes[1] - kFirstNote;
    const int velocity = event.bytes[2] & 0x7F;
    if (track < 0 || track >= kTracks || velocity == 0)
        return action;
    action.kind = MidiAction::Trigger;
    action.track = track;
    action.velocity = static_cast<float>(velocity) / 127.0f;
    return action;
}
