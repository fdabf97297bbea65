#include "ContentLibrary.h"

#include <filesystem>
#include <initializer_list>
#include <mutex>
#include <system_error>

#include "CaseFolding.h"
#include "DocumentHost.h"
#include "WavLoader.h"
#include "engine/InstrumentBank.h"
#include "support/Configuration.h"

namespace trommik2 {

namespace {

namespace fs = std::filesystem;

const char* const kCaption = "Trommik 2";
const char* const kSaveFailed = "Error while saving the file.";
const char* const kTemplateMissing = "File Trommik2\\config\\%s not found.";
// Written so, without the blank before "not".
const char* const kImportTemplateMissing = "File Trommik2\\config\\AutoImportTemplate.tm2insnot found.";
const char* const kChooseSampleFolder = "In welchen Ordner soll das Sample '%s%s' kopiert werden?";
const char* const kOverwriteSample = "Overwrite Sample\n'%s%s'?";
const char* const kOverwriteInstrument = "Overwrite Instrument\n'%s'?";
const char* const kOverwriteDrumkit = "Overwrite drumkit\n'%s'?";
const char* const kConfigFolder = "Trommik2/config";
const char* const kPresetsSection = "Presets";
const char* const kDefaultSetupKey = "DefaultSetup";
const char* const kDefaultSetup = "default";
constexpr size_t kSetupNameCapacity = 260;

// The pattern with each "%s" replaced by the next of the values.
std::string fill(const char* pattern, std::initializer_list<std::string> values) {
    std::string text = pattern;
    size_t at = 0;
    for (const std::string& value : values) {
        at = text.find("%s", at);
        if (at == std::string::npos)
            break;
        text.replace(at, 2, value);
        at += value.size();
    }
    return text;
}

void show(const std::string& text, MessageIcon icon) { Dialogs::current().message(text, kCaption, icon, false); }

bool confirmed(const std::string& question) {
    return Dialogs::current().message(question, kCaption, MessageIcon::Question, true) != Answer::No;
}

bool validTrack(int track) { return track >= 0 && track < InstrumentBank::kTrackCount; }

bool isDocumentKind(int kind) { return kind >= kContentInstruments && kind <= kContentSetups; }

fs::path normalised(const std::string& path) {
    std::error_code ec;
    fs::path absolute = fs::absolute(ContentFolders::toPlatformPath(path), ec);
    absolute = (ec ? fs::path(path) : absolute).lexically_normal();
    // A folder named with a trailing separator is the same folder.
    return absolute.has_filename() ? absolute : absolute.parent_path();
}

// Whether path lies below folder, compared without regard to case.
bool liesInside(const std::string& path, const std::string& folder) {
    std::string inner = lowerCase(normalised(path).string());
    std::string outer = lowerCase(normalised(folder).string()) + static_cast<char>(fs::path::preferred_separator);
    return inner.compare(0, outer.size(), outer) == 0;
}

} // namespace

ContentLibrary::ContentLibrary(DocumentHost& host)
    : host_(host), instruments_(host), drumkit_(host), pattern_(host), setup_(host) {}

const ContentFolders& ContentLibrary::folders() const { return host_.contentFolders(); }

std::string ContentLibrary::configFile(const std::string& name) const {
    return (fs::path(folders().root()) / kConfigFolder / name).string();
}

void ContentLibrary::refreshList(int kind) {
    const ContentKindInfo* info = ContentFolders::kindInfo(kind);
    if (info)
        lists_[kind - ContentFolders::kFirstKind].scan(folders().folder(kind), std::string(".") + info->extension);
}

const ContentList* ContentLibrary::list(int kind) const {
    return ContentFolders::kindInfo(kind) ? &lists_[kind - ContentFolders::kFirstKind] : nullptr;
}

std::string ContentLibrary::currentName(int kind) const {
    const InstrumentBank::Track& track = host_.model().bank().track(host_.model().bank().selectedTrack);
    switch (kind) {
    case kContentInstruments: return track.name;
    case kContentDrumkits: return host_.model().kitName();
    case kContentPatterns: return host_.model().patternName();
    case kContentSetups: return host_.model().setupName();
    case kContentSamples: return folders().relativeName(track.samplePath, kContentSamples);
    default: return "";
    }
}

int ContentLibrary::currentEntry(int kind) const {
    const ContentList* entries = list(kind);
    return entries ? entries->find(currentName(kind)) : ContentList::kNone;
}

bool ContentLibrary::loadFile(int kind, const std::string& path) {
    switch (kind) {
    case kContentInstruments: return instruments_.loadInstrumentFile(host_.model().bank().selectedTrack, path, false);
    case kContentDrumkits: return drumkit_.loadDrumkitFile(path, false);
    case kContentPatterns: return pattern_.loadPatternFile(path, false);
    case kContentSetups: return setup_.loadSetupFile(path, false);
    default: return false;
    }
}

bool ContentLibrary::saveFile(int kind, const std::string& path) {
    switch (kind) {
    case kContentInstruments: return instruments_.saveInstrumentFile(host_.model().bank().selectedTrack, path);
    case kContentDrumkits: return drumkit_.saveDrumkitFile(path);
    case kContentPatterns: return pattern_.savePatternFile(path);
    case kContentSetups: return setup_.saveSetupFile(path);
    default: return false;
    }
}

bool ContentLibrary::loadEntry(int kind, int index) {
    const ContentList* entries = list(kind);
    if (!entries || !entries->valid(index) || entries->entry(index).folder)
        return false;
    return loadFile(kind, entries->entry(index).path);
}

bool ContentLibrary::browse(int kind, bool previous) {
    if (!isDocumentKind(kind))
        return false;
    const ContentList& entries = lists_[kind - ContentFolders::kFirstKind];
    int current = entries.find(currentName(kind));
    if (current == ContentList::kNone)
        return false;
    return loadEntry(kind, entries.neighbour(current, previous));
}

SaveRequest ContentLibrary::saveRequest(int kind) const {
    SaveRequest request;
    const ContentKindInfo* info = ContentFolders::kindInfo(kind);
    if (!info)
        return request;
    std::string name = currentName(kind);
    size_t cut = name.find_last_of("\\/");
    request.fileName = cut == std::string::npos ? name : name.substr(cut + 1);
    request.root = folders().folder(kind);
    request.folder = request.root;
    if (cut != std::string::npos) {
        std::string sub = folders().pathOf(name.substr(0, cut), kind);
        std::error_code ec;
        if (fs::is_directory(sub, ec))
            request.folder = sub;
    }
    request.folder += static_cast<char>(fs::path::preferred_separator);
    request.title = info->saveTitle;
    request.filterDescription = info->filterDescription;
    request.filterPattern = info->filterPattern;
    request.extension = info->extension;
    return request;
}

bool ContentLibrary::saveWithDialog(int kind) {
    if (!isDocumentKind(kind))
        return false;
    SaveRequest request = saveRequest(kind);
    std::string path;
    if (!Dialogs::current().saveFile(request, &path))
        return false;
    // The dialog's default extension, for a name typed without one.
    if (fs::path(path).extension().empty())
        path += "." + request.extension;
    if (!saveFile(kind, path)) {
        show(kSaveFailed, MessageIcon::Stop);
        return false;
    }
    refreshList(kind);
    return true;
}

bool ContentLibrary::loadTemplate(int track, const std::string& templateFile, const std::string& name) {
    if (!validTrack(track))
        return false;
    std::string path = configFile(templateFile);
    std::error_code ec;
    if (!fs::exists(path, ec)) {
        show(fill(kTemplateMissing, {templateFile}), MessageIcon::Warning);
        return false;
    }
    if (!instruments_.loadInstrumentFile(track, path, true))
        return false;
    host_.model().bank().track(track).name = name;
    host_.refreshEditor(kRefreshInstruments);
    return true;
}

std::string ContentLibrary::instrumentPathFor(const std::string& samplePath) const {
    return folders().pathOf(folders().relativeName(samplePath, kContentSamples) + ".tm2ins", kContentInstruments);
}

bool ContentLibrary::copyIntoSampleFolder(const std::string& samplePath, std::string* destination) {
    fs::path source(ContentFolders::toPlatformPath(samplePath));
    const std::string stem = source.stem().string();
    const std::string extension = source.extension().string();
    std::string folder;
    if (!Dialogs::current().chooseFolder(folders().folder(kContentSamples),
                                         fill(kChooseSampleFolder, {stem, extension}), &folder))
        return false;
    fs::path target = fs::path(folder) / source.filename();
    std::error_code ec;
    if (!fs::exists(target, ec) || confirmed(fill(kOverwriteSample, {stem, extension}))) {
        fs::copy_file(source, target, fs::copy_options::overwrite_existing, ec);
        if (ec) {
            show(kSaveFailed, MessageIcon::Stop);
            return false;
        }
    }
    *destination = target.string();
    return true;
}

bool ContentLibrary::loadSampleInto(int track, const std::string& samplePath) {
    // The disk is read and the path copied before the lock, and what they
    // replace is freed after it: rendering never waits for either.
    WavLoader::Decoded sample = WavLoader::read(samplePath);
    std::string path = samplePath;
    std::lock_guard<ProcessLock> lock(host_.processLock());
    InstrumentBank::Track& t = host_.model().bank().track(track);
    if (!WavLoader::install(sample, t.voice->generator().sample()))
        return false;
    t.samplePath.swap(path);
    return true;
}

bool ContentLibrary::importSampleAsInstrument(int track, const std::string& samplePath) {
    if (!validTrack(track))
        return false;
    std::string sample = normalised(samplePath).string();
    // Cancelling the folder chooser stops the import before anything changed.
    if (!liesInside(sample, folders().folder(kContentSamples)) && !copyIntoSampleFolder(sample, &sample))
        return false;
    std::string templatePath = configFile(kAutoImportTemplate);
    std::error_code ec;
    if (!fs::exists(templatePath, ec)) {
        show(kImportTemplateMissing, MessageIcon::Warning);
        return false;
    }
    std::string instrumentPath = instrumentPathFor(sample);
    if (fs::exists(instrumentPath, ec) &&
        !confirmed(fill(kOverwriteInstrument, {folders().relativeName(instrumentPath, kContentInstruments)})))
        return false;
    // Without the template there is nothing worth saving under the sample's name.
    if (!instruments_.loadInstrumentFile(track, templatePath, false))
        return false;
    loadSampleInto(track, sample);
    createFolders(instrumentPath, true);
    if (!instruments_.saveInstrumentFile(track, instrumentPath)) {
        show(kSaveFailed, MessageIcon::Stop);
        return false;
    }
    refreshList(kContentInstruments);
    return true;
}

bool ContentLibrary::saveKitForSampleFolder(const std::string& folderPath) {
    fs::path folder = normalised(folderPath);
    // Folder names keep their dots ("Vol.2"); one outside the sample folder
    // names the kit by itself.
    fs::path relative = folder.lexically_relative(folders().folder(kContentSamples));
    if (relative.empty() || *relative.begin() == ".." || relative == ".")
        relative = folder.filename();
    std::string kitPath =
        folders().pathOf(ContentFolders::toDocumentName(relative.string()) + ".tm2drk", kContentDrumkits);
    createFolders(kitPath, true);
    std::error_code ec;
    if (fs::exists(kitPath, ec) &&
        !confirmed(fill(kOverwriteDrumkit, {folders().relativeName(kitPath, kContentDrumkits)})))
        return false;
    if (!drumkit_.saveDrumkitFile(kitPath)) {
        show(kSaveFailed, MessageIcon::Stop);
        return false;
    }
    refreshList(kContentDrumkits);
    return true;
}

bool ContentLibrary::createFolders(const std::string& path, bool parentOnly) {
    fs::path target(ContentFolders::toPlatformPath(path));
    if (parentOnly)
        target = target.parent_path();
    std::error_code ec;
    if (!target.empty())
        fs::create_directories(target, ec);
    return fs::is_directory(target, ec);
}

void ContentLibrary::startUp(const Configuration& configuration) {
    for (int kind = kContentInstruments; kind <= kContentSamples; ++kind)
        refreshList(kind);
    host_.model().patternName().clear();
    host_.model().kitName().clear();
    host_.model().setupName().clear();
    std::string name = configuration.readString(kPresetsSection, kDefaultSetupKey, kDefaultSetup, kSetupNameCapacity);
    std::string path = folders().pathOf(name + ".tm2set", kContentSetups);
    std::error_code ec;
    if (fs::is_regular_file(path, ec))
        setup_.loadSetupFile(path, false);
}

} // namespace trommik2
