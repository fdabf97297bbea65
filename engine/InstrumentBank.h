#pragma once

#include <atomic>
#include <memory>
#include <string>

#include "ChangeFlag.h"
#include "InstrumentVoice.h"
#include "Relaxed.h"
#include "params/ParameterTable.h"

namespace trommik2 {

// The sixteen track instruments of a drum machine with their per-track state,
// the master volume, the selected track and the parameter table.
class InstrumentBank {
  public:
    static constexpr int kTrackCount = 16;
    static constexpr float kMinimumRate = 22050.0f;
    static constexpr float kMaximumRate = 384000.0f;

    struct Track {
        std::unique_ptr<InstrumentVoice> voice;
        // Written by the user interface, read by the audio thread.
        std::atomic<bool> muted{false};
        std::atomic<bool> soloed{false};
        // A request from the user interface to silence the voice, carried out by
        // the audio thread at its next sub-block so the two never touch the voice at once.
        ChangeFlag silenceRequested{false};
        // The instrument's name and its sample file ("No Sample" when it has none).
        std::string name = "-";
        std::string samplePath = "No Sample";
    };

    // Builds the table, the voices and the factory instruments at this rate.
    explicit InstrumentBank(float sampleRate);

    const ParameterTable& table() const { return table_; }
    Track& track(int t) { return tracks_[clampTrack(t)]; }
    const Track& track(int t) const { return tracks_[clampTrack(t)]; }
    InstrumentVoice& voice(int t) { return *track(t).voice; }
    const InstrumentVoice& voice(int t) const { return *track(t).voice; }

    // The loaders' entry: a parameter value in engine units for a track; the
    // value is stored as given (callers clamp). Index 59 and above is ignored.
    void setValue(int track, int index, float value);
    // Audio thread: the same for pattern automation, which never builds an
    // effect: a type that was not prepared plays dry (EffectsModule).
    void setValueWhilePlaying(int track, int index, float value);
    // What the instrument plays: its own value plus any automation offset.
    float value(int track, int index) const;
    // The instrument's own value, as set by the user or a document (what documents save).
    float baseValue(int track, int index) const;

    // Hands a new rate (clamped to 22050..384000) to every voice; user-interface
    // thread under the process lock, or the audio thread before a block.
    void setSampleRate(float rate);
    float sampleRate() const { return sampleRate_; }
    // Silences a track at once: its voice is reset and its buffers cleared.
    void silenceTrack(int t);

    Relaxed<float> masterVolume = 1.9952623f; // +6 dB, 10^0.3
    int selectedTrack = 0;

    static int clampTrack(int t) { return t < 0 ? 0 : (t >= kTrackCount ? kTrackCount - 1 : t); }

  private:
    void applyFactoryInstrument(int track);

    ParameterTable table_;
    float smoothingMs_[kParameterCount];
    float sampleRate_;
    Track tracks_[kTrackCount];
};

} // namespace trommik2
