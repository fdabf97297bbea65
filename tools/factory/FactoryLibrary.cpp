#include "FactoryLibrary.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <set>

#include <tinyxml.h>

#include "LibraryMachine.h"
#include "WavFile.h"
#include "content/PresetXml.h"
#include "platform/TempFile.h"

namespace trommik2 {

namespace {

namespace fs = std::filesystem;

// Samples are rendered this far below the master section's soft clipper, so
// that they hold the instrument's own waveform.
constexpr float kSampleMasterGain = 0.125f;
constexpr float kSamplePeak = 0.9f;
constexpr double kSampleFloorDb = -70.0;
constexpr double kSampleFadeSeconds = 0.004;

// A hit as a sample: mono, brought to a common peak, cut where it has died
// away and faded out at the end.
std::vector<float> sampleFromHit(const std::vector<float>& interleaved) {
    std::vector<float> mono(interleaved.size() / 2);
    float peak = 0.0f;
    for (size_t i = 0; i < mono.size(); ++i) {
        mono[i] = interleaved[2 * i] + interleaved[2 * i + 1];
        peak = std::max(peak, std::fabs(mono[i]));
    }
    if (peak <= 0.0f)
        return {};
    const float floor = peak * static_cast<float>(std::pow(10.0, kSampleFloorDb / 20.0));
    size_t end = mono.size();
    while (end > 0 && std::fabs(mono[end - 1]) < floor)
        --end;
    mono.resize(end);
    for (float& s : mono)
        s *= kSamplePeak / peak;
    const size_t fade = std::min(mono.size(), static_cast<size_t>(kSampleFadeSeconds * LibraryMachine::kRate));
    for (size_t i = 0; i < fade; ++i)
        mono[mono.size() - 1 - i] *= static_cast<float>(i) / static_cast<float>(fade);
    return mono;
}

bool insideContentTree(const std::string& relative) {
    const fs::path path = fs::path(relative).lexically_normal();
    if (path.empty() || path.is_absolute() || *path.begin() != "Trommik2")
        return false;
    return std::none_of(path.begin(), path.end(), [](const fs::path& part) { return part == ".."; });
}

class Writer {
  public:
    explicit Writer(const std::string& root) : root_(fs::absolute(root).lexically_normal()), machine_(root_.string()) {}

    bool writeAll(std::string* error) {
        error_ = error;
        return writeSamples() && writeTemplates() && writeInstruments() && writeKits() && writePatterns() &&
               writeSetups() && replaceManifest();
    }

    const std::vector<std::string>& written() const { return written_; }

  private:
    bool fail(const std::string& what) {
        *error_ = what;
        return false;
    }

    // The full path of a document name of a kind, with its folders created.
    std::string prepare(const std::string& name, int kind) {
        const std::string path = machine_.documentPath(name, kind);
        std::error_code ec;
        fs::create_directories(fs::path(path).parent_path(), ec);
        return path;
    }

    bool saved(bool ok, const std::string& path) {
        if (!ok)
            return fail("cannot write " + path);
        written_.push_back(path);
        return true;
    }

    bool writeSamples() {
        DrumMachine& machine = machine_.machine();
        const float master = machine.bank().masterVolume;
        machine.bank().masterVolume = kSampleMasterGain;
        bool ok = true;
        for (const SampleRecipe& s : sampleRecipes()) {
            machine_.applyInstrument(0, {s.name, s.source});
            const int frames = static_cast<int>(s.seconds * LibraryMachine::kRate);
            std::vector<float> data = sampleFromHit(machine_.renderHit(0, 1.0f, frames));
            const std::string path = machine.contentFolders().pathOf(s.name, kContentSamples);
            std::error_code ec;
            fs::create_directories(fs::path(path).parent_path(), ec);
            std::string why;
            if (data.empty() || !WavFile::writeMono16(path, data, LibraryMachine::kRate, &why)) {
                ok = fail(data.empty() ? "sample " + s.name + " is silent" : why);
                break;
            }
            written_.push_back(path);
        }
        machine.bank().masterVolume = master;
        return ok;
    }

    // Templates keep the names the content library gives them when it loads them.
    bool writeTemplate(const InstrumentRecipe& recipe, const char* file) {
        machine_.applyInstrument(0, recipe);
        const fs::path path = root_ / "Trommik2" / "config" / file;
        std::error_code ec;
        fs::create_directories(path.parent_path(), ec);
        TiXmlDocument document;
        machine_.machine().instrumentDocument().writeInstrument(PresetXml::createEnvelope(document), 0);
        return saved(PresetXml::save(document, path.string()), path.string());
    }

    bool writeTemplates() {
        return writeTemplate(emptyTemplate(), "EmptyInstrumentTemplate.tm2ins") &&
               writeTemplate(defaultTemplate(), "DefaultInstrumentTemplate.tm2ins") &&
               writeTemplate(autoImportTemplate(), "AutoImportTemplate.tm2ins");
    }

    bool writeInstruments() {
        for (const InstrumentRecipe& recipe : instrumentRecipes()) {
            if (!machine_.applyInstrument(0, recipe))
                return fail("the sample of " + recipe.name + " does not load");
            const std::string path = prepare(recipe.name, kContentInstruments);
            if (!saved(machine_.machine().instrumentDocument().saveInstrumentFile(0, path), path))
                return false;
        }
        return true;
    }

    bool writeKits() {
        for (const KitRecipe& kit : kitRecipes()) {
            if (!machine_.applyKit(kit))
                return fail("kit " + kit.name + " names a missing instrument");
            const std::string path = prepare(kit.name, kContentDrumkits);
            if (!saved(machine_.machine().drumkitDocument().saveDrumkitFile(path), path))
                return false;
        }
        return true;
    }

    bool writePatterns() {
        for (const PatternRecipe& pattern : patternRecipes()) {
            machine_.applyPattern(pattern);
            const std::string path = prepare(pattern.name, kContentPatterns);
            if (!saved(machine_.machine().patternDocument().savePatternFile(path), path))
                return false;
        }
        return true;
    }

    bool writeSetups() {
        for (const SetupRecipe& setup : setupRecipes()) {
            const KitRecipe* kit = nullptr;
            for (const KitRecipe& k : kitRecipes())
                kit = k.name == setup.kit ? &k : kit;
            const PatternRecipe* pattern = nullptr;
            for (const PatternRecipe& p : patternRecipes())
                pattern = p.name == setup.pattern ? &p : pattern;
            if (!kit || !pattern || !machine_.applyKit(*kit))
                return fail("setup " + setup.name + " names a missing kit or pattern");
            machine_.applyPattern(*pattern);
            // The inverse of how setups store the master gain (0 dB is the factory +6 dB).
            machine_.machine().bank().masterVolume = std::pow(10.0f, (setup.volumeDb + 6.0f) / 20.0f);
            const std::string path = prepare(setup.name, kContentSetups);
            if (!saved(machine_.machine().setupDocument().saveSetupFile(path), path))
                return false;
        }
        return true;
    }

    // Removes the files of the previous run that this one did not write, then
    // lists this run's files. Only names inside the content tree are removed,
    // whatever the list says.
    bool replaceManifest() {
        const fs::path manifest = root_ / FactoryLibrary::kManifest;
        std::set<std::string> now;
        for (const std::string& path : written_)
            now.insert(fs::path(path).lexically_relative(root_).generic_string());
        std::ifstream previous(manifest);
        for (std::string line; std::getline(previous, line);) {
            std::error_code ec;
            if (!now.count(line) && insideContentTree(line))
                fs::remove(root_ / line, ec);
        }
        previous.close();
        TempFile file(manifest.string());
        {
            std::ofstream out(file.path(), std::ios::trunc);
            for (const std::string& line : now)
                out << line << '\n';
            if (!out.flush())
                return fail("cannot write " + manifest.string());
        }
        return file.commit(error_);
    }

    fs::path root_;
    LibraryMachine machine_;
    std::vector<std::string> written_;
    std::string* error_ = nullptr;
};

} // namespace

bool FactoryLibrary::write(const std::string& root, std::vector<std::string>* written, std::string* error) {
    Writer writer(root);
    if (!writer.writeAll(error))
        return false;
    if (written)
        *written = writer.written();
    return true;
}

} // namespace trommik2
