#pragma once

#include <array>

namespace trommik2 {

// What a status-line hint shows for a control.
enum class HintKind {
    TrackInstrument = 0, // the selected track's instrument name
    String = 1,          // a text of the string table
    ParameterText = 2,   // the control parameter's name and display text
    KnobName = 4,        // the long name of the knob's parameter
    OwnText = 5,         // the control's own text
    Version = 6,         // the version text
};

// Per control tag (0..204): the plug-in parameter the control writes (or -1),
// and the kind and string of its hint. Each editor keeps its own tables, as the
// knob assignments they hold belong to the instrument an editor shows.
// User-interface thread.
class TagTables {
  public:
    static constexpr int kTagCount = 205;

    TagTables();

    // -1 for tags outside 0..204 or without a parameter.
    int parameter(int tag) const;
    void setParameter(int tag, int parameter);
    HintKind hintKind(int tag) const;
    // The string number of a String hint, else 0.
    int hintString(int tag) const;

  private:
    void setHint(int tag, HintKind kind, int string = 0);

    std::array<int, kTagCount> parameters_;
    std::array<HintKind, kTagCount> kinds_;
    std::array<int, kTagCount> strings_;
};

} // namespace trommik2
