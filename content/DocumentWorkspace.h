#pragma once

#include <mutex>
#include <string>

#include "ContentFolders.h"
#include "DocumentHost.h"
#include "engine/InstrumentBank.h"
#include "sequencer/KnobSlots.h"
#include "sequencer/Sequencer.h"

namespace trommik2 {

// Everything documents work on, without a plug-in around it: sixteen tracks, a
// pattern, knob slots and names, below a content root. For tools that read and
// write the content tree without rendering audio. User-interface thread.
class DocumentWorkspace : public DocumentHost {
  public:
    explicit DocumentWorkspace(const std::string& root);

    InstrumentBank& bank() override { return bank_; }
    Sequencer& sequencer() override { return sequencer_; }
    KnobSlots& knobSlots() override { return knobSlots_; }
    std::string& kitName() override { return kitName_; }
    std::string& patternName() override { return patternName_; }
    std::string& setupName() override { return setupName_; }
    std::recursive_mutex& processLock() override { return lock_; }
    const ContentFolders& contentFolders() const override { return folders_; }
    int stepResolution() const override { return resolution_; }
    void setStepResolution(int resolution) override { resolution_ = resolution; }
    // Nothing shows the content, so nothing needs telling.
    void refreshEditor(int) override {}
    void setupLoaded() override {}
    void patternChanged() override {}

  private:
    InstrumentBank bank_;
    Sequencer sequencer_;
    KnobSlots knobSlots_;
    ContentFolders folders_;
    std::string kitName_;
    std::string patternName_;
    std::string setupName_;
    std::recursive_mutex lock_;
    int resolution_ = 16;
};

} // namespace trommik2
