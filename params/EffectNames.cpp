#include "EffectNames.h"

#include "ValueMapping.h"

namespace trommik2 {

namespace {

struct EffectText {
    const char* longName;
    const char* shortName;
    const char* parameters[kEffectParameterCount];
    const char* descriptions[kEffectParameterCount];
};

// A null description falls back to the knob label.
const EffectText kEffects[kEffectTypeCount] = {
    {"Mono Delay (Tempo Sync)",
     "Mono Delay (Sync)",
     {"Time", "Feed", "Damp", "Mix"},
     {"Delay Time", "Delay Feedback", "Damping amount (in feedback loop)", nullptr}},
    {"Mono Delay (msecs)",
     "Mono Delay (ms)",
     {"Time", "Feed", "Damp", "Mix"},
     {"Delay Time", "Delay Feedback", "Damping amount (in feedback loop)", nullptr}},
    {"Stereo Delay (Tempo Sync)",
     "Stereo Delay (Sync)",
     {"Left", "Right", "Feed", "Mix"},
     {"Delay Time (left)", "Delay Time (right)", "Feedback (ping-pong | dual mono)", nullptr}},
    {"Stereo Delay (msecs)",
     "Stereo Delay (ms)",
     {"Left", "Right", "Feed", "Mix"},
     {"Delay Time (left)", "Delay Time (right)", "Feedback (ping-pong | dual mono)", nullptr}},
    {"Chorus",
     "Chorus",
     {"Time", "Rate", "Depth", "Mix"},
     {"Delay Time", "Rate (Vibrato speed)", "Depth (Vibrato excursion)", nullptr}},
    {"Flanger",
     "Flanger",
     {"Rate", "Feed", "Depth", "Mix"},
     {"Rate (Vibrato speed)", "Feedback", "Depth (Vibrato excursion)", nullptr}},
    {"Phaser",
     "Phaser",
     {"Rate", "Feed", "Depth", "Mix"},
     {"Rate (Speed)", "Feedback", "Depth (Strength of Phasing)", nullptr}},
    {"Room Reverb",
     "Room Reverb",
     {"Decay", "Damp", "Mod", "Mix"},
     {"Room Decay (Reverb Length)", "High-Frequency Damping", "Modulation (Echo Dispersion)", nullptr}},
    {"Hall Reverb",
     "Hall Reverb",
     {"Decay", "Damp", "Mod", "Mix"},
     {"Hall Decay (Reverb Length)", "High-Frequency Damping", "Modulation (Echo Dispersion)", nullptr}},
    {"Lo-Fi",
     "Lo-Fi",
     {"Rate", "Crush", "Lowpass", "Mix"},
     {"Sample Rate (Downsampling)", "Bit-Depth Reduction", "Lowpass Filter Frequency", nullptr}},
    {"Distortion",
     "Distortion",
     {"Drive", "Low", "High", "Mix"},
     {"Drive Level", "Amount of Low-Shelf Filtering", nullptr, nullptr}},
    {"Analogue Filter 12dB",
     "Analogue Filter 12dB",
     {"Cutoff", "Reso", "Type", "Drive"},
     {"Cutoff Frequency", "Filter Resonance", "Filter Type (Off/Low/Band/High)", "Drive (Internal Saturation)"}},
    {"Analogue Filter 24dB",
     "Analogue Filter 24dB",
     {"Cutoff", "Reso", "Type", "Drive"},
     {"Cutoff Frequency", "Filter Resonance", "Filter Type (Off/Low/Band/High)", "Drive (Internal Saturation)"}},
    {"Vintage Compressor",
     "Vintage Compressor",
     {"Input", "Attack", "Release", "Ratio"},
     {"Input Gain", "Attack Time", "Release Time", "Compression Ratio"}},
};

const char* const kNoEffect = "no fx";
const char* const kGenericParameters[kEffectParameterCount] = {"par1", "par2", "par3", "mix"};

struct SyncStep {
    const char* name;
    double beats;
};

const SyncStep kSyncSteps[kSyncStepCount] = {
    {"2 Bars", 8.0},      {"1 Bar", 4.0}, {"1/2 Bar", 2.0},
    {"1/4 Dot.", 1.5},    {"1/4", 1.0},   {"1/4 Tripl.", 2.0 / 3.0},
    {"1/8 Dot.", 0.75},   {"1/8", 0.5},   {"1/8 Tripl.", 1.0 / 3.0},
    {"1/16 Dot.", 0.375}, {"1/16", 0.25}, {"1/16 Tripl.", 1.0 / 6.0},
    {"1/32", 0.125},
};

bool validType(int type) { return type >= 0 && type < kEffectTypeCount; }
bool validParameter(int p) { return p >= 0 && p < kEffectParameterCount; }
int clampStep(int step) { return step < 0 ? 0 : (step >= kSyncStepCount ? kSyncStepCount - 1 : step); }

} // namespace

const char* effectLongName(int type) { return validType(type) ? kEffects[type].longName : kNoEffect; }

const char* effectShortName(int type) { return validType(type) ? kEffects[type].shortName : kNoEffect; }

const char* effectParameterName(int type, int p) {
    if (!validParameter(p))
        return "";
    return validType(type) ? kEffects[type].parameters[p] : kGenericParameters[p];
}

const char* effectParameterDescription(int type, int p) {
    if (validType(type) && validParameter(p) && kEffects[type].descriptions[p])
        return kEffects[type].descriptions[p];
    return effectParameterName(type, p);
}

// Step 12 (1 - x) rounded, a half toward the longer step ("1 Bar" at 0.875),
// as 12 less 12 x rounded up: exact in double precision, so that no rounding
// mode can move a float position across a step boundary (block processing
// renders with truncating rounding).
int syncStep(float x) { return 12 - nearestStep(12.0 * static_cast<double>(x), 0, kSyncStepCount - 1); }

const char* syncStepName(int step) { return kSyncSteps[clampStep(step)].name; }

double syncStepBeats(int step) { return kSyncSteps[clampStep(step)].beats; }

} // namespace trommik2
