#include "FilterModule.h"

#include <cmath>

#include "Dsp.h"
#include "RunBlock.h"
#include "params/ParameterIndex.h"
#include "params/ValueMapping.h"

namespace trommik2 {

namespace {

const float kGateThreshold = std::pow(10.0f, -4.5f);
constexpr float kGateScale = 1.0f / 64.0f;

int designOf(int type) {
    switch (type) {
    case 1: return Biquad::kLowPassQ;
    case 2: return Biquad::kBandPassQ;
    default: return Biquad::kHighPassQ;
    }
}

void warp(const float* __restrict envelope, float* __restrict warped, int n) {
    for (int i = 0; i < n; ++i)
        warped[i] = envelope[i] / (9.0f - 8.0f * envelope[i]);
}

void scale(const float* __restrict in, float* __restrict out, float gain, int n) {
    for (int i = 0; i < n; ++i)
        out[i] = in[i] * gain;
}

} // namespace

FilterModule::FilterModule() : SoundModule("Filter Module", FilterType, 6) {
    setDefault(FilterType, 0.0f);
    setDefault(FilterFreq, 6000.0f);
    setDefault(FilterQ, 0.25f);
    setDefault(FilterDriveDB, -6.0f);
    setDefault(FilterEnvShape, 0.5f);
    setDefault(FilterEnvAmt, 0.0f);
    FilterModule::setSampleRate(sampleRate_);
}

void FilterModule::setSampleRate(float rate) {
    SoundModule::setSampleRate(rate);
    filter_.setSampleRate(rate);
    lastCutoff_ = -1.0f; // redesign at the new rate
}

void FilterModule::reset() {
    SoundModule::reset();
    filter_.clear();
    gateAccumulator_ = 0.0f;
}

void FilterModule::updateDesign(const float* envelope, int n) {
    // The divisions in a vectorised pass, the sum in order after it.
    float warped[dsp::kBlockSize];
    dsp::runBlock(n, [&](int length) { warp(envelope, warped, length); });
    float sum = 0.0f;
    for (int i = 0; i < n; ++i)
        sum += warped[i];
    float m = sum / static_cast<float>(n);
    float ks = 1.0f / dsp::clip(smoothed(FilterEnvShape), 0.00001f, 0.9999f);
    float a = dsp::clip(smoothed(FilterEnvAmt), 0.00001f, 0.9999f);
    float r = dsp::clip(smoothed(FilterQ), 0.00001f, 0.9999f);
    float drive = dsp::clip(smoothed(FilterDriveDB), -48.0f, 48.0f);
    float cutoff = smoothed(FilterFreq) + dsp::shapeCurve(m, ks) * (a / (9.0f - 8.0f * a)) * 18000.0f;
    if (std::fabs(drive - lastDrive_) > 0.01f) {
        lastDrive_ = drive;
        inputGain_ = std::pow(10.0f, drive / 20.0f);
        outputGain_ = std::pow(10.0f, -0.3f * drive / 20.0f);
    }
    if (std::fabs(cutoff - lastCutoff_) > 0.1f || std::fabs(r - lastResonance_) > 0.001f) {
        lastCutoff_ = cutoff;
        lastResonance_ = r;
        filter_.design(cutoff, r);
    }
}

int FilterModule::selectedType() {
    if (typeAt_ != valuesVersion()) {
        typeAt_ = valuesVersion();
        selectedType_ = nearestStep(target(FilterType), 0, 3);
    }
    return selectedType_;
}

bool FilterModule::prepare(const float* envelope, const float* in, float* out, int n) {
    const int type = selectedType();
    if (type == 0)
        return false;
    float sum = 0.0f;
    for (int i = 0; i < n; ++i)
        sum += std::fabs(in[i]);
    gateAccumulator_ = (gateAccumulator_ + sum) * kGateScale;
    if (gateAccumulator_ < kGateThreshold) {
        gateAccumulator_ = 0.0f;
        return false;
    }
    if (type != type_) {
        type_ = type;
        filter_.setType(designOf(type));
        lastCutoff_ = -1.0f;
    }
    updateDesign(envelope, n);
    pendingIn_ = in;
    pendingOut_ = out;
    pendingCount_ = n;
    return true;
}

void FilterModule::run() {
    FilterModule* self = this;
    runTogether(&self, 1);
}

// The gains in float before and after the filters, as a whole block each.
void FilterModule::runTogether(FilterModule* const* filters, int count) {
    if (count <= 0)
        return;
    const int n = filters[0]->pendingCount_;
    float scaled[kGroup][dsp::kBlockSize], filtered[kGroup][dsp::kBlockSize];
    const float* in[kGroup];
    float* out[kGroup];
    SaturatingBiquad* biquads[kGroup];
    for (int k = 0; k < count; ++k) {
        const FilterModule& filter = *filters[k];
        dsp::runBlock(n, [&](int length) { scale(filter.pendingIn_, scaled[k], filter.inputGain_, length); });
        in[k] = scaled[k];
        out[k] = filtered[k];
        biquads[k] = &filters[k]->filter_;
    }
    SaturatingBiquad::processTogether(biquads, count, in, out, n);
    for (int k = 0; k < count; ++k) {
        const FilterModule& filter = *filters[k];
        dsp::runBlock(n, [&](int length) { scale(filtered[k], filter.pendingOut_, filter.outputGain_, length); });
    }
}

} // namespace trommik2
