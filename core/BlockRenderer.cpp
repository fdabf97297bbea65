#include "BlockRenderer.h"

#include <cfenv>
#include <cmath>
#include <cstring>

#include "engine/Dsp.h"
#include "engine/InstrumentBank.h"
#include "sequencer/Sequencer.h"

namespace trommik2 {

namespace {

const float kGateWithEffect = std::pow(10.0f, -5.5f);
const float kGateDry = std::pow(10.0f, -4.5f);
constexpr float kGateScale = 1.0f / 64.0f;

void fill(float* x, int n, float value) {
    for (int i = 0; i < n; ++i)
        x[i] = value;
}

} // namespace

BlockRenderer::BlockRenderer(InstrumentBank& bank, Sequencer& sequencer, PlaybackTarget& target)
    : bank_(bank), sequencer_(sequencer), target_(target) {}

void BlockRenderer::setSampleRate(float rate) {
    master_.setSampleRate(rate);
    meters_[0].setSampleRate(rate);
    meters_[1].setSampleRate(rate);
}

void BlockRenderer::suspend() {
    fill(mix_[0], 64, dsp::kAntiDenormal);
    fill(mix_[1], 64, dsp::kAntiDenormal);
    for (int t = 0; t < InstrumentBank::kTrackCount; ++t) {
        bank_.silenceTrack(t);
        InstrumentBank::Track& track = bank_.track(t);
        track.triggered = false;
        track.gateLevel = 0.0f;
        track.quietSamples = 0;
    }
    meters_[0].clear();
    meters_[1].clear();
    master_.clear();
    rendering_ = false;
}

void BlockRenderer::render(float** outputs, int frames, bool adding) {
    float* left = outputs[0];
    float* right = outputs[1];
    while (frames > 0) {
        int n = frames < dsp::kBlockSize ? frames : dsp::kBlockSize;
        renderSubBlock(left, right, n, adding);
        left += n;
        right += n;
        frames -= n;
    }
}

bool BlockRenderer::selectTrack(int t, bool anySolo, int n) {
    InstrumentBank::Track& track = bank_.track(t);
    if (track.muted && !track.soloed)
        return false;
    InstrumentVoice& voice = *track.voice;
    track.gateThreshold = voice.effects().isActive() ? kGateWithEffect : kGateDry;
    track.gateLevel = (track.gateLevel + voice.meterMagnitude()) * kGateScale;
    bool audible = true;
    if (track.gateLevel < track.gateThreshold) {
        track.gateLevel = 0.0f;
        // A delay between its echoes is quiet too: the track sleeps only once the
        // quiet has lasted longer than the effect's longest delay.
        track.quietSamples += n;
        audible = track.quietSamples <= voice.effects().tailSamples();
    } else {
        track.quietSamples = 0;
    }
    audible = audible || voice.isSounding() || track.triggered;
    track.triggered = false;
    return audible && (!anySolo || track.soloed);
}

void BlockRenderer::renderTracks(int n) {
    bool anySolo = false;
    for (int t = 0; t < InstrumentBank::kTrackCount; ++t)
        anySolo = anySolo || bank_.track(t).soloed;
    for (int t = 0; t < InstrumentBank::kTrackCount; ++t) {
        rendered_[t] = selectTrack(t, anySolo, n);
        if (rendered_[t]) {
            InstrumentBank::Track& track = bank_.track(t);
            track.voice->renderBlock(n, track.left, track.right);
            renderedVoiceSamples_ += static_cast<uint64_t>(n);
        }
    }
    for (int t = 0; t < InstrumentBank::kTrackCount; ++t) {
        if (!rendered_[t])
            continue;
        const InstrumentBank::Track& track = bank_.track(t);
        for (int i = 0; i < n; ++i) {
            mix_[0][i] += track.left[i];
            mix_[1][i] += track.right[i];
        }
    }
}

void BlockRenderer::renderSubBlock(float* left, float* right, int n, bool adding) {
    for (int t = 0; t < InstrumentBank::kTrackCount; ++t)
        if (bank_.track(t).silenceRequested.exchange(false))
            bank_.silenceTrack(t);
    sequencer_.processSubBlock(n, target_);
    // Every float-to-integer conversion inside the voices truncates.
    std::fesetround(FE_TOWARDZERO);
    rendering_ = true;
    fill(mix_[0], n, dsp::kAntiDenormal);
    fill(mix_[1], n, dsp::kAntiDenormal);
    renderTracks(n);
    master_.process(0, mix_[0], n, bank_.masterVolume);
    master_.process(1, mix_[1], n, bank_.masterVolume);
    std::fesetround(FE_TONEAREST);
    float* outputs[2] = {left, right};
    for (int c = 0; c < 2; ++c) {
        if (adding) {
            for (int i = 0; i < n; ++i)
                outputs[c][i] += mix_[c][i];
        } else {
            std::memcpy(outputs[c], mix_[c], sizeof(float) * static_cast<size_t>(n));
        }
        meters_[c].process(mix_[c], n);
    }
}

} // namespace trommik2
