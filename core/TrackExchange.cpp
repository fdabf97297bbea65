#include "TrackExchange.h"

#include "content/DocumentHost.h"
#include "content/InstrumentDocument.h"
#include "sequencer/Sequencer.h"

namespace trommik2 {

namespace {

bool validTrack(int track) { return track >= 0 && track < Sequencer::kTrackCount; }

} // namespace

bool TrackExchange::exchangeInstruments(int first, int second) {
    std::string a;
    std::string b;
    if (!instruments_.instrumentToText(first, a) || !instruments_.instrumentToText(second, b))
        return false;
    bool read = instruments_.instrumentFromText(first, b.c_str());
    return instruments_.instrumentFromText(second, a.c_str()) && read;
}

void TrackExchange::copyInstrument(int track) {
    if (!validTrack(track))
        return;
    instrumentClipboard_.clear();
    instruments_.instrumentToText(track, instrumentClipboard_);
}

bool TrackExchange::pasteInstrument(int track) {
    return instruments_.instrumentFromText(track, instrumentClipboard_.c_str());
}

void TrackExchange::copyTrackData(int track) {
    if (validTrack(track))
        trackData_.copy(host_.model().sequencer().track(track));
}

bool TrackExchange::pasteTrackData(int track) {
    if (!validTrack(track) || !trackData_.paste(host_.model().sequencer().track(track)))
        return false;
    host_.patternChanged();
    host_.refreshEditor(kRefreshPattern);
    return true;
}

void TrackExchange::copyInstrumentAndTrackData(int track) {
    copyInstrument(track);
    copyTrackData(track);
}

bool TrackExchange::pasteInstrumentAndTrackData(int track) {
    bool instrument = pasteInstrument(track);
    return pasteTrackData(track) && instrument;
}

} // namespace trommik2
