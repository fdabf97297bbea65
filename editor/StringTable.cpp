#include "StringTable.h"

#include <array>
#include <utility>

namespace trommik2 {
namespace {

constexpr std::array<std::pair<int, const char*>, 55> kStrings{{
    {1000, "Close editor"},
    {1001, "Start playback"},
    {1002, "Stop playback"},
    {1003, "Load previous setup"},
    {1004, "Load next setup"},
    {1005, "Select a saved setup"},
    {1006, "Save current setup"},
    {1009, "Show first bar"},
    {1010, "Show second bar"},
    {1011, "Show third bar"},
    {1012, "Show fourth bar"},
    {1013, "Show all bars"},
    {1014, "Change the number of visible steps"},
    {1015, "Change the number of bars in the pattern"},
    {1016, "Change the shuffle value"},
    {1017, "Copy events from bar 1 to bar 2 - 4"},
    {1018, "View follows the playcursor, if enabled"},
    {1019, "Instrument preview (click region controls the volume)"},
    {1020, "Save the current instrument"},
    {1021, "Load previous drumkit"},
    {1022, "Load next drumkit"},
    {1023, "Save current drumkit"},
    {1024, "Select a saved drumkit"},
    {1025, "Load previous pattern"},
    {1026, "Load next pattern"},
    {1027, "Save current pattern"},
    {1028, "Select a saved pattern"},
    {1029, "Clear current pattern"},
    {1030, "Clear the selected track"},
    {1032, "Select a saved sample"},
    {1033, "Choose the synthesis type"},
    {1034, "Choose the effect type"},
    {1035, "Toggle effect"},
    {1037, "Change random amount"},
    {1038, "Reset automation"},
    {1039, "Edit velocity values"},
    {1040, "Edit parameter automation"},
    {1041, "Toggle between velocity and parameter automation"},
    {1042, "Toggle track mute"},
    {1043, "Toggle track solo"},
    {1044, "Click to select track"},
    {1045, "Load previous intrument"},
    {1046, "Load next instrument"},
    {1047, "Select a saved instrument"},
    {1048, "Toggle editor"},
    {1049, "Change parameter assignment"},
    {1050, "Automate this parameter"},
    {1051, "copy instrument"},
    {1052, "paste instrument"},
    {1053, "empty instrument"},
    {1054, "default instrument"},
    {1055, "reset automation"},
    {1060, "Show module schematics"},
    {1062, "copy instrument + track data"},
    {1063, "paste intrument + track data"},
}};

} // namespace

const char* hintText(int id) {
    for (const auto& [number, text] : kStrings)
        if (number == id)
            return text;
    return nullptr;
}

} // namespace trommik2
