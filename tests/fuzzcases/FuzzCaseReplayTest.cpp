// Inputs the fuzz targets once failed on (and a few hard ones), replayed through
// the same targets in every build of the suite: the sanitizer builds then
// catch any return of the fault.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int entryPointFuzzInput(const uint8_t* data, size_t size);
extern "C" int wavLoaderFuzzInput(const uint8_t* data, size_t size);
extern "C" int mmioFuzzInput(const uint8_t* data, size_t size);

namespace {

// Replays every file of a folder of cases; returns how many there were.
int replay(const std::string& folder, int (*target)(const uint8_t*, size_t)) {
    int cases = 0;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(TROMMIK2_FUZZ_CASES) + "/" + folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(target(bytes.data(), bytes.size()), 0) << entry.path().filename();
        ++cases;
    }
    return cases;
}

} // namespace

TEST(FuzzCases, EntryPoint) { EXPECT_GT(replay("entry_point", entryPointFuzzInput), 0); }

TEST(FuzzCases, WavLoader) { EXPECT_GT(replay("wav_loader", wavLoaderFuzzInput), 0); }

TEST(FuzzCases, Mmio) { EXPECT_GT(replay("mmio", mmioFuzzInput), 0); }
