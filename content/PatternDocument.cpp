#include "PatternDocument.h"

#include <algorithm>

#include <tinyxml.h>

#include "ContentFolders.h"
#include "DocumentHost.h"
#include "PresetXml.h"
#include "StepCodec.h"
#include "XmlValues.h"
#include "engine/InstrumentBank.h"
#include "sequencer/Sequencer.h"

namespace trommik2 {

namespace {

constexpr int kMaxShuffle = 100;
constexpr int kMaxBars = 4;

// The text of an element's first child, or null when it has none.
const char* firstText(const TiXmlElement& element) {
    const TiXmlNode* child = element.FirstChild();
    const TiXmlText* text = child ? child->ToText() : nullptr;
    return text ? text->Value() : nullptr;
}

TiXmlElement* appendElement(TiXmlNode& parent, const char* name) {
    auto* element = new TiXmlElement(name);
    parent.LinkEndChild(element);
    return element;
}

void appendText(TiXmlElement& element, const std::string& text) { element.LinkEndChild(new TiXmlText(text)); }

} // namespace

bool PatternDocument::readPattern(const TiXmlElement& pattern, bool keepName) {
    if (!keepName && XmlValues::has(pattern, "name"))
        host_.model().patternName() = XmlValues::name(XmlValues::text(pattern, "name"));
    Sequencer& sequencer = host_.model().sequencer();
    sequencer.setShuffle(std::clamp(XmlValues::integer(pattern, "shuffle", 0), 0, kMaxShuffle));
    sequencer.setBars(std::clamp(XmlValues::integer(pattern, "numbars", 1), 1, kMaxBars));
    if (int resolution = XmlValues::integer(pattern, "resolution", 0))
        host_.model().setStepResolution(resolution);
    for (int t = 0; t < Sequencer::kTrackCount; ++t)
        sequencer.track(t).clear();
    const TiXmlElement* tracks = pattern.FirstChildElement("tracks");
    int position = 0;
    for (const TiXmlElement* e = tracks ? tracks->FirstChildElement("track") : nullptr;
         e && position < Sequencer::kTrackCount; e = e->NextSiblingElement("track"), ++position)
        readTrack(*e, std::clamp(XmlValues::integer(*e, "number", position), 0, Sequencer::kTrackCount - 1));
    InstrumentBank& bank = host_.model().bank();
    for (int t = 0; t < InstrumentBank::kTrackCount; ++t)
        for (int p = GenNoiseFreq1; p < kParameterCount; ++p)
            bank.voice(t).setModuleValue(p, 0.0f, ModuleParameter::kOffset);
    host_.patternChanged();
    return true;
}

void PatternDocument::readTrack(const TiXmlElement& track, int target) {
    TrackPattern& pattern = host_.model().sequencer().track(target);
    pattern.setVelocityRandom(static_cast<float>(XmlValues::number(track, "random", 0.0)));
    for (const TiXmlElement* child = track.FirstChildElement(); child; child = child->NextSiblingElement()) {
        if (child->ValueStr() == "velocity") {
            if (const char* text = firstText(*child))
                StepCodec::readVelocities(text, pattern);
        } else if (child->ValueStr() == "automation_list") {
            for (const TiXmlElement* a = child->FirstChildElement("automation"); a;
                 a = a->NextSiblingElement("automation"))
                readAutomation(*a, target);
        }
    }
}

void PatternDocument::readAutomation(const TiXmlElement& automation, int target) {
    const ParameterTable& table = host_.model().bank().table();
    int p = table.indexOfKey(automation.Attribute("id"));
    if (p < 0)
        return;
    TrackPattern& pattern = host_.model().sequencer().track(target);
    pattern.setAutomationScale(p, static_cast<float>(XmlValues::number(automation, "scaling", 1.0)));
    pattern.setAutomationRandom(p, static_cast<float>(XmlValues::number(automation, "random", 0.0)));
    if (const char* text = firstText(automation)) {
        const ParameterDescriptor& d = table.descriptor(p);
        StepCodec::readAutomation(text, pattern, p, d.automationMinimum, d.automationMaximum);
    }
}

void PatternDocument::writePattern(TiXmlNode& parent) {
    const Sequencer& sequencer = host_.model().sequencer();
    const ParameterTable& table = host_.model().bank().table();
    TiXmlElement* pattern = appendElement(parent, "pattern");
    XmlValues::setNumber(*pattern, "version", 1.0);
    pattern->SetAttribute("name", host_.model().patternName());
    pattern->SetAttribute("shuffle", sequencer.shuffle());
    pattern->SetAttribute("numbars", sequencer.bars());
    pattern->SetAttribute("resolution", host_.model().stepResolution());
    TiXmlElement* tracks = appendElement(*pattern, "tracks");
    for (int t = 0; t < Sequencer::kTrackCount; ++t) {
        const TrackPattern& steps = sequencer.track(t);
        TiXmlElement* track = appendElement(*tracks, "track");
        track->SetAttribute("number", t);
        XmlValues::setNumber(*track, "random", steps.velocityRandom());
        appendText(*appendElement(*track, "velocity"), StepCodec::velocities(steps));
        if (!steps.hasAnyAutomation())
            continue;
        TiXmlElement* list = appendElement(*track, "automation_list");
        for (int p = 0; p < kParameterCount; ++p) {
            if (!steps.hasAutomation(p))
                continue;
            const ParameterDescriptor& d = table.descriptor(p);
            TiXmlElement* automation = appendElement(*list, "automation");
            automation->SetAttribute("id", table.key(p));
            XmlValues::setNumber(*automation, "scaling", steps.automationScale(p));
            XmlValues::setNumber(*automation, "random", steps.automationRandom(p));
            appendText(*automation, StepCodec::automation(steps, p, d.automationMinimum, d.automationMaximum));
        }
    }
}

bool PatternDocument::loadPatternFile(const std::string& path, bool keepName) {
    TiXmlDocument document;
    const TiXmlElement* pattern = PresetXml::loadPayload(path, document, "pattern");
    if (!pattern || !readPattern(*pattern, keepName))
        return false;
    if (!keepName) {
        host_.model().patternName() = relativeName(path);
        host_.refreshEditor(kRefreshPattern);
        host_.refreshEditor(kRefreshShuffleAndBars);
    }
    return true;
}

bool PatternDocument::savePatternFile(const std::string& path) {
    if (!PresetXml::saveRenamed(host_.model().patternName(), relativeName(path), path,
                                [this](TiXmlNode& preset) { writePattern(preset); }))
        return false;
    host_.refreshEditor(kRefreshPattern);
    return true;
}

std::string PatternDocument::relativeName(const std::string& path) const {
    return XmlValues::name(host_.contentFolders().relativeName(path, kContentPatterns));
}

} // namespace trommik2
