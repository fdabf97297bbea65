// The document readers on arbitrary text: the first byte chooses the reader
// (an instrument text into a track, the drum-kit or pattern element reader on
// whatever parses, or a whole setup text), the second the track and whether
// names are kept, the rest is the text. Whatever a reader took writes out as
// a document that a fresh workspace reads and writes again unchanged.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include <tinyxml.h>

#include "FuzzContent.h"
#include "content/DocumentWorkspace.h"
#include "content/PresetXml.h"
#include "content/SetupDocument.h"
#include "platform/ScriptedDialogs.h"

using namespace trommik2;

namespace {

enum Reader { kInstrumentText, kDrumkitElement, kPatternElement, kSetupText, kReaderCount };

struct Documents {
    DocumentWorkspace workspace{fuzzing::contentRoot()};
    InstrumentDocument instrument{workspace};
    DrumkitDocument drumkit{workspace};
    PatternDocument pattern{workspace};
    SetupDocument setup{workspace};

    bool read(Reader reader, int track, bool keepNames, const char* text) {
        TiXmlDocument document;
        switch (reader) {
        case kInstrumentText: return instrument.instrumentFromText(track, text);
        case kDrumkitElement: {
            const TiXmlElement* e = PresetXml::parsePayload(text, document, "drumkit");
            return e && drumkit.readDrumkit(*e, keepNames);
        }
        case kPatternElement: {
            const TiXmlElement* e = PresetXml::parsePayload(text, document, "pattern");
            return e && pattern.readPattern(*e, keepNames);
        }
        default: return setup.setupFromText(text);
        }
    }

    std::string write(Reader reader, int track) {
        std::string text;
        switch (reader) {
        case kInstrumentText: instrument.instrumentToText(track, text); break;
        case kDrumkitElement:
            PresetXml::appendPayloadText(text, [this](TiXmlNode& preset) { drumkit.writeDrumkit(preset); });
            break;
        case kPatternElement:
            PresetXml::appendPayloadText(text, [this](TiXmlNode& preset) { pattern.writePattern(preset); });
            break;
        default: setup.setupToText(text); break;
        }
        return text;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static ScriptedDialogs dialogs;
    Dialogs::install(&dialogs);
    if (size < 2)
        return 0;
    const auto reader = static_cast<Reader>(data[0] % kReaderCount);
    const int track = data[1] % 16;
    const bool keepNames = (data[1] & 0x10) != 0;
    const std::string text(reinterpret_cast<const char*>(data + 2), size - 2);
    auto first = std::make_unique<Documents>();
    if (first->read(reader, track, keepNames, text.c_str())) {
        const std::string written = first->write(reader, track);
        auto second = std::make_unique<Documents>();
        fuzzing::expect(second->read(reader, track, false, written.c_str()), "a written document reads");
        fuzzing::expect(second->write(reader, track) == written, "a read document writes as it was written");
    }
    dialogs.clear();
    return 0;
}
