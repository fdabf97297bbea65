// The C entry points of the mmio layer, with the RIFF chunk navigation.
#include <cstring>
#include <new>

#include "MmioFile.h"

namespace {

constexpr int64_t kNoLimit = INT64_MAX;

bool readWord(MmioFile* file, uint32_t* word) {
    unsigned char bytes[4];
    if (file->read(reinterpret_cast<char*>(bytes), 4) != 4)
        return false;
    *word = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
    return true;
}

bool writeWord(MmioFile* file, uint32_t word) {
    const char bytes[4] = {static_cast<char>(word), static_cast<char>(word >> 8), static_cast<char>(word >> 16),
                           static_cast<char>(word >> 24)};
    return file->write(bytes, 4) == 4;
}

bool hasFormType(FOURCC id) { return id == FOURCC_RIFF || id == FOURCC_LIST; }

bool matches(const MMCKINFO& found, const MMCKINFO& wanted, uint32_t flags) {
    if (flags & MMIO_FINDRIFF)
        return found.ckid == FOURCC_RIFF && found.fccType == wanted.fccType;
    if (flags & MMIO_FINDLIST)
        return found.ckid == FOURCC_LIST && found.fccType == wanted.fccType;
    if (flags & MMIO_FINDCHUNK)
        return found.ckid == wanted.ckid;
    return true;
}

// Reads the header at the current position; false at the end of the data.
bool readHeader(MmioFile* file, MMCKINFO* chunk, int64_t limit) {
    int64_t start = file->position();
    if (start + 8 > limit)
        return false;
    if (!readWord(file, &chunk->ckid) || !readWord(file, &chunk->cksize))
        return false;
    chunk->dwDataOffset = static_cast<uint32_t>(start + 8);
    chunk->fccType = 0;
    chunk->dwFlags = 0;
    if (hasFormType(chunk->ckid) && (start + 12 > limit || !readWord(file, &chunk->fccType)))
        return false;
    return true;
}

} // namespace

extern "C" {

HMMIO mmioOpen(char* path, MMIOINFO* info, uint32_t flags) {
    uint32_t error = MMSYSERR_NOERROR;
    MmioFile* file = nullptr;
    if (info && info->fccIOProc == FOURCC_MEM && !path)
        file = MmioFile::openMemory(info, flags, &error);
    else if (path)
        file = MmioFile::openFile(path, flags, &error);
    else
        error = MMIOERR_CANNOTOPEN;
    if (info)
        info->wErrorRet = error;
    if (file && info)
        info->hmmio = file;
    return file;
}

MMRESULT mmioClose(HMMIO handle, uint32_t) {
    if (!handle)
        return MMIOERR_CANNOTCLOSE;
    bool flushed = handle->flush();
    delete handle;
    return flushed ? MMSYSERR_NOERROR : MMIOERR_CANNOTWRITE;
}

int32_t mmioRead(HMMIO handle, char* buffer, int32_t count) { return handle ? handle->read(buffer, count) : -1; }

int32_t mmioWrite(HMMIO handle, const char* buffer, int32_t count) {
    return handle ? handle->write(buffer, count) : -1;
}

int32_t mmioSeek(HMMIO handle, int32_t offset, int origin) {
    return handle ? static_cast<int32_t>(handle->seek(offset, origin)) : -1;
}

MMRESULT mmioGetInfo(HMMIO handle, MMIOINFO* info, uint32_t) {
    if (!handle || !info)
        return MMIOERR_INVALIDFILE;
    handle->describe(info);
    info->hmmio = handle;
    return MMSYSERR_NOERROR;
}

MMRESULT mmioDescend(HMMIO handle, MMCKINFO* chunk, const MMCKINFO* parent, uint32_t flags) {
    if (!handle || !chunk)
        return MMIOERR_INVALIDFILE;
    int64_t limit = parent ? int64_t{parent->dwDataOffset} + parent->cksize : kNoLimit;
    MMCKINFO found{};
    for (;;) {
        if (!readHeader(handle, &found, limit))
            return MMIOERR_CHUNKNOTFOUND;
        if (matches(found, *chunk, flags))
            break;
        if (!(flags & (MMIO_FINDCHUNK | MMIO_FINDRIFF | MMIO_FINDLIST)))
            break;
        int64_t next = int64_t{found.dwDataOffset} + found.cksize + (found.cksize & 1u);
        if (handle->seek(next, SEEK_SET) < 0)
            return MMIOERR_CHUNKNOTFOUND;
    }
    *chunk = found;
    return MMSYSERR_NOERROR;
}

MMRESULT mmioAscend(HMMIO handle, MMCKINFO* chunk, uint32_t) {
    if (!handle || !chunk)
        return MMIOERR_INVALIDFILE;
    if (chunk->dwFlags & MMIO_DIRTY) {
        int64_t end = handle->position();
        if (end < chunk->dwDataOffset)
            return MMIOERR_CANNOTSEEK;
        chunk->cksize = static_cast<uint32_t>(end - chunk->dwDataOffset);
        if ((chunk->cksize & 1u) && handle->write("", 1) != 1)
            return MMIOERR_CANNOTWRITE;
        if (handle->seek(int64_t{chunk->dwDataOffset} - 4, SEEK_SET) < 0 || !writeWord(handle, chunk->cksize))
            return MMIOERR_CANNOTWRITE;
        chunk->dwFlags &= ~MMIO_DIRTY;
    }
    int64_t next = int64_t{chunk->dwDataOffset} + chunk->cksize + (chunk->cksize & 1u);
    return handle->seek(next, SEEK_SET) < 0 ? MMIOERR_CANNOTSEEK : MMSYSERR_NOERROR;
}

MMRESULT mmioCreateChunk(HMMIO handle, MMCKINFO* chunk, uint32_t flags) {
    if (!handle || !chunk)
        return MMIOERR_INVALIDFILE;
    if (flags & MMIO_CREATERIFF)
        chunk->ckid = FOURCC_RIFF;
    else if (flags & MMIO_CREATELIST)
        chunk->ckid = FOURCC_LIST;
    int64_t start = handle->position();
    if (!writeWord(handle, chunk->ckid) || !writeWord(handle, chunk->cksize))
        return MMIOERR_CANNOTWRITE;
    if (hasFormType(chunk->ckid) && !writeWord(handle, chunk->fccType))
        return MMIOERR_CANNOTWRITE;
    chunk->dwDataOffset = static_cast<uint32_t>(start + 8);
    chunk->dwFlags = MMIO_DIRTY;
    return MMSYSERR_NOERROR;
}

} // extern "C"
