#pragma once

#include <string>

// Puts the drum kit or the pattern of a document file into a state text, so a
// host can load either while the rest of the state (volume, mute, solo, the
// other part) stays as it was.
class StatePatch {
  public:
    // Replaces the `part` element ("drumkit" or "pattern") of the state's
    // preset/setup with the document's payload of that name, or with that part
    // of a setup document. False with error set when a text does not parse or
    // lacks the element.
    static bool replacePart(const std::string& state, const std::string& document, const char* part,
                            std::string* patched, std::string* error);
};
