#pragma once

#include <cstdint>

#include "AmpEnvelopeModule.h"
#include "EffectsModule.h"
#include "FilterModule.h"
#include "OutputModule.h"
#include "SynthesisGenerator.h"

namespace trommik2 {

// One track's instrument: the chain of modules that turns a hit into a stereo
// block. Parameter writes and reads by index; renderBlock and trigger run on the
// audio thread (trigger also for the audition, under the process lock).
class InstrumentVoice {
  public:
    // smoothingMs: the smoothing time of every parameter, by index; must outlive the voice.
    InstrumentVoice(const float* smoothingMs, float sampleRate);

    // Writes the base value of a parameter (index 0 switches the synthesis type).
    void setParameter(int index, float value) { setModuleValue(index, value, ModuleParameter::kBase); }
    // Audio thread: the same for automation, which never builds an effect (see
    // EffectsModule::setValueWhilePlaying).
    void setParameterWhilePlaying(int index, float value);
    void setModuleValue(int index, float value, int slot);
    // A value slot of a parameter; index 0 gives the synthesis type.
    float moduleValue(int index, int slot) const;
    // What the instrument holds for a parameter: base plus offset.
    float value(int index) const;
    void setSmoothingTime(int index, float ms);

    void setSampleRate(float rate);
    void setTempo(float bpm);
    // A hit with velocity v in 0..1 (before the velocity curve).
    void trigger(float velocity);
    // Clears the work buffers and resets every module: the instrument falls silent.
    void reset();
    void clearBuffers();
    // The whole chain for n <= 64 samples; the track's signal lands in left/right.
    void renderBlock(int n, float* left, float* right) {
        smoothParameters();
        envelope_.render(envelopeBuffer(), triggerBuffer(), n);
        if (startSources(n))
            filter_.run();
        finishBlock(n, left, right);
        if (!meterOwed_)
            measureMeter();
    }
    // The chain in parts, so that a renderer can run the envelopes
    // (EnvelopeLanes) and the filters (FilterModule::runTogether) of several
    // voices together: smoothParameters; the envelope into envelopeBuffer and
    // triggerBuffer; startSources runs up to the filter and says whether its
    // samples are left to run; finishBlock runs the rest but the meter's
    // measure, which measureMeters takes for several voices at once, and adds
    // the track's signal into mixLeft/mixRight when they are given. A renderer
    // that has no use for the track's own outputs says so (keepTrack false):
    // then left and right may be left as they were.
    void smoothParameters();
    float* envelopeBuffer() { return buffers_[kEnvelope]; }
    uint8_t* triggerBuffer() { return triggers_; }
    bool startSources(int n);
    void finishBlock(int n, float* left, float* right, float* mixLeft = nullptr, float* mixRight = nullptr,
                     bool keepTrack = true);
    // Measures the voices whose meter is not owed (see meterIsBound), up to kMostVoices.
    static constexpr int kMostVoices = 16;
    static void measureMeters(InstrumentVoice* const* voices, int count);

    // The sum of the magnitudes of the 64 values of left + right before the
    // output level (the silence gate's measure), kept whenever they change so
    // that silent tracks need not add them up again. After a whole block of a
    // held mix it is only a bound from above (meterIsBound): that block's
    // meter values are owed, and exactMeterMagnitude works them out when the
    // exact sum matters. A held mix is far below any gate, so it seldom does.
    float meterMagnitude() const { return meterMagnitude_; }
    bool meterIsBound() const { return meterOwed_; }
    float exactMeterMagnitude();
    bool isSounding() const { return envelope_.isSounding(); }
    float outputGain() const { return outputGain_; }

    SynthesisGenerator& generator() { return generator_; }
    const SynthesisGenerator& generator() const { return generator_; }
    AmpEnvelopeModule& envelope() { return envelope_; }
    FilterModule& filter() { return filter_; }
    EffectsModule& effects() { return effects_; }
    const EffectsModule& effects() const { return effects_; }
    OutputModule& output() { return output_; }

  private:
    SoundModule* owner(int index);
    const SoundModule* owner(int index) const;
    const float* envelopeToApply() const;
    const float* applyEnvelope(int n);
    void measureMeter();
    void finishHeld(int n, float* left, float* right, float* mixLeft, float* mixRight);
    // Writes the owed meter values from `from` on (the envelope's buffer still
    // holds that block's values there), so that the buffer is as if written.
    void settleMeter(int from);

    // The work buffers, one per stage's output.
    enum Buffer { kEnvelope, kMixed, kFiltered, kShaped, kEffectLeft, kEffectRight, kMeter, kBufferCount };
    float buffers_[kBufferCount][64] = {};
    // The signal after the filter: its output, or its input when it let the block pass.
    const float* filtered_ = buffers_[kFiltered];
    // This block's mix when it is held (then buffers_[kMixed] is not written).
    HeldMix heldMix_;
    bool held_ = false;
    // The meter's buffer lacks the values of the held mix owedPattern_ shaped by the envelope's buffer.
    bool meterOwed_ = false;
    HeldMix owedPattern_;
    uint8_t triggers_[64] = {};
    // Raised by a write to any of the modules' values.
    ChangeFlag changed_;
    // The last smoothing pass moved none of the values that play.
    bool settled_ = false;
    float sampleRate_;
    float tempo_ = 120.0f;
    float outputGain_ = 1.0f;
    float meterMagnitude_ = 0.0f;
    SynthesisGenerator generator_;
    AmpEnvelopeModule envelope_;
    FilterModule filter_;
    EffectsModule effects_;
    OutputModule output_;
};

} // namespace trommik2
