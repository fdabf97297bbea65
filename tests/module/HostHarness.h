#pragma once

// What the module tests need to act as a host: the loaded module, a context,
// state through memory streams, and rendering into the host's buffer.

#include <dlfcn.h>
#include <unistd.h>

#include <filesystem>

#include <string>
#include <vector>

#include <trommik2/host_api.h>

// The built module, copied into a folder of its own so that it starts from the
// factory state whatever content tree lies beside the build.
class LoadedModule {
  public:
    LoadedModule() {
        static int serial = 0;
        folder_ = std::filesystem::temp_directory_path() /
                  ("trommik2-module-" + std::to_string(::getpid()) + "-" + std::to_string(serial++));
        // A folder of this name is a leftover of a killed run whose process id
        // came round again: nothing of it may leak into this one.
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
        std::filesystem::path copy = folder_ / "Trommik2.syn";
        std::filesystem::copy_file(TROMMIK2_MODULE_PATH, copy, std::filesystem::copy_options::overwrite_existing);
        handle_ = dlopen(copy.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle_)
            entry = reinterpret_cast<ZelkoraSynthesizerFunction>(dlsym(handle_, "ZelkoraSynthesizer"));
    }
    ~LoadedModule() {
        if (handle_)
            dlclose(handle_);
        std::filesystem::remove_all(folder_);
    }
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    ZelkoraSynthesizerFunction entry = nullptr;
    // Where the module lies: its configuration and content tree go beside it.
    const std::filesystem::path& folder() const { return folder_; }

  private:
    std::filesystem::path folder_;
    void* handle_ = nullptr;
};

inline HostContext freshContext() {
    HostContext context{};
    context.sampleRate = 44100;
    context.tempo = 120.0f;
    return context;
}

// Operation 6 into a growing memory stream; empty when the save failed.
inline std::string saveText(ZelkoraSynthesizerFunction entry, HostContext& context) {
    MMIOINFO info{};
    info.fccIOProc = FOURCC_MEM;
    info.adwInfo[0] = 64 * 1024;
    HMMIO stream = mmioOpen(nullptr, &info, MMIO_READWRITE | MMIO_CREATE);
    context.stateStream = stream;
    std::string text;
    if (entry(6, &context) == 1) {
        mmioGetInfo(stream, &info, 0);
        text.assign(info.pchBuffer, static_cast<size_t>(info.cchBuffer));
    }
    mmioClose(stream, 0);
    context.stateStream = nullptr;
    return text;
}

// Operation 5 from a memory stream holding text.
inline int32_t loadText(ZelkoraSynthesizerFunction entry, HostContext& context, std::string text) {
    MMIOINFO info{};
    info.fccIOProc = FOURCC_MEM;
    info.pchBuffer = text.data();
    info.cchBuffer = static_cast<int32_t>(text.size());
    HMMIO stream = mmioOpen(nullptr, &info, MMIO_READ);
    context.stateStream = stream;
    context.stateSize = static_cast<uint32_t>(text.size());
    int32_t result = entry(5, &context);
    if (stream)
        mmioClose(stream, 0);
    context.stateStream = nullptr;
    return result;
}

// Renders frames from host position 0 in blocks; returns the left channel.
inline std::vector<float> renderLeft(ZelkoraSynthesizerFunction entry, HostContext& context, int frames,
                                     int block = 512) {
    std::vector<float> left;
    std::vector<float> buffer(2 * static_cast<size_t>(block));
    for (int done = 0; done < frames; done += block) {
        context.outputBuffer = buffer.data();
        context.valueCount = 2 * block;
        context.position = done;
        entry(7, &context);
        for (int i = 0; i < block; ++i)
            left.push_back(buffer[2 * static_cast<size_t>(i)]);
    }
    return left;
}
