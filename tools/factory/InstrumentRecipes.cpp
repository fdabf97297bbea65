#include "Recipes.h"

#include "params/FactoryInstruments.h"

namespace trommik2 {

namespace {

// Levels (OutLevelDB) balance each sound against the others of its role at
// full velocity, measured with the generator's report: kicks and snares
// loudest, hats and percussion well below them, peaks clear of the master
// section's soft clipper.

// clang-format off
// A resonant noise band falling from 300 Hz, with a faint click.
const std::vector<Setting> kAnalogKick = {
    {GenSynthesisType, kFilteredNoise},
    {GenNoiseFreq1, 5000}, {GenNoiseQ1, 0.1f}, {GenNoiseShapeAmpEnv1, 0.005f}, {GenNoiseShapePitchEnv1, 0.9f},
    {GenNoiseLevel1, 0.3f},
    {GenNoiseFreq2, 300}, {GenNoiseQ2, 0.98f}, {GenNoiseShapeAmpEnv2, 0.99f}, {GenNoiseShapePitchEnv2, 0.85f},
    {GenNoiseLevel2, 1},
    {EnvDecay, 600},
    {FilterType, 1}, {FilterFreq, 6000}, {FilterDriveDB, -6},
    {OutLevelDB, 4.7f},
};

// Short and dry: a lower band that falls fast, a brighter click.
const std::vector<Setting> kTightKick = {
    {GenSynthesisType, kFilteredNoise},
    {GenNoiseFreq1, 6000}, {GenNoiseQ1, 0.15f}, {GenNoiseShapeAmpEnv1, 0.01f}, {GenNoiseShapePitchEnv1, 0.9f},
    {GenNoiseLevel1, 0.6f},
    {GenNoiseFreq2, 200}, {GenNoiseQ2, 0.97f}, {GenNoiseShapeAmpEnv2, 0.99f}, {GenNoiseShapePitchEnv2, 0.6f},
    {GenNoiseLevel2, 1},
    {EnvDecay, 320},
    {FilterType, 1}, {FilterFreq, 7000}, {FilterDriveDB, 0},
    {OutLevelDB, 5.4f},
};

// A long sine boom at 49 Hz; the slave oscillator chirps at the start.
const std::vector<Setting> kDeepKick = {
    {GenSynthesisType, kPhaseDistortion},
    {GenFMRingTune1, 31}, {GenFMRingTune2, 19},
    {GenFMRingPitchEnv1, 0.15f}, {GenFMRingEnvAmt1, 0.85f}, {GenFMRingEnvAmt2, 0.08f}, {GenFMRingPitchEnv2, 0.6f},
    {GenFMRingVol2, 0.5f},
    {EnvDecay, 1500},
    {OutLevelDB, -7.4f},
};

// A rounded sine body with a sharp chirp, driven through the filter.
const std::vector<Setting> kPunchKick = {
    {GenSynthesisType, kPhaseDistortion},
    {GenFMRingTune1, 31}, {GenFMRingTune2, 24}, {GenFMRingDeform1, 25},
    {GenFMRingPitchEnv1, 0.05f}, {GenFMRingEnvAmt1, 0.7f}, {GenFMRingEnvAmt2, 0.02f}, {GenFMRingPitchEnv2, 0.9f},
    {GenFMRingVol2, 1},
    {EnvDecay, 500},
    {FilterType, 1}, {FilterFreq, 5000}, {FilterDriveDB, 6},
    {OutLevelDB, -8.6f},
};

// The punch kick through the distortion.
const std::vector<Setting> kCrushedKick = {
    {GenSynthesisType, kPhaseDistortion},
    {GenFMRingTune1, 31}, {GenFMRingTune2, 24}, {GenFMRingDeform1, 25},
    {GenFMRingPitchEnv1, 0.05f}, {GenFMRingEnvAmt1, 0.7f}, {GenFMRingEnvAmt2, 0.02f}, {GenFMRingPitchEnv2, 0.9f},
    {GenFMRingVol2, 1},
    {EnvDecay, 450},
    {FXType, 10}, {FXParam1, 0.45f}, {FXParam2, 0.6f}, {FXParam3, 0.45f}, {FXParam4, 0.8f}, {FXActive, 1},
    {OutLevelDB, 4.5f},
};

// A noise kick through the lo-fi effect.
const std::vector<Setting> kDustyKick = {
    {GenSynthesisType, kFilteredNoise},
    {GenNoiseFreq1, 3000}, {GenNoiseQ1, 0.1f}, {GenNoiseShapeAmpEnv1, 0.01f}, {GenNoiseShapePitchEnv1, 0.9f},
    {GenNoiseLevel1, 0.4f},
    {GenNoiseFreq2, 260}, {GenNoiseQ2, 0.97f}, {GenNoiseShapeAmpEnv2, 0.97f}, {GenNoiseShapePitchEnv2, 0.8f},
    {GenNoiseLevel2, 1},
    {EnvDecay, 450},
    {FilterType, 1}, {FilterFreq, 3500}, {FilterDriveDB, 3},
    {FXType, 9}, {FXParam1, 0.5f}, {FXParam2, 0.55f}, {FXParam3, 0.35f}, {FXParam4, 0.6f}, {FXActive, 1},
    {OutLevelDB, 4.9f},
};

// A sine kick in a dark hall: the rumble of a warehouse.
const std::vector<Setting> kRumbleKick = {
    {GenSynthesisType, kPhaseDistortion},
    {GenFMRingTune1, 29}, {GenFMRingTune2, 24}, {GenFMRingDeform1, 15},
    {GenFMRingPitchEnv1, 0.1f}, {GenFMRingEnvAmt1, 0.75f}, {GenFMRingEnvAmt2, 0.03f}, {GenFMRingPitchEnv2, 0.8f},
    {GenFMRingVol2, 0.8f},
    {EnvDecay, 600},
    {FXType, 8}, {FXParam1, 0.8f}, {FXParam2, 0.95f}, {FXParam3, 0.3f}, {FXParam4, 0.5f}, {FXActive, 1},
    {OutLevelDB, 1.2f},
};

// Bright wires over a short 250 Hz body.
const std::vector<Setting> kCrispSnare = {
    {GenSynthesisType, kFilteredNoise},
    {GenNoiseFreq1, 6500}, {GenNoiseQ1, 0.1f}, {GenNoiseShapeAmpEnv1, 0.25f}, {GenNoiseShapePitchEnv1, 0.3f},
    {GenNoiseLevel1, 1},
    {GenNoiseFreq2, 250}, {GenNoiseQ2, 0.9f}, {GenNoiseShapeAmpEnv2, 0.08f}, {GenNoiseShapePitchEnv2, 0.5f},
    {GenNoiseLevel2, 1},
    {EnvDecay, 200},
    {FilterType, 3}, {FilterFreq, 200}, {FilterDriveDB, 3},
    {OutLevelDB, -7.9f},
};

// A lower, longer body and darker wires, driven.
const std::vector<Setting> kFatSnare = {
    {GenSynthesisType, kFilteredNoise},
    {GenNoiseFreq1, 4000}, {GenNoiseQ1, 0.3f}, {GenNoiseShapeAmpEnv1, 0.4f}, {GenNoiseShapePitchEnv1, 0.1f},
    {GenNoiseLevel1, 1},
    {GenNoiseFreq2, 190}, {GenNoiseQ2, 0.85f}, {GenNoiseShapeAmpEnv2, 0.15f}, {GenNoiseShapePitchEnv2, 0.4f},
    {GenNoiseLevel2, 0.8f},
    {EnvDecay, 300},
    {FilterType, 3}, {FilterFreq, 120}, {FilterDriveDB, 6},
    {OutLevelDB, -10.2f},
};

// A band-passed snare in a small room.
const std::vector<Setting> kRoomSnare = {
    {GenSynthesisType, kFilteredNoise},
    {GenNoiseFreq1, 3000}, {GenNoiseQ1, 0.1f}, {GenNoiseShapeAmpEnv1, 0.8f}, {GenNoiseShapePitchEnv1, 0},
    {GenNoiseLevel1, 1},
    {GenNoiseFreq2, 260}, {GenNoiseQ2, 0.95f}, {GenNoiseShapeAmpEnv2, 0.8f}, {GenNoiseShapePitchEnv2, 0.2f},
    {GenNoiseLevel2, 1},
    {EnvDecay, 280},
    {FilterType, 2}, {FilterFreq, 1200}, {FilterQ, 0}, {FilterDriveDB, 6},
    {FXType, 7}, {FXParam1, 0.6f}, {FXParam2, 0.6f}, {FXParam3, 0.3f}, {FXParam4, 0.3f}, {FXActive, 1},
    {OutLevelDB, 2.6f},
};

// Cross-modulated oscillators: noise made of tones.
const std::vector<Setting> kElectroSnare = {
    {GenSynthesisType, kPhaseDistortion},
    {GenFMRingTune1, 60}, {GenFMRingTune2, 7}, {GenFMRingDeform1, 50}, {GenFMRingFMMode, 2}, {GenFMRingXModAmt, 0.9f},
    {GenFMRingRingModAmt, 0.5f},
    {GenFMRingEnvAmt1, 0.3f}, {GenFMRingEnvAmt2, 0.2f}, {GenFMRingPitchEnv1, 0.2f}, {GenFMRingPitchEnv2, 0.2f},
    {EnvDecay, 220},
    {FilterType, 3}, {FilterFreq, 300},
    {FXType, 7}, {FXParam1, 0.5f}, {FXParam2, 0.4f}, {FXParam3, 0.2f}, {FXParam4, 0.25f}, {FXActive, 1},
    {OutLevelDB, -1.5f},
};

// A snare through the lo-fi effect.
const std::vector<Setting> kDustySnare = {
    {GenSynthesisType, kFilteredNoise},
    {GenNoiseFreq1, 4500}, {GenNoiseQ1, 0.2f}, {GenNoiseShapeAmpEnv1, 0.35f}, {GenNoiseShapePitchEnv1, 0.2f},
    {GenNoiseLevel1, 1},
    {GenNoiseFreq2, 210}, {GenNoiseQ2, 0.9f}, {GenNoiseShapeAmpEnv2, 0.12f}, {GenNoiseShapePitchEnv2, 0.4f},
    {GenNoiseLevel2, 1},
    {EnvDecay, 230},
    {FilterType, 3}, {FilterFreq, 180}, {FilterDriveDB, 4},
    {FXType, 9}, {FXParam1, 0.55f}, {FXParam2, 0.6f}, {FXParam3, 0.3f}, {FXParam4, 0.7f}, {FXActive, 1},
    {OutLevelDB, -4.5f},
};

// Two narrow bands at 1.7 kHz and 450 Hz, very short.
const std::vector<Setting> kRimshot = {
    {GenSynthesisType, kFilteredNoise},
    {GenNoiseFreq1, 1700}, {GenNoiseQ1, 0.85f}, {GenNoiseShapeAmpEnv1, 0.05f}, {GenNoiseShapePitchEnv1, 0},
    {GenNoiseLevel1, 1},
    {GenNoiseFreq2, 450}, {GenNoiseQ2, 0.9f}, {GenNoiseShapeAmpEnv2, 0.05f}, {GenNoiseShapePitchEnv2, 0},
    {GenNoiseLevel2, 0.8f},
    {EnvDecay, 120},
    {FilterType, 3}, {FilterFreq, 300},
    {OutLevelDB, 7.2f},
};

// A soft swish: noise with a slow attack.
const std::vector<Setting> kBrush = {
    {GenSynthesisType, kFilteredNoise},
    {GenNoiseFreq1, 5000}, {GenNoiseQ1, 0.1f}, {GenNoiseShapeAmpEnv1, 0.6f}, {GenNoiseShapePitchEnv1, 0},
    {GenNoiseLevel1, 1},
    {GenNoiseFreq2, 2500}, {GenNoiseQ2, 0.2f}, {GenNoiseShapeAmpEnv2, 0.4f}, {GenNoiseShapePitchEnv2, 0},
    {GenNoiseLevel2, 0.5f},
    {EnvAttack, 15}, {EnvDecay, 260},
    {FilterType, 2}, {FilterFreq, 5000}, {FilterQ, 0.05f},
    {OutLevelDB, -2.9f},
};

// The attack ramp repeats at 110 Hz: several hands, then a short room.
const std::vector<Setting> kClassicClap = {
    {GenSynthesisType, kFilteredNoise},
    {GenNoiseFreq1, 1500}, {GenNoiseQ1, 0.3f}, {GenNoiseShapeAmpEnv1, 0.4f}, {GenNoiseShapePitchEnv1, 0.1f},
    {GenNoiseLevel1, 1},
    {GenNoiseFreq2, 2500}, {GenNoiseQ2, 0.3f}, {GenNoiseShapeAmpEnv2, 0.3f}, {GenNoiseShapePitchEnv2, 0.1f},
    {GenNoiseLevel2, 0.6f},
    {EnvAttack, 25}, {EnvAMSpeed, 110}, {EnvDecay, 180},
    {FilterType, 3}, {FilterFreq, 700},
    {FXType, 7}, {FXParam1, 0.4f}, {FXParam2, 0.6f}, {FXParam3, 0.2f}, {FXParam4, 0.3f}, {FXActive, 1},
    {OutLevelDB, 4.2f},
};

// The same bursts, dry and narrower.
const std::vector<Setting> kTightClap = {
    {GenSynthesisType, kFilteredNoise},
    {GenNoiseFreq1, 1200}, {GenNoiseQ1, 0.4f}, {GenNoiseShapeAmpEnv1, 0.5f}, {GenNoiseShapePitchEnv1, 0},
    {GenNoiseLevel1, 1},
    {GenNoiseFreq2, 1000}, {GenNoiseQ2, 0.1f}, {GenNoiseShapeAmpEnv2, 1}, {GenNoiseShapePitchEnv2, 0},
    {GenNoiseLevel2, 0},
    {EnvAttack, 30}, {EnvAMSpeed, 90}, {EnvDecay, 120},
    {FilterType, 2}, {FilterFreq, 1200}, {FilterQ, 0.1f},
    {OutLevelDB, 5.1f},
};

// Bursts in a hall.
const std::vector<Setting> kBigClap = {
    {GenSynthesisType, kFilteredNoise},
    {GenNoiseFreq1, 1300}, {GenNoiseQ1, 0.3f}, {GenNoiseShapeAmpEnv1, 0.4f}, {GenNoiseShapePitchEnv1, 0.1f},
    {GenNoiseLevel1, 1},
    {GenNoiseFreq2, 2200}, {GenNoiseQ2, 0.3f}, {GenNoiseShapeAmpEnv2, 0.3f}, {GenNoiseShapePitchEnv2, 0.1f},
    {GenNoiseLevel2, 0.6f},
    {EnvAttack, 28}, {EnvAMSpeed, 100}, {EnvDecay, 200},
    {FilterType, 3}, {FilterFreq, 600},
    {FXType, 8}, {FXParam1, 0.6f}, {FXParam2, 0.5f}, {FXParam3, 0.3f}, {FXParam4, 0.45f}, {FXActive, 1},
    {OutLevelDB, 6.2f},
};

// A finger snap: one short burst in a room.
const std::vector<Setting> kSnap = {
    {GenSynthesisType, kFilteredNoise},
    {GenNoiseFreq1, 2600}, {GenNoiseQ1, 0.5f}, {GenNoiseShapeAmpEnv1, 0.15f}, {GenNoiseShapePitchEnv1, 0},
    {GenNoiseLevel1, 1},
    {GenNoiseFreq2, 1800}, {GenNoiseQ2, 0.6f}, {GenNoiseShapeAmpEnv2, 0.1f}, {GenNoiseShapePitchEnv2, 0},
    {GenNoiseLevel2, 0.5f},
    {EnvDecay, 90},
    {FilterType, 3}, {FilterFreq, 900},
    {FXType, 7}, {FXParam1, 0.35f}, {FXParam2, 0.5f}, {FXParam3, 0.2f}, {FXParam4, 0.35f}, {FXActive, 1},
    {OutLevelDB, 8.3f},
};

// A small modelled plate, damped hard.
const std::vector<Setting> kClosedHat = {
    {GenSynthesisType, kPhysicalModelling},
    {GenPMSize, 0.54f}, {GenPMExciterFreq, 11000}, {GenPMExciterQ, 0.1f}, {GenPMDamping, 0.77f},
    {GenPMEnvShapePitch, 0.1f}, {GenPMDampFreq, 16000},
    {EnvAttack, 1}, {EnvDecay, 90},
    {FilterType, 3}, {FilterFreq, 6000},
    {OutLevelDB, 2.4f},
};

// Two high noise bands, very short.
const std::vector<Setting> kTickHat = {
    {GenSynthesisType, kFilteredNoise},
    {GenNoiseFreq1, 9000}, {GenNoiseQ1, 0.3f}, {GenNoiseShapeAmpEnv1, 0.3f}, {GenNoiseShapePitchEnv1, 0},
    {GenNoiseLevel1, 1},
    {GenNoiseFreq2, 12000}, {GenNoiseQ2, 0.3f}, {GenNoiseShapeAmpEnv2, 0.3f}, {GenNoiseShapePitchEnv2, 0},
    {GenNoiseLevel2, 1},
    {EnvDecay, 45},
    {FilterType, 3}, {FilterFreq, 7000},
    {OutLevelDB, -6.3f},
};

// A softer, slightly longer closed hat.
const std::vector<Setting> kPedalHat = {
    {GenSynthesisType, kPhysicalModelling},
    {GenPMSize, 0.5f}, {GenPMExciterFreq, 10000}, {GenPMExciterQ, 0.1f}, {GenPMDamping, 0.7f},
    {GenPMEnvShapePitch, 0.1f}, {GenPMDampFreq, 15000},
    {EnvAttack, 3}, {EnvDecay, 140},
    {FilterType, 3}, {FilterFreq, 5500},
    {OutLevelDB, -2.2f},
};

// The plate left to ring.
const std::vector<Setting> kOpenHat = {
    {GenSynthesisType, kPhysicalModelling},
    {GenPMSize, 0.54f}, {GenPMExciterFreq, 11000}, {GenPMExciterQ, 0.1f}, {GenPMDamping, 0.55f},
    {GenPMEnvShapePitch, 0.1f}, {GenPMDampFreq, 16000},
    {EnvAttack, 1}, {EnvDecay, 400},
    {FilterType, 3}, {FilterFreq, 5000},
    {OutLevelDB, -5.4f},
};

// An open hat of noise.
const std::vector<Setting> kSizzleHat = {
    {GenSynthesisType, kFilteredNoise},
    {GenNoiseFreq1, 8000}, {GenNoiseQ1, 0.2f}, {GenNoiseShapeAmpEnv1, 0.9f}, {GenNoiseShapePitchEnv1, 0},
    {GenNoiseLevel1, 1},
    {GenNoiseFreq2, 11000}, {GenNoiseQ2, 0.2f}, {GenNoiseShapeAmpEnv2, 0.9f}, {GenNoiseShapePitchEnv2, 0},
    {GenNoiseLevel2, 1},
    {EnvDecay, 350},
    {FilterType, 3}, {FilterFreq, 6500},
    {OutLevelDB, -16.8f},
};

// Ring-modulated distorted oscillators: a metallic electro hat.
const std::vector<Setting> kMetalHat = {
    {GenSynthesisType, kPhaseDistortion},
    {GenFMRingTune1, 100}, {GenFMRingTune2, 11}, {GenFMRingDeform1, 60}, {GenFMRingDeform2, 60},
    {GenFMRingRingModAmt, 1}, {GenFMRingXModAmt, 0.3f},
    {GenFMRingEnvAmt1, 0.3f}, {GenFMRingEnvAmt2, 0.3f}, {GenFMRingPitchEnv1, 0.001f}, {GenFMRingPitchEnv2, 0.001f},
    {EnvDecay, 110},
    {FilterType, 3}, {FilterFreq, 6000},
    {OutLevelDB, -5.4f},
};

// A closed hat through the lo-fi effect.
const std::vector<Setting> kDustyHat = {
    {GenSynthesisType, kPhysicalModelling},
    {GenPMSize, 0.5f}, {GenPMExciterFreq, 9000}, {GenPMExciterQ, 0.15f}, {GenPMDamping, 0.75f},
    {GenPMEnvShapePitch, 0.1f}, {GenPMDampFreq, 12000},
    {EnvAttack, 1}, {EnvDecay, 80},
    {FilterType, 3}, {FilterFreq, 5000},
    {FXType, 9}, {FXParam1, 0.45f}, {FXParam2, 0.5f}, {FXParam3, 0.6f}, {FXParam4, 0.6f}, {FXActive, 1},
    {OutLevelDB, 5.7f},
};

// High noise that swells in and stops.
const std::vector<Setting> kShaker = {
    {GenSynthesisType, kFilteredNoise},
    {GenNoiseFreq1, 7000}, {GenNoiseQ1, 0.2f}, {GenNoiseShapeAmpEnv1, 0.8f}, {GenNoiseShapePitchEnv1, 0},
    {GenNoiseLevel1, 1},
    {GenNoiseFreq2, 10000}, {GenNoiseQ2, 0.3f}, {GenNoiseShapeAmpEnv2, 0.8f}, {GenNoiseShapePitchEnv2, 0},
    {GenNoiseLevel2, 0.6f},
    {EnvAttack, 18}, {EnvDecay, 70},
    {FilterType, 3}, {FilterFreq, 5000},
    {OutLevelDB, -18.6f},
};

// A large plate, lightly damped.
const std::vector<Setting> kCrash = {
    {GenSynthesisType, kPhysicalModelling},
    {GenPMSize, 0.83f}, {GenPMExciterFreq, 8000}, {GenPMExciterQ, 0.07f}, {GenPMDamping, 0.35f},
    {GenPMEnvShapePitch, 0.2f}, {GenPMDampFreq, 8000},
    {EnvAttack, 1}, {EnvDecay, 3000},
    {FilterType, 3}, {FilterFreq, 2000},
    {OutLevelDB, -3.2f},
};

// A large plate struck briefly: ping and wash.
const std::vector<Setting> kRide = {
    {GenSynthesisType, kPhysicalModelling},
    {GenPMSize, 0.7f}, {GenPMExciterFreq, 9000}, {GenPMExciterQ, 0.2f}, {GenPMDamping, 0.3f},
    {GenPMEnvShapePitch, 0.15f}, {GenPMDampFreq, 10000},
    {EnvAttack, 0.3f}, {EnvDecay, 40},
    {FilterType, 3}, {FilterFreq, 3000}, {FilterQ, 0.2f},
    {OutLevelDB, 2.5f},
};

// Two high inharmonic oscillators, ring-modulated.
const std::vector<Setting> kRideBell = {
    {GenSynthesisType, kPhaseDistortion},
    {GenFMRingTune1, 93}, {GenFMRingTune2, 5}, {GenFMRingRingModAmt, 0.6f}, {GenFMRingXModAmt, 0.05f},
    {GenFMRingEnvAmt1, 0.6f}, {GenFMRingEnvAmt2, 0.3f}, {GenFMRingPitchEnv1, 0.001f}, {GenFMRingPitchEnv2, 0.001f},
    {GenFMRingVol1, 0.6f}, {GenFMRingVol2, 0.4f},
    {EnvDecay, 900},
    {FilterType, 3}, {FilterFreq, 1500},
    {OutLevelDB, -12.1f},
};

// A crash through the distortion.
const std::vector<Setting> kTrashCymbal = {
    {GenSynthesisType, kPhysicalModelling},
    {GenPMSize, 0.9f}, {GenPMExciterFreq, 6000}, {GenPMExciterQ, 0.1f}, {GenPMDamping, 0.4f},
    {GenPMEnvShapePitch, 0.3f}, {GenPMDampFreq, 7000},
    {EnvAttack, 1}, {EnvDecay, 1500},
    {FilterType, 3}, {FilterFreq, 1500},
    {FXType, 10}, {FXParam1, 0.5f}, {FXParam2, 0.4f}, {FXParam3, 0.6f}, {FXParam4, 0.6f}, {FXActive, 1},
    {OutLevelDB, -7.3f},
};

// Noise toms: a resonant band that sinks a little.
const std::vector<Setting> kLowTom = {
    {GenSynthesisType, kFilteredNoise},
    {GenNoiseFreq1, 2000}, {GenNoiseQ1, 0.1f}, {GenNoiseShapeAmpEnv1, 0.01f}, {GenNoiseShapePitchEnv1, 0.8f},
    {GenNoiseLevel1, 0.2f},
    {GenNoiseFreq2, 110}, {GenNoiseQ2, 0.97f}, {GenNoiseShapeAmpEnv2, 0.95f}, {GenNoiseShapePitchEnv2, 0.2f},
    {GenNoiseLevel2, 1},
    {EnvDecay, 450},
    {FilterType, 1}, {FilterFreq, 5000},
    {OutLevelDB, 19},
};

const std::vector<Setting> kMidTom = {
    {GenSynthesisType, kFilteredNoise},
    {GenNoiseFreq1, 2500}, {GenNoiseQ1, 0.1f}, {GenNoiseShapeAmpEnv1, 0.01f}, {GenNoiseShapePitchEnv1, 0.8f},
    {GenNoiseLevel1, 0.2f},
    {GenNoiseFreq2, 160}, {GenNoiseQ2, 0.97f}, {GenNoiseShapeAmpEnv2, 0.95f}, {GenNoiseShapePitchEnv2, 0.2f},
    {GenNoiseLevel2, 1},
    {EnvDecay, 400},
    {FilterType, 1}, {FilterFreq, 5000},
    {OutLevelDB, 14.6f},
};

const std::vector<Setting> kHighTom = {
    {GenSynthesisType, kFilteredNoise},
    {GenNoiseFreq1, 3000}, {GenNoiseQ1, 0.1f}, {GenNoiseShapeAmpEnv1, 0.01f}, {GenNoiseShapePitchEnv1, 0.8f},
    {GenNoiseLevel1, 0.2f},
    {GenNoiseFreq2, 230}, {GenNoiseQ2, 0.97f}, {GenNoiseShapeAmpEnv2, 0.95f}, {GenNoiseShapePitchEnv2, 0.2f},
    {GenNoiseLevel2, 1},
    {EnvDecay, 350},
    {FilterType, 1}, {FilterFreq, 6000},
    {OutLevelDB, 10.9f},
};

// Synthesiser toms: sines whose pitch follows the envelope down.
const std::vector<Setting> kSynthLowTom = {
    {GenSynthesisType, kPhaseDistortion},
    {GenFMRingTune1, 43}, {GenFMRingTune2, 12},
    {GenFMRingPitchEnv1, 0.5f}, {GenFMRingEnvAmt1, 0.8f}, {GenFMRingEnvAmt2, 0.05f}, {GenFMRingPitchEnv2, 0.6f},
    {GenFMRingVol2, 0.3f},
    {EnvDecay, 500},
    {OutLevelDB, -8.5f},
};

const std::vector<Setting> kSynthMidTom = {
    {GenSynthesisType, kPhaseDistortion},
    {GenFMRingTune1, 48}, {GenFMRingTune2, 12},
    {GenFMRingPitchEnv1, 0.5f}, {GenFMRingEnvAmt1, 0.8f}, {GenFMRingEnvAmt2, 0.05f}, {GenFMRingPitchEnv2, 0.6f},
    {GenFMRingVol2, 0.3f},
    {EnvDecay, 450},
    {OutLevelDB, -10.7f},
};

const std::vector<Setting> kSynthHighTom = {
    {GenSynthesisType, kPhaseDistortion},
    {GenFMRingTune1, 53}, {GenFMRingTune2, 12},
    {GenFMRingPitchEnv1, 0.5f}, {GenFMRingEnvAmt1, 0.8f}, {GenFMRingEnvAmt2, 0.05f}, {GenFMRingPitchEnv2, 0.6f},
    {GenFMRingVol2, 0.3f},
    {EnvDecay, 400},
    {OutLevelDB, -11.6f},
};

// Two distorted oscillators a fifth apart through a band-pass.
const std::vector<Setting> kCowbell = {
    {GenSynthesisType, kPhaseDistortion},
    {GenFMRingTune1, 73}, {GenFMRingTune2, 7}, {GenFMRingDeform1, 70}, {GenFMRingDeform2, 70},
    {GenFMRingEnvAmt1, 0.5f}, {GenFMRingEnvAmt2, 0.5f}, {GenFMRingPitchEnv1, 0.001f}, {GenFMRingPitchEnv2, 0.001f},
    {EnvDecay, 220},
    {FilterType, 2}, {FilterFreq, 800}, {FilterQ, 0.3f},
    {OutLevelDB, -14.3f},
};

// A short sine at 2.5 kHz.
const std::vector<Setting> kClave = {
    {GenSynthesisType, kPhaseDistortion},
    {GenFMRingTune1, 99}, {GenFMRingTune2, 0},
    {GenFMRingVol2, 0}, {GenFMRingEnvAmt1, 0.5f}, {GenFMRingPitchEnv1, 0.001f},
    {EnvDecay, 70},
    {OutLevelDB, -10.2f},
};

const std::vector<Setting> kWoodblock = {
    {GenSynthesisType, kPhaseDistortion},
    {GenFMRingTune1, 84}, {GenFMRingTune2, 7}, {GenFMRingDeform1, 20}, {GenFMRingXModAmt, 0.1f},
    {GenFMRingEnvAmt1, 0.3f}, {GenFMRingEnvAmt2, 0.1f}, {GenFMRingPitchEnv1, 0.05f}, {GenFMRingVol2, 0.2f},
    {EnvDecay, 60},
    {FilterType, 2}, {FilterFreq, 1000}, {FilterQ, 0.2f},
    {OutLevelDB, -2.2f},
};

// Sines with a touch of frequency modulation for the slap.
const std::vector<Setting> kLowConga = {
    {GenSynthesisType, kPhaseDistortion},
    {GenFMRingTune1, 55}, {GenFMRingTune2, 19}, {GenFMRingXModAmt, 0.2f}, {GenFMRingFMMode, 1},
    {GenFMRingPitchEnv1, 0.04f}, {GenFMRingEnvAmt1, 0.6f}, {GenFMRingEnvAmt2, 0.03f}, {GenFMRingVol2, 0.1f},
    {EnvDecay, 350},
    {OutLevelDB, -12.2f},
};

const std::vector<Setting> kHighConga = {
    {GenSynthesisType, kPhaseDistortion},
    {GenFMRingTune1, 62}, {GenFMRingTune2, 19}, {GenFMRingXModAmt, 0.2f}, {GenFMRingFMMode, 1},
    {GenFMRingPitchEnv1, 0.04f}, {GenFMRingEnvAmt1, 0.6f}, {GenFMRingEnvAmt2, 0.03f}, {GenFMRingVol2, 0.1f},
    {EnvDecay, 300},
    {OutLevelDB, -11.7f},
};

const std::vector<Setting> kBongo = {
    {GenSynthesisType, kPhaseDistortion},
    {GenFMRingTune1, 69}, {GenFMRingTune2, 19}, {GenFMRingXModAmt, 0.15f}, {GenFMRingFMMode, 1},
    {GenFMRingPitchEnv1, 0.1f}, {GenFMRingEnvAmt1, 0.5f}, {GenFMRingEnvAmt2, 0.03f}, {GenFMRingVol2, 0.1f},
    {EnvDecay, 180},
    {OutLevelDB, -8.7f},
};

// A tiny modelled plate: jingles.
const std::vector<Setting> kTambourine = {
    {GenSynthesisType, kPhysicalModelling},
    {GenPMSize, 0.15f}, {GenPMExciterFreq, 12000}, {GenPMExciterQ, 0.3f}, {GenPMDamping, 0.6f},
    {GenPMEnvShapePitch, 0.1f}, {GenPMDampFreq, 18000},
    {EnvAttack, 4}, {EnvDecay, 200},
    {FilterType, 3}, {FilterFreq, 5000},
    {OutLevelDB, -6.2f},
};

const std::vector<Setting> kTriangle = {
    {GenSynthesisType, kPhaseDistortion},
    {GenFMRingTune1, 100}, {GenFMRingTune2, 12}, {GenFMRingRingModAmt, 0.3f},
    {GenFMRingEnvAmt1, 0.9f}, {GenFMRingEnvAmt2, 0.7f}, {GenFMRingPitchEnv1, 0.001f}, {GenFMRingPitchEnv2, 0.001f},
    {GenFMRingVol2, 0.3f},
    {EnvDecay, 1500},
    {FilterType, 3}, {FilterFreq, 2000},
    {OutLevelDB, -24.8f},
};

// A laser: both oscillators dive with the envelope.
const std::vector<Setting> kZap = {
    {GenSynthesisType, kPhaseDistortion},
    {GenFMRingTune1, 96}, {GenFMRingTune2, 12}, {GenFMRingXModAmt, 0.2f},
    {GenFMRingPitchEnv1, 0.9f}, {GenFMRingPitchEnv2, 0.9f}, {GenFMRingEnvAmt1, 0.6f}, {GenFMRingEnvAmt2, 0.6f},
    {EnvDecay, 250},
    {OutLevelDB, -16.8f},
};

// A ring-modulated blip with a tempo echo.
const std::vector<Setting> kBlip = {
    {GenSynthesisType, kPhaseDistortion},
    {GenFMRingTune1, 84}, {GenFMRingTune2, 7}, {GenFMRingRingModAmt, 0.5f},
    {GenFMRingPitchEnv1, 0.001f}, {GenFMRingEnvAmt1, 0.2f}, {GenFMRingEnvAmt2, 0.2f},
    {EnvDecay, 70},
    {FXType, 0}, {FXParam1, 0.5f}, {FXParam2, 0.45f}, {FXParam3, 0.4f}, {FXParam4, 0.5f}, {FXActive, 1},
    {OutLevelDB, -1.3f},
};

// Noise that swells for a second.
const std::vector<Setting> kRiser = {
    {GenSynthesisType, kFilteredNoise},
    {GenNoiseFreq1, 2000}, {GenNoiseQ1, 0.6f}, {GenNoiseShapeAmpEnv1, 1}, {GenNoiseShapePitchEnv1, 0.5f},
    {GenNoiseLevel1, 1},
    {GenNoiseFreq2, 5000}, {GenNoiseQ2, 0.3f}, {GenNoiseShapeAmpEnv2, 1}, {GenNoiseShapePitchEnv2, 0.5f},
    {GenNoiseLevel2, 0.5f},
    {EnvAttack, 1000}, {EnvDecay, 150}, {EnvCurveShape, -40},
    {FilterType, 2}, {FilterFreq, 500}, {FilterQ, 0.3f}, {FilterEnvAmt, 0.5f}, {FilterEnvShape, 0.5f},
    {OutLevelDB, -19.8f},
};

// A rimshot with a tempo echo.
const std::vector<Setting> kDubRim = {
    {GenSynthesisType, kFilteredNoise},
    {GenNoiseFreq1, 1700}, {GenNoiseQ1, 0.85f}, {GenNoiseShapeAmpEnv1, 0.05f}, {GenNoiseShapePitchEnv1, 0},
    {GenNoiseLevel1, 1},
    {GenNoiseFreq2, 450}, {GenNoiseQ2, 0.9f}, {GenNoiseShapeAmpEnv2, 0.05f}, {GenNoiseShapePitchEnv2, 0},
    {GenNoiseLevel2, 0.8f},
    {EnvDecay, 120},
    {FilterType, 3}, {FilterFreq, 300},
    {FXType, 0}, {FXParam1, 0.5f}, {FXParam2, 0.5f}, {FXParam3, 0.5f}, {FXParam4, 0.6f}, {FXActive, 1},
    {OutLevelDB, 9.5f},
};
// The sources of the samples the generator renders.
const std::vector<Setting> kPluckBassSource = {
    {GenSynthesisType, kPhaseDistortion},
    {GenFMRingTune1, 36}, {GenFMRingTune2, 12}, {GenFMRingDeform1, 60},
    {GenFMRingPitchEnv1, 0.0001f}, {GenFMRingPitchEnv2, 0.0001f}, {GenFMRingEnvAmt1, 0.85f}, {GenFMRingEnvAmt2, 0.5f},
    {GenFMRingVol2, 0.15f},
    {EnvDecay, 450}, {EnvAttack, 1},
    {FilterType, 1}, {FilterFreq, 250}, {FilterQ, 0.3f}, {FilterEnvAmt, 0.15f}, {FilterEnvShape, 0.2f},
    {FilterDriveDB, 0},
    {OutLevelDB, -6.8f},
};
const std::vector<Setting> kSubBassSource = {
    {GenSynthesisType, kPhaseDistortion},
    {GenFMRingTune1, 36}, {GenFMRingTune2, 12},
    {GenFMRingPitchEnv1, 0.02f}, {GenFMRingEnvAmt1, 0.9f}, {GenFMRingEnvAmt2, 0.3f}, {GenFMRingPitchEnv2, 0.02f},
    {GenFMRingVol2, 0.15f},
    {EnvDecay, 700}, {EnvAttack, 2},
    {OutLevelDB, -9.2f},
};

// clang-format on

// Plays its sample as recorded: no synthesis, the filter off, an envelope that
// stays open for several seconds.
const std::vector<Setting> kSamplePlayer = {
    {GenSynthesisType, kNoSynthesis},
    {GenMixSynthesisWav, 1},
    {GenWavLevel, 1},
    {GenWavShapeAmpEnv, 1},
    {EnvDecay, 20000},
    {EnvCurveShape, 100},
    {FilterType, 0},
};

std::vector<Setting> samplePlayer(std::vector<Setting> changes) {
    std::vector<Setting> settings = kSamplePlayer;
    settings.insert(settings.end(), changes.begin(), changes.end());
    return settings;
}

} // namespace

const std::vector<InstrumentRecipe>& instrumentRecipes() {
    static const std::vector<InstrumentRecipe> recipes = {
        {"Kicks\\Analog", kAnalogKick},
        {"Kicks\\Tight", kTightKick},
        {"Kicks\\Deep", kDeepKick},
        {"Kicks\\Punch", kPunchKick},
        {"Kicks\\Crushed", kCrushedKick},
        {"Kicks\\Dusty", kDustyKick},
        {"Kicks\\Rumble", kRumbleKick},
        {"Snares\\Crisp", kCrispSnare},
        {"Snares\\Fat", kFatSnare},
        {"Snares\\Room", kRoomSnare},
        {"Snares\\Electro", kElectroSnare},
        {"Snares\\Dusty", kDustySnare},
        {"Snares\\Rimshot", kRimshot},
        {"Snares\\Brush", kBrush},
        {"Claps\\Classic", kClassicClap},
        {"Claps\\Tight", kTightClap},
        {"Claps\\Big", kBigClap},
        {"Claps\\Snap", kSnap},
        {"Hats\\Closed", kClosedHat},
        {"Hats\\Tick", kTickHat},
        {"Hats\\Pedal", kPedalHat},
        {"Hats\\Open", kOpenHat},
        {"Hats\\Sizzle", kSizzleHat},
        {"Hats\\Metal", kMetalHat},
        {"Hats\\Dusty", kDustyHat},
        {"Hats\\Shaker", kShaker},
        {"Cymbals\\Crash", kCrash},
        {"Cymbals\\Ride", kRide},
        {"Cymbals\\RideBell", kRideBell},
        {"Cymbals\\Trash", kTrashCymbal},
        {"Toms\\Low", kLowTom},
        {"Toms\\Mid", kMidTom},
        {"Toms\\High", kHighTom},
        {"Toms\\SynthLow", kSynthLowTom},
        {"Toms\\SynthMid", kSynthMidTom},
        {"Toms\\SynthHigh", kSynthHighTom},
        {"Percussion\\Cowbell", kCowbell},
        {"Percussion\\Clave", kClave},
        {"Percussion\\Woodblock", kWoodblock},
        {"Percussion\\CongaLow", kLowConga},
        {"Percussion\\CongaHigh", kHighConga},
        {"Percussion\\Bongo", kBongo},
        {"Percussion\\Tambourine", kTambourine},
        {"Percussion\\Triangle", kTriangle},
        {"FX\\Zap", kZap},
        {"FX\\Blip", kBlip},
        {"FX\\Riser", kRiser},
        {"FX\\DubRim", kDubRim},
        // The kick sample tuned down; the pitch falls as the shorter envelope closes.
        {"Kicks\\Boom",
         {{GenSynthesisType, kNoSynthesis},
          {GenMixSynthesisWav, 1},
          {GenWavLevel, 1},
          {GenWavTune, 2},
          {GenWavShapePitchEnv, 0.25f},
          {GenWavShapeAmpEnv, 0.9f},
          {EnvDecay, 900},
          {OutLevelDB, -3}},
         "Factory\\Kick.wav"},
        // Basses are samples so that patterns can play melodies through GenWavTune.
        {"Bass\\Pluck", samplePlayer({{OutLevelDB, -7}}), "Factory\\BassPluck.wav"},
        {"Bass\\Sub", samplePlayer({{OutLevelDB, -11}}), "Factory\\BassSub.wav"},
        {"FX\\ReverseCrash", samplePlayer({{GenWavDirection, 1}, {OutLevelDB, -14.5f}}), "Factory\\Crash.wav"},
        {"FX\\ReverseSnare", samplePlayer({{GenWavDirection, 1}, {OutLevelDB, -11}}), "Factory\\Snare.wav"},
    };
    return recipes;
}

const std::vector<SampleRecipe>& sampleRecipes() {
    static const std::vector<SampleRecipe> recipes = {
        {"Factory\\Kick.wav", kPunchKick, 0.6f},
        {"Factory\\Snare.wav", kRoomSnare, 0.8f},
        // One bar at 120 BPM: played backwards from the start of the last bar
        // of a pattern, it swells into the downbeat.
        {"Factory\\Crash.wav", kCrash, 2.0f},
        {"Factory\\BassPluck.wav", kPluckBassSource, 1.0f},
        {"Factory\\BassSub.wav", kSubBassSource, 1.2f},
    };
    return recipes;
}

const InstrumentRecipe& emptyTemplate() {
    static const InstrumentRecipe recipe{"", {}};
    return recipe;
}

const InstrumentRecipe& defaultTemplate() {
    static const InstrumentRecipe recipe = [] {
        InstrumentRecipe r{"default", {}};
        for (const FactoryValue& v : factoryInstrument(0))
            r.settings.push_back({v.index, v.value});
        return r;
    }();
    return recipe;
}

const InstrumentRecipe& autoImportTemplate() {
    static const InstrumentRecipe recipe{"", kSamplePlayer};
    return recipe;
}

const InstrumentRecipe* findInstrument(const std::string& name) {
    for (const InstrumentRecipe& r : instrumentRecipes())
        if (r.name == name)
            return &r;
    return nullptr;
}

} // namespace trommik2
