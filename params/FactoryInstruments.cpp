#include "FactoryInstruments.h"

#include "ParameterIndex.h"

namespace trommik2 {

namespace {

const FactoryValue kNoiseKick[] = {
    {GenSynthesisType, 0},
    {GenMixSynthesisWav, 0},
    {GenWavTune, 0},
    {GenWavDirection, 0},
    {GenWavShapeAmpEnv, 1},
    {GenWavShapePitchEnv, 0},
    {GenWavLevel, 0},
    {EnvAttack, 0.1f},
    {EnvDecay, 1700},
    {GenNoiseFreq1, 8000},
    {GenNoiseFreq2, 250},
    {GenNoiseQ1, 0.1f},
    {GenNoiseQ2, 0.93f},
    {GenNoiseShapeAmpEnv1, 0.005f},
    {GenNoiseShapeAmpEnv2, 0.99f},
    {GenNoiseShapePitchEnv1, 0.9f},
    {GenNoiseShapePitchEnv2, 0.9f},
    {GenNoiseLevel1, 0.3f},
    {GenNoiseLevel2, 1},
    {FilterType, 1},
    {FilterFreq, 6000},
    {FilterQ, 0.25f},
    {FilterDriveDB, -6},
    {FilterEnvShape, 0.5f},
    {FilterEnvAmt, 0},
    {FXActive, 0},
    {OutLevelDB, 2},
    {OutPan, 0},
};

const FactoryValue kNoiseSnare[] = {
    {GenSynthesisType, 0},
    {GenMixSynthesisWav, 0},
    {GenWavTune, 0},
    {GenWavDirection, 0},
    {GenWavShapeAmpEnv, 1},
    {GenWavShapePitchEnv, 0},
    {GenWavLevel, 0},
    {EnvAttack, 0.1f},
    {EnvDecay, 280},
    {GenNoiseFreq1, 3000},
    {GenNoiseFreq2, 260},
    {GenNoiseQ1, 0.1f},
    {GenNoiseQ2, 0.95f},
    {GenNoiseShapeAmpEnv1, 0.8f},
    {GenNoiseShapeAmpEnv2, 0.8f},
    {GenNoiseShapePitchEnv1, 0},
    {GenNoiseShapePitchEnv2, 0.2f},
    {GenNoiseLevel1, 1},
    {GenNoiseLevel2, 1},
    {FilterType, 2},
    {FilterFreq, 1200},
    {FilterQ, 0},
    {FilterDriveDB, 6},
    {FilterEnvShape, 0.5f},
    {FilterEnvAmt, 0},
    {FXActive, 1},
    {FXType, 7},
    {FXParam1, 0.6f},
    {FXParam2, 0.6f},
    {FXParam3, 0.3f},
    {FXParam4, 0.12f},
    {OutLevelDB, 3},
    {OutPan, 0},
};

const FactoryValue kModelHat[] = {
    {GenSynthesisType, 2},
    {GenMixSynthesisWav, 0},
    {GenWavTune, 0},
    {GenWavDirection, 0},
    {GenWavShapeAmpEnv, 1},
    {GenWavShapePitchEnv, 0},
    {GenWavLevel, 0},
    {EnvAttack, 2},
    {EnvDecay, 175},
    {GenPMExciterFreq, 11000},
    {GenPMExciterQ, 0.1f},
    {GenPMDamping, 0.77f},
    {GenPMEnvShapePitch, 0.1f},
    {GenPMSize, 0.54f},
    {GenPMDampFreq, 16000},
    {GenPMVolume, 1},
    {FilterType, 3},
    {FilterFreq, 2100},
    {FilterQ, 0.25f},
    {FilterDriveDB, 0},
    {FilterEnvShape, 0.5f},
    {FilterEnvAmt, 0},
    {FXActive, 0},
    {OutLevelDB, 3},
    {OutPan, 0.35f},
};

const FactoryValue kModelCymbal[] = {
    {GenSynthesisType, 2},
    {GenMixSynthesisWav, 0},
    {GenWavTune, 0},
    {GenWavDirection, 0},
    {GenWavShapeAmpEnv, 1},
    {GenWavShapePitchEnv, 0},
    {GenWavLevel, 0},
    {EnvAttack, 1},
    {EnvDecay, 5900},
    {GenPMExciterFreq, 8000},
    {GenPMExciterQ, 0.07f},
    {GenPMDamping, 0.41f},
    {GenPMEnvShapePitch, 0.2f},
    {GenPMSize, 0.83f},
    {GenPMDampFreq, 6000},
    {GenPMVolume, 1},
    {FilterType, 2},
    {FilterFreq, 2500},
    {FilterQ, 0.1f},
    {FilterDriveDB, 0},
    {FilterEnvShape, 0},
    {FilterEnvAmt, 0},
    {FXActive, 0},
    {FXType, 4},
    {FXParam1, 0.7f},
    {FXParam2, 0.4f},
    {FXParam3, 0.8f},
    {FXParam4, 0.6f},
    {OutLevelDB, 6},
    {OutPan, -0.2f},
};

// The two tunings lie outside their ranges in the original data (300 and 650);
// they are clamped to 127 and 24, which the oscillators clip to anyway, so the
// sound stays the same while knobs and displays stay valid.
const FactoryValue kRingBell[] = {
    {GenSynthesisType, 1},
    {GenMixSynthesisWav, 0},
    {GenWavTune, 0},
    {GenWavDirection, 0},
    {GenWavShapeAmpEnv, 1},
    {GenWavShapePitchEnv, 0},
    {GenWavLevel, 0},
    {EnvAttack, 0.1f},
    {EnvDecay, 500},
    {GenFMRingTune1, 127},
    {GenFMRingTune2, 24},
    {GenFMRingXModAmt, 0.05f},
    {GenFMRingRingModAmt, 1},
    {GenFMRingEnvAmt1, 0.99f},
    {GenFMRingEnvAmt2, 0.2f},
    {GenFMRingVol1, 0.5f},
    {GenFMRingVol2, 0.5f},
    {FilterType, 3},
    {FilterFreq, 800},
    {FilterQ, 0.1f},
    {FilterDriveDB, 0},
    {FilterEnvShape, 0.5f},
    {FilterEnvAmt, 0},
    {FXActive, 1},
    {FXType, 2},
    {FXParam1, 0.2f},
    {FXParam2, 0.45f},
    {FXParam3, 0.2f},
    {FXParam4, 0.5f},
    {OutLevelDB, 1},
    {OutPan, -0.3f},
};

} // namespace

std::span<const FactoryValue> factoryInstrument(int track) {
    switch (track) {
    case 1: return kNoiseSnare;
    case 2: return kModelHat;
    case 3: return kModelCymbal;
    case 4: return kRingBell;
    default: return kNoiseKick;
    }
}

} // namespace trommik2
