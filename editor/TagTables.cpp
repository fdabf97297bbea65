#include "TagTables.h"

namespace trommik2 {
namespace {

struct HintRow {
    int firstTag, lastTag, firstString;
    bool oneString; // every tag of the row shares the first string
};

// The string hints, by tag (ranges of tags count up with their strings unless shared).
constexpr HintRow kStringHints[] = {
    {3, 3, 1000, true},     {6, 7, 1001, false},    {8, 8, 1048, true},     {9, 10, 1003, false},
    {11, 11, 1005, true},   {12, 12, 1006, true},   {26, 30, 1009, false},  {35, 39, 1014, false},
    {40, 45, 1019, false},  {46, 51, 1025, false},  {53, 56, 1032, false},  {57, 61, 1037, false},
    {69, 84, 1042, true},   {85, 100, 1043, true},  {101, 116, 1045, true}, {117, 132, 1046, true},
    {133, 148, 1047, true}, {149, 164, 1044, true}, {171, 176, 1049, true}, {177, 186, 1050, true},
};

} // namespace

TagTables::TagTables() {
    parameters_.fill(-1);
    kinds_.fill(HintKind::TrackInstrument);
    strings_.fill(0);
    parameters_[3] = 5000;
    parameters_[13] = 10000;
    for (int i = 0; i < 4; ++i)
        parameters_[20 + i] = 52 + i;
    parameters_[52] = 39;
    parameters_[56] = 56;
    for (int t = 0; t < 16; ++t) {
        parameters_[69 + t] = 10028 + t;
        parameters_[85 + t] = 10044 + t;
    }
    for (const HintRow& row : kStringHints)
        for (int tag = row.firstTag; tag <= row.lastTag; ++tag)
            setHint(tag, HintKind::String, row.firstString + (row.oneString ? 0 : tag - row.firstTag));
    setHint(13, HintKind::ParameterText);
    setHint(52, HintKind::ParameterText);
    for (int tag = 14; tag <= 23; ++tag)
        setHint(tag, HintKind::KnobName);
    setHint(24, HintKind::OwnText);
    setHint(25, HintKind::OwnText);
    setHint(2, HintKind::Version);
}

void TagTables::setHint(int tag, HintKind kind, int string) {
    kinds_[tag] = kind;
    strings_[tag] = string;
}

int TagTables::parameter(int tag) const { return tag >= 0 && tag < kTagCount ? parameters_[tag] : -1; }

void TagTables::setParameter(int tag, int parameter) {
    if (tag >= 0 && tag < kTagCount)
        parameters_[tag] = parameter;
}

HintKind TagTables::hintKind(int tag) const {
    return tag >= 0 && tag < kTagCount ? kinds_[tag] : HintKind::TrackInstrument;
}

int TagTables::hintString(int tag) const { return tag >= 0 && tag < kTagCount ? strings_[tag] : 0; }

} // namespace trommik2
