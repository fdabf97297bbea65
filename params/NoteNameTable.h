#pragma once

namespace trommik2 {

// Names of the note numbers 0..127: "c  0", "c# 0", ... "g  10".
class NoteNameTable {
  public:
    NoteNameTable();
    // The name of note n, or an empty text outside 0..127.
    const char* name(int note) const;

  private:
    char names_[128][8];
};

} // namespace trommik2
