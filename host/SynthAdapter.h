#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <trommik2/host_api.h>

#include "core/effect/AEffect.h"

namespace trommik2 {

class EffectEditor;
class SynthPlugin;
class X11Window;
struct InstanceRecord;

// Makes the editor of a new plug-in; null when the plug-in has none. The module passes the real editor; the adapter's
// own tests run without one, so the plug-in core needs no window system.
using EditorFactory = std::function<EffectEditor*(SynthPlugin&)>;

// The module-wide adapter between the host's numbered operations and the
// plug-in objects: it keeps the instance table and answers the plug-ins' host
// calls. Operation 7 comes from the host's audio thread, all others from its
// user-interface thread.
class SynthAdapter {
  public:
    explicit SynthAdapter(EditorFactory editorFactory = nullptr);
    virtual ~SynthAdapter();
    SynthAdapter(const SynthAdapter&) = delete;
    SynthAdapter& operator=(const SynthAdapter&) = delete;

    // Any thread. The adapter of the loaded module (the most recently created one).
    static SynthAdapter* current();

    // Allocates and constructs a plug-in; null when that fails.
    virtual SynthPlugin* createEffectInstance(HostCallbackFunction hostCallback);
    virtual int32_t open(HostContext* context);

    // The entry point's dispatch: the result of the numbered operation.
    int32_t dispatch(int32_t operation, HostContext* context);

    // Host-callback support: calls the host's callback of the plug-in's context
    // with code; nothing when the plug-in or the callback is unknown.
    void notifyHost(AEffect* effect, int32_t code);
    // Sends the editor-idle opcode to every instance (the editor timer's tick).
    void idleEditors();
    // The X window that parents the editor, one per module; 0 while there is none.
    uintptr_t wrapperWindow() const;
    // An undecorated top-level window "ZK_WRAPPER" of class "ZelkVstWrapper",
    // transient for the description's parent; raised when it exists already.
    // False without a display or when the window cannot be made.
    bool openWrapperWindow(const VstWindow& description);
    void resizeWrapperWindow(int width, int height);
    void closeWrapperWindow();

    int32_t close(HostContext* context);
    int32_t openEditor(HostContext* context);
    int32_t closeEditor(HostContext* context);
    int32_t loadState(HostContext* context);
    int32_t saveState(HostContext* context);
    int32_t render(HostContext* context);
    int32_t resume(HostContext* context);
    int32_t suspend(HostContext* context);
    int32_t drawThumbnail(HostContext* context);

  private:
    InstanceRecord* find(HostContext* context);
    SynthPlugin* findPlugin(HostContext* context);
    SynthPlugin* livePlugin(const void* effect);
    // The plug-ins of every instance but the context's (all of them for null).
    std::vector<SynthPlugin*> pluginsExcept(const HostContext* context);
    int32_t carryOver(SynthPlugin* from, SynthPlugin* to, bool* editorWasOpen);

    std::vector<InstanceRecord*> instances_;
    // Guards the table only; held for look-ups and edits, never while a
    // plug-in is built, deleted or asked anything.
    std::recursive_mutex instanceLock_;
    EditorFactory editorFactory_;
    // User-interface thread only.
    std::unique_ptr<X11Window> wrapper_;
};

} // namespace trommik2
