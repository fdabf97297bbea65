#include "InstrumentBank.h"

#include <cmath>
#include <cstring>

#include "Dsp.h"
#include "params/FactoryInstruments.h"

namespace trommik2 {

InstrumentBank::InstrumentBank(float sampleRate) : sampleRate_(dsp::clip(sampleRate, kMinimumRate, kMaximumRate)) {
    masterVolume = std::pow(10.0f, 0.3f);
    for (int i = 0; i < kParameterCount; ++i)
        smoothingMs_[i] = table_.descriptor(i).smoothingMs;
    for (int t = 0; t < kTrackCount; ++t) {
        tracks_[t].voice = std::make_unique<InstrumentVoice>(smoothingMs_, sampleRate_);
        applyFactoryInstrument(t);
    }
}

void InstrumentBank::applyFactoryInstrument(int t) {
    for (const FactoryValue& v : factoryInstrument(t))
        setValue(t, v.index, v.value);
    for (int i = 0; i < kParameterCount; ++i)
        tracks_[t].voice->setSmoothingTime(i, smoothingMs_[i]);
    tracks_[t].voice->reset();
}

void InstrumentBank::setValue(int t, int index, float value) {
    if (index < 0 || index >= kParameterCount)
        return;
    voice(t).setParameter(index, value);
}

void InstrumentBank::setValueWhilePlaying(int t, int index, float value) {
    if (index >= 0 && index < kParameterCount)
        voice(t).setParameterWhilePlaying(index, value);
}

float InstrumentBank::value(int t, int index) const { return voice(t).value(index); }

float InstrumentBank::baseValue(int t, int index) const { return voice(t).moduleValue(index, ModuleParameter::kBase); }

void InstrumentBank::setSampleRate(float rate) {
    float clamped = dsp::clip(rate, kMinimumRate, kMaximumRate);
    if (clamped == sampleRate_)
        return;
    sampleRate_ = clamped;
    for (Track& t : tracks_) {
        t.voice->setSampleRate(clamped);
        for (int i = 0; i < kParameterCount; ++i)
            t.voice->setSmoothingTime(i, smoothingMs_[i]);
    }
}

void InstrumentBank::silenceTrack(int t) { track(t).voice->reset(); }

} // namespace trommik2
