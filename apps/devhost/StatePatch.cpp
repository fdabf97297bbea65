#include "StatePatch.h"

#include <tinyxml.h>

namespace {

TiXmlElement* childOfPreset(TiXmlDocument& document, const char* name) {
    TiXmlElement* preset = document.FirstChildElement("preset");
    return preset ? preset->FirstChildElement(name) : nullptr;
}

// A kit or pattern document's payload, or that part of a setup document.
TiXmlElement* partOfDocument(TiXmlDocument& document, const char* part) {
    if (TiXmlElement* payload = childOfPreset(document, part))
        return payload;
    TiXmlElement* setup = childOfPreset(document, "setup");
    return setup ? setup->FirstChildElement(part) : nullptr;
}

} // namespace

bool StatePatch::replacePart(const std::string& state, const std::string& document, const char* part,
                             std::string* patched, std::string* error) {
    TiXmlDocument stateXml;
    stateXml.Parse(state.c_str());
    TiXmlElement* setup = stateXml.Error() ? nullptr : childOfPreset(stateXml, "setup");
    if (!setup) {
        *error = "the module's state holds no setup";
        return false;
    }
    TiXmlDocument documentXml;
    documentXml.Parse(document.c_str());
    TiXmlElement* replacement = documentXml.Error() ? nullptr : partOfDocument(documentXml, part);
    if (!replacement) {
        *error = std::string("the file holds no ") + part;
        return false;
    }
    TiXmlElement* current = setup->FirstChildElement(part);
    if (current)
        setup->ReplaceChild(current, *replacement);
    else
        setup->InsertEndChild(*replacement);
    patched->clear();
    *patched << stateXml;
    return true;
}
