#include "MmioFile.h"

#include <cstdlib>
#include <cstring>
#include <new>

MmioFile* MmioFile::openFile(const char* path, uint32_t flags, uint32_t* error) {
    const char* mode = "rb";
    if (flags & MMIO_CREATE)
        mode = (flags & MMIO_READWRITE) ? "w+b" : "wb";
    else if (flags & (MMIO_WRITE | MMIO_READWRITE))
        mode = "r+b";
    std::FILE* f = std::fopen(path, mode);
    if (!f) {
        *error = (flags & MMIO_CREATE) ? MMIOERR_CANNOTOPEN : MMIOERR_FILENOTFOUND;
        return nullptr;
    }
    auto* file = new (std::nothrow) MmioFile;
    if (!file) {
        std::fclose(f);
        *error = MMIOERR_OUTOFMEMORY;
        return nullptr;
    }
    file->file_ = f;
    file->writable_ = (flags & (MMIO_WRITE | MMIO_READWRITE | MMIO_CREATE)) != 0;
    return file;
}

MmioFile* MmioFile::openMemory(MMIOINFO* info, uint32_t flags, uint32_t* error) {
    if (info->cchBuffer < 0 || (!info->pchBuffer && info->cchBuffer == 0 && info->adwInfo[0] == 0)) {
        *error = MMIOERR_CANNOTOPEN;
        return nullptr;
    }
    auto* file = new (std::nothrow) MmioFile;
    if (!file) {
        *error = MMIOERR_OUTOFMEMORY;
        return nullptr;
    }
    file->growBy_ = info->adwInfo[0];
    file->writable_ = (flags & (MMIO_WRITE | MMIO_READWRITE | MMIO_CREATE)) != 0;
    if (info->pchBuffer) {
        file->memory_ = info->pchBuffer;
    } else if (info->cchBuffer > 0) {
        file->memory_ = static_cast<char*>(std::calloc(static_cast<size_t>(info->cchBuffer), 1));
        file->ownsMemory_ = true;
        if (!file->memory_) {
            delete file;
            *error = MMIOERR_OUTOFMEMORY;
            return nullptr;
        }
    } else {
        file->ownsMemory_ = true;
    }
    file->capacity_ = info->cchBuffer;
    // A created memory file starts empty; otherwise the whole buffer is its content.
    file->memorySize_ = (flags & MMIO_CREATE) ? 0 : info->cchBuffer;
    return file;
}

MmioFile::~MmioFile() {
    if (file_)
        std::fclose(file_);
    if (ownsMemory_)
        std::free(memory_);
}

int64_t MmioFile::size() const {
    if (!file_)
        return memorySize_;
    long here = std::ftell(file_);
    std::fseek(file_, 0, SEEK_END);
    long end = std::ftell(file_);
    std::fseek(file_, here, SEEK_SET);
    return end;
}

bool MmioFile::reserve(int64_t end) {
    if (end <= capacity_)
        return true;
    if (!ownsMemory_ || growBy_ == 0 || end > INT32_MAX)
        return false;
    int64_t wanted = capacity_ + growBy_;
    if (wanted < end)
        wanted = end + growBy_;
    if (wanted > INT32_MAX)
        wanted = INT32_MAX;
    char* grown = static_cast<char*>(std::realloc(memory_, static_cast<size_t>(wanted)));
    if (!grown)
        return false;
    std::memset(grown + capacity_, 0, static_cast<size_t>(wanted - capacity_));
    memory_ = grown;
    capacity_ = wanted;
    return true;
}

int32_t MmioFile::read(char* buffer, int32_t count) {
    if (count < 0 || (!buffer && count > 0))
        return -1;
    if (file_) {
        if (std::fseek(file_, static_cast<long>(position_), SEEK_SET) != 0)
            return -1;
        size_t got = std::fread(buffer, 1, static_cast<size_t>(count), file_);
        if (got < static_cast<size_t>(count) && std::ferror(file_)) {
            std::clearerr(file_);
            return -1;
        }
        position_ += static_cast<int64_t>(got);
        return static_cast<int32_t>(got);
    }
    int64_t available = memorySize_ - position_;
    int64_t n = available < count ? available : count;
    if (n <= 0)
        return 0;
    std::memcpy(buffer, memory_ + position_, static_cast<size_t>(n));
    position_ += n;
    return static_cast<int32_t>(n);
}

int32_t MmioFile::write(const char* buffer, int32_t count) {
    if (!writable_ || count < 0 || (!buffer && count > 0))
        return -1;
    if (file_) {
        if (std::fseek(file_, static_cast<long>(position_), SEEK_SET) != 0)
            return -1;
        size_t put = std::fwrite(buffer, 1, static_cast<size_t>(count), file_);
        position_ += static_cast<int64_t>(put);
        return put == static_cast<size_t>(count) ? count : -1;
    }
    int64_t end = position_ + count;
    if (!reserve(end))
        return -1;
    if (count > 0)
        std::memcpy(memory_ + position_, buffer, static_cast<size_t>(count));
    position_ = end;
    if (end > memorySize_)
        memorySize_ = end;
    return count;
}

int64_t MmioFile::seek(int64_t offset, int origin) {
    int64_t base = 0;
    if (origin == SEEK_CUR)
        base = position_;
    else if (origin == SEEK_END)
        base = size();
    else if (origin != SEEK_SET)
        return -1;
    int64_t target = base + offset;
    if (target < 0 || target > INT32_MAX)
        return -1;
    if (!file_ && target > memorySize_) {
        // Seeking past the end of a memory file only works where it can grow.
        if (!writable_ || !reserve(target))
            return -1;
        memorySize_ = target;
    }
    position_ = target;
    return target;
}

bool MmioFile::flush() { return !file_ || std::fflush(file_) == 0; }

void MmioFile::describe(MMIOINFO* info) const {
    std::memset(info, 0, sizeof *info);
    info->fccIOProc = file_ ? FOURCC_DOS : FOURCC_MEM;
    info->pchBuffer = memory_;
    info->cchBuffer = static_cast<int32_t>(file_ ? 0 : memorySize_);
    info->adwInfo[0] = growBy_;
    info->lDiskOffset = static_cast<int32_t>(position_);
}
