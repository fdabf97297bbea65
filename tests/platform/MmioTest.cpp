#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <mmio.h>

namespace {

const FOURCC kWave = mmioFOURCC('W', 'A', 'V', 'E');
const FOURCC kFmt = mmioFOURCC('f', 'm', 't', ' ');
const FOURCC kData = mmioFOURCC('d', 'a', 't', 'a');
const FOURCC kInfo = mmioFOURCC('I', 'N', 'F', 'O');

void putWord(std::string& s, uint32_t w) {
    for (int i = 0; i < 4; ++i)
        s += static_cast<char>((w >> (8 * i)) & 0xFF);
}

void putChunk(std::string& s, FOURCC id, const std::string& body) {
    putWord(s, id);
    putWord(s, static_cast<uint32_t>(body.size()));
    s += body;
    if (body.size() & 1)
        s += '\0';
}

// RIFF WAVE with "fmt ", an odd-sized LIST chunk in between, then "data".
std::string waveWithList() {
    std::string body;
    putWord(body, kWave);
    putChunk(body, kFmt, std::string(16, '\x01'));
    std::string list;
    putWord(list, kInfo);
    putChunk(list, mmioFOURCC('I', 'N', 'A', 'M'), "odd");
    putChunk(body, FOURCC_LIST, list);
    putChunk(body, kData, "abcdef");
    std::string file;
    putChunk(file, FOURCC_RIFF, body);
    return file;
}

HMMIO openMemory(std::string& bytes) {
    MMIOINFO info{};
    info.fccIOProc = FOURCC_MEM;
    info.pchBuffer = bytes.data();
    info.cchBuffer = static_cast<int32_t>(bytes.size());
    return mmioOpen(nullptr, &info, MMIO_READ);
}

class TempPath {
  public:
    TempPath() : path_(std::filesystem::temp_directory_path() / ("mmio-test-" + std::to_string(::getpid()))) {}
    ~TempPath() { std::filesystem::remove(path_); }
    std::string str() const { return path_.string(); }

  private:
    std::filesystem::path path_;
};

} // namespace

TEST(Mmio, DescendFindsDataPastAListChunk) {
    std::string bytes = waveWithList();
    HMMIO h = openMemory(bytes);
    ASSERT_NE(h, nullptr);
    MMCKINFO riff{};
    riff.fccType = kWave;
    ASSERT_EQ(mmioDescend(h, &riff, nullptr, MMIO_FINDRIFF), MMSYSERR_NOERROR);
    EXPECT_EQ(riff.dwDataOffset, 8u);
    EXPECT_EQ(riff.cksize, bytes.size() - 8);

    MMCKINFO fmt{};
    fmt.ckid = kFmt;
    ASSERT_EQ(mmioDescend(h, &fmt, &riff, MMIO_FINDCHUNK), MMSYSERR_NOERROR);
    EXPECT_EQ(fmt.cksize, 16u);
    ASSERT_EQ(mmioAscend(h, &fmt, 0), MMSYSERR_NOERROR);

    MMCKINFO data{};
    data.ckid = kData;
    ASSERT_EQ(mmioDescend(h, &data, &riff, MMIO_FINDCHUNK), MMSYSERR_NOERROR);
    char text[7] = {};
    EXPECT_EQ(mmioRead(h, text, 6), 6);
    EXPECT_STREQ(text, "abcdef");
    EXPECT_EQ(mmioRead(h, text, 6), 0) << "reading at the end gives 0";
    mmioClose(h, 0);
}

TEST(Mmio, FindListAndMissingChunks) {
    std::string bytes = waveWithList();
    HMMIO h = openMemory(bytes);
    MMCKINFO riff{};
    riff.fccType = kWave;
    ASSERT_EQ(mmioDescend(h, &riff, nullptr, MMIO_FINDRIFF), MMSYSERR_NOERROR);
    MMCKINFO list{};
    list.fccType = kInfo;
    ASSERT_EQ(mmioDescend(h, &list, &riff, MMIO_FINDLIST), MMSYSERR_NOERROR);
    MMCKINFO name{};
    ASSERT_EQ(mmioDescend(h, &name, &list, 0), MMSYSERR_NOERROR);
    EXPECT_EQ(name.cksize, 3u);
    ASSERT_EQ(mmioAscend(h, &name, 0), MMSYSERR_NOERROR);
    EXPECT_EQ(mmioSeek(h, 0, SEEK_CUR), static_cast<int32_t>(name.dwDataOffset + 4)) << "odd size skips the pad";
    MMCKINFO none{};
    none.ckid = mmioFOURCC('n', 'o', 'n', 'e');
    EXPECT_EQ(mmioDescend(h, &none, &list, MMIO_FINDCHUNK), MMIOERR_CHUNKNOTFOUND);
    MMCKINFO other{};
    other.fccType = mmioFOURCC('A', 'V', 'I', ' ');
    mmioSeek(h, 0, SEEK_SET);
    EXPECT_EQ(mmioDescend(h, &other, nullptr, MMIO_FINDRIFF), MMIOERR_CHUNKNOTFOUND);
    mmioClose(h, 0);
}

TEST(Mmio, TruncatedAndCorruptInputNeverCrashes) {
    std::string full = waveWithList();
    for (size_t cut = 0; cut < full.size(); ++cut) {
        std::string bytes = full.substr(0, cut);
        HMMIO h = openMemory(bytes);
        if (!h)
            continue;
        MMCKINFO riff{};
        riff.fccType = kWave;
        if (mmioDescend(h, &riff, nullptr, MMIO_FINDRIFF) == MMSYSERR_NOERROR) {
            MMCKINFO data{};
            data.ckid = kData;
            if (mmioDescend(h, &data, &riff, MMIO_FINDCHUNK) == MMSYSERR_NOERROR) {
                std::vector<char> buffer(data.cksize);
                EXPECT_LE(mmioRead(h, buffer.data(), static_cast<int32_t>(buffer.size())), static_cast<int32_t>(cut));
            }
        }
        mmioClose(h, 0);
    }
    std::string huge = full;
    huge[4] = huge[5] = huge[6] = huge[7] = '\xFF';
    huge[16] = '\xFF';
    huge[19] = '\x7F'; // a "fmt " size far past the end
    HMMIO h = openMemory(huge);
    MMCKINFO riff{};
    riff.fccType = kWave;
    ASSERT_EQ(mmioDescend(h, &riff, nullptr, MMIO_FINDRIFF), MMSYSERR_NOERROR);
    MMCKINFO data{};
    data.ckid = kData;
    EXPECT_EQ(mmioDescend(h, &data, &riff, MMIO_FINDCHUNK), MMIOERR_CHUNKNOTFOUND);
    mmioClose(h, 0);
}

TEST(Mmio, CreatedChunksGetTheirSizesAndPadOnAscend) {
    TempPath path;
    HMMIO h = mmioOpen(const_cast<char*>(path.str().c_str()), nullptr, MMIO_CREATE | MMIO_READWRITE);
    ASSERT_NE(h, nullptr);
    MMCKINFO riff{};
    riff.fccType = kWave;
    ASSERT_EQ(mmioCreateChunk(h, &riff, MMIO_CREATERIFF), MMSYSERR_NOERROR);
    MMCKINFO data{};
    data.ckid = kData;
    ASSERT_EQ(mmioCreateChunk(h, &data, 0), MMSYSERR_NOERROR);
    EXPECT_EQ(mmioWrite(h, "xyz", 3), 3);
    ASSERT_EQ(mmioAscend(h, &data, 0), MMSYSERR_NOERROR);
    EXPECT_EQ(data.cksize, 3u);
    ASSERT_EQ(mmioAscend(h, &riff, 0), MMSYSERR_NOERROR);
    EXPECT_EQ(riff.cksize, 4u + 8u + 4u);
    ASSERT_EQ(mmioClose(h, 0), MMSYSERR_NOERROR);

    std::ifstream in(path.str(), std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string expected;
    std::string body;
    putWord(body, kWave);
    putChunk(body, kData, "xyz");
    putChunk(expected, FOURCC_RIFF, body);
    EXPECT_EQ(bytes, expected);
}

TEST(Mmio, MemoryFilesGrowOnlyWhenAllowed) {
    MMIOINFO info{};
    info.fccIOProc = FOURCC_MEM;
    info.adwInfo[0] = 4;
    HMMIO grow = mmioOpen(nullptr, &info, MMIO_READWRITE | MMIO_CREATE);
    ASSERT_NE(grow, nullptr);
    EXPECT_EQ(mmioWrite(grow, "0123456789", 10), 10);
    EXPECT_EQ(mmioSeek(grow, 2, SEEK_SET), 2);
    char got[4] = {};
    EXPECT_EQ(mmioRead(grow, got, 3), 3);
    EXPECT_STREQ(got, "234");
    MMIOINFO state{};
    ASSERT_EQ(mmioGetInfo(grow, &state, 0), MMSYSERR_NOERROR);
    EXPECT_EQ(state.cchBuffer, 10);
    EXPECT_EQ(std::string(state.pchBuffer, 10), "0123456789");
    mmioClose(grow, 0);

    char fixed[4] = {};
    MMIOINFO fixedInfo{};
    fixedInfo.fccIOProc = FOURCC_MEM;
    fixedInfo.pchBuffer = fixed;
    fixedInfo.cchBuffer = 4;
    HMMIO h = mmioOpen(nullptr, &fixedInfo, MMIO_READWRITE);
    EXPECT_EQ(mmioWrite(h, "abcdef", 6), -1) << "a caller's buffer never grows";
    EXPECT_EQ(mmioWrite(h, "abcd", 4), 4);
    EXPECT_EQ(std::string(fixed, 4), "abcd");
    EXPECT_EQ(mmioSeek(h, 1, SEEK_END), -1);
    mmioClose(h, 0);
}

TEST(Mmio, OpenFailuresReportTheirReason) {
    MMIOINFO info{};
    EXPECT_EQ(mmioOpen(const_cast<char*>("/nonexistent/dir/file.wav"), &info, MMIO_READ), nullptr);
    EXPECT_EQ(info.wErrorRet, MMIOERR_FILENOTFOUND);
    EXPECT_EQ(mmioOpen(nullptr, nullptr, MMIO_READ), nullptr);
    EXPECT_EQ(mmioRead(nullptr, nullptr, 1), -1);
    EXPECT_EQ(mmioSeek(nullptr, 0, SEEK_SET), -1);
    EXPECT_NE(mmioClose(nullptr, 0), MMSYSERR_NOERROR);
}
