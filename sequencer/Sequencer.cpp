#include "Sequencer.h"

#include <algorithm>
#include <limits>

namespace trommik2 {

namespace {

// Bounds on the samples of one bar: at least one sample per step, and small
// enough that four bars of positions fit an int. Only a tempo of 0 or a wild
// one from the host reaches them.
constexpr float kMinSamplesPerBar = 32.0f;
constexpr float kMaxSamplesPerBar = 67108864.0f; // 2^26

} // namespace

int Sequencer::barLength(float tempo, float sampleRate) {
    const float samples = 60.0f / (tempo * 0.25f) * sampleRate;
    if (!(samples >= kMinSamplesPerBar))
        return static_cast<int>(kMinSamplesPerBar);
    if (samples >= kMaxSamplesPerBar)
        return static_cast<int>(kMaxSamplesPerBar);
    return static_cast<int>(samples);
}

namespace {

int saturate(int64_t x) {
    constexpr int64_t lo = std::numeric_limits<int>::min();
    constexpr int64_t hi = std::numeric_limits<int>::max();
    return static_cast<int>(x < lo ? lo : (x > hi ? hi : x));
}

// Clamps x into lo..hi; a NaN from a bad document lands on lo.
float clamped(float x, float lo, float hi) { return x > lo ? (x < hi ? x : hi) : lo; }

} // namespace

Sequencer::Sequencer(const ParameterTable& table) {
    for (int p = 0; p < kParameterCount; ++p) {
        automationMinimum_[p] = table.descriptor(p).automationMinimum;
        automationMaximum_[p] = table.descriptor(p).automationMaximum;
    }
    // The default pattern: the factory snare (track index 1, with its room
    // reverb) on every quarter note of two bars.
    for (int slot = 0; slot < 2 * kStepsPerBar; slot += 8)
        tracks_[kDefaultTrack].setStep(slot, 127);
    recomputePositions();
}

void Sequencer::setSampleRate(int rate) {
    sampleRate_ = static_cast<float>(rate);
    positionsStale_ = true;
    recomputePositions();
}

void Sequencer::setTempo(float bpm) {
    tempo_ = bpm;
    positionsStale_ = true;
    recomputePositions();
}

void Sequencer::setBars(int bars) {
    bars_ = bars;
    positionsStale_ = true;
    recomputePositions();
}

void Sequencer::setShuffle(int percent) {
    shuffle_ = percent;
    positionsStale_ = true;
    recomputePositions();
}

void Sequencer::recomputePositions() {
    // As a sequence lock's writer: the count up before any position moves.
    positionWriters_.fetch_add(1, std::memory_order_acq_rel);
    std::atomic_thread_fence(std::memory_order_release);
    writePositions();
    positionsWritten_.fetch_add(1, std::memory_order_release);
    positionWriters_.fetch_sub(1, std::memory_order_release);
}

void Sequencer::writePositions() {
    const int barLength = Sequencer::barLength(tempo_, sampleRate_);
    const int stepLength = barLength / kStepsPerBar;
    const int64_t swing = int64_t{shuffle_.load()} * stepLength / 100;
    patternLength_ = saturate(int64_t{bars_.load()} * barLength);
    samplesPerStep_ = stepLength;
    // All 128 slots whatever the bar count: slots beyond the pattern end keep
    // positions at or past its length and so never play.
    for (TrackPattern& track : tracks_)
        for (int i = 0; i < kSlotCount; ++i)
            track.steps_[i].position = saturate(int64_t{i} * stepLength + (i % 4 == 2 ? swing : 0));
}

void Sequencer::startBlock(int sampleRate, int hostPosition, float tempo) {
    position_ = hostPosition;
    const bool changed = static_cast<float>(sampleRate) != sampleRate_ || tempo != tempo_;
    if (positionsStale_.exchange(false) || changed) {
        sampleRate_ = static_cast<float>(sampleRate);
        tempo_ = tempo;
        recomputePositions();
    }
}

void Sequencer::processSubBlock(int n, PlaybackTarget& target) {
    // Read once: the editor may change the timing while this runs.
    const int length = patternLength_;
    const int stepLength = samplesPerStep_;
    if (length < 1 || stepLength < 1)
        return; // a bar count below 1, only from bad input: nothing to play
    const int position = static_cast<int>((int64_t{position_.load()} + n) % length);
    position_ = position;
    const Window window{int64_t{position} - n, position};
    currentBar_ = position / stepLength / kStepsPerBar;

    bool playing[kTrackCount];
    for (int t = 0; t < kTrackCount; ++t)
        playing[t] = target.isPlaying(t) && tracks_[t].hasSteps();
    const SlotRange range = candidates(window);
    const bool quiet = windowIsEmpty(window, range);
    for (int t = 0; t < kTrackCount; ++t) {
        if (!playing[t])
            continue;
        if (quiet && !marked_[t]) {
            // Nothing to fire and no played slot to re-arm: the pass would only note the range.
            lastRange_[t] = range;
            windowSlotCount_[t] = 0;
            continue;
        }
        triggerTrack(t, window, range, target);
        marked_[t] = !quiet;
    }
    for (int t = 0; t < kTrackCount; ++t)
        if (playing[t])
            automateTrack(t, target);
}

void Sequencer::rearmUnheard(int count) {
    const int64_t from = int64_t{position_.load()} - count;
    for (TrackPattern& track : tracks_)
        for (StepSlot& slot : track.steps_)
            if (slot.played != 0 && slot.position >= from && slot.position < position_)
                slot.played = 0;
}

// Whether no slot of the range lies in the window, for every track: their
// slots share the same positions, so the first track's tell. Only when no
// other thread wrote positions meanwhile; otherwise the tracks look for themselves.
bool Sequencer::windowIsEmpty(Window window, SlotRange range) const {
    const uint32_t written = positionsWritten_.load(std::memory_order_acquire);
    if (positionWriters_.load(std::memory_order_acquire) != 0)
        return false;
    bool empty = true;
    for (int i = range.first; i < range.end; ++i)
        empty = empty && !window.contains(tracks_[0].steps_[i].position);
    std::atomic_thread_fence(std::memory_order_acquire);
    return empty && positionWriters_.load(std::memory_order_relaxed) == 0 &&
           positionsWritten_.load(std::memory_order_relaxed) == written;
}

// Positions never fall below their slot's step (nor beyond it by more than the
// swing), so only a few slots around the window need looking at. Slots left
// behind by the last window are re-armed; no other slot can be marked played.
Sequencer::SlotRange Sequencer::candidates(Window window) const {
    const int64_t step = samplesPerStep_;
    const int64_t swing = int64_t{shuffle_.load()} * step / 100;
    auto slotOf = [step](int64_t position) { return position >= 0 ? position / step : -1; };
    SlotRange range;
    range.first = static_cast<int>(std::max<int64_t>(0, slotOf(window.start - std::max<int64_t>(swing, 0)) - 1));
    range.end = static_cast<int>(
        std::clamp<int64_t>(slotOf(window.end - 1 - std::min<int64_t>(swing, 0)) + 2, range.first, kSlotCount));
    return range;
}

void Sequencer::triggerTrack(int t, Window window, SlotRange range, PlaybackTarget& target) {
    TrackPattern& track = tracks_[t];
    for (int i = lastRange_[t].first; i < lastRange_[t].end; ++i)
        if (i < range.first || i >= range.end)
            track.steps_[i].played = 0;
    lastRange_[t] = range;
    int covered = 0;
    for (int i = range.first; i < range.end; ++i) {
        StepSlot& slot = track.steps_[i];
        if (!window.contains(slot.position)) {
            if (slot.played != 0)
                slot.played = 0; // re-arms the slot for the next window that covers it
            continue;
        }
        windowSlots_[t][covered++] = static_cast<uint8_t>(i);
        const int velocity = slot.velocity;
        if (slot.played != 0 || velocity <= 0)
            continue;
        const float x = random_.draw();
        const float v = (track.velocityRandom_ * 127.0f * x + static_cast<float>(velocity)) * (1.0f / 127.0f);
        target.trigger(t, clamped(v, 0.0f, 1.0f));
        slot.played = 1;
    }
    windowSlotCount_[t] = covered;
}

void Sequencer::automateTrack(int t, PlaybackTarget& target) {
    // Most windows hold no slot at all: then no parameter has anything to apply.
    if (windowSlotCount_[t] == 0)
        return;
    const TrackPattern& track = tracks_[t];
    for (int p = 0; p < kParameterCount; ++p) {
        const float scale = track.scale_[p];
        if (!track.automationMasks_[p].any() || !(scale > 0.0f))
            continue;
        const float lo = automationMinimum_[p];
        const float hi = automationMaximum_[p];
        const float spread = track.random_[p];
        // Every slot in the window, point or not: a slot without a point holds 0.
        for (int k = 0; k < windowSlotCount_[t]; ++k) {
            const float point = track.automation_[windowSlots_[t][k]][p];
            const float x = random_.draw();
            const float value = ((hi - lo) * x * spread + point) * scale;
            target.applyAutomation(t, p, clamped(value, lo, hi));
        }
    }
}

} // namespace trommik2
