#include "StressSetup.h"

#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <vector>

#include <mmio.h>

#include "content/WavLoader.h"
#include "core/DrumMachine.h"
#include "engine/NoiseGenerator.h"
#include "params/EffectNames.h"

namespace trommik2 {

namespace {

constexpr int kSampleRate = 44100;
constexpr int kSlotsPlayed = 64; // two bars

// The effect of each track: every type once, then both reverbs a second time.
constexpr int kEffectOfTrack[16] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, kRoomReverb, kHallReverb};

std::vector<int16_t> sampleWords() {
    std::vector<int16_t> words(StressSetup::kSampleFrames);
    NoiseGenerator noise;
    double phase = 0.0;
    for (int i = 0; i < StressSetup::kSampleFrames; ++i) {
        double t = static_cast<double>(i) / kSampleRate;
        phase += 2.0 * 3.14159265358979 * (80.0 + 400.0 * std::exp(-t * 30.0)) / kSampleRate;
        double click = i < 400 ? 0.4 * noise.next() * (1.0 - i / 400.0) : 0.0;
        double x = 0.8 * std::sin(phase) * std::exp(-t * 9.0) + click;
        words[static_cast<size_t>(i)] = static_cast<int16_t>(std::lrint(x * 32000.0));
    }
    return words;
}

bool writeWord(HMMIO file, uint32_t value, int bytes) {
    char b[4] = {static_cast<char>(value), static_cast<char>(value >> 8), static_cast<char>(value >> 16),
                 static_cast<char>(value >> 24)};
    return mmioWrite(file, b, bytes) == bytes;
}

bool writeWave(HMMIO file, const std::vector<int16_t>& words) {
    MMCKINFO riff{};
    riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    MMCKINFO format{};
    format.ckid = mmioFOURCC('f', 'm', 't', ' ');
    MMCKINFO data{};
    data.ckid = mmioFOURCC('d', 'a', 't', 'a');
    bool ok = mmioCreateChunk(file, &riff, MMIO_CREATERIFF) == MMSYSERR_NOERROR &&
              mmioCreateChunk(file, &format, 0) == MMSYSERR_NOERROR;
    // PCM, one channel, the rate, bytes per second, block alignment, bits.
    ok = ok && writeWord(file, 1, 2) && writeWord(file, 1, 2) && writeWord(file, kSampleRate, 4) &&
         writeWord(file, 2 * kSampleRate, 4) && writeWord(file, 2, 2) && writeWord(file, 16, 2);
    ok = ok && mmioAscend(file, &format, 0) == MMSYSERR_NOERROR && mmioCreateChunk(file, &data, 0) == MMSYSERR_NOERROR;
    for (int16_t w : words)
        ok = ok && writeWord(file, static_cast<uint16_t>(w), 2);
    return ok && mmioAscend(file, &data, 0) == MMSYSERR_NOERROR && mmioAscend(file, &riff, 0) == MMSYSERR_NOERROR;
}

void configureSource(InstrumentBank& bank, int t) {
    const auto f = static_cast<float>(t);
    const int type = t % 4;
    bank.setValue(t, GenSynthesisType, static_cast<float>(type));
    if (type == kFilteredNoise) {
        bank.setValue(t, GenNoiseFreq1, 120.0f + 60.0f * f);
        bank.setValue(t, GenNoiseQ1, 0.3f);
        bank.setValue(t, GenNoiseShapePitchEnv1, 0.4f);
        bank.setValue(t, GenNoiseFreq2, 3000.0f + 300.0f * f);
        bank.setValue(t, GenNoiseLevel2, 0.5f);
    } else if (type == kPhaseDistortion) {
        bank.setValue(t, GenFMRingTune1, 40.0f + 2.0f * f);
        bank.setValue(t, GenFMRingTune2, 7.0f);
        bank.setValue(t, GenFMRingDeform1, 30.0f);
        bank.setValue(t, GenFMRingFMMode, static_cast<float>(t % 3));
        bank.setValue(t, GenFMRingXModAmt, 0.4f);
        bank.setValue(t, GenFMRingRingModAmt, 0.3f);
    } else if (type == kPhysicalModelling) {
        bank.setValue(t, GenPMSize, 0.3f + 0.04f * f);
        bank.setValue(t, GenPMExciterFreq, 3000.0f);
        bank.setValue(t, GenPMDamping, 0.4f);
        bank.setValue(t, GenPMDampFreq, 8000.0f);
    }
    float mix = type == kNoSynthesis ? 1.0f : (t % 3 == 0 ? 0.5f : 0.0f);
    bank.setValue(t, GenMixSynthesisWav, mix);
    bank.setValue(t, GenWavTune, f - 8.0f);
    bank.setValue(t, GenWavDirection, t % 5 == 4 ? 1.0f : 0.0f);
}

void configureChain(InstrumentBank& bank, int t) {
    const auto f = static_cast<float>(t);
    bank.setValue(t, EnvAttack, 0.1f + f);
    bank.setValue(t, EnvDecay, 120.0f + 40.0f * f);
    bank.setValue(t, EnvCurveShape, -50.0f + 7.0f * f);
    bank.setValue(t, EnvAMSpeed, t == 5 ? 20.0f : 0.0f);
    bank.setValue(t, FilterType, static_cast<float>(1 + t % 3));
    bank.setValue(t, FilterFreq, 2000.0f + 700.0f * f);
    bank.setValue(t, FilterQ, 0.5f);
    bank.setValue(t, FilterDriveDB, 6.0f);
    bank.setValue(t, FilterEnvAmt, 0.4f);
    bank.setValue(t, FXType, static_cast<float>(kEffectOfTrack[t]));
    for (int p = 0; p < 4; ++p)
        bank.setValue(t, FXParam1 + p, 0.2f + 0.15f * static_cast<float>((t + p) % 4));
    bank.setValue(t, FXActive, 1.0f);
    bank.setValue(t, OutLevelDB, -14.0f);
    bank.setValue(t, OutPan, -0.9f + 0.12f * f);
}

// Points on every fourth slot, sweeping through the parameter's automation range.
void automate(TrackPattern& pattern, const ParameterTable& table, int parameter, float randomAmount) {
    const ParameterDescriptor& d = table.descriptor(parameter);
    const float lo = d.automationMinimum;
    const float hi = d.automationMaximum;
    for (int slot = 0; slot < kSlotsPlayed; slot += 4) {
        float x = 0.1f + 0.8f * static_cast<float>((slot * 5) % 17) / 16.0f;
        pattern.setAutomationPoint(parameter, slot, lo + (hi - lo) * x);
    }
    pattern.setAutomationRandom(parameter, randomAmount);
}

void program(TrackPattern& pattern, const ParameterTable& table, int t) {
    pattern.clear();
    const int stride = t % 2 == 0 ? 1 : 2;
    for (int slot = 0; slot < kSlotsPlayed; slot += stride)
        pattern.setStep(slot, 60 + (slot * 37 + t * 11) % 68);
    pattern.setVelocityRandom(t % 4 == 1 ? 0.2f : 0.0f);
    constexpr int kChainParameter[4] = {FilterFreq, OutPan, FXParam1, EnvDecay};
    constexpr int kSourceParameter[4] = {GenNoiseFreq1, GenFMRingTune1, GenPMSize, GenWavTune};
    automate(pattern, table, kChainParameter[t % 4], 0.0f);
    automate(pattern, table, kSourceParameter[t % 4], t % 3 == 0 ? 0.1f : 0.0f);
}

std::string temporarySamplePath() {
    auto name = "trommik2-stress-" + std::to_string(getpid()) + ".wav";
    return (std::filesystem::temp_directory_path() / name).string();
}

} // namespace

bool StressSetup::writeSample(const std::string& path) {
    std::string name = path;
    HMMIO file = mmioOpen(name.data(), nullptr, MMIO_CREATE | MMIO_WRITE);
    if (!file)
        return false;
    bool written = writeWave(file, sampleWords());
    return mmioClose(file, 0) == MMSYSERR_NOERROR && written;
}

bool StressSetup::loadSampleEverywhere(DrumMachine& machine) {
    const std::string path = temporarySamplePath();
    bool loaded = writeSample(path);
    {
        std::lock_guard<ProcessLock> lock(machine.processLock());
        for (int t = 0; t < InstrumentBank::kTrackCount && loaded; ++t)
            loaded = WavLoader::loadSample(path, machine.bank().voice(t).generator().sample());
    }
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    return loaded;
}

bool StressSetup::apply(DrumMachine& machine) {
    const bool loaded = loadSampleEverywhere(machine);
    InstrumentBank& bank = machine.bank();
    {
        std::lock_guard<ProcessLock> lock(machine.processLock());
        for (int t = 0; t < InstrumentBank::kTrackCount; ++t) {
            configureSource(bank, t);
            configureChain(bank, t);
            program(machine.sequencer().track(t), bank.table(), t);
        }
    }
    // Every module starts from its settled values, as after a host's suspend.
    machine.suspend();
    machine.resume();
    return loaded;
}

} // namespace trommik2
