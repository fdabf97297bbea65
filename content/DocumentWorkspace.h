#pragma once

#include <string>

#include "ContentFolders.h"
#include "DocumentHost.h"

namespace trommik2 {

// A drum machine's model below a content root, without a plug-in around it:
// for tools that read and write the content tree without rendering audio.
// User-interface thread.
class DocumentWorkspace : public DocumentHost {
  public:
    explicit DocumentWorkspace(const std::string& root) { folders_.setRoot(root); }

    DrumMachineModel& model() override { return model_; }
    ProcessLock& processLock() override { return lock_; }
    const ContentFolders& contentFolders() const override { return folders_; }
    // Nothing shows the content, and nothing renders it.
    void refreshEditor(int) override {}
    void setupLoaded() override {}
    void patternChanged() override {}

  private:
    DrumMachineModel model_;
    ContentFolders folders_;
    ProcessLock lock_;
};

} // namespace trommik2
