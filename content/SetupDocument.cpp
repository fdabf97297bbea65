#include "SetupDocument.h"

#include <algorithm>
#include <cmath>
#include <mutex>

#include <tinyxml.h>

#include "ContentFolders.h"
#include "DocumentHost.h"
#include "PresetXml.h"
#include "XmlValues.h"
#include "engine/InstrumentBank.h"

namespace trommik2 {

namespace {

// The document's volume is the master gain in dB minus 6, so the factory
// gain of +6 dB reads 0. Held where the gain stays a finite, audible factor.
constexpr double kVolumeOffsetDb = 6.0;
constexpr double kLowestVolume = -120.0;
constexpr double kHighestVolume = 24.0;

double volumeOf(float gain) { return 20.0 * std::log10(static_cast<double>(gain)) - kVolumeOffsetDb; }

float gainOf(double volume) {
    double held = std::clamp(volume, kLowestVolume, kHighestVolume);
    float gain = std::pow(10.0f, static_cast<float>(held + kVolumeOffsetDb) * 0.05f);
    // Of the gain and its nearest neighbours, the one whose volume prints as
    // the document's, so that a loaded setup saves again unchanged.
    const std::string wanted = XmlValues::format(held);
    float up = gain;
    float down = gain;
    for (int step = 0; step < 3; ++step) {
        if (XmlValues::format(volumeOf(up)) == wanted)
            return up;
        if (XmlValues::format(volumeOf(down)) == wanted)
            return down;
        up = std::nextafter(up, HUGE_VALF);
        down = std::nextafter(down, 0.0f);
    }
    return gain;
}

int flagBits(const InstrumentBank& bank, bool muted) {
    int bits = 0;
    for (int t = 0; t < InstrumentBank::kTrackCount; ++t)
        if (muted ? bank.track(t).muted : bank.track(t).soloed)
            bits |= 1 << t;
    return bits;
}

} // namespace

bool SetupDocument::readSetup(const TiXmlElement& setup, bool keepNames) {
    host_.model().bank().masterVolume = gainOf(XmlValues::number(setup, "volume", 0.0));
    if (!keepNames && XmlValues::has(setup, "name"))
        host_.model().setupName() = XmlValues::name(XmlValues::text(setup, "name"));
    readMuteAndSolo(XmlValues::integer(setup, "mute", 0), XmlValues::integer(setup, "solo", 0));
    for (const TiXmlElement* child = setup.FirstChildElement(); child; child = child->NextSiblingElement()) {
        if (child->ValueStr() == "drumkit")
            drumkit_.readDrumkit(*child, keepNames);
        else if (child->ValueStr() == "pattern")
            pattern_.readPattern(*child, keepNames);
    }
    return true;
}

void SetupDocument::readMuteAndSolo(int mute, int solo) {
    InstrumentBank& bank = host_.model().bank();
    for (int t = 0; t < InstrumentBank::kTrackCount; ++t) {
        InstrumentBank::Track& track = bank.track(t);
        track.muted = (mute >> t & 1) != 0;
        if (track.muted && !track.soloed) {
            std::lock_guard<ProcessLock> lock(host_.processLock());
            bank.silenceTrack(t);
        }
        track.soloed = (solo >> t & 1) != 0;
    }
}

void SetupDocument::writeSetup(TiXmlNode& parent) {
    const InstrumentBank& bank = host_.model().bank();
    auto* setup = new TiXmlElement("setup");
    XmlValues::setNumber(*setup, "version", 1.0);
    setup->SetAttribute("name", host_.model().setupName());
    XmlValues::setNumber(*setup, "volume", volumeOf(bank.masterVolume));
    setup->SetAttribute("mute", flagBits(bank, true));
    setup->SetAttribute("solo", flagBits(bank, false));
    parent.LinkEndChild(setup);
    drumkit_.writeDrumkit(*setup);
    pattern_.writePattern(*setup);
}

bool SetupDocument::loadSetupFile(const std::string& path, bool keepNames) {
    TiXmlDocument document;
    const TiXmlElement* setup = PresetXml::loadPayload(path, document, "setup");
    if (!setup || !readSetup(*setup, keepNames))
        return false;
    if (!keepNames) {
        host_.model().setupName() = relativeName(path);
        host_.refreshEditor(kRefreshEverything);
    }
    host_.setupLoaded();
    return true;
}

bool SetupDocument::saveSetupFile(const std::string& path) {
    if (!PresetXml::saveRenamed(host_.model().setupName(), relativeName(path), path,
                                [this](TiXmlNode& preset) { writeSetup(preset); }))
        return false;
    host_.refreshEditor(kRefreshEverything);
    return true;
}

bool SetupDocument::setupFromText(const char* text) {
    TiXmlDocument document;
    const TiXmlElement* setup = PresetXml::parsePayload(text, document, "setup");
    return setup && readSetup(*setup, false);
}

bool SetupDocument::setupToText(std::string& stream) {
    PresetXml::appendPayloadText(stream, [this](TiXmlNode& preset) { writeSetup(preset); });
    return true;
}

std::string SetupDocument::relativeName(const std::string& path) const {
    return XmlValues::name(host_.contentFolders().relativeName(path, kContentSetups));
}

} // namespace trommik2
