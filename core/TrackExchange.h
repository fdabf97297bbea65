#pragma once

#include <string>

#include "sequencer/TrackDataClipboard.h"

namespace trommik2 {

class DocumentHost;
class InstrumentDocument;

// Moves instruments and step data between tracks: exchanging two tracks'
// instruments, and the instrument and track-data clipboards. Instruments
// travel as instrument-document text, so a paste behaves exactly like loading
// a document into the track (each read under the process lock of its own);
// step data travel as a plain copy of the pattern model. User-interface thread;
// track numbers outside 0..15 change nothing.
class TrackExchange {
  public:
    TrackExchange(InstrumentDocument& instruments, DocumentHost& host) : instruments_(instruments), host_(host) {}

    // Name, values, sample and knob slots 0..5 change places; patterns, mute,
    // solo and knob slots 6..9 stay with their tracks.
    bool exchangeInstruments(int first, int second);
    void copyInstrument(int track);
    // False, with nothing changed, while the clipboard is empty.
    bool pasteInstrument(int track);
    void copyTrackData(int track);
    // False, with nothing changed, before the first copy; a paste tells the
    // host that the pattern changed.
    bool pasteTrackData(int track);
    // The track menu's combined commands: instrument first, then track data.
    void copyInstrumentAndTrackData(int track);
    bool pasteInstrumentAndTrackData(int track);

    bool hasInstrument() const { return !instrumentClipboard_.empty(); }
    bool hasTrackData() const { return trackData_.hasData(); }

  private:
    InstrumentDocument& instruments_;
    DocumentHost& host_;
    std::string instrumentClipboard_;
    TrackDataClipboard trackData_;
};

} // namespace trommik2
