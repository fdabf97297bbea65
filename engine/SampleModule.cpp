#include "SampleModule.h"

#include <array>
#include <cmath>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "Dsp.h"
#include "params/ParameterIndex.h"
#include "params/ValueMapping.h"

namespace trommik2 {

SampleModule::SampleModule() : SoundModule("Wav Module", GenWavTune, 5) {
    setDefault(GenWavTune, 0.0f);
    setDefault(GenWavDirection, 0.0f);
    setDefault(GenWavShapeAmpEnv, 1.0f);
    setDefault(GenWavShapePitchEnv, 0.0f);
    setDefault(GenWavLevel, 1.0f);
}

void SampleModule::reset() {
    SoundModule::reset();
    position_ = 0.0;
}

void SampleModule::swapSample(std::unique_ptr<float[]>& data, int frames) {
    data_.swap(data);
    frames_ = data_ && frames > 0 ? frames : 0;
    reset();
}

namespace {

// Written where a note has ended: a whole block's worth, since blocks are never longer.
constexpr std::array<float, dsp::kBlockSize> kEnded = [] {
    std::array<float, dsp::kBlockSize> a{};
    a.fill(dsp::kAntiDenormal);
    return a;
}();

// The factors of the output, which hold from one trigger to the next.
struct Gains {
    float kaLess1; // the amplitude shape constant less one, as the shape curve uses it
    float velocity;
    float level;
};

// The four-point cubic between s1 and s2 at t; one formula for single values and
// for four lanes, so that both give the same bits.
template <typename T>
T cubic(T s0, T s1, T s2, T s3, T t) {
    return s1 + t * ((s2 - s0) * 0.5f +
                     t * (s0 - 2.5f * s1 + 2.0f * s2 - 0.5f * s3 + t * (1.5f * (s1 - s2) + (s3 - s0) * 0.5f)));
}

// The shape curve of the envelope times velocity, level and the interpolated value, in that order.
template <typename T>
T output(T envelope, T value, const Gains& g) {
    return envelope / (envelope + g.kaLess1 * (1.0f - envelope)) * g.velocity * g.level * value;
}

float playOne(const float* data, double position, float envelope, const Gains& g) {
    int j = static_cast<int>(position);
    float t = static_cast<float>(position - j);
    const float* s = data + j;
    return output(envelope, cubic(s[0], s[1], s[2], s[3], t), g);
}

#if defined(__SSE2__)
// The same for four positions at once: each lane's operations are those of playOne.
void playFour(const float* data, const double* positions, const float* envelope, const Gains& g, float* out) {
    const __m128d p01 = _mm_loadu_pd(positions), p23 = _mm_loadu_pd(positions + 2);
    const __m128i j01 = _mm_cvttpd_epi32(p01), j23 = _mm_cvttpd_epi32(p23);
    const __m128 t = _mm_movelh_ps(_mm_cvtpd_ps(_mm_sub_pd(p01, _mm_cvtepi32_pd(j01))),
                                   _mm_cvtpd_ps(_mm_sub_pd(p23, _mm_cvtepi32_pd(j23))));
    alignas(16) int32_t j[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(j), _mm_unpacklo_epi64(j01, j23));
    __m128 s0 = _mm_loadu_ps(data + j[0]), s1 = _mm_loadu_ps(data + j[1]);
    __m128 s2 = _mm_loadu_ps(data + j[2]), s3 = _mm_loadu_ps(data + j[3]);
    _MM_TRANSPOSE4_PS(s0, s1, s2, s3);
    _mm_storeu_ps(out, output(_mm_loadu_ps(envelope), cubic(s0, s1, s2, s3, t), g));
}
#endif

// Output for the positions from..to.
void playRun(const float* data, const double* positions, const float* envelope, const Gains& g, float* out, int from,
             int to) {
    int k = from;
#if defined(__SSE2__)
    for (; k + 4 <= to; k += 4)
        playFour(data, positions + k, envelope + k, g, out + k);
#endif
    for (; k < to; ++k)
        out[k] = playOne(data, positions[k], envelope[k], g);
}

// The positions of the samples from `from` on while the note plays, up to `to` at
// most, added up one by one as the note moves; returns where it stopped.
template <bool Reverse>
int advance(double& position, double increment, double end, double* positions, int from, int to) {
    double p = position;
    int k = from;
    for (; k < to && (Reverse ? p > 0.0 : p < end); ++k) {
        positions[k] = p;
        p += increment;
    }
    position = p;
    return k;
}

// The values added up one after the other, four to a loop step.
float sumInOrder(const float* x, int n) {
    float sum = 0.0f;
    int i = 0;
    for (; i + 4 <= n; i += 4)
        sum = sum + x[i] + x[i + 1] + x[i + 2] + x[i + 3];
    for (; i < n; ++i)
        sum += x[i];
    return sum;
}

// The next trigger at or after from (triggers hold 0 or 1), or n.
int nextTrigger(const uint8_t* triggers, int from, int n) {
    const void* hit = from < n ? std::memchr(triggers + from, 1, static_cast<size_t>(n - from)) : nullptr;
    return hit ? static_cast<int>(static_cast<const uint8_t*>(hit) - triggers) : n;
}

} // namespace

void SampleModule::deriveValues() {
    if (derivedAt_ == valuesVersion())
        return;
    derivedAt_ = valuesVersion();
    levelOpen_ = smoothed(GenWavLevel) > 0.001f;
    reverse_ = nearestStep(target(GenWavDirection)) > 0;
}

bool SampleModule::holds(const uint8_t* triggers, float sampleWeight, int n, float& value) {
    deriveValues();
    if (!(levelOpen_ && sampleWeight > 0.001f)) {
        value = 0.0f;
        return true;
    }
    const bool reverse = reverse_;
    const bool ended = reverse ? !(position_ > 0.0) : !(position_ < frames_ - kTail);
    if (!ended || resetPending_ || std::memchr(triggers, 1, static_cast<size_t>(n)))
        return false;
    // Played to its end and not hit again: what the runs of render would give.
    position_ = reverse ? 0.0 : frames_ - kTail;
    value = dsp::kAntiDenormal;
    return true;
}

void SampleModule::render(const float* envelope, const uint8_t* triggers, float sampleWeight, float* out, int n) {
    float held;
    if (holds(triggers, sampleWeight, n, held))
        std::fill(out, out + n, held);
    else
        play(envelope, triggers, out, n);
}

void SampleModule::play(const float* envelope, const uint8_t* triggers, float* out, int n) {
    const float level = smoothed(GenWavLevel);
    const bool reverse = reverse_;
    // A note stops five frames short of the data's end, whichever way it plays.
    const int end = frames_ - kTail;
    // Always over a whole block, so a short last block bends the pitch a little less.
    float average = dsp::clip(sumInOrder(envelope, n) / 64.0f, dsp::kAntiDenormal, 1.0f);
    float rate = std::exp2(smoothed(GenWavTune) / 12.0f);
    float kp = 1.0f / dsp::clip(1.0f - smoothed(GenWavShapePitchEnv), 0.001f, 0.99999f);
    float increment = dsp::shapeCurve(average, kp) * rate;
    double start = reverse ? end : 0.0;
    if (reverse)
        increment = -increment;
    float ka = 1.0f / dsp::clip(smoothed(GenWavShapeAmpEnv), 0.001f, 0.9999f);
    double positions[dsp::kBlockSize];
    // Runs from one trigger to the next: positions first, then the output of the
    // played part, then the ended part.
    for (int i = 0; i < n;) {
        if (resetPending_ || triggers[i]) {
            resetPending_ = false;
            position_ = start;
            noteVelocity_ = velocity_;
        }
        const int next = nextTrigger(triggers, i + 1, n);
        const int stop = reverse ? advance<true>(position_, increment, end, positions, i, next)
                                 : advance<false>(position_, increment, end, positions, i, next);
        playRun(data_.get(), positions, envelope, Gains{ka - 1.0f, noteVelocity_, level}, out, i, stop);
        if (stop < next) {
            position_ = reverse ? 0.0 : end;
            std::memcpy(out + stop, kEnded.data(), sizeof(float) * static_cast<size_t>(next - stop));
        }
        i = next;
    }
}

} // namespace trommik2
