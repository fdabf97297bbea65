// Inputs the fuzz targets once failed on (and a few hard ones), and their seed
// corpora, replayed through the same targets in every build of the suite: the
// sanitizer builds then catch any return of a fault.
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
extern "C" int loadStateFuzzInput(const uint8_t* data, size_t size);
extern "C" int documentReaderFuzzInput(const uint8_t* data, size_t size);
extern "C" int configurationFuzzInput(const uint8_t* data, size_t size);

namespace {

// Replays every file of a folder; returns how many there were.
int replayFolder(const std::string& folder, int (*target)(const uint8_t*, size_t)) {
    int cases = 0;
    std::error_code missing;
    for (const auto& entry : std::filesystem::directory_iterator(folder, missing)) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        EXPECT_EQ(target(bytes.data(), bytes.size()), 0) << entry.path().filename();
        ++cases;
    }
    return cases;
}

// The findings kept under the test's name, then the target's seeds.
int replay(const std::string& cases, int (*target)(const uint8_t*, size_t)) {
    return replayFolder(std::string(TROMMIK2_FUZZ_CASES) + "/" + cases, target) +
           replayFolder(std::string(TROMMIK2_FUZZ_CORPUS) + "/fuzz_" + cases, target);
}

} // namespace

TEST(FuzzCases, EntryPoint) { EXPECT_GT(replay("entry_point", entryPointFuzzInput), 0); }

TEST(FuzzCases, WavLoader) { EXPECT_GT(replay("wav_loader", wavLoaderFuzzInput), 0); }

TEST(FuzzCases, Mmio) { EXPECT_GT(replay("mmio", mmioFuzzInput), 0); }

TEST(FuzzCases, LoadState) { EXPECT_GT(replay("load_state", loadStateFuzzInput), 0); }

TEST(FuzzCases, DocumentReaders) { EXPECT_GT(replay("document_readers", documentReaderFuzzInput), 0); }

TEST(FuzzCases, Configuration) { EXPECT_GT(replay("configuration", configurationFuzzInput), 0); }
