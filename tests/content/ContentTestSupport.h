#pragma once

#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

#include <content/ContentFolders.h>
#include <content/DocumentHost.h>
#include <engine/InstrumentBank.h>
#include <sequencer/KnobSlots.h>
#include <sequencer/Sequencer.h>

#include "support/FileSupport.h"

// What the documents see of a drum machine: a bank, a pattern, knob slots and
// names, with the content root in a temporary folder; it records what the
// editor would have been told.
class TestDocumentHost : public trommik2::DocumentHost {
  public:
    explicit TestDocumentHost(const std::filesystem::path& root) : bank_(44100.0f), sequencer_(bank_.table()) {
        folders_.setRoot(root.string());
    }

    trommik2::InstrumentBank& bank() override { return bank_; }
    trommik2::Sequencer& sequencer() override { return sequencer_; }
    trommik2::KnobSlots& knobSlots() override { return knobSlots_; }
    std::string& kitName() override { return kitName_; }
    std::string& patternName() override { return patternName_; }
    std::string& setupName() override { return setupName_; }
    std::recursive_mutex& processLock() override { return lock_; }
    const trommik2::ContentFolders& contentFolders() const override { return folders_; }
    int stepResolution() const override { return resolution_; }
    void setStepResolution(int resolution) override { resolution_ = resolution; }
    void refreshEditor(EditorRefresh part) override { refreshes.push_back(part); }
    void setupLoaded() override { ++setupsLoaded; }

    // The sample folder's path of a name such as "Kicks/Deep.wav".
    std::string samplePath(const std::string& name) const { return folders_.pathOf(name, trommik2::kContentSamples); }

    std::vector<int> refreshes;
    int setupsLoaded = 0;

  private:
    trommik2::InstrumentBank bank_;
    trommik2::Sequencer sequencer_;
    trommik2::KnobSlots knobSlots_;
    trommik2::ContentFolders folders_;
    std::string kitName_;
    std::string patternName_;
    std::string setupName_;
    std::recursive_mutex lock_;
    int resolution_ = 16;
};
