#include "ParameterTable.h"

#include <cstring>

namespace trommik2 {

namespace {

struct Registration {
    int index;
    const char* key;
    float min, max, defaultValue, curveMid;
    int32_t automationMin, automationMax;
    int32_t knobSteps, knobFineSteps, automationSteps, automationFineSteps;
    float smoothingMs;
    int group;
    const char* shortName;
    const char* longName;
};

// In registration order, which gives the groups their member order.
const Registration kRegistrations[] = {
    {0, "GenSynthesisType", 0, 3, 0, 0.5f, 0, 0, 0, 0, 0, 0, 0, 9, "Synthesis type", "Synthesis type"},
    {1, "GenNullDummy", 0, 1, 0, 0.5f, 0, 1, 0, 0, 0, 0, 0, 3, "-", "-"},
    {2, "GenNoiseFreq1", 10, 18000, 1000, 0.1f, 0, 18000, 91, 18001, 91, 18001, 10, 0, "#1 Filter Freq",
     "Part 1: bandpass filter center frequency"},
    {7, "GenNoiseFreq2", 10, 18000, 1000, 0.1f, 0, 18000, 91, 18001, 91, 18001, 10, 0, "#2 Filter Freq",
     "Part 2: bandpass filter center frequency"},
    {3, "GenNoiseQ1", 0, 1, 0.1f, 0.5f, 0, 1, 0, 0, 0, 1001, 10, 0, "#1 Filter Reso",
     "Part 1: bandpass filter resonance"},
    {8, "GenNoiseQ2", 0, 1, 0.1f, 0.5f, 0, 1, 0, 0, 0, 1001, 10, 0, "#2 Filter Reso",
     "Part 2: bandpass filter resonance"},
    {4, "GenNoiseShapeAmpEnv1", 0, 1, 1, 0.05f, 0, 1, 0, 0, 0, 1001, 10, 0, "#1 Amp Env",
     "Part 1: envelope->amplitude"},
    {9, "GenNoiseShapeAmpEnv2", 0, 1, 1, 0.05f, 0, 1, 0, 0, 0, 1001, 10, 0, "#2 Amp Env",
     "Part 2: envelope->amplitude"},
    {5, "GenNoiseShapePitchEnv1", 0, 1, 0, 0.8f, 0, 1, 0, 0, 0, 1001, 10, 0, "#1 Filter Env",
     "Part 1: envelope->filter frequency"},
    {10, "GenNoiseShapePitchEnv2", 0, 1, 0, 0.8f, 0, 1, 0, 0, 0, 1001, 10, 0, "#2 Filter Env",
     "Part 2: envelope->filter frequency"},
    {6, "GenNoiseLevel1", 0, 1, 1, 0.25f, 0, 1, 101, 1001, 101, 1001, 20, 0, "#1 Level", "Part 1: volume"},
    {11, "GenNoiseLevel2", 0, 1, 1, 0.25f, 0, 1, 101, 1001, 101, 1001, 20, 0, "#2 Level", "Part 2: volume"},
    {12, "GenPMSize", 0, 1, 0.5f, 0.5f, 0, 1, 101, 1001, 101, 1001, 10, 2, "Surface Size",
     "Size of the modelled surface"},
    {13, "GenPMExciterFreq", 50, 15000, 1000, 0.1f, 0, 15000, 0, 0, 0, 15001, 10, 2, "Exciter Freq",
     "Filter freq. of noise signal ('exciter')"},
    {14, "GenPMExciterQ", 0, 1, 0.5f, 0.1f, 0, 1, 0, 0, 0, 1001, 10, 2, "Exciter Reso",
     "Filter reso. of noise signal ('exciter')"},
    {16, "GenPMEnvShapePitch", 0, 1, 0.5f, 0.5f, 0, 1, 0, 0, 0, 1001, 10, 2, "Exc.EnvShape",
     "Envelope shape of exciter filter freq."},
    {17, "GenPMDampFreq", 500, 20000, 20000, 0.3f, 0, 20000, 0, 0, 0, 20001, 10, 2, "Damp Freq",
     "Corner frequency of 'damping'"},
    {15, "GenPMDamping", 0, 1, 0.5f, 0.5f, 0, 1, 0, 0, 0, 1001, 10, 2, "Damping", "Damping of the modelled surface"},
    {18, "GenPMDynamicEnv", 0, 1, 0, 0.5f, 0, 1, 0, 0, 0, 1001, 10, 2, "Env Dynamics",
     "Dynamics: velocity -> env. shape"},
    {19, "GenPMVolume", 0, 1, 1, 0.5f, 0, 1, 101, 1001, 101, 1001, 20, 2, "Level", "Volume of the model"},
    {20, "GenFMRingTune1", 0, 127, 36, 0.5f, -24, 24, 128, 1271, 49, 481, 10, 1, "Tune 1 Master",
     "Osc 1 master (fine tune: hold [shift])"},
    {21, "GenFMRingTune2", -24, 24, 0, 0.5f, -24, 24, 49, 481, 49, 481, 10, 1, "Tune 2 Slave",
     "Osc 2 slave (fine tune: hold [shift])"},
    {22, "GenFMRingDeform1", 0, 100, 0, 0.5f, 0, 100, 201, 201, 201, 201, 10, 1, "#1 Distort",
     "Osc 1 phase distortion"},
    {23, "GenFMRingDeform2", 0, 100, 0, 0.5f, 0, 100, 201, 201, 201, 201, 10, 1, "#2 Distort",
     "Osc 2 phase distortion"},
    {24, "GenFMRingFMMode", 0, 2, 0, 0.5f, 0, 2, 3, 3, 3, 3, 0, 1, "FM mode", "FM mode: 1->2 / 2->1 / Cross Mod"},
    {25, "GenFMRingXModAmt", 0, 1, 0, 0.1f, 0, 1, 0, 0, 0, 1001, 30, 1, "FM amount", "Frequency modulation  amount"},
    {26, "GenFMRingRingModAmt", 0, 1, 0, 0.5f, 0, 1, 0, 0, 0, 1001, 10, 1, "Ring Mod",
     "Ring modulation (Osc 1 * Osc 2)"},
    {27, "GenFMRingDynamicMod", 0, 1, 0, 0.5f, 0, 1, 0, 0, 0, 1001, 10, 1, "Dynamics",
     "Mod dynamics: velocity -> FM & Ring Mod"},
    {28, "GenFMRingEnvAmt1", 0, 1, 1, 0.1f, 0, 1, 0, 0, 0, 1001, 10, 1, "#1 Amp Env", "Envelope -> Osc 1 amplitude"},
    {29, "GenFMRingEnvAmt2", 0, 1, 1, 0.1f, 0, 1, 0, 0, 0, 1001, 10, 1, "#2 Amp Env", "Envelope -> Osc 2 amplitude"},
    {30, "GenFMRingPitchEnv1", 0, 1, 1, 0.1f, 0, 1, 0, 0, 0, 1001, 10, 1, "#1 Pitch Env", "Envelope -> Osc 1 pitch"},
    {31, "GenFMRingPitchEnv2", 0, 1, 1, 0.1f, 0, 1, 0, 0, 0, 1001, 10, 1, "#2 Pitch Env", "Envelope -> Osc 2 pitch"},
    {32, "GenFMRingVol1", 0, 1, 1, 0.5f, 0, 1, 101, 1001, 101, 1001, 20, 1, "#1 Level", "Osc 1 volume"},
    {33, "GenFMRingVol2", 0, 1, 1, 0.5f, 0, 1, 101, 1001, 101, 1001, 20, 1, "#2 Level", "Osc 2 volume"},
    {34, "GenWavTune", -24, 24, 0, 0.5f, -24, 24, 49, 481, 49, 481, 10, 4, "Pitch", "Sample pitch: + - 24 semitones"},
    {35, "GenWavDirection", 0, 1, 0, 0.5f, 0, 1, 2, 2, 2, 2, 0, 4, "Direction", "Sample direction: normal <> reverse"},
    {36, "GenWavShapeAmpEnv", 0, 1, 1, 0.05f, 0, 1, 0, 0, 0, 1001, 10, 4, "Amp Env", "Sample envelope->amplitude"},
    {37, "GenWavShapePitchEnv", 0, 1, 0, 0.5f, 0, 1, 0, 0, 0, 1001, 10, 4, "Pitch Env", "Sample envelope->pitch"},
    {38, "GenWavLevel", 0, 1, 1, 0.25f, 0, 1, 101, 1001, 101, 1001, 20, 4, "Level", "Sample volume"},
    {39, "GenMixSynthesisWav", 0, 1, 0, 0.5f, 0, 1, 0, 0, 0, 0, 20, 9, "Mix Wav:Synth", "Mix Sample (WAV): Synthesis"},
    {40, "EnvAttack", 0.1f, 1000, 0.1f, 0.05f, 0, 1000, 0, 0, 0, 1001, 10, 5, "Attack", "Envelope attack time"},
    {41, "EnvDecay", 1, 20000, 500, 0.05f, 0, 20000, 0, 0, 0, 20001, 10, 5, "Decay", "Envelope decay time"},
    {42, "EnvCurveShape", -100, 100, 0, 0.5f, -100, 100, 201, 201, 201, 201, 10, 5, "Env. shape",
     "Envelope curve shape (exp/lin/log)"},
    {43, "EnvVelocityShape", -100, 100, 0, 0.5f, -100, 100, 201, 201, 201, 201, 10, 5, "Vel. shape",
     "Velocity curve shape (exp/lin/log)"},
    {44, "EnvAMSpeed", 0, 100, 0, 0.25f, 0, 100, 101, 1001, 101, 1001, 10, 5, "Attack Mod.",
     "Speed of modulation during attack"},
    {45, "FilterType", 0, 3, 0, 0.5f, 0, 3, 4, 4, 4, 4, 0, 6, "Filter Type", "Filter type (off | low | band | high)"},
    {46, "FilterFreq", 20, 18000, 6000, 0.1f, 0, 18000, 0, 0, 0, 18001, 10, 6, "Filter Freq",
     "Filter corner frequency"},
    {47, "FilterQ", 0, 1, 0.25f, 0.5f, 0, 1, 0, 0, 0, 1001, 10, 6, "Filter Reso", "Filter Resonance (Q)"},
    {48, "FilterDriveDB", -24, 24, -6, 0.5f, -24, 24, 49, 481, 49, 481, 10, 6, "Filter Drive",
     "Filter Drive (internal saturation)"},
    {49, "FilterEnvShape", 0, 1, 0.5f, 0.5f, 0, 1, 0, 0, 0, 1001, 10, 6, "Flt.EnvShape", "Envelope -> filter shape"},
    {50, "FilterEnvAmt", 0, 1, 0, 0.5f, 0, 1, 0, 0, 0, 1001, 10, 6, "Flt. Env Amt",
     "Amount envelope -> filter frequency"},
    {51, "FXType", 0, 13, 0, 0.5f, 0, 13, 0, 0, 0, 0, 0, 7, "FX Type", ""},
    {52, "FXParam1", 0, 1, 0, 0.5f, 0, 1, 0, 0, 0, 1001, 10, 7, "FX Param1", ""},
    {53, "FXParam2", 0, 1, 0, 0.5f, 0, 1, 0, 0, 0, 1001, 10, 7, "FX Param2", ""},
    {54, "FXParam3", 0, 1, 0, 0.5f, 0, 1, 0, 0, 0, 1001, 10, 7, "FX Param3", ""},
    {55, "FXParam4", 0, 1, 0, 0.5f, 0, 1, 0, 0, 0, 1001, 10, 7, "FX Param4", ""},
    {56, "FXActive", 0, 1, 0, 0.5f, 0, 1, 0, 0, 0, 0, 0, 7, "FX Active", ""},
    {57, "OutLevelDB", -48, 24, 0, 0.6666f, -48, 24, 73, 721, 73, 721, 40, 8, "Volume",
     "Instrument master volume (post fx)"},
    {58, "OutPan", -1, 1, 0, 0.5f, -1, 1, 0, 0, 0, 201, 40, 8, "Pan", "Instrument pan position"},
};

struct GroupText {
    const char* name;
    const char* description;
};

const GroupText kGroups[ParameterTable::kGroupCount] = {
    {"Filtered Noise", "Synthesis: Filtered Noise (Kik, Snre, Toms)"},
    {"Phase Distortion Synth", "Synthesis: Phase Distortion (FM Synth, FX, Perc)"},
    {"Physical Modelling", "Synthesis: Physical Modelling (Cymbals)"},
    {"No Synthesis", "No Synthesis"},
    {"Sample (WAV) Playback", "Sample (WAV) Playback"},
    {"Envelope Generator", "Envelope Generator"},
    {"Multimode Filter", "Multimode Filter"},
    {"Effects Section", "Effects Section"},
    {"Output", "Output"},
    {"- no module -", "- no module -"},
};

void copyText(char* to, size_t capacity, const char* from) {
    std::strncpy(to, from, capacity - 1);
    to[capacity - 1] = '\0';
}

// The curve mapping shared by both ranges: position x in 0..1 onto lo..hi.
float curveToValue(const ValueCurve& curve, float lo, float hi, float x) {
    x = x < 0.0f ? 0.0f : (x > 1.0f ? 1.0f : x); // hosts may send positions outside 0..1
    float r = x / (x + (x - 1.0f) * curve.oneMinusInverse());
    return lo + r * (hi - lo);
}

float curveToNormalized(const ValueCurve& curve, float lo, float hi, float value) {
    if (hi == lo)
        return 0.0f;
    float t = (value - lo) / (hi - lo);
    float x = t / (t + (t - 1.0f) * (1.0f - 1.0f / (1.0f - curve.mid())));
    // A value outside the range (automation reaches beyond some knob ranges) still
    // gives hosts a position inside 0..1.
    if (!(x >= 0.0f))
        return 0.0f;
    return x > 1.0f ? 1.0f : x;
}

} // namespace

ParameterTable::ParameterTable() {
    for (int g = 0; g < kGroupCount; ++g) {
        groups_[g].name = kGroups[g].name;
        groups_[g].description = kGroups[g].description;
        groups_[g].number = g;
    }
    registerAll();
}

void ParameterTable::registerAll() {
    for (const Registration& r : kRegistrations)
        registerParameter(r.index, r.key, r.min, r.max, r.defaultValue, r.curveMid, r.automationMin, r.automationMax,
                          r.knobSteps, r.knobFineSteps, r.automationSteps, r.automationFineSteps, r.smoothingMs,
                          r.group, r.shortName, r.longName);
}

void ParameterTable::registerParameter(int index, const char* key, float min, float max, float defaultValue,
                                       float curveMid, int32_t automationMin, int32_t automationMax, int32_t knobSteps,
                                       int32_t knobFineSteps, int32_t automationSteps, int32_t automationFineSteps,
                                       float smoothingMs, int group, const char* shortName, const char* longName) {
    if (index < 0 || index >= kParameterCount)
        return;
    ParameterDescriptor& d = descriptors_[index];
    d.curve.set(curveMid);
    d.smoothingMs = smoothingMs;
    d.minimum = min;
    d.maximum = max;
    d.automationMinimum = static_cast<float>(automationMin);
    d.automationMaximum = static_cast<float>(automationMax);
    d.defaultValue = defaultValue;
    d.knobSteps = knobSteps;
    d.knobFineSteps = knobFineSteps;
    d.automationSteps = automationSteps;
    d.automationFineSteps = automationFineSteps;
    copyText(d.key, sizeof d.key, key);
    copyText(d.shortName, sizeof d.shortName, shortName);
    copyText(d.longName, 64, longName);
    groupOf_[index] = group;
    if (group >= 0 && group < kGroupCount)
        groups_[group].members.push_back(index);
}

const char* ParameterTable::groupName(int group) const {
    return group >= 0 && group <= 8 ? groups_[group].name : "- no module -";
}

const char* ParameterTable::groupDescription(int group) const {
    return group >= 0 && group <= 8 ? groups_[group].description : "- no module -";
}

const std::vector<int>& ParameterTable::groupMembers(int group) const {
    return groups_[group >= 0 && group < kGroupCount ? group : kGroupCount - 1].members;
}

int ParameterTable::indexOfKey(const char* key) const {
    if (!key)
        return -1;
    for (int i = 0; i < kParameterCount; ++i)
        if (std::strcmp(descriptors_[i].key, key) == 0)
            return i;
    return -1;
}

float ParameterTable::toValue(int index, float x) const {
    const ParameterDescriptor& d = descriptor(index);
    return curveToValue(d.curve, d.minimum, d.maximum, x);
}

float ParameterTable::toNormalized(int index, float value) const {
    const ParameterDescriptor& d = descriptor(index);
    return curveToNormalized(d.curve, d.minimum, d.maximum, value);
}

float ParameterTable::automationToValue(int index, float x) const {
    const ParameterDescriptor& d = descriptor(index);
    return curveToValue(d.curve, d.automationMinimum, d.automationMaximum, x);
}

float ParameterTable::automationToNormalized(int index, float value) const {
    const ParameterDescriptor& d = descriptor(index);
    return curveToNormalized(d.curve, d.automationMinimum, d.automationMaximum, value);
}

float ParameterTable::clampToRange(int index, float v) const {
    const ParameterDescriptor& d = descriptor(index);
    if (!(v >= d.minimum)) // also turns a NaN from a hostile document into the minimum
        return d.minimum;
    return v > d.maximum ? d.maximum : v;
}

} // namespace trommik2
