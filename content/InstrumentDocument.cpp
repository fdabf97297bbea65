#include "InstrumentDocument.h"

#include <utility>
#include <vector>

#include <tinyxml.h>

#include "ContentFolders.h"
#include "DocumentHost.h"
#include "PresetXml.h"
#include "WavLoader.h"
#include "XmlValues.h"
#include "engine/InstrumentBank.h"
#include "sequencer/KnobSlots.h"

namespace trommik2 {

namespace {

constexpr int kWrittenKnobSlots = 6;
// Names shorter than this cannot name a WAV file: the sample is removed.
constexpr size_t kShortestSampleName = 5;
const char* const kNoSample = "No Sample";

bool validTrack(int track) { return track >= 0 && track < InstrumentBank::kTrackCount; }

// Everything an instrument element says, gathered before the process lock is
// taken: the lock is then held only while the values are handed over.
struct InstrumentReading {
    enum class Sample { Keep, Remove, Load };

    std::string name;
    std::vector<std::pair<int, float>> values;
    Sample sample = Sample::Keep;
    std::string samplePath;
    WavLoader::Decoded wav;
    std::vector<std::pair<int, int>> knobSlots;
};

void gatherValues(const TiXmlElement& instrument, const ParameterTable& table, InstrumentReading& reading) {
    const TiXmlElement* params = instrument.FirstChildElement("params");
    for (const TiXmlElement* p = params ? params->FirstChildElement("param") : nullptr; p;
         p = p->NextSiblingElement("param")) {
        int index = table.indexOfKey(p->Attribute("id"));
        if (index >= 0)
            reading.values.emplace_back(index, table.clampToRange(index, XmlValues::number(*p, "value", 0.0)));
    }
}

void gatherSample(const TiXmlElement& instrument, const ContentFolders& folders, InstrumentReading& reading) {
    const TiXmlElement* sample = instrument.FirstChildElement("sample");
    if (!sample)
        return;
    std::string name = XmlValues::text(*sample, "name");
    if (name.size() < kShortestSampleName) {
        reading.sample = InstrumentReading::Sample::Remove;
        return;
    }
    reading.sample = InstrumentReading::Sample::Load;
    reading.samplePath = ContentFolders::findIgnoringCase(folders.pathOf(name, kContentSamples));
    reading.wav = WavLoader::read(reading.samplePath);
}

void gatherKnobSlots(const TiXmlElement& instrument, const ParameterTable& table, InstrumentReading& reading) {
    const TiXmlElement* assign = instrument.FirstChildElement("ctrl_assign");
    for (const TiXmlElement* c = assign ? assign->FirstChildElement("ctrl") : nullptr; c;
         c = c->NextSiblingElement("ctrl")) {
        int slot = XmlValues::integer(*c, "idx", -1);
        int index = table.indexOfKey(c->Attribute("param"));
        if (slot >= 0 && slot < KnobSlots::kSlotCount && index >= 0)
            reading.knobSlots.emplace_back(slot, index);
    }
}

// What the slot needs while the reading's values are written: what it holds
// now and the type and the switch the instrument brings.
EffectsModule::Reach reachWhileApplying(const InstrumentReading& reading, EffectsModule::Reach reach) {
    for (const auto& [index, value] : reading.values)
        reach = EffectsModule::reachWith(reach, index, value);
    return reach;
}

// Under the process lock: no disk access from here on.
void apply(InstrumentReading& reading, DocumentHost& host, int track, bool keepName) {
    InstrumentBank& bank = host.model().bank();
    InstrumentBank::Track& t = bank.track(track);
    // Swapped rather than copied: nothing is allocated or freed under the lock.
    if (!keepName)
        t.name.swap(reading.name);
    for (const auto& [index, value] : reading.values)
        bank.setValue(track, index, value);
    SampleModule& player = t.voice->generator().sample();
    if (reading.sample == InstrumentReading::Sample::Remove) {
        WavLoader::unloadSample(player, reading.wav);
        t.samplePath = kNoSample;
    } else if (reading.sample == InstrumentReading::Sample::Load && WavLoader::install(reading.wav, player)) {
        t.samplePath.swap(reading.samplePath);
    }
    for (const auto& [slot, index] : reading.knobSlots)
        host.model().knobSlots().set(track, slot, index);
    // Restarts the instrument: every module reset (which also clears the
    // modulation offsets), work and output buffers cleared.
    bank.silenceTrack(track);
}

} // namespace

bool InstrumentDocument::readInstrument(const TiXmlElement& instrument, int track, bool keepName) {
    if (!validTrack(track))
        return false;
    const ParameterTable& table = host_.model().bank().table();
    InstrumentReading reading;
    reading.name = XmlValues::name(XmlValues::text(instrument, "name"));
    gatherValues(instrument, table, reading);
    gatherSample(instrument, host_.contentFolders(), reading);
    gatherKnobSlots(instrument, table, reading);
    const EffectsModule& effects = host_.model().bank().voice(track).effects();
    host_.writeTrack(track, reachWhileApplying(reading, effects.reachWhileWriting()),
                     [&] { apply(reading, host_, track, keepName); });
    return true;
}

void InstrumentDocument::writeInstrument(TiXmlNode& parent, int track) {
    const InstrumentBank& bank = host_.model().bank();
    const InstrumentBank::Track& t = bank.track(track);
    auto* instrument = new TiXmlElement("instrument");
    XmlValues::setNumber(*instrument, "version", 1.0);
    instrument->SetAttribute("name", t.name);
    parent.LinkEndChild(instrument);
    auto* params = new TiXmlElement("params");
    instrument->LinkEndChild(params);
    auto* sample = new TiXmlElement("sample");
    std::string sampleName = host_.contentFolders().relativeName(t.samplePath, kContentSamples);
    sample->SetAttribute("name", sampleName.empty() ? "" : sampleName + ".wav");
    instrument->LinkEndChild(sample);
    const ParameterTable& table = bank.table();
    for (int i = 0; i < kParameterCount; ++i) {
        auto* param = new TiXmlElement("param");
        param->SetAttribute("id", table.key(i));
        XmlValues::setNumber(*param, "value", i == GenNullDummy ? 0.0f : bank.baseValue(track, i));
        params->LinkEndChild(param);
    }
    auto* assign = new TiXmlElement("ctrl_assign");
    instrument->LinkEndChild(assign);
    for (int slot = 0; slot < kWrittenKnobSlots; ++slot) {
        int index = host_.model().knobSlots().parameter(track, slot);
        auto* ctrl = new TiXmlElement("ctrl");
        ctrl->SetAttribute("idx", slot);
        ctrl->SetAttribute("param", index >= 0 && index < kParameterCount ? table.key(index) : "");
        assign->LinkEndChild(ctrl);
    }
}

bool InstrumentDocument::loadInstrumentFile(int track, const std::string& path, bool keepName) {
    TiXmlDocument document;
    const TiXmlElement* instrument = PresetXml::loadPayload(path, document, "instrument");
    if (!instrument || !readInstrument(*instrument, track, keepName))
        return false;
    if (!keepName) {
        host_.model().bank().track(track).name = relativeName(path);
        host_.refreshEditor(kRefreshInstruments);
    }
    return true;
}

bool InstrumentDocument::saveInstrumentFile(int track, const std::string& path) {
    if (!validTrack(track) ||
        !PresetXml::saveRenamed(host_.model().bank().track(track).name, relativeName(path), path,
                                [this, track](TiXmlNode& preset) { writeInstrument(preset, track); }))
        return false;
    host_.refreshEditor(kRefreshInstruments);
    return true;
}

bool InstrumentDocument::instrumentFromText(int track, const char* text) {
    TiXmlDocument document;
    const TiXmlElement* instrument = PresetXml::parsePayload(text, document, "instrument");
    return instrument && readInstrument(*instrument, track, false);
}

bool InstrumentDocument::instrumentToText(int track, std::string& stream) {
    if (!validTrack(track))
        return false;
    PresetXml::appendPayloadText(stream, [this, track](TiXmlNode& preset) { writeInstrument(preset, track); });
    return true;
}

std::string InstrumentDocument::relativeName(const std::string& path) const {
    return XmlValues::name(host_.contentFolders().relativeName(path, kContentInstruments));
}

} // namespace trommik2
