// Bit-for-bit guard of the rendered audio: the factory state through the
// module's entry point and the stress setup in-process, against fingerprints
// kept beside this file. Work on the engine's speed must leave them unchanged;
// a deliberate change of the sound regenerates them with
//   TROMMIK2_REGENERATE_GOLDEN=1 build/tests/test_golden
// and TROMMIK2_GOLDEN_DUMP=<folder> writes the raw output (float32, interleaved)
// for a closer look.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <trommik2/host_api.h>

#include "module/HostHarness.h"

#include "MachineDriver.h"
#include "StressSetup.h"
#include "core/DrumMachine.h"

using namespace trommik2;

namespace {

// Sixty-four bit FNV-1a over the bit patterns of the samples.
class Fingerprint {
  public:
    explicit Fingerprint(int framesPerPart) : framesPerPart_(framesPerPart) {}

    void add(const float* interleaved, int frames) {
        for (int i = 0; i < 2 * frames; ++i) {
            uint32_t bits;
            std::memcpy(&bits, interleaved + i, sizeof bits);
            for (int b = 0; b < 4; ++b)
                hash_ = (hash_ ^ ((bits >> (8 * b)) & 0xFFu)) * 0x100000001B3ull;
            if (i % 2 == 1 && ++frames_ == framesPerPart_)
                close();
        }
        raw_.insert(raw_.end(), interleaved, interleaved + 2 * frames);
    }
    std::vector<uint64_t> parts() {
        if (frames_ > 0)
            close();
        return parts_;
    }
    const std::vector<float>& raw() const { return raw_; }

  private:
    void close() {
        parts_.push_back(hash_);
        hash_ = 0xCBF29CE484222325ull;
        frames_ = 0;
    }

    int framesPerPart_;
    int frames_ = 0;
    uint64_t hash_ = 0xCBF29CE484222325ull;
    std::vector<uint64_t> parts_;
    std::vector<float> raw_;
};

// One second per part.
Fingerprint renderThroughModule(int rate, int block, int seconds) {
    Fingerprint print(rate);
    LoadedModule module;
    ZelkoraSynthesizerFunction entry = module.entry;
    HostContext context{};
    context.sampleRate = static_cast<uint32_t>(rate);
    context.tempo = 120.0f;
    if (entry && entry(1, &context) == 1) {
        entry(8, &context);
        std::vector<float> buffer(static_cast<size_t>(2 * block));
        for (int position = 0; position < seconds * rate; position += block) {
            context.outputBuffer = buffer.data();
            context.valueCount = 2 * block;
            context.position = position;
            entry(7, &context);
            print.add(buffer.data(), block);
        }
        entry(2, &context);
    }
    return print;
}

Fingerprint renderStress(int rate, int block, int seconds) {
    Fingerprint print(rate);
    auto machine = std::make_unique<DrumMachine>(nullptr);
    if (!StressSetup::apply(*machine))
        return print;
    MachineDriver driver(*machine, rate, block);
    std::vector<float> interleaved(static_cast<size_t>(2 * block));
    for (int position = 0; position < seconds * rate; position += block) {
        driver.renderBlock();
        for (int i = 0; i < block; ++i) {
            interleaved[static_cast<size_t>(2 * i)] = driver.left()[i];
            interleaved[static_cast<size_t>(2 * i + 1)] = driver.right()[i];
        }
        print.add(interleaved.data(), block);
    }
    return print;
}

std::string goldenPath(const std::string& name) { return std::string(TROMMIK2_GOLDEN_FOLDER) + "/" + name + ".txt"; }

std::vector<uint64_t> readGolden(const std::string& name) {
    std::ifstream in(goldenPath(name));
    std::vector<uint64_t> parts;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        parts.push_back(std::strtoull(line.c_str(), nullptr, 16));
    }
    return parts;
}

void writeGolden(const std::string& name, const std::vector<uint64_t>& parts) {
    std::ofstream out(goldenPath(name));
    out << "# FNV-1a 64 of each second of interleaved float output; see GoldenOutputTest.cpp\n";
    for (uint64_t p : parts) {
        char hex[20];
        std::snprintf(hex, sizeof hex, "%016" PRIx64, p);
        out << hex << "\n";
    }
}

void check(const std::string& name, Fingerprint print) {
    if (const char* folder = std::getenv("TROMMIK2_GOLDEN_DUMP")) {
        std::ofstream raw(std::string(folder) + "/" + name + ".f32", std::ios::binary);
        raw.write(reinterpret_cast<const char*>(print.raw().data()),
                  static_cast<std::streamsize>(print.raw().size() * sizeof(float)));
    }
    std::vector<uint64_t> parts = print.parts();
    ASSERT_FALSE(parts.empty()) << "nothing rendered";
    if (std::getenv("TROMMIK2_REGENERATE_GOLDEN")) {
        writeGolden(name, parts);
        GTEST_SKIP() << "regenerated " << goldenPath(name);
    }
    std::vector<uint64_t> golden = readGolden(name);
    ASSERT_EQ(golden.size(), parts.size()) << "missing or incomplete " << goldenPath(name);
    for (size_t s = 0; s < parts.size(); ++s)
        EXPECT_EQ(golden[s], parts[s]) << name << ": second " << s << " differs";
}

} // namespace

TEST(GoldenOutput, FactoryStateThroughTheEntryPoint) { check("factory-44100-512", renderThroughModule(44100, 512, 4)); }

TEST(GoldenOutput, FactoryStateAtAnotherRateAndBlock) {
    check("factory-96000-300", renderThroughModule(96000, 300, 3));
}

TEST(GoldenOutput, StressSetup) { check("stress-44100-512", renderStress(44100, 512, 4)); }

TEST(GoldenOutput, StressSetupAtAnotherRateAndBlock) { check("stress-48000-333", renderStress(48000, 333, 3)); }
