#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <content/DocumentWorkspace.h>

#include "support/FileSupport.h"

// What the documents see of a drum machine, with the content root in a
// temporary folder; it records what the editor would have been told.
class TestDocumentHost : public trommik2::DocumentWorkspace {
  public:
    explicit TestDocumentHost(const std::filesystem::path& root) : DocumentWorkspace(root.string()) {}

    void refreshEditor(int part) override { refreshes.push_back(part); }
    void setupLoaded() override { ++setupsLoaded; }

    // The sample folder's path of a name such as "Kicks/Deep.wav".
    std::string samplePath(const std::string& name) const { return contentFolders().pathOf(name, kContentSamples); }

    std::vector<int> refreshes;
    int setupsLoaded = 0;
};
