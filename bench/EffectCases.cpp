#include "EffectCases.h"

#include <cfenv>
#include <cstdio>
#include <vector>

#include "BenchCases.h"
#include "CpuClock.h"
#include "engine/NoiseGenerator.h"
#include "engine/effects/EffectRegistry.h"
#include "params/EffectNames.h"

using namespace trommik2;

namespace {

constexpr int kBlock = 64;

// The processor time of one effect over the noise. Every knob at a quarter,
// mapped as the effects section hands it over.
double secondsOfOneType(int type, const std::vector<float>& noise) {
    const EffectDefinition& definition = effectDefinition(type);
    std::unique_ptr<Effect> effect = definition.create();
    effect->prepare(BenchCases::kSampleRate, 120.0f);
    double values[kEffectParameterCount];
    for (int p = 0; p < kEffectParameterCount; ++p)
        values[p] = definition.description.value(p, 0.25f, BenchCases::kSampleRate);
    float out[2][kBlock];
    const int blocks = static_cast<int>(noise.size() / (2 * kBlock));
    std::fesetround(FE_TOWARDZERO); // as while voices render
    const double start = threadCpuSeconds();
    for (int b = 0; b < blocks; ++b) {
        const float* in = noise.data() + 2 * kBlock * b;
        effect->configure(values, 120.0f);
        effect->process(in, in + kBlock, out[0], out[1], kBlock);
    }
    const double spent = threadCpuSeconds() - start;
    std::fesetround(FE_TONEAREST);
    return spent;
}

} // namespace

BenchResult EffectCases::eachType(double seconds) {
    BenchResult result;
    std::snprintf(result.name, sizeof result.name, "effects");
    std::snprintf(result.note, sizeof result.note, "in-process, one effect at a time");
    std::vector<float> noise(static_cast<size_t>(seconds * BenchCases::kSampleRate) / kBlock * kBlock * 2);
    NoiseGenerator generator;
    for (float& x : noise)
        x = 0.25f * generator.next();
    const double audio = static_cast<double>(noise.size() / 2) / BenchCases::kSampleRate;
    for (int type = 0; type < kEffectTypeCount; ++type)
        result.add(effectDefinition(type).description.shortName, audio / secondsOfOneType(type, noise));
    return result;
}
