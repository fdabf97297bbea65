#include "AmpEnvelopeModule.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "Dsp.h"
#include "RunBlock.h"
#include "params/ParameterIndex.h"

namespace trommik2 {

namespace {

constexpr float kHalfPi = 1.57079632679f;
constexpr float kTiny = 1e-19f;
constexpr float kSoundingLevel = 0.01f;
constexpr float kAttackTop = 0.99f;
constexpr float kRampCutoff = 200.0f;
const float kFloor = std::pow(10.0f, -4.5f);

void shapeBlock(float* __restrict x, float curve, int n) {
    for (int i = 0; i < n; ++i)
        x[i] = dsp::shapeCurve(x[i], curve);
}

} // namespace

AmpEnvelopeModule::AmpEnvelopeModule() : SoundModule("ADSR Module (amp)", EnvAttack, 5) {
    setDefault(EnvAttack, 0.1f);
    setDefault(EnvDecay, 500.0f);
    setDefault(EnvCurveShape, 0.0f);
    setDefault(EnvVelocityShape, 0.0f);
    setDefault(EnvAMSpeed, 0.0f);
    floor_ = kFloor;
    AmpEnvelopeModule::setSampleRate(sampleRate_);
}

void AmpEnvelopeModule::setSampleRate(float rate) {
    SoundModule::setSampleRate(rate);
    rampSmoother_.setCutoff(kRampCutoff, rate);
    recompute_ = true;
}

void AmpEnvelopeModule::reset() {
    SoundModule::reset();
    stage_ = kIdle;
    level_ = 0.0f;
    lastOutput_ = 0.0f;
    previousTarget_ = 0.0f;
    previousLevel_ = 0.0f;
    triggerFlag_ = false;
    recompute_ = true;
    rampPhase_ = 1.0f;
    rampSmoother_.clear();
}

float AmpEnvelopeModule::shapeVelocity(float v) const {
    float shape = value(EnvVelocityShape, ModuleParameter::kBase) + value(EnvVelocityShape, ModuleParameter::kOffset);
    float k = 1.0f / dsp::clip((shape * 0.0099f + 1.0f) * 0.5f, 0.0001f, 0.9999f);
    return dsp::shapeCurve(v, k);
}

void AmpEnvelopeModule::trigger() {
    if (isSounding()) {
        stage_ = kFade;
    } else {
        stage_ = kAttack;
        triggerFlag_ = true;
    }
    recompute_ = true;
}

// The rate belongs to the stage; it is taken when the stage's smoother is
// recomputed, so a hit that arrives between blocks uses this block's attack.
float AmpEnvelopeModule::rateOfStage() const {
    switch (stage_) {
    case kDecay: return decayRate_;
    case kHold: return holdRate_;
    case kFade: return fadeRate_;
    default: return attackRate_;
    }
}

void AmpEnvelopeModule::updateSmoother() {
    rate_ = rateOfStage();
    float w = dsp::clip(rate_ / (sampleRate_ * 0.5f), 0.0f, 1.0f);
    float g = w * kHalfPi + kTiny;
    float d = 1.0f - w * w * w + kTiny;
    b0_ = b1_ = g / (d + g);
    a1_ = (g - d) / (d + g);
    recompute_ = false;
}

float AmpEnvelopeModule::stepToward(float target) {
    float y = b0_ * target + b1_ * previousTarget_ - a1_ * previousLevel_;
    previousTarget_ = target;
    previousLevel_ = y;
    return y;
}

void AmpEnvelopeModule::enter(int stage) {
    stage_ = stage;
    recompute_ = true;
}

void AmpEnvelopeModule::advance() {
    switch (stage_) {
    case kAttack:
        if (level_ >= kAttackTop)
            enter(kDecay);
        else
            level_ = stepToward(1.0f);
        break;
    case kDecay:
        if (level_ < floor_)
            enter(kHold);
        else
            level_ = stepToward(floor_);
        break;
    case kHold: level_ = floor_; break;
    case kFade:
        if (level_ <= kSoundingLevel) {
            enter(kAttack);
            triggerFlag_ = true;
        } else {
            level_ = stepToward(0.0f);
        }
        break;
    default: break;
    }
}

// A stage's steps toward its goal with the state in registers, as long as the
// stage goes on (continues(level)) and nothing else happens; returns where it
// stopped. After the first step the smoother's input is the goal on both taps,
// so its input terms are the same every step.
template <typename Continues>
int AmpEnvelopeModule::approach(float goal, Continues continues, float* out, uint8_t* triggers, int i, int n) {
    const int start = i;
    const float b0 = b0_, b1 = b1_, a1 = a1_;
    float level = level_, previous = previousLevel_;
    if (i < n && continues(level)) {
        level = b0 * goal + b1 * previousTarget_ - a1 * previous;
        previousTarget_ = goal;
        previous = level;
        out[i++] = level;
    }
    const float input = b0 * goal + b1 * goal;
    for (; i < n && continues(level); ++i) {
        level = input - a1 * previous;
        previous = level;
        out[i] = level;
    }
    std::memset(triggers + start, 0, static_cast<size_t>(i - start));
    level_ = level;
    previousLevel_ = previous;
    return i;
}

// The rest of the block when the stages run on undisturbed, as advance() would
// run them. Returns where the sample-by-sample path takes over: at a change of stage.
int AmpEnvelopeModule::steadyRun(float* out, uint8_t* triggers, int i, int n) {
    if (recompute_ || triggerFlag_)
        return i;
    switch (stage_) {
    case kAttack:
        return approach(
            1.0f, [](float level) { return !(level >= kAttackTop); }, out, triggers, i, n);
    case kDecay: {
        const float floor = floor_;
        return approach(
            floor, [floor](float level) { return !(level < floor); }, out, triggers, i, n);
    }
    case kFade:
        return approach(
            0.0f, [](float level) { return !(level <= kSoundingLevel); }, out, triggers, i, n);
    case kHold:
        level_ = floor_;
        std::fill(out + i, out + n, floor_);
        std::memset(triggers + i, 0, static_cast<size_t>(n - i));
        return n;
    default: return i;
    }
}

void AmpEnvelopeModule::beginBlock() {
    // Most blocks find the same values as the last one: nothing to derive again.
    // (Signed zeros derive the same values; a NaN only derives them again.)
    if (derivedAt_ == valuesVersion())
        return;
    derivedAt_ = valuesVersion();
    const Derived from = {smoothed(EnvCurveShape), smoothed(EnvAttack), smoothed(EnvDecay), smoothed(EnvAMSpeed),
                          sampleRate_};
    if (from == derivedFrom_)
        return;
    derivedFrom_ = from;
    curve_ = 1.0f / ((1.0f + from.curveShape * 0.0099f) * 0.5f);
    attackRate_ = 1.0f / (3.3f * std::fmax(from.attack * 0.0007f, 0.00001f));
    decayRate_ = 1.0f / std::fmax(from.decay * 0.0014f, 0.00001f);
    ramp_ = from.amSpeed > 0.001f;
    phaseStep_ = from.amSpeed / from.sampleRate;
}

bool AmpEnvelopeModule::steady(Steady& lane) const {
    if (ramp_ || recompute_ || triggerFlag_)
        return false;
    // The stage's goal and its stop test, !(level >= top), !(level < floor) or
    // !(level <= 0.01), as sign * level against sign * bound, so that one lane
    // test serves every stage.
    struct Stop {
        float goal, sign, bound;
        bool onEqual;
    } stop;
    switch (stage_) {
    case kAttack: stop = {1.0f, 1.0f, kAttackTop, true}; break;
    case kDecay: stop = {floor_, -1.0f, -floor_, false}; break;
    case kFade: stop = {0.0f, -1.0f, -kSoundingLevel, true}; break;
    default: return false;
    }
    // Until the smoother has taken one step toward the goal its input terms differ.
    if (!(previousTarget_ == stop.goal))
        return false;
    lane.sign = stop.sign;
    lane.bound = stop.bound;
    lane.stopsOnEqual = stop.onEqual;
    lane.level = level_;
    lane.previous = previousLevel_;
    lane.input = b0_ * stop.goal + b1_ * stop.goal;
    lane.a1 = a1_;
    lane.curveLessOne = curve_ - 1.0f;
    return true;
}

void AmpEnvelopeModule::keepSteady(const Steady& lane, uint8_t* triggers, int steps) {
    level_ = lane.level;
    previousLevel_ = lane.previous;
    if (steps == dsp::kBlockSize)
        std::memset(triggers, 0, dsp::kBlockSize); // a whole block: stores in place of a call
    else
        std::memset(triggers, 0, static_cast<size_t>(steps));
}

void AmpEnvelopeModule::runFrom(float* out, uint8_t* triggers, int i, int n) {
    for (; i < n; ++i) {
        if (!ramp_) {
            i = steadyRun(out, triggers, i, n);
            if (i == n)
                break;
        }
        if (recompute_)
            updateSmoother();
        advance();
        triggers[i] = triggerFlag_ ? 1 : 0;
        float value = level_;
        if (ramp_) {
            if (triggerFlag_)
                rampPhase_ = 1.0f;
            if (stage_ == kAttack) {
                value = rampPhase_;
                rampPhase_ -= phaseStep_;
                if (rampPhase_ <= 0.0f)
                    rampPhase_ = 1.0f;
            }
            value = rampSmoother_.process(value);
        }
        triggerFlag_ = false;
        out[i] = value;
    }
}

void AmpEnvelopeModule::endBlock(float* out, int from, int n) {
    // The curve in a pass of its own, one the compiler vectorises.
    if (from == 0)
        dsp::runBlock(n, [&](int count) { shapeBlock(out, curve_, count); });
    else
        shapeBlock(out + from, curve_, n - from);
    if (n > 0)
        lastOutput_ = out[n - 1];
}

} // namespace trommik2
