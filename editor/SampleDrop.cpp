#include "SampleDrop.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include <trommik2/control_ids.h>

#include "ControlTags.h"
#include "FrontPanel.h"
#include "TextMenu.h"
#include "TrackNameField.h"
#include "content/CaseFolding.h"
#include "content/WavLoader.h"
#include "core/DrumMachine.h"
#include "platform/Dialogs.h"

namespace fs = std::filesystem;

namespace trommik2 {
namespace {

bool isWav(const fs::path& path) { return lowerCase(path.extension().string()) == ".wav"; }

// Links are followed to what they name, so a link to a WAV file counts as that file.
fs::path resolved(const std::string& item) {
    std::error_code ec;
    fs::path path = fs::canonical(fs::path(item), ec);
    return ec ? fs::path(item) : path;
}

std::vector<fs::path> folderWavFiles(const fs::path& folder) {
    std::vector<fs::path> files;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        fs::path file = resolved(it->path().string());
        std::error_code kind;
        if (fs::is_regular_file(file, kind) && isWav(file))
            files.push_back(file);
    }
    std::sort(files.begin(), files.end(), [](const fs::path& a, const fs::path& b) {
        return lowerCase(a.filename().string()) < lowerCase(b.filename().string());
    });
    return files;
}

std::string display(DrumMachine& machine, int index) {
    char text[DrumMachine::kDisplayLength] = {};
    machine.getParameterDisplay(index, text);
    return text;
}

// While a drop imports its files, the sample folder chosen for the first one
// serves them all: one question per drop, not one per file.
class OneFolderPerDrop : public Dialogs {
  public:
    OneFolderPerDrop() : inner_(Dialogs::current()) { Dialogs::install(this); }
    ~OneFolderPerDrop() override { Dialogs::install(&inner_); }
    OneFolderPerDrop(const OneFolderPerDrop&) = delete;
    OneFolderPerDrop& operator=(const OneFolderPerDrop&) = delete;

    Answer message(const std::string& text, const std::string& caption, MessageIcon icon, bool yesNo) override {
        return inner_.message(text, caption, icon, yesNo);
    }
    bool saveFile(const SaveRequest& request, std::string* path) override { return inner_.saveFile(request, path); }
    bool chooseFolder(const std::string& root, const std::string& title, std::string* folder) override {
        if (chosen_.empty() && !inner_.chooseFolder(root, title, &chosen_))
            return false;
        *folder = chosen_;
        return true;
    }

  private:
    Dialogs& inner_;
    std::string chosen_;
};

} // namespace

std::vector<std::string> SampleDrop::wavFiles(const std::vector<std::string>& items) {
    std::vector<std::string> files;
    for (const std::string& item : items) {
        fs::path path = resolved(item);
        std::error_code ec;
        if (fs::is_directory(path, ec)) {
            for (const fs::path& file : folderWavFiles(path))
                files.push_back(file.string());
        } else if (fs::is_regular_file(path, ec) && isWav(path)) {
            files.push_back(path.string());
        }
    }
    return files;
}

SampleDrop::Targets SampleDrop::targets(int tag, size_t files) {
    const int count = static_cast<int>(std::min<size_t>(files, FrontPanel::kTracks));
    if (tag == kTagKitMenu)
        return {0, count};
    if (tag >= kTagFirstName && tag < kTagFirstName + FrontPanel::kTracks) {
        const int first = tag - kTagFirstName;
        return {first, std::min(count, FrontPanel::kTracks - first)};
    }
    return {};
}

void SampleDrop::hover(int tag, const std::vector<std::string>& items) {
    std::vector<std::string> files = wavFiles(items);
    showNames(files, targets(tag, files.size()));
}

void SampleDrop::showNames(const std::vector<std::string>& files, Targets targets) {
    for (int t = 0; t < FrontPanel::kTracks; ++t) {
        const bool filled = t >= targets.first && t < targets.first + targets.count;
        TrackNameField& name = *panel_.rows[t].name;
        name.setText(filled ? fs::path(files[t - targets.first]).stem().string()
                            : display(machine_, kDisplayInstrumentNameFirst + t));
        name.setColour(filled ? skin::kNameHighlight : skin::kText);
    }
    panel_.kitMenu->setCurrent(display(machine_, kDisplayKitName));
}

int SampleDrop::drop(int tag, const std::vector<std::string>& items) {
    std::vector<std::string> files = wavFiles(items);
    const Targets place = targets(tag, files.size());
    if (targets(tag, 1).count > 0)
        explainRefused(items);
    ContentLibrary& library = machine_.contentLibrary();
    OneFolderPerDrop oneFolder;
    int imported = 0;
    std::string kitFolder;
    for (int i = 0; i < place.count; ++i) {
        const int track = place.first + i;
        // A file the loader refuses is reported by it and leaves the track alone.
        if (!WavLoader::read(files[i]).found || !library.importSampleAsInstrument(track, files[i]))
            continue;
        if (kitFolder.empty())
            kitFolder = fs::path(machine_.bank().track(track).samplePath).parent_path().string();
        ++imported;
    }
    if (imported > 0)
        library.saveKitForSampleFolder(kitFolder);
    machine_.refreshEditor(kRefreshEverything);
    showNames({}, {});
    return imported;
}

void SampleDrop::explainRefused(const std::vector<std::string>& items) {
    for (const std::string& item : items) {
        std::error_code ec;
        if (fs::path path = resolved(item); fs::is_regular_file(path, ec) && !isWav(path))
            WavLoader::read(path.string());
    }
}

} // namespace trommik2
