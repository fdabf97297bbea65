#include "NoteNameTable.h"

#include <cstdio>

namespace trommik2 {

NoteNameTable::NoteNameTable() {
    static const char* const kPitches[12] = {"c ", "c#", "d ", "d#", "e ", "f ", "f#", "g ", "g#", "a ", "a#", "b "};
    for (int note = 0; note < 128; ++note)
        std::snprintf(names_[note], sizeof names_[note], "%s %i", kPitches[note % 12], note / 12);
}

const char* NoteNameTable::name(int note) const { return note >= 0 && note < 128 ? names_[note] : ""; }

} // namespace trommik2
