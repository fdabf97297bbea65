#include "HostInstance.h"

#include <vector>

#include <trommik2/effect_record.h>

namespace {

constexpr uint32_t kGrowBy = 64 * 1024;
constexpr int32_t kEditorIdle = 19;

} // namespace

HostInstance::HostInstance(ZelkoraSynthesizerFunction entry, uint32_t sampleRate, float tempo) : entry_(entry) {
    context_.hostIdA = 0x54524D4B;
    context_.hostIdB = 2;
    context_.hostCallback = hostCallback;
    context_.sampleRate = sampleRate;
    context_.tempo = tempo;
}

HostInstance::~HostInstance() {
    if (open_)
        entry_(2, &context_);
}

int32_t HostInstance::hostCallback(int32_t code, HostCallbackRecord* record) {
    // The record names the context, which lives inside its instance.
    auto* self =
        reinterpret_cast<HostInstance*>(reinterpret_cast<char*>(record->context) - offsetof(HostInstance, context_));
    if (self->handler_)
        self->handler_(code, self->handlerUser_);
    return 0;
}

bool HostInstance::open() {
    open_ = entry_(1, &context_) == 1;
    return open_;
}

bool HostInstance::loadStateText(const std::string& text) {
    MMIOINFO info{};
    info.fccIOProc = FOURCC_MEM;
    info.pchBuffer = const_cast<char*>(text.data());
    info.cchBuffer = static_cast<int32_t>(text.size());
    HMMIO stream = mmioOpen(nullptr, &info, MMIO_READ);
    if (!stream && !text.empty())
        return false;
    bool loaded = loadStateStream(stream, static_cast<uint32_t>(text.size()));
    if (stream)
        mmioClose(stream, 0);
    return loaded;
}

bool HostInstance::loadStateStream(HMMIO stream, uint32_t size) {
    context_.stateStream = stream;
    context_.stateSize = size;
    bool loaded = entry_(5, &context_) == 1;
    context_.stateStream = nullptr;
    context_.stateSize = 0;
    return loaded;
}

bool HostInstance::saveStateStream(HMMIO stream) {
    context_.stateStream = stream;
    bool saved = entry_(6, &context_) == 1;
    context_.stateStream = nullptr;
    return saved;
}

bool HostInstance::saveStateText(std::string* text) {
    MMIOINFO info{};
    info.fccIOProc = FOURCC_MEM;
    info.adwInfo[0] = kGrowBy;
    HMMIO stream = mmioOpen(nullptr, &info, MMIO_READWRITE | MMIO_CREATE);
    if (!stream)
        return false;
    bool saved = saveStateStream(stream);
    if (saved) {
        mmioGetInfo(stream, &info, 0);
        text->assign(info.pchBuffer ? info.pchBuffer : "", static_cast<size_t>(info.cchBuffer));
    }
    mmioClose(stream, 0);
    return saved;
}

bool HostInstance::render(float* interleaved, int32_t frames, int32_t position) {
    context_.outputBuffer = interleaved;
    context_.valueCount = frames * 2;
    context_.position = position;
    return entry_(7, &context_) == 1;
}

void HostInstance::editorIdle() {
    auto* effect = static_cast<AEffect*>(context_.plugin);
    if (effect)
        effect->dispatcher(effect, kEditorIdle, 0, 0, nullptr, 0.0f);
}
