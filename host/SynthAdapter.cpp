#include "SynthAdapter.h"

#include <algorithm>
#include <atomic>
#include <new>

#include <trommik2/control_ids.h>

#include "HostCallbackEmulation.h"
#include "InstanceRecord.h"
#include "core/DrumMachine.h"
#include "core/effect/EffectEditor.h"
#include "core/effect/SynthPlugin.h"
#include "platform/x11/X11Window.h"

namespace trommik2 {

namespace {

std::atomic<SynthAdapter*> currentAdapter{nullptr};

constexpr int32_t kKnobModeCircular = 0;
constexpr int32_t kKnobModeLinear = 2;
constexpr uint32_t kKnobModeValid = 1u << 31;
constexpr uint32_t kKnobLinear = 1u << 13;
constexpr uint32_t kKnobCircular = 1u << 12;

// The host's 32-bit coordinate arithmetic: a sum past the range wraps around
// (and then describes an empty rectangle) instead of being undefined.
int32_t wrappingSum(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

} // namespace

SynthAdapter::SynthAdapter(EditorFactory editorFactory) : editorFactory_(std::move(editorFactory)) {
    currentAdapter = this;
}

SynthAdapter::~SynthAdapter() {
    SynthAdapter* self = this;
    currentAdapter.compare_exchange_strong(self, nullptr);
}

SynthAdapter* SynthAdapter::current() { return currentAdapter; }

SynthPlugin* SynthAdapter::createEffectInstance(HostCallbackFunction hostCallback) {
    return new (std::nothrow) DrumMachine(hostCallback);
}

int32_t SynthAdapter::dispatch(int32_t operation, HostContext* context) {
    switch (operation & 0xFFFF) {
    case 1: return open(context);
    case 2: return close(context);
    case 3: return openEditor(context);
    case 4: return closeEditor(context);
    case 5: return loadState(context);
    case 6: return saveState(context);
    case 7: return render(context);
    case 8: return resume(context);
    case 10: return suspend(context);
    case 11: return drawThumbnail(context);
    case 12: return 2;
    case 14: return 4;
    case 15: return 42;
    default: return 0;
    }
}

InstanceRecord* SynthAdapter::find(HostContext* context) {
    std::lock_guard<std::recursive_mutex> lock(instanceLock_);
    for (InstanceRecord* record : instances_)
        if (record->context == context)
            return record;
    return nullptr;
}

SynthPlugin* SynthAdapter::findPlugin(HostContext* context) {
    InstanceRecord* record = context ? find(context) : nullptr;
    return record ? record->plugin : nullptr;
}

SynthPlugin* SynthAdapter::livePlugin(const void* effect) {
    std::lock_guard<std::recursive_mutex> lock(instanceLock_);
    for (InstanceRecord* record : instances_)
        if (record->plugin->getAeffect() == effect)
            return record->plugin;
    return nullptr;
}

int32_t SynthAdapter::carryOver(SynthPlugin* from, SynthPlugin* to, bool* editorWasOpen) {
    EffectEditor* editor = from->getEditor();
    *editorWasOpen = editor && editor->systemWindow() != 0;
    std::string state;
    if (!from->saveState(state))
        return 1;
    return to->loadState(state.c_str()) ? 1 : 0;
}

// The instance lock guards only the table: building a plug-in (which scans the
// content tree and loads the start-up setup) and deleting one happen outside
// it, so rendering other instances never waits for them.
int32_t SynthAdapter::open(HostContext* context) {
    if (!context)
        return 0;
    SynthPlugin* plugin = createEffectInstance(hostCallbackEmulation);
    if (!plugin)
        return 0;
    // The editor object is cheap: its window comes only with operation 3.
    if (editorFactory_)
        plugin->setEditor(editorFactory_(*plugin));
    int32_t result = 1;
    bool editorWasOpen = false;
    // A copied context may name a plug-in that is long gone: only a live one is asked.
    if (SynthPlugin* previous = livePlugin(context->plugin))
        result = carryOver(previous, plugin, &editorWasOpen);
    auto* record = new (std::nothrow) InstanceRecord(plugin, context);
    if (!record) {
        delete plugin;
        return 0;
    }
    context->plugin = plugin->getAeffect();
    context->reservedWord = 0;
    {
        std::lock_guard<std::recursive_mutex> lock(instanceLock_);
        instances_.push_back(record);
    }
    if (result == 1 && editorWasOpen)
        openEditor(context);
    return result;
}

int32_t SynthAdapter::close(HostContext* context) {
    InstanceRecord* record = nullptr;
    {
        std::lock_guard<std::recursive_mutex> lock(instanceLock_);
        auto it = std::find_if(instances_.begin(), instances_.end(),
                               [context](const InstanceRecord* r) { return r->context == context; });
        if (!context || it == instances_.end())
            return 0;
        record = *it;
        instances_.erase(it);
    }
    EffectEditor* editor = record->plugin->getEditor();
    const bool editorOpen = editor && editor->systemWindow() != 0;
    // The plug-in deletes its editor first, under its process lock.
    delete record->plugin;
    delete record;
    if (editorOpen)
        closeWrapperWindow();
    return 1;
}

int32_t SynthAdapter::openEditor(HostContext* context) {
    for (SynthPlugin* other : pluginsExcept(context))
        if (other->getEditor())
            other->getEditor()->close();
    SynthPlugin* plugin = findPlugin(context);
    EffectEditor* editor = plugin ? plugin->getEditor() : nullptr;
    if (!editor)
        return 0;
    ERect* rect = nullptr;
    if (!editor->getRect(&rect) || !rect)
        return 0;
    if (!wrapper_) {
        VstWindow window{};
        window.xPos = rect->left;
        window.yPos = rect->top;
        window.width = static_cast<int16_t>(rect->right - rect->left);
        window.height = static_cast<int16_t>(rect->bottom - rect->top);
        window.parent = reinterpret_cast<void*>(context->parentWindow);
        plugin->openWindow(&window);
    }
    if (!wrapper_)
        return 0;
    bool opened = editor->open(wrapperWindow());
    if (!opened) {
        closeWrapperWindow();
        return 0;
    }
    context->editorWindow = wrapperWindow();
    editor->focus();
    if (context->editorFlags & kKnobModeValid) {
        if (context->editorFlags & kKnobLinear)
            editor->setKnobMode(kKnobModeLinear);
        else if (context->editorFlags & kKnobCircular)
            editor->setKnobMode(kKnobModeCircular);
    }
    return 1;
}

int32_t SynthAdapter::closeEditor(HostContext* context) {
    SynthPlugin* plugin = findPlugin(context);
    if (!plugin)
        return 0;
    if (plugin->getEditor())
        plugin->getEditor()->close();
    closeWrapperWindow();
    context->editorWindow = 0;
    return 1;
}

int32_t SynthAdapter::loadState(HostContext* context) {
    SynthPlugin* plugin = findPlugin(context);
    if (!plugin)
        return 0;
    uint32_t size = context->stateSize;
    if (size > static_cast<uint32_t>(INT32_MAX) - 1)
        return 0;
    char* text = new (std::nothrow) char[size + 1];
    if (!text)
        return 0;
    int32_t got = mmioRead(context->stateStream, text, static_cast<int32_t>(size));
    int32_t result = 0;
    if (got >= 0) {
        text[got] = '\0';
        result = plugin->loadState(text) ? 1 : 0;
    }
    delete[] text;
    return result;
}

int32_t SynthAdapter::saveState(HostContext* context) {
    SynthPlugin* plugin = findPlugin(context);
    if (!plugin)
        return 0;
    std::string state;
    if (!plugin->saveState(state) || state.size() > static_cast<size_t>(INT32_MAX))
        return 0;
    int32_t length = static_cast<int32_t>(state.size());
    return mmioWrite(context->stateStream, state.data(), length) == length ? 1 : 0;
}

int32_t SynthAdapter::render(HostContext* context) {
    InstanceRecord* record = context ? find(context) : nullptr;
    if (!record)
        return 0;
    if (!context->outputBuffer || context->valueCount <= 0 || context->tempo == 0.0f)
        return 1;
    SynthPlugin* plugin = record->plugin;
    plugin->setSampleRate(static_cast<float>(context->sampleRate));
    const int32_t frames = context->valueCount / 2;
    for (int32_t done = 0; done < frames; done += InstanceRecord::kChunkFrames) {
        const int32_t n = std::min(frames - done, InstanceRecord::kChunkFrames);
        plugin->setParameter(kParamHostPosition, static_cast<float>(int64_t{context->position} + done));
        plugin->setParameter(kParamHostTempo, context->tempo);
        plugin->processReplacing(record->inputs, record->outputs, n);
        float* out = context->outputBuffer + 2 * static_cast<size_t>(done);
        for (int32_t i = 0; i < n; ++i) {
            out[2 * i] = record->output[0][i];
            out[2 * i + 1] = record->output[1][i];
        }
    }
    return 1;
}

int32_t SynthAdapter::resume(HostContext* context) {
    SynthPlugin* plugin = findPlugin(context);
    if (!plugin)
        return 0;
    plugin->resume();
    return 1;
}

int32_t SynthAdapter::suspend(HostContext* context) {
    SynthPlugin* plugin = findPlugin(context);
    if (!plugin)
        return 0;
    plugin->suspend();
    return 1;
}

int32_t SynthAdapter::drawThumbnail(HostContext* context) {
    SynthPlugin* plugin = findPlugin(context);
    if (!plugin)
        return 0;
    return plugin->drawThumbnail(context->thumbnailDc, context->thumbnailLeft, context->thumbnailTop,
                                 wrappingSum(context->thumbnailLeft, context->thumbnailWidth),
                                 wrappingSum(context->thumbnailTop, context->thumbnailHeight), context->thumbnailStart,
                                 context->thumbnailEnd, context->tempo);
}

void SynthAdapter::notifyHost(AEffect* effect, int32_t code) {
    HostContext* context = nullptr;
    {
        std::lock_guard<std::recursive_mutex> lock(instanceLock_);
        for (InstanceRecord* record : instances_)
            if (record->plugin->getAeffect() == effect)
                context = record->context;
    }
    // The host's callback may call us back: it runs without the lock.
    if (context && context->hostCallback) {
        HostCallbackRecord callbackRecord{context->hostIdA, context->hostIdB, context, 0};
        context->hostCallback(code, &callbackRecord);
    }
}

uintptr_t SynthAdapter::wrapperWindow() const { return wrapper_ ? wrapper_->id() : 0; }

bool SynthAdapter::openWrapperWindow(const VstWindow& description) {
    if (wrapper_) {
        XRaiseWindow(wrapper_->display(), wrapper_->id());
        return true;
    }
    X11TopLevelSpec spec;
    spec.transientFor = static_cast<Window>(reinterpret_cast<uintptr_t>(description.parent));
    spec.x = description.xPos;
    spec.y = description.yPos;
    spec.width = std::max<int>(1, description.width);
    spec.height = std::max<int>(1, description.height);
    spec.title = "ZK_WRAPPER";
    spec.className = "ZelkVstWrapper";
    wrapper_ = X11Window::openTopLevel(spec, nullptr);
    return wrapper_ != nullptr;
}

void SynthAdapter::resizeWrapperWindow(int width, int height) {
    if (wrapper_ && width > 0 && height > 0)
        wrapper_->resize(width, height);
}

void SynthAdapter::closeWrapperWindow() {
    if (!wrapper_)
        return;
    {
        // A close from the editor's own button: the host learns it here.
        std::lock_guard<std::recursive_mutex> lock(instanceLock_);
        for (InstanceRecord* record : instances_)
            if (record->context->editorWindow == wrapper_->id())
                record->context->editorWindow = 0;
    }
    wrapper_.reset();
}

void SynthAdapter::idleEditors() {
    for (SynthPlugin* plugin : pluginsExcept(nullptr))
        plugin->dispatcher(effEditIdle, 0, 0, nullptr, 0.0f);
}

std::vector<SynthPlugin*> SynthAdapter::pluginsExcept(const HostContext* context) {
    std::lock_guard<std::recursive_mutex> lock(instanceLock_);
    std::vector<SynthPlugin*> plugins;
    for (InstanceRecord* record : instances_)
        if (record->context != context)
            plugins.push_back(record->plugin);
    return plugins;
}

} // namespace trommik2
