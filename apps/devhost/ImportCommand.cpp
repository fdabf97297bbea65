#include "ImportCommand.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include <content/CaseFolding.h>

#include "AnsweringDialogs.h"
#include "ContentSession.h"
#include "apps/common/Arguments.h"
#include "apps/common/ModuleLoader.h"

namespace fs = std::filesystem;

using trommik2::ContentFolders;
using trommik2::ContentLibrary;
using trommik2::lowerCase;

namespace {

// As many as the kit has tracks.
constexpr size_t kMaxSamples = 16;

struct ImportOptions {
    fs::path source;
    std::string into;
    bool overwrite = false;
};

int usageError(const std::string& message) {
    std::fprintf(stderr, "trommik2-host import: %s (see import --help)\n", message.c_str());
    return 2;
}

int failure(const std::string& message) {
    std::fprintf(stderr, "trommik2-host import: %s\n", message.c_str());
    return 1;
}

// The WAV files of a folder, by name without regard to case, as the content lists sort.
std::vector<fs::path> wavFiles(const fs::path& folder) {
    std::vector<fs::path> files;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code kind;
        if (it->is_regular_file(kind) && lowerCase(it->path().extension().string()) == ".wav")
            files.push_back(it->path());
    }
    std::sort(files.begin(), files.end(), [](const fs::path& a, const fs::path& b) {
        return lowerCase(a.filename().string()) < lowerCase(b.filename().string());
    });
    return files;
}

std::string parse(Arguments& args, ImportOptions* o) {
    o->overwrite = args.flag("--overwrite");
    args.value("--into", &o->into);
    std::vector<std::string> words = args.positional();
    std::string error;
    if (!args.finish(&error))
        return error;
    if (words.size() != 1)
        return "one folder of WAV files is needed";
    std::error_code ec;
    o->source = fs::absolute(words[0], ec).lexically_normal();
    if (!o->source.has_filename())
        o->source = o->source.parent_path();
    if (o->into.empty())
        o->into = o->source.filename().string();
    fs::path into(ContentFolders::toPlatformPath(o->into));
    if (into.is_absolute() || std::find(into.begin(), into.end(), "..") != into.end())
        return "--into names a folder below the sample folder";
    return "";
}

bool isDeclined(const AnsweringDialogs& dialogs, size_t before, const char* question) {
    for (size_t i = before; i < dialogs.declined().size(); ++i)
        if (dialogs.declined()[i].rfind(question, 0) == 0)
            return true;
    return false;
}

// Imports one file into a track; false when it failed for another reason
// than an existing file that was kept.
bool importOne(ContentSession& session, AnsweringDialogs& dialogs, int track, const fs::path& file,
               const fs::path& destination) {
    ContentLibrary& library = session.library();
    const std::string placed = (destination / file.filename()).string();
    const size_t declinedBefore = dialogs.declined().size();
    session.model().bank().selectedTrack = track;
    if (library.importSampleAsInstrument(track, file.string())) {
        if (session.model().bank().track(track).samplePath != placed)
            return false;
        std::printf("track %2d: %s\n", track + 1, session.model().bank().track(track).name.c_str());
        return true;
    }
    // A kept instrument still belongs to the kit.
    if (isDeclined(dialogs, declinedBefore, "Overwrite Instrument") &&
        library.loadFile(kContentInstruments, library.instrumentPathFor(placed))) {
        std::printf("track %2d: %s (kept)\n", track + 1, session.model().bank().track(track).name.c_str());
        return true;
    }
    return false;
}

} // namespace

void printImportHelp() {
    std::puts("usage: trommik2-host import DIR [--into SUBFOLDER] [--overwrite]\n"
              "\n"
              "Makes an instrument of every WAV file of DIR (sorted by name, at most 16) on\n"
              "tracks 1, 2, ... and saves them as a drum kit named after the folder, in the\n"
              "content tree beside the module (Trommik2/...), as dropping the folder on the\n"
              "kit selector does. Samples from elsewhere are copied into the sample folder;\n"
              "each instrument is made from Trommik2/config/AutoImportTemplate.tm2ins.\n"
              "\n"
              "  --into SUBFOLDER     where below Trommik2/Samples the samples go (default:\n"
              "                       DIR's own name); the instruments and the kit take the\n"
              "                       same name below their folders\n"
              "  --overwrite          replace samples, instruments and the kit that exist\n"
              "                       already (without it they are kept, and the import says so)");
}

int runImport(Arguments& args, const ModuleLoader& module) {
    ImportOptions options;
    std::string problem = parse(args, &options);
    if (!problem.empty())
        return usageError(problem);
    std::error_code ec;
    if (!fs::is_directory(options.source, ec))
        return failure(options.source.string() + " is not a folder");
    std::vector<fs::path> files = wavFiles(options.source);
    if (files.empty())
        return failure("no WAV files in " + options.source.string());
    if (files.size() > kMaxSamples) {
        std::printf("%zu WAV files: the first %zu fill the kit\n", files.size(), kMaxSamples);
        files.resize(kMaxSamples);
    }

    ContentSession session(module.path());
    const ContentFolders& folders = session.contentFolders();
    fs::path samples = folders.folder(kContentSamples);
    // Samples already in the sample folder stay where they are.
    fs::path relative = options.source.lexically_relative(samples);
    bool inPlace = !relative.empty() && *relative.begin() != "..";
    fs::path destination = inPlace ? options.source : fs::path(folders.pathOf(options.into, kContentSamples));
    if (!ContentLibrary::createFolders(destination.string(), false))
        return failure("cannot create " + destination.string());

    AnsweringDialogs dialogs(destination.string(), options.overwrite);
    trommik2::Dialogs::install(&dialogs);
    int failed = 0;
    for (size_t i = 0; i < files.size(); ++i) {
        if (!importOne(session, dialogs, static_cast<int>(i), files[i], destination)) {
            std::fprintf(stderr, "trommik2-host import: %s was not imported\n", files[i].string().c_str());
            ++failed;
        }
    }
    if (failed == static_cast<int>(files.size())) {
        trommik2::Dialogs::install(nullptr);
        return failure("no file was imported");
    }
    bool kitSaved = session.library().saveKitForSampleFolder(destination.string());
    bool kitKept =
        !kitSaved && !dialogs.declined().empty() && dialogs.declined().back().rfind("Overwrite drumkit", 0) == 0;
    trommik2::Dialogs::install(nullptr);

    if (kitSaved)
        std::printf("drum kit: %s\n", session.model().kitName().c_str());
    else if (!kitKept)
        return failure("the drum kit could not be saved");
    if (failed > 0)
        return failure(std::to_string(failed) + " of " + std::to_string(files.size()) + " files were not imported");
    return 0;
}
