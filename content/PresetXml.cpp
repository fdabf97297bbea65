#include "PresetXml.h"

#include <cstdio>
#include <fstream>
#include <iterator>

#include "XmlNesting.h"
#include "platform/TempFile.h"

namespace trommik2 {

TiXmlElement& PresetXml::createEnvelope(TiXmlDocument& document) {
    document.LinkEndChild(new TiXmlDeclaration("1.0", "", ""));
    auto* preset = new TiXmlElement("preset");
    preset->SetAttribute("owner", "Trommik2");
    document.LinkEndChild(preset);
    return *preset;
}

const TiXmlElement* PresetXml::findPayload(const TiXmlDocument& document, const char* name) {
    const TiXmlElement* preset = document.FirstChildElement("preset");
    return preset ? preset->FirstChildElement(name) : nullptr;
}

bool PresetXml::parse(const char* text, TiXmlDocument& document) {
    if (!text || !XmlNesting::within(text, kMaxNesting))
        return false;
    document.Parse(text);
    return !document.Error();
}

bool PresetXml::load(const std::string& path, TiXmlDocument& document) {
    std::ifstream in(path, std::ios::binary);
    if (!in || !in.seekg(0, std::ios::end))
        return false;
    std::streamoff size = in.tellg();
    if (size < 0 || size > kMaxFileBytes || !in.seekg(0, std::ios::beg))
        return false;
    std::string text(std::istreambuf_iterator<char>(in), {});
    return !in.bad() && parse(text.c_str(), document);
}

bool PresetXml::save(const TiXmlDocument& document, const std::string& path) {
    TempFile temp(path);
    std::FILE* file = std::fopen(temp.path().c_str(), "wb");
    if (!file)
        return false;
    bool written = document.SaveFile(file);
    written = std::fflush(file) == 0 && written;
    written = std::fclose(file) == 0 && written;
    std::string error;
    return written && temp.commit(&error);
}

void PresetXml::appendText(const TiXmlDocument& document, std::string& stream) { stream << document; }

const TiXmlElement* PresetXml::loadPayload(const std::string& path, TiXmlDocument& document, const char* name) {
    return load(path, document) ? findPayload(document, name) : nullptr;
}

const TiXmlElement* PresetXml::parsePayload(const char* text, TiXmlDocument& document, const char* name) {
    return parse(text, document) ? findPayload(document, name) : nullptr;
}

bool PresetXml::saveRenamed(std::string& name, const std::string& newName, const std::string& path,
                            const std::function<void(TiXmlNode&)>& write) {
    std::string previous = name;
    name = newName;
    TiXmlDocument document;
    write(createEnvelope(document));
    if (save(document, path))
        return true;
    name = previous;
    return false;
}

void PresetXml::appendPayloadText(std::string& stream, const std::function<void(TiXmlNode&)>& write) {
    TiXmlDocument document;
    write(createEnvelope(document));
    appendText(document, stream);
}

} // namespace trommik2
