#pragma once

#include <array>
#include <cstdint>
#include <optional>

namespace trommik2 {

// How the skin generator draws a picture; the editor only needs the sizes.
enum class SkinArt : uint8_t {
    UpperPanel,
    LowerPanel,
    Button,
    PlayButton,
    Knob,
    Switch3,
    LitSwitch,
    RowToggle,
    RowButton,
    RowMenu,
    RowName,
    GridCells,
    AutomationBars,
    AutomationBackground,
    SliderHandle,
    IndicatorHandle,
    MeterDark,
    MeterLit,
    Lamp,
    BarMarkers,
    Schematic,
};

// One picture of the skin: its resource number, its size, the pictures stacked
// in it (frames per shade, shades one below the other: the track rows keep an
// even, an odd and a selected shade) and what it shows. The generator and the
// editor both read this table, so a picture and the controls that cut frames
// from it cannot disagree.
struct SkinEntry {
    int number;
    int width;
    int height;
    int frames;
    int shades;
    SkinArt art;
    // A caption, a glyph name or the captions of the frames separated by '|'.
    const char* label;

    int frameHeight() const { return height / (frames * shades); }
};

inline constexpr std::array kSkinCatalogue{
    SkinEntry{2, 916, 488, 1, 1, SkinArt::UpperPanel, ""},
    SkinEntry{3, 26, 46, 2, 1, SkinArt::Button, "close"},
    SkinEntry{4, 54, 159, 3, 1, SkinArt::PlayButton, "play"},
    SkinEntry{5, 54, 106, 2, 1, SkinArt::Button, "stop"},
    SkinEntry{6, 27, 46, 2, 1, SkinArt::Button, "compact"},
    SkinEntry{7, 28, 60, 2, 1, SkinArt::Button, "previous"},
    SkinEntry{8, 28, 60, 2, 1, SkinArt::Button, "next"},
    SkinEntry{9, 28, 60, 2, 1, SkinArt::Button, "save"},
    SkinEntry{10, 27, 27 * 55, 55, 1, SkinArt::Knob, "master"},
    SkinEntry{11, 27, 27 * 55, 55, 1, SkinArt::Knob, ""},
    SkinEntry{12, 25, 25 * 55, 55, 1, SkinArt::Knob, ""},
    SkinEntry{13, 63, 96, 3, 1, SkinArt::Switch3, "8|16|32"},
    SkinEntry{14, 45, 34, 2, 1, SkinArt::LitSwitch, "COPY"},
    SkinEntry{15, 155, 240, 12, 1, SkinArt::GridCells, ""},
    SkinEntry{16, 155, 346, 1, 1, SkinArt::AutomationBars, ""},
    SkinEntry{17, 17, 34, 2, 1, SkinArt::LitSwitch, "1"},
    SkinEntry{18, 17, 34, 2, 1, SkinArt::LitSwitch, "2"},
    SkinEntry{19, 17, 34, 2, 1, SkinArt::LitSwitch, "3"},
    SkinEntry{20, 17, 34, 2, 1, SkinArt::LitSwitch, "4"},
    SkinEntry{21, 26, 34, 2, 1, SkinArt::LitSwitch, "ALL"},
    SkinEntry{22, 14, 120, 2, 3, SkinArt::RowToggle, "M"},
    SkinEntry{23, 16, 120, 2, 3, SkinArt::RowToggle, "S"},
    SkinEntry{24, 16, 120, 2, 3, SkinArt::RowButton, "previous"},
    SkinEntry{25, 15, 120, 2, 3, SkinArt::RowButton, "next"},
    SkinEntry{26, 23, 60, 1, 3, SkinArt::RowMenu, ""},
    SkinEntry{27, 123, 60, 1, 3, SkinArt::RowName, ""},
    SkinEntry{28, 7, 4, 1, 1, SkinArt::IndicatorHandle, ""},
    SkinEntry{29, 45, 34, 2, 1, SkinArt::LitSwitch, "FOLLOW"},
    SkinEntry{30, 27, 54, 2, 1, SkinArt::Button, "preview"},
    SkinEntry{31, 27, 54, 2, 1, SkinArt::Button, "save"},
    SkinEntry{32, 12, 26, 2, 1, SkinArt::Button, "previous"},
    SkinEntry{33, 13, 26, 2, 1, SkinArt::Button, "next"},
    SkinEntry{34, 16, 32, 2, 1, SkinArt::Button, "save"},
    SkinEntry{35, 12, 26, 2, 1, SkinArt::Button, "previous"},
    SkinEntry{36, 13, 26, 2, 1, SkinArt::Button, "next"},
    SkinEntry{37, 16, 32, 2, 1, SkinArt::Button, "save"},
    SkinEntry{38, 13, 26, 2, 1, SkinArt::Button, "clear"},
    SkinEntry{39, 13, 26, 2, 1, SkinArt::Button, "clear"},
    SkinEntry{40, 14, 11, 1, 1, SkinArt::SliderHandle, "vertical"},
    SkinEntry{41, 11, 32, 1, 1, SkinArt::SliderHandle, "horizontal"},
    SkinEntry{42, 7, 7, 1, 1, SkinArt::SliderHandle, "small"},
    SkinEntry{43, 13, 26, 2, 1, SkinArt::LitSwitch, "A"},
    SkinEntry{44, 24, 30, 2, 1, SkinArt::LitSwitch, "ON"},
    SkinEntry{45, 13, 26, 2, 1, SkinArt::Button, "reset"},
    SkinEntry{46, 63, 96, 3, 1, SkinArt::Switch3, "1|2|4"},
    SkinEntry{47, 9, 55, 5, 1, SkinArt::BarMarkers, "|1|2|3|4"},
    SkinEntry{48, 22, 26, 2, 1, SkinArt::LitSwitch, "V/P"},
    SkinEntry{49, 88, 26, 2, 1, SkinArt::LitSwitch, "AUTOMATION"},
    SkinEntry{50, 78, 26, 2, 1, SkinArt::LitSwitch, "VELOCITY"},
    SkinEntry{51, 5, 24, 1, 1, SkinArt::MeterDark, ""},
    SkinEntry{52, 5, 24, 1, 1, SkinArt::MeterLit, ""},
    SkinEntry{53, 11, 22, 2, 1, SkinArt::Lamp, ""},
    SkinEntry{54, 640, 57, 1, 1, SkinArt::AutomationBackground, ""},
    SkinEntry{55, 26, 46, 2, 1, SkinArt::Button, "help"},
    SkinEntry{56, 916, 183, 1, 1, SkinArt::LowerPanel, ""},
    SkinEntry{59, 640, 320, 1, 1, SkinArt::Schematic, "NOISE SYNTHESIS"},
    SkinEntry{60, 640, 320, 1, 1, SkinArt::Schematic, "FM / RING SYNTHESIS"},
    SkinEntry{61, 640, 320, 1, 1, SkinArt::Schematic, "PHYSICAL MODEL"},
    SkinEntry{62, 640, 320, 1, 1, SkinArt::Schematic, "SAMPLE"},
    SkinEntry{63, 640, 320, 1, 1, SkinArt::Schematic, "ENVELOPE AND FILTER"},
    SkinEntry{64, 640, 320, 1, 1, SkinArt::Schematic, "EFFECTS"},
    SkinEntry{65, 640, 320, 1, 1, SkinArt::Schematic, "OUTPUT"},
};

// The skin's picture of a resource number, if it has one. Any thread.
constexpr std::optional<SkinEntry> findSkinEntry(int number) {
    for (const SkinEntry& entry : kSkinCatalogue)
        if (entry.number == number)
            return entry;
    return std::nullopt;
}

} // namespace trommik2
