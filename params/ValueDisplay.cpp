#include "ValueDisplay.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "ValueMapping.h"

namespace trommik2 {

namespace {

enum class Formatter {
    kDash,
    kSynthesisType,
    kFrequency,
    kPercent,
    kNote,
    kSemitones,
    kDeform,
    kFmMode,
    kPlain,
    kDirection,
    kMixRatio,
    kTime,
    kCurve,
    kFilterType,
    kDecibels,
    kEffectType,
    kEffectParameter,
    kOnOff,
};

constexpr std::array<Formatter, kParameterCount> makeFormatters() {
    std::array<Formatter, kParameterCount> f{};
    for (int i : {2, 7, 13, 17, 44, 46})
        f[i] = Formatter::kFrequency;
    for (int i : {3, 4, 5, 6, 8, 9, 10, 11, 12, 14, 15, 16, 18, 19, 36, 37, 38, 47, 49, 50, 58})
        f[i] = Formatter::kPercent;
    for (int i = 25; i <= 33; ++i)
        f[i] = Formatter::kPercent;
    for (int i = FXParam1; i <= FXParam4; ++i)
        f[i] = Formatter::kEffectParameter;
    f[GenSynthesisType] = Formatter::kSynthesisType;
    f[GenFMRingTune1] = Formatter::kNote;
    f[GenFMRingTune2] = Formatter::kSemitones;
    f[GenFMRingDeform1] = f[GenFMRingDeform2] = Formatter::kDeform;
    f[GenFMRingFMMode] = Formatter::kFmMode;
    f[GenWavTune] = Formatter::kPlain;
    f[GenWavDirection] = Formatter::kDirection;
    f[GenMixSynthesisWav] = Formatter::kMixRatio;
    f[EnvAttack] = f[EnvDecay] = Formatter::kTime;
    f[EnvCurveShape] = f[EnvVelocityShape] = Formatter::kCurve;
    f[FilterType] = Formatter::kFilterType;
    f[FilterDriveDB] = f[OutLevelDB] = Formatter::kDecibels;
    f[FXType] = Formatter::kEffectType;
    f[FXActive] = Formatter::kOnOff;
    return f;
}

constexpr std::array<Formatter, kParameterCount> kFormatters = makeFormatters();

// What the effect slot shows without an effect.
const char* const kNoEffect = "no fx";
const char* const kGenericKnobs[kEffectParameterCount] = {"par1", "par2", "par3", "mix"};

// Fixed texts are cut at 23 characters, group names at 63.
constexpr std::size_t kFixedTextLimit = 23;
constexpr std::size_t kGroupNameLimit = 63;

void copyText(char* out, std::size_t capacity, const char* text, std::size_t limit = kFixedTextLimit) {
    std::size_t n = std::min({std::strlen(text), limit, capacity - 1});
    std::memcpy(out, text, n);
    out[n] = '\0';
}

__attribute__((format(printf, 3, 4))) void print(char* out, std::size_t capacity, const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vsnprintf(out, capacity, format, args);
    va_end(args);
}

void frequency(char* out, std::size_t capacity, double v) {
    if (v >= 1000.0)
        print(out, capacity, "%.2f kHz", v / 1000.0);
    else
        print(out, capacity, "%.0f Hz", v);
}

void percent(char* out, std::size_t capacity, double v) { print(out, capacity, "%.0f%%", v * 100.0); }

// The nearest note's name with the cents to it; nothing outside the note range.
void note(const ParameterTable& table, char* out, std::size_t capacity, double v) {
    if (!(v > -1.0 && v < 129.0)) { // also keeps the conversion below in range
        copyText(out, capacity, "");
        return;
    }
    auto n = static_cast<double>(nearestStep(v));
    double cents = (v - n) * 100.0;
    if (cents > 99.0) {
        cents = 0.0;
        n += 1.0;
    }
    const char* name = table.noteName(static_cast<int>(n));
    if (n < 0.0 || n > 127.0)
        copyText(out, capacity, "");
    else if (cents > 0.0)
        print(out, capacity, "%s +%.0f", name, cents);
    else if (cents < 0.0)
        print(out, capacity, "%s -%.0f", name, -cents);
    else
        copyText(out, capacity, name);
}

void semitones(char* out, std::size_t capacity, double v) {
    if (v > 0.0)
        print(out, capacity, "+%.2f", v);
    else if (v < 0.0)
        print(out, capacity, "%.2f", v);
    else
        copyText(out, capacity, "0");
}

// The distortion the oscillator runs with, in whole percent: a sine up to 1 %,
// a sawtooth where the oscillator's distortion stops growing.
void deform(char* out, std::size_t capacity, double v) {
    const float amount = phaseDistortionAmount(static_cast<float>(v), 1.0f);
    const int n = nearestStep(amount * 100.0);
    if (amount >= 0.99f)
        copyText(out, capacity, "Sawtooth");
    else if (n <= 1)
        copyText(out, capacity, "Sinewave");
    else
        print(out, capacity, "%i%%", n);
}

// A mode between two (from automation) plays and shows the nearest mode.
void fmMode(char* out, std::size_t capacity, double v) {
    static const char* const kModes[3] = {"Sine 1 -> 2", "Sine 2 -> 1", "Cross Mod"};
    copyText(out, capacity, kModes[nearestStep(v, 0, 2)]);
}

void time(char* out, std::size_t capacity, double v) {
    if (v >= 1000.0)
        print(out, capacity, "%.2f s", v / 1000.0);
    else if (v >= 100.0)
        print(out, capacity, "%.0f ms", v);
    else if (v >= 10.0)
        print(out, capacity, "%.1f ms", v);
    else
        print(out, capacity, "%.2f ms", v);
}

void curve(char* out, std::size_t capacity, double v) {
    int n = nearestStep(v);
    if (n > 0)
        print(out, capacity, "+%i (log)", n);
    else if (n == 0)
        copyText(out, capacity, "0 (lin)");
    else
        print(out, capacity, "%i (exp)", n);
}

void filterType(char* out, std::size_t capacity, double v) {
    static const char* const kTypes[4] = {"Filter Off", "Lowpass", "Bandpass", "Highpass"};
    copyText(out, capacity, kTypes[nearestStep(v, 0, 3)]);
}

void decibels(char* out, std::size_t capacity, double v) {
    double a = std::fabs(v);
    if (a > 90.0)
        copyText(out, capacity, "-");
    else if (a >= 10.0)
        print(out, capacity, "%.1fdB", v);
    else if (a > 0.0)
        print(out, capacity, "%.2fdB", v);
    else
        copyText(out, capacity, "0dB");
}

// Effect knobs read as their effect's definition says; without an effect, as
// their position.
void effectKnob(int p, const EffectSlotState& fx, char* out, std::size_t capacity) {
    if (fx.effect)
        fx.effect->text(p, fx.stored[p], fx.sampleRate, out, capacity);
    else
        percent(out, capacity, fx.stored[p]);
}

} // namespace

void ValueDisplay::text(int index, double value, const EffectSlotState& fx, char* out, std::size_t capacity) const {
    if (index >= 0 && index < kParameterCount) {
        const ParameterDescriptor& d = table_.descriptor(index);
        double lo = d.minimum;
        double hi = d.maximum;
        value = (std::fabs(value - lo) - std::fabs(value - hi) + lo + hi) / 2.0;
    }
    format(index, value, fx, out, capacity);
}

void ValueDisplay::format(int index, double v, const EffectSlotState& fx, char* out, std::size_t capacity) const {
    if (capacity == 0)
        return;
    Formatter formatter = index >= 0 && index < kParameterCount ? kFormatters[index] : Formatter::kDash;
    if (formatter != Formatter::kEffectParameter && formatter != Formatter::kEffectType && !std::isfinite(v))
        formatter = Formatter::kDash;
    switch (formatter) {
    case Formatter::kDash: copyText(out, capacity, "-"); break;
    case Formatter::kSynthesisType: {
        int group = nearestStep(v);
        copyText(out, capacity, table_.groupName(group >= 10 ? 0 : group), kGroupNameLimit);
        break;
    }
    case Formatter::kFrequency: frequency(out, capacity, v); break;
    case Formatter::kPercent: percent(out, capacity, v); break;
    case Formatter::kNote: note(table_, out, capacity, v); break;
    case Formatter::kSemitones: semitones(out, capacity, v); break;
    case Formatter::kDeform: deform(out, capacity, v); break;
    case Formatter::kFmMode: fmMode(out, capacity, v); break;
    case Formatter::kPlain: print(out, capacity, "%.2f", v); break;
    case Formatter::kDirection: copyText(out, capacity, nearestStep(v) > 0 ? "reverse" : "normal"); break;
    case Formatter::kMixRatio: print(out, capacity, "%.0f%% : %.0f%%", v * 100.0, (1.0 - v) * 100.0); break;
    case Formatter::kTime: time(out, capacity, v); break;
    case Formatter::kCurve: curve(out, capacity, v); break;
    case Formatter::kFilterType: filterType(out, capacity, v); break;
    case Formatter::kDecibels: decibels(out, capacity, v); break;
    case Formatter::kEffectType: print(out, capacity, "%s", fx.effect ? fx.effect->longName : kNoEffect); break;
    case Formatter::kEffectParameter: effectKnob(index - FXParam1, fx, out, capacity); break;
    case Formatter::kOnOff: copyText(out, capacity, v > 0.5 ? "on" : "off"); break;
    }
}

const char* ValueDisplay::name(int index, const EffectDescription* effect) const {
    if (index < FXParam1 || index > FXParam4)
        return table_.shortName(index);
    int p = index - FXParam1;
    return effect ? effect->knobs[p].name : kGenericKnobs[p];
}

const char* ValueDisplay::longName(int index, const EffectDescription* effect) const {
    if (index < FXParam1 || index > FXParam4)
        return table_.longName(index);
    int p = index - FXParam1;
    return effect ? effect->knobDescription(p) : kGenericKnobs[p];
}

} // namespace trommik2
