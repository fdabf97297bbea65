#pragma once

#include <cstdint>

#include "Biquad.h"
#include "NoiseGenerator.h"
#include "SoundModule.h"

namespace trommik2 {

// One part of the filtered-noise synthesis: white noise through two band-passes
// whose centre follows the envelope, shaped by the envelope, scaled by a level,
// freed of DC. Parameters: frequency, resonance, amplitude shape, frequency
// shape, level (from firstIndex on). Audio thread, except construction.
class NoiseModule : public SoundModule {
  public:
    NoiseModule(const char* name, int firstIndex);

    void setSampleRate(float rate) override;
    void reset() override;
    // Restarts the noise from its seed (at every hit).
    void reseed() { noise_.reseed(); }
    // One control block of n samples into out.
    void render(const float* envelope, const uint8_t* triggers, float synthesisWeight, float* out, int n);
    // Both parts' blocks, what render gives each, their filters side by side in
    // the processor's vector lanes when both sound.
    static void renderPair(NoiseModule& a, NoiseModule& b, const float* envelope, const uint8_t* triggers,
                           float synthesisWeight, float* outA, float* outB, int n);

  private:
    // Silence into out and false when the part is silent, else the noise, the
    // filters' design and the envelope's amplitude for the block.
    bool prepare(const float* envelope, float synthesisWeight, float* amplitude, float* out, int n);
    void generateNoise(const float* envelope, int n);
    void updateCoefficients();
    void filterBlock(const uint8_t* triggers, const float* amplitude, float* out, int n);
    static void filterPair(NoiseModule& a, NoiseModule& b, const uint8_t* triggers, const float* amplitudeA,
                           const float* amplitudeB, float* outA, float* outB, int n);

    NoiseGenerator noise_;
    float gain_ = 1.0f;
    float noiseBuffer_[64] = {};
    float measure_ = 0.0f;
    Biquad first_;
    Biquad second_;
    float outputGain_ = 1.0f;
    float lastFrequency_ = 1000.0f;
    float lastQ_ = 0.0f;
    float lastSwept_ = -1.0f;
    float lastBandwidth_ = -1.0f;
    // The DC blocker, a one-pole low-pass subtracted (OnePoleLowPass's arithmetic,
    // its state kept here so that the vector lanes can take it).
    float dcPole_ = 0.0f;
    float dcState_ = 0.0f;
};

} // namespace trommik2
