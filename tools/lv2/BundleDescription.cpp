#include "BundleDescription.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/DrumMachine.h"
#include "engine/effects/EffectRegistry.h"
#include "lv2/PortLayout.h"

namespace trommik2 {

namespace fs = std::filesystem;
using namespace lv2;

namespace {

// Groups above this one hold parameters that belong to no module.
constexpr int kLastModuleGroup = 8;

const char* const kPrefixes = R"(@prefix atom: <http://lv2plug.in/ns/ext/atom#> .
@prefix doap: <http://usefulinc.com/ns/doap#> .
@prefix lv2: <http://lv2plug.in/ns/lv2core#> .
@prefix midi: <http://lv2plug.in/ns/ext/midi#> .
@prefix pg: <http://lv2plug.in/ns/ext/port-groups#> .
@prefix pset: <http://lv2plug.in/ns/ext/presets#> .
@prefix rdf: <http://www.w3.org/1999/02/22-rdf-syntax-ns#> .
@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .
@prefix state: <http://lv2plug.in/ns/ext/state#> .
@prefix time: <http://lv2plug.in/ns/ext/time#> .
@prefix ui: <http://lv2plug.in/ns/extensions/ui#> .
@prefix units: <http://lv2plug.in/ns/extensions/units#> .
@prefix urid: <http://lv2plug.in/ns/ext/urid#> .
@prefix work: <http://lv2plug.in/ns/ext/worker#> .
@prefix xsd: <http://www.w3.org/2001/XMLSchema#> .

)";

// A Turtle string literal.
std::string literal(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default: out += c;
        }
    }
    return out + "\"";
}

std::string presetUri(const std::string& name) {
    std::string uri = kPresetUriPrefix;
    for (unsigned char c : name) {
        if (std::isalnum(c) || c == '-' || c == '_' || c == '.' || c == '/') {
            uri += static_cast<char>(c);
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", c);
            uri += escaped;
        }
    }
    return "<" + uri + ">";
}

std::string number(float value) {
    std::ostringstream out;
    out.precision(9);
    out << value;
    std::string text = out.str();
    // A decimal keeps Turtle from reading an integer.
    if (text.find_first_of(".eEn") == std::string::npos)
        text += ".0";
    return text;
}

// "Filtered Noise: #1 Filter Freq": the knob's name after its module's, where it has both.
std::string portName(const ParameterTable& table, int index) {
    const int group = table.groupOf(index);
    const std::string knob = table.shortName(index);
    if (knob == "-")
        return table.key(index);
    return group <= kLastModuleGroup ? std::string(table.groupName(group)) + ": " + knob : knob;
}

float volumeDb(DrumMachine& machine) {
    const float db = 48.0f * machine.getParameter(kParamMasterVolume) + kMinVolumeDb;
    return std::clamp(db, kMinVolumeDb, kMaxVolumeDb);
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void controlPort(std::ostream& out, uint32_t index, const char* symbol, const std::string& name, float value,
                 float minimum, float maximum, const char* extra) {
    out << "    lv2:port [\n        a lv2:InputPort, lv2:ControlPort ;\n        lv2:index " << index
        << " ;\n        lv2:symbol \"" << symbol << "\" ;\n        lv2:name " << literal(name)
        << " ;\n        lv2:default " << number(value) << " ;\n        lv2:minimum " << number(minimum)
        << " ;\n        lv2:maximum " << number(maximum) << " ;\n"
        << extra << "    ] ;\n";
}

void audioPort(std::ostream& out, uint32_t index, const std::string& symbol, const std::string& name, const char* group,
               bool left, bool optional) {
    out << "    lv2:port [\n        a lv2:OutputPort, lv2:AudioPort ;\n        lv2:index " << index
        << " ;\n        lv2:symbol \"" << symbol << "\" ;\n        lv2:name " << literal(name)
        << " ;\n        pg:group <" << kPluginUri << "#" << group << "> ;\n        lv2:designation "
        << (left ? "pg:left" : "pg:right") << " ;\n"
        << (optional ? "        lv2:portProperty lv2:connectionOptional ;\n" : "") << "    ] ;\n";
}

} // namespace

BundleDescription::BundleDescription(DrumMachine& machine)
    : machine_(machine), defaultVolumeDb_(volumeDb(machine)), defaultShuffle_(machine.sequencer().shuffle()) {}

bool BundleDescription::addPresets(const std::string& folder, std::string* error) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file() && entry.path().extension() == ".tm2set")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
        Preset preset;
        preset.name = fs::relative(file, folder).replace_extension().generic_string();
        preset.text = readFile(file);
        if (!machine_.loadState(preset.text.c_str())) {
            *error = "cannot load the setup " + file.string();
            return false;
        }
        preset.volumeDb = volumeDb(machine_);
        preset.shuffle = machine_.sequencer().shuffle();
        presets_.push_back(std::move(preset));
    }
    return true;
}

void BundleDescription::writeManifest(std::ostream& out) const {
    out << kPrefixes;
    out << "<" << kPluginUri << ">\n    a lv2:Plugin ;\n    lv2:binary <" << kBinary
        << "> ;\n    rdfs:seeAlso <trommik2.ttl> .\n\n";
    out << "<" << kUiUri << ">\n    a ui:X11UI ;\n    ui:binary <" << kUiBinary
        << "> ;\n    rdfs:seeAlso <trommik2.ttl> .\n";
    for (const Preset& preset : presets_)
        out << "\n"
            << presetUri(preset.name) << "\n    a pset:Preset ;\n    lv2:appliesTo <" << kPluginUri
            << "> ;\n    rdfs:label " << literal(preset.name) << " ;\n    rdfs:seeAlso <presets.ttl> .\n";
}

void BundleDescription::writePlugin(std::ostream& out) const {
    out << kPrefixes;
    out << "<" << kPluginUri << "#main>\n    a pg:StereoGroup, pg:OutputGroup ;\n    lv2:symbol \"main\" ;\n"
        << "    rdfs:label \"Main\" .\n\n";
    for (int t = 0; t < kTrackCount; ++t)
        out << "<" << kPluginUri << "#track" << t + 1 << ">\n    a pg:StereoGroup, pg:OutputGroup ;\n"
            << "    lv2:symbol \"track" << t + 1 << "\" ;\n    rdfs:label \"Track " << t + 1 << "\" .\n\n";
    out << "<" << kSetupKey << ">\n    a rdf:Property ;\n    rdfs:label \"setup\" ;\n"
        << "    rdfs:comment \"The setup document: kit, pattern, master volume, mute and solo.\" ;\n"
        << "    rdfs:range xsd:string .\n\n";
    for (int t = 0; t < kTrackCount; ++t)
        out << "<" << kSampleKeyPrefix << t << ">\n    a rdf:Property ;\n    rdfs:label \"sample of track " << t + 1
            << "\" ;\n    rdfs:range atom:Path .\n\n";
    out << "<" << kPluginUri << ">\n    a lv2:Plugin, lv2:InstrumentPlugin ;\n    doap:name \"Trommik2\" ;\n"
        << "    lv2:minorVersion 0 ;\n    lv2:microVersion 1 ;\n    lv2:requiredFeature urid:map ;\n"
        << "    lv2:optionalFeature work:schedule ;\n    lv2:extensionData state:interface, work:interface ;\n"
        << "    pg:mainOutput <" << kPluginUri << "#main> ;\n    ui:ui <" << kUiUri << "> ;\n";
    writePorts(out);
    out << "    rdfs:comment \"A drum machine: sixteen synthesised or sampled drum instruments and a step "
           "sequencer that follows the host's transport.\" .\n\n";
    out << "<" << kUiUri << ">\n    a ui:X11UI ;\n"
        << "    lv2:requiredFeature ui:idleInterface, ui:parent, <http://lv2plug.in/ns/ext/instance-access> ;\n"
        << "    lv2:optionalFeature ui:resize ;\n    lv2:extensionData ui:idleInterface .\n";
}

void BundleDescription::writePorts(std::ostream& out) const {
    out << "    lv2:port [\n        a lv2:InputPort, atom:AtomPort ;\n        atom:bufferType atom:Sequence ;\n"
        << "        atom:supports midi:MidiEvent, time:Position ;\n        lv2:designation lv2:control ;\n"
        << "        lv2:index " << kEvents << " ;\n        lv2:symbol \"events\" ;\n"
        << "        lv2:name \"Notes and transport\" ;\n    ] ;\n";
    audioPort(out, kOutLeft, "out_left", "Left", "main", true, false);
    audioPort(out, kOutRight, "out_right", "Right", "main", false, false);
    for (int t = 0; t < kTrackCount; ++t) {
        const std::string n = std::to_string(t + 1);
        const std::string group = "track" + n;
        audioPort(out, kFirstTrackOutput + 2 * t, "track" + n + "_left", "Track " + n + " left", group.c_str(), true,
                  true);
        audioPort(out, kFirstTrackOutput + 2 * t + 1, "track" + n + "_right", "Track " + n + " right", group.c_str(),
                  false, true);
    }
    controlPort(out, kMasterVolume, "master_volume", "Master volume", defaultVolumeDb_, kMinVolumeDb, kMaxVolumeDb,
                "        units:unit units:db ;\n");
    controlPort(out, kShuffle, "shuffle", "Shuffle", static_cast<float>(defaultShuffle_), 0.0f, 100.0f,
                "        lv2:portProperty lv2:integer ;\n        units:unit units:pc ;\n");
    controlPort(out, kTargetTrack, "target_track", "Target track", 1.0f, 1.0f, kTrackCount,
                "        lv2:portProperty lv2:integer ;\n");
    controlPort(out, kBaseNote, "base_note", "Base note", kFirstNote, 0.0f, 127.0f - kTrackCount + 1,
                "        lv2:portProperty lv2:integer ;\n        units:unit units:midiNote ;\n");
    writeParameterPorts(out);
}

// The instrument parameters as the editor's knobs travel: 0..1.
void BundleDescription::writeParameterPorts(std::ostream& out) const {
    const ParameterTable& table = machine_.bank().table();
    for (int i = 0; i < kParameterCount; ++i) {
        std::string points;
        auto point = [&](int value, const char* label) {
            points += "        lv2:scalePoint [ rdfs:label " + literal(label) + " ; rdf:value " +
                      number(table.toNormalized(i, static_cast<float>(value))) + " ] ;\n";
        };
        if (i == GenSynthesisType)
            for (int type = 0; type < 4; ++type)
                point(type, table.groupName(type));
        if (i == FXType)
            for (int type = 0; type < kEffectTypeCount; ++type)
                point(type, effectDefinition(type).description.longName);
        controlPort(out, kFirstParameter + i, table.key(i), portName(table, i),
                    table.toNormalized(i, table.descriptor(i).defaultValue), 0.0f, 1.0f, points.c_str());
    }
}

void BundleDescription::writePresets(std::ostream& out) const {
    out << kPrefixes;
    for (const Preset& preset : presets_)
        out << presetUri(preset.name) << "\n    a pset:Preset ;\n    lv2:appliesTo <" << kPluginUri
            << "> ;\n    rdfs:label " << literal(preset.name) << " ;\n"
            << "    lv2:port [ lv2:symbol \"master_volume\" ; pset:value " << number(preset.volumeDb)
            << " ] , [ lv2:symbol \"shuffle\" ; pset:value " << number(static_cast<float>(preset.shuffle))
            << " ] ;\n    state:state [\n        <" << kSetupKey << "> " << literal(preset.text) << "\n    ] .\n\n";
}

} // namespace trommik2
