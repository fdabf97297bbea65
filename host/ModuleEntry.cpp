// The module's only export and its attach/detach pair.
#include <trommik2/host_api.h>

#include "SynthAdapter.h"
#include "core/DrumMachine.h"
#include "editor/EditorWindow.h"

namespace {

trommik2::SynthAdapter* moduleAdapter = nullptr;

trommik2::EffectEditor* makeEditor(trommik2::SynthPlugin& plugin) {
    auto* machine = dynamic_cast<trommik2::DrumMachine*>(&plugin);
    return machine ? new trommik2::EditorWindow(machine) : nullptr;
}

__attribute__((constructor)) void attachModule() { moduleAdapter = new trommik2::SynthAdapter(makeEditor); }

// Instances the host did not close are left alone: their objects may still be in use.
__attribute__((destructor)) void detachModule() {
    delete moduleAdapter;
    moduleAdapter = nullptr;
}

} // namespace

extern "C" int32_t ZelkoraSynthesizer(int32_t operation, HostContext* context) {
    return moduleAdapter ? moduleAdapter->dispatch(operation, context) : 0;
}
