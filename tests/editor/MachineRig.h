#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "ScriptedWindow.h"
#include "core/DrumMachine.h"
#include "editor/EditorWindow.h"
#include "platform/ScriptedDialogs.h"
#include "support/FileSupport.h"
#include <trommik2/control_ids.h>

namespace trommik2 {

// What the drum machine asked of its host, as the host binding would see it.
struct HostLog {
    // The vendor messages as text ("DACC", "PLAY", ...), in order.
    std::vector<std::string> messages;
    std::vector<std::pair<int, int>> sizes;
    int windowCloses = 0;
    std::function<void(int, int)> onSize;
    std::function<void()> onCloseWindow;

    static HostLog& current() {
        static HostLog log;
        return log;
    }
    static intptr_t callback(AEffect*, int32_t opcode, int32_t index, intptr_t value, void*, float) {
        HostLog& self = current();
        if (opcode == audioMasterVendorSpecific && index == fourCharCode("HOST")) {
            auto code = static_cast<uint32_t>(value);
            self.messages.push_back({char(code >> 24), char(code >> 16), char(code >> 8), char(code)});
        } else if (opcode == audioMasterSizeWindow) {
            self.sizes.emplace_back(index, static_cast<int>(value));
            if (self.onSize)
                self.onSize(index, static_cast<int>(value));
            return 1;
        } else if (opcode == audioMasterCloseWindow) {
            ++self.windowCloses;
            if (self.onCloseWindow)
                self.onCloseWindow();
        }
        return 0;
    }
};

// A drum machine whose content tree and configuration lie in a temporary
// folder, with a recording host and scripted dialogs; Editor is the editor
// class it gets (the machine owns it).
template <typename Editor>
class MachineRig {
  public:
    explicit MachineRig(const std::string& name) : folder(name), machine(&HostLog::callback) {
        HostLog::current() = HostLog{};
        Dialogs::install(&dialogs);
        machine.startUp(folder.path().string(), configurationPath());
        editor = new Editor(&machine);
        machine.setEditor(editor);
    }
    ~MachineRig() { Dialogs::install(nullptr); }

    std::string configurationPath() const { return folder.file("Trommik2.ini"); }
    // Saves the current drum kit under name in the kit folder and lists it;
    // kits differ by the pan of the selected track's instrument.
    void saveKit(const std::string& name, float pan) {
        machine.setParameter(OutPan, pan);
        std::string path = machine.contentFolders().pathOf(name + ".tm2drk", kContentDrumkits);
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        machine.drumkitDocument().saveDrumkitFile(path);
        machine.contentLibrary().refreshList(kContentDrumkits);
    }
    std::string state() {
        std::string text;
        machine.saveState(text);
        return text;
    }
    std::string display(int index) {
        char text[DrumMachine::kDisplayLength] = {};
        machine.getParameterDisplay(index, text);
        return text;
    }
    Configuration configuration() const { return Configuration(configurationPath()); }
    HostLog& host() { return HostLog::current(); }

    TempFolder folder;
    ScriptedDialogs dialogs;
    DrumMachine machine;
    Editor* editor = nullptr;
};

// The editor window with a scripted window instead of an X11 one.
class OffscreenEditor : public EditorWindow {
  public:
    using EditorWindow::EditorWindow;
    ScriptedWindow* window = nullptr;

  protected:
    std::unique_ptr<FrameWindow> openWindow(uintptr_t, EditorFrame&) override {
        auto scripted = std::make_unique<ScriptedWindow>();
        window = scripted.get();
        return scripted;
    }
};

} // namespace trommik2
