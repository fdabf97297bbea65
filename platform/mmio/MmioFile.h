#pragma once

#include <cstdint>
#include <cstdio>

#include <mmio.h>

// The object behind an HMMIO: a file on disk or a block of memory, read and
// written at one position. Memory files grow when they own their buffer and
// were given a growth increment.
struct MmioFile {
    static MmioFile* openFile(const char* path, uint32_t flags, uint32_t* error);
    static MmioFile* openMemory(MMIOINFO* info, uint32_t flags, uint32_t* error);
    ~MmioFile();

    int32_t read(char* buffer, int32_t count);
    int32_t write(const char* buffer, int32_t count);
    int64_t seek(int64_t offset, int origin);
    int64_t position() const { return position_; }
    int64_t size() const;
    bool flush();
    void describe(MMIOINFO* info) const;

  private:
    MmioFile() = default;
    bool reserve(int64_t end);

    std::FILE* file_ = nullptr;
    char* memory_ = nullptr;
    int64_t capacity_ = 0;
    int64_t memorySize_ = 0;
    uint32_t growBy_ = 0;
    bool ownsMemory_ = false;
    bool writable_ = false;
    int64_t position_ = 0;
};
