// The mmio layer's chunk navigation on arbitrary files: random descents
// (plain and searching, inside and outside a parent), ascents, reads, seeks,
// writes and new chunks on a memory copy of the input. The copy sits in a buffer
// of our own with some room after the input, so that writes and chunk sizes are
// tried without letting a lying size grow the stream to gigabytes.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include <mmio.h>

namespace {

constexpr uint32_t kSearchFlags[] = {0, MMIO_FINDCHUNK, MMIO_FINDRIFF, MMIO_FINDLIST};
constexpr FOURCC kIds[] = {FOURCC_RIFF,
                           FOURCC_LIST,
                           mmioFOURCC('W', 'A', 'V', 'E'),
                           mmioFOURCC('f', 'm', 't', ' '),
                           mmioFOURCC('d', 'a', 't', 'a'),
                           mmioFOURCC('a', 'b', 'c', 'd')};

FOURCC pickId(FuzzedDataProvider& in) {
    return in.ConsumeBool() ? in.PickValueInArray(kIds) : in.ConsumeIntegral<uint32_t>();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const int operations = in.ConsumeIntegralInRange(1, 48);
    std::vector<uint8_t> script = in.ConsumeBytes<uint8_t>(static_cast<size_t>(operations) * 12);
    const bool writable = in.ConsumeBool();
    std::vector<char> file = in.ConsumeRemainingBytes<char>();
    file.resize(file.size() + 1024);
    MMIOINFO info{};
    info.fccIOProc = FOURCC_MEM;
    info.pchBuffer = file.data();
    info.cchBuffer = static_cast<int32_t>(file.size());
    HMMIO stream = mmioOpen(nullptr, &info, writable ? MMIO_READWRITE : MMIO_READ);
    if (!stream)
        return 0;

    FuzzedDataProvider ops(script.data(), script.size());
    std::vector<MMCKINFO> open; // chunks descended into or created, innermost last
    char buffer[512] = {};
    while (ops.remaining_bytes() > 0) {
        switch (ops.ConsumeIntegralInRange(0, 7)) {
        case 0:
        case 1: {
            MMCKINFO chunk{};
            chunk.ckid = pickId(ops);
            chunk.fccType = pickId(ops);
            const MMCKINFO* parent = !open.empty() && ops.ConsumeBool() ? &open.back() : nullptr;
            if (mmioDescend(stream, &chunk, parent, ops.PickValueInArray(kSearchFlags)) == MMSYSERR_NOERROR)
                open.push_back(chunk);
            break;
        }
        case 2:
            if (!open.empty()) {
                mmioAscend(stream, &open.back(), 0);
                open.pop_back();
            }
            break;
        case 3: mmioRead(stream, buffer, ops.ConsumeIntegralInRange<int32_t>(-4, sizeof buffer)); break;
        case 4: mmioSeek(stream, ops.ConsumeIntegral<int32_t>(), ops.ConsumeIntegralInRange(0, 3)); break;
        case 5: mmioWrite(stream, buffer, ops.ConsumeIntegralInRange<int32_t>(-4, sizeof buffer)); break;
        case 6: {
            MMCKINFO chunk{};
            chunk.ckid = pickId(ops);
            chunk.fccType = pickId(ops);
            constexpr uint32_t kCreateFlags[] = {0, MMIO_CREATERIFF, MMIO_CREATELIST};
            if (mmioCreateChunk(stream, &chunk, ops.PickValueInArray(kCreateFlags)) == MMSYSERR_NOERROR)
                open.push_back(chunk);
            break;
        }
        default: {
            MMIOINFO described{};
            mmioGetInfo(stream, &described, 0);
            // The described buffer must hold the described size.
            if (described.cchBuffer > 0)
                buffer[0] = described.pchBuffer[described.cchBuffer - 1];
            break;
        }
        }
    }
    mmioClose(stream, 0);
    return 0;
}
