#include "BlockRenderer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/Dsp.h"
#include "engine/EnvelopeLanes.h"
#include "engine/InstrumentBank.h"
#include "engine/RunBlock.h"
#include "engine/TruncationScope.h"
#include "sequencer/Sequencer.h"
#include "support/ProcessLock.h"

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

BlockRenderer::BlockRenderer(InstrumentBank& bank, Sequencer& sequencer, ProcessLock& lock)
    : bank_(bank), sequencer_(sequencer), lock_(lock), playback_(bank, tracks_) {
    setSectionRates(bank.sampleRate());
}

void BlockRenderer::setSectionRates(float rate) {
    master_.setSampleRate(rate);
    meters_[0].setSampleRate(rate);
    meters_[1].setSampleRate(rate);
}

void BlockRenderer::setSampleRate(float rate) {
    requestedRate_.store(rate, std::memory_order_relaxed);
    if (rate != bank_.sampleRate() && rate > 0.0f) {
        bank_.setSampleRate(rate);
        setSectionRates(rate);
    }
    const int rounded = static_cast<int>(std::lrint(rate));
    sampleRate_ = rounded > 0 ? rounded : 44100;
}

void BlockRenderer::suspend() {
    fill(mix_[0], 64, dsp::kAntiDenormal);
    fill(mix_[1], 64, dsp::kAntiDenormal);
    for (int t = 0; t < TrackRenderState::kTrackCount; ++t) {
        bank_.silenceTrack(t);
        tracks_[t] = TrackRenderState();
    }
    meters_[0].clear();
    meters_[1].clear();
    master_.clear();
    forgetKept();
    rendering_ = false;
    playState_.stop();
}

void BlockRenderer::resume() {
    for (TrackRenderState& track : tracks_)
        track.triggered = false;
}

void BlockRenderer::render(float** outputs, int frames, bool adding, float* const* trackOutputs) {
    lock_.lockForRendering();
    if (frames > 0) {
        const int64_t position = hostPosition_;
        const float tempo = hostTempo_;
        playState_.blockRendered(position);
        if (position != nextPosition_)
            forgetKept(); // a jump: what was kept belongs elsewhere
        int done = deliverKept(outputs, 0, frames, adding, trackOutputs);
        while (done < frames) {
            keptFrom_ = 0;
            tracksKept_ = trackOutputs != nullptr;
            keptTo_ = renderControlBlock(position + done, tempo);
            done += deliverKept(outputs, done, frames - done, adding, trackOutputs);
        }
        nextPosition_ = position + frames;
    }
    lock_.unlockAfterRendering();
}

void BlockRenderer::forgetKept() {
    if (keptTo_ > keptFrom_)
        sequencer_.rearmUnheard(keptTo_ - keptFrom_);
    keptFrom_ = keptTo_ = 0;
}

int BlockRenderer::deliverKept(float* const* outputs, int offset, int frames, bool adding, float* const* trackOutputs) {
    const int n = std::min(frames, keptTo_ - keptFrom_);
    if (trackOutputs)
        deliverTracks(trackOutputs, offset, n);
    for (int c = 0; c < 2; ++c) {
        float* out = outputs[c] + offset;
        const float* kept = mix_[c] + keptFrom_;
        if (adding) {
            for (int i = 0; i < n; ++i)
                out[i] += kept[i];
        } else {
            std::memcpy(out, kept, sizeof(float) * static_cast<size_t>(n));
        }
    }
    keptFrom_ += n;
    return n;
}

// A track the gate skipped has nothing in its buffers for this control block:
// silence. So has every track of a block rendered while no host asked for
// the tracks' outputs (a host that starts asking within a control block).
void BlockRenderer::deliverTracks(float* const* trackOutputs, int offset, int n) const {
    const auto bytes = sizeof(float) * static_cast<size_t>(n);
    for (int t = 0; t < TrackRenderState::kTrackCount; ++t) {
        const TrackRenderState& track = tracks_[t];
        const float* kept[2] = {track.left + keptFrom_, track.right + keptFrom_};
        for (int c = 0; c < 2; ++c) {
            float* out = trackOutputs[2 * t + c];
            if (!out)
                continue;
            if (track.rendered && tracksKept_)
                std::memcpy(out + offset, kept[c], bytes);
            else
                std::memset(out + offset, 0, bytes);
        }
    }
}

int BlockRenderer::renderControlBlock(int64_t position, float tempo) {
    const int64_t phase = ((position % dsp::kBlockSize) + dsp::kBlockSize) % dsp::kBlockSize;
    const int n = dsp::kBlockSize - static_cast<int>(phase);
    sequencer_.startBlock(sampleRate_, static_cast<int>(position), tempo);
    // The voices keep the tempo: told again only when it moves.
    if (!(tempo == voicesTempo_)) {
        voicesTempo_ = tempo;
        for (int t = 0; t < TrackRenderState::kTrackCount; ++t)
            bank_.voice(t).setTempo(tempo);
    }
    pendingTriggers_.apply(playback_);
    renderSubBlock(n);
    return n;
}

bool BlockRenderer::selectTrack(int t, bool anySolo, int n) {
    const InstrumentBank::Track& model = bank_.track(t);
    if (model.muted && !model.soloed)
        return false;
    TrackRenderState& track = tracks_[t];
    InstrumentVoice& voice = *model.voice;
    const float threshold = voice.effects().isActive() ? kGateWithEffect : kGateDry;
    // A bound that keeps the gate shut decides as the exact measure would
    // (both sums only grow with what they add), and the shut gate keeps no level.
    float level = (track.gateLevel + voice.meterMagnitude()) * kGateScale;
    if (!(level < threshold) && voice.meterIsBound())
        level = (track.gateLevel + voice.exactMeterMagnitude()) * kGateScale;
    track.gateLevel = level;
    bool audible = true;
    if (track.gateLevel < threshold) {
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
    return audible && (!anySolo || model.soloed);
}

// The envelopes of all rendered voices together (EnvelopeLanes): their
// recursions overlap instead of following one another.
void BlockRenderer::renderEnvelopes(int n) {
    AmpEnvelopeModule* envelopes[TrackRenderState::kTrackCount];
    float* outs[TrackRenderState::kTrackCount];
    uint8_t* triggers[TrackRenderState::kTrackCount];
    int count = 0;
    for (int t = 0; t < TrackRenderState::kTrackCount; ++t) {
        if (!tracks_[t].rendered)
            continue;
        InstrumentVoice& voice = bank_.voice(t);
        voice.smoothParameters();
        envelopes[count] = &voice.envelope();
        outs[count] = voice.envelopeBuffer();
        triggers[count++] = voice.triggerBuffer();
    }
    EnvelopeLanes::render(envelopes, outs, triggers, count, n);
}

void BlockRenderer::renderTracks(int n) {
    bool anySolo = false;
    for (int t = 0; t < TrackRenderState::kTrackCount; ++t)
        anySolo = anySolo || bank_.track(t).soloed;
    for (int t = 0; t < TrackRenderState::kTrackCount; ++t)
        tracks_[t].rendered = selectTrack(t, anySolo, n);
    renderEnvelopes(n);
    // Voices share nothing while they render, so their chains may interleave:
    // the filters run in groups, which overlaps their sample-by-sample recursions.
    FilterModule* waiting[FilterModule::kGroup];
    int count = 0;
    for (int t = 0; t < TrackRenderState::kTrackCount; ++t) {
        if (!tracks_[t].rendered || !bank_.voice(t).startSources(n))
            continue;
        waiting[count++] = &bank_.voice(t).filter();
        if (count == FilterModule::kGroup) {
            FilterModule::runTogether(waiting, count);
            count = 0;
        }
    }
    FilterModule::runTogether(waiting, count);
    // Each track adds itself to the mix as it finishes, in track order.
    InstrumentVoice* finished[TrackRenderState::kTrackCount];
    int finishedCount = 0;
    for (int t = 0; t < TrackRenderState::kTrackCount; ++t) {
        TrackRenderState& track = tracks_[t];
        if (track.rendered) {
            bank_.voice(t).finishBlock(n, track.left, track.right, mix_[0], mix_[1], tracksKept_);
            finished[finishedCount++] = &bank_.voice(t);
            renderedVoiceSamples_ += static_cast<uint64_t>(n);
        }
    }
    InstrumentVoice::measureMeters(finished, finishedCount);
}

void BlockRenderer::renderSubBlock(int n) {
    for (int t = 0; t < TrackRenderState::kTrackCount; ++t)
        if (bank_.track(t).silenceRequested.take())
            bank_.silenceTrack(t);
    if (rolling_)
        sequencer_.processSubBlock(n, playback_);
    rendering_ = true;
    {
        // Every float-to-integer conversion inside the voices truncates.
        const TruncationScope truncating;
        dsp::runBlock(n, [&](int length) {
            fill(mix_[0], length, dsp::kAntiDenormal);
            fill(mix_[1], length, dsp::kAntiDenormal);
        });
        renderTracks(n);
        master_.process(mix_[0], mix_[1], n, bank_.masterVolume);
    }
    OutputMeter::processPair(meters_[0], meters_[1], mix_[0], mix_[1], n);
}

} // namespace trommik2
