#pragma once

#include <functional>
#include <string>

#include <tinyxml.h>

namespace trommik2 {

// The envelope every document shares (declaration "1.0", a root `preset`
// owned by "Trommik2", one payload element) and the ways documents travel:
// files (indented) and text (compact). User-interface thread.
class PresetXml {
  public:
    // Deeper than any document goes; deeper texts are refused before parsing.
    static constexpr int kMaxNesting = 64;
    // Larger than any document; larger files are refused before reading.
    static constexpr long kMaxFileBytes = 64L * 1024 * 1024;

    // Adds the declaration and the preset element to an empty document and
    // returns the preset element, which receives the payload.
    static TiXmlElement& createEnvelope(TiXmlDocument& document);
    // The first payload element of that name inside the first preset element.
    static const TiXmlElement* findPayload(const TiXmlDocument& document, const char* name);
    // False when the text does not parse or nests too deeply.
    static bool parse(const char* text, TiXmlDocument& document);
    // False when the file cannot be read or does not parse.
    static bool load(const std::string& path, TiXmlDocument& document);
    // Writes the indented document through a temporary file that replaces the
    // file only when all of it was written: a failed save leaves the previous file.
    static bool save(const TiXmlDocument& document, const std::string& path);
    // Appends the compact text of the document.
    static void appendText(const TiXmlDocument& document, std::string& stream);

    // The payload of that name of a file or of a text, or null when the file
    // cannot be read, the text does not parse, or the payload is missing.
    static const TiXmlElement* loadPayload(const std::string& path, TiXmlDocument& document, const char* name);
    static const TiXmlElement* parsePayload(const char* text, TiXmlDocument& document, const char* name);
    // Saves a document whose payload write appends to the preset element after
    // name was set to newName; a failed save restores the previous name.
    static bool saveRenamed(std::string& name, const std::string& newName, const std::string& path,
                            const std::function<void(TiXmlNode&)>& write);
    // Appends the envelope with the payload that write appends, as compact text.
    static void appendPayloadText(std::string& stream, const std::function<void(TiXmlNode&)>& write);
};

} // namespace trommik2
