#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include <core/DrumMachine.h>
#include <core/effect/EffectEditor.h>
#include <platform/ScriptedDialogs.h>

#include "support/FileSupport.h"

// The vendor messages a drum machine sent to its host: (index, value) pairs.
inline std::vector<std::pair<int32_t, intptr_t>>& vendorMessages() {
    static std::vector<std::pair<int32_t, intptr_t>> messages;
    return messages;
}

inline intptr_t recordingHost(AEffect*, int32_t opcode, int32_t index, intptr_t value, void*, float) {
    if (opcode == trommik2::audioMasterVendorSpecific)
        vendorMessages().emplace_back(index, value);
    return 0;
}

inline int playRequests() {
    int count = 0;
    for (const auto& [index, value] : vendorMessages())
        count += index == trommik2::fourCharCode("HOST") && value == trommik2::fourCharCode("PLAY");
    return count;
}

// An editor that only notes the refreshes it is told.
class RecordingEditor : public trommik2::EffectEditor {
  public:
    explicit RecordingEditor(std::vector<std::pair<int32_t, float>>* log) : log_(log) {}
    bool getRect(trommik2::ERect**) override { return false; }
    bool open(uintptr_t) override { return false; }
    void close() override {}
    void idle() override {}
    void setParameter(int32_t index, float value) override { log_->emplace_back(index, value); }
    bool setKnobMode(int32_t) override { return false; }
    uintptr_t systemWindow() const override { return 0; }
    void focus() override {}

  private:
    std::vector<std::pair<int32_t, float>>* log_;
};

// A drum machine whose content tree and configuration lie in a temporary
// folder, with scripted dialogs, a recording host and a recording editor.
class ContentRig : public testing::Test {
  protected:
    ContentRig() : root_("core-content"), machine_(recordingHost) {
        trommik2::Dialogs::install(&dialogs_);
        vendorMessages().clear();
        machine_.setEditor(new RecordingEditor(&refreshes_));
        startUp(machine_);
    }
    ~ContentRig() override { trommik2::Dialogs::install(nullptr); }

    void startUp(trommik2::DrumMachine& machine) { machine.startUp(root_.path().string(), root_.file("Trommik2.ini")); }
    std::string pathOf(const std::string& name, int kind) { return machine_.contentFolders().pathOf(name, kind); }
    // Saves the pattern with the given shuffle under name in the pattern folder.
    void savePattern(const std::string& name, int shuffle) {
        machine_.sequencer().setShuffle(shuffle);
        std::string path = pathOf(name + ".tm2pat", kContentPatterns);
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        ASSERT_TRUE(machine_.patternDocument().savePatternFile(path));
    }
    bool refreshed(int32_t control) const {
        for (const auto& [index, value] : refreshes_)
            if (index == control && value == 1.0f)
                return true;
        return false;
    }

    TempFolder root_;
    trommik2::ScriptedDialogs dialogs_;
    std::vector<std::pair<int32_t, float>> refreshes_;
    trommik2::DrumMachine machine_;
};
