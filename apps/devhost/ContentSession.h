#pragma once

#include <mutex>
#include <string>

#include <content/ContentFolders.h>
#include <content/ContentLibrary.h>
#include <content/DocumentHost.h>
#include <engine/InstrumentBank.h>
#include <sequencer/KnobSlots.h>
#include <sequencer/Sequencer.h>

// The content tree beside a module, worked on with the module's own content
// library and a drum machine's tracks of our own: content commands need no
// audio, so no instance of the module is opened for them.
class ContentSession : public trommik2::DocumentHost {
  public:
    // The content root is the folder of the module file.
    explicit ContentSession(const std::string& moduleFile);

    trommik2::ContentLibrary& library() { return library_; }

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
    void refreshEditor(EditorRefresh) override {}
    void setupLoaded() override {}

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
    trommik2::ContentLibrary library_{*this};
};
