#include "DrumkitDocument.h"

#include <tinyxml.h>

#include "ContentFolders.h"
#include "DocumentHost.h"
#include "PresetXml.h"
#include "XmlValues.h"
#include "engine/InstrumentBank.h"

namespace trommik2 {

bool DrumkitDocument::readDrumkit(const TiXmlElement& drumkit, bool keepNames) {
    if (!keepNames && XmlValues::has(drumkit, "name"))
        host_.model().kitName() = XmlValues::name(XmlValues::text(drumkit, "name"));
    const TiXmlElement* list = drumkit.FirstChildElement("instruments");
    int track = 0;
    for (const TiXmlElement* e = list ? list->FirstChildElement("instrument") : nullptr;
         e && track < InstrumentBank::kTrackCount; e = e->NextSiblingElement("instrument"))
        instruments_.readInstrument(*e, track++, keepNames);
    return true;
}

void DrumkitDocument::writeDrumkit(TiXmlNode& parent) {
    auto* drumkit = new TiXmlElement("drumkit");
    XmlValues::setNumber(*drumkit, "version", 1.0);
    drumkit->SetAttribute("name", host_.model().kitName());
    parent.LinkEndChild(drumkit);
    auto* list = new TiXmlElement("instruments");
    drumkit->LinkEndChild(list);
    for (int track = 0; track < InstrumentBank::kTrackCount; ++track)
        instruments_.writeInstrument(*list, track);
}

bool DrumkitDocument::loadDrumkitFile(const std::string& path, bool keepNames) {
    TiXmlDocument document;
    const TiXmlElement* drumkit = PresetXml::loadPayload(path, document, "drumkit");
    if (!drumkit || !readDrumkit(*drumkit, keepNames))
        return false;
    if (!keepNames) {
        host_.model().kitName() = relativeName(path);
        host_.refreshEditor(kRefreshInstruments);
    }
    return true;
}

bool DrumkitDocument::saveDrumkitFile(const std::string& path) {
    if (!PresetXml::saveRenamed(host_.model().kitName(), relativeName(path), path,
                                [this](TiXmlNode& preset) { writeDrumkit(preset); }))
        return false;
    host_.refreshEditor(kRefreshInstruments);
    return true;
}

std::string DrumkitDocument::relativeName(const std::string& path) const {
    return XmlValues::name(host_.contentFolders().relativeName(path, kContentDrumkits));
}

} // namespace trommik2
