#pragma once

#include <array>
#include <optional>

namespace trommik2 {

// Where a parameter's control sits in a module schematic (pictures 59..65,
// 640 × 320): the skin generator draws the control there with its label, and
// the editor outlines the same rectangle while the parameter's menu entry is
// under the mouse.
struct SchematicControl {
    int picture;
    int parameter;
    int left, top, right, bottom;
    const char* label;
};

// The picture of each module group (0..8): noise, FM/ring, physical model, -,
// sample, envelope and filter (both), effects, output.
inline constexpr std::array<int, 9> kSchematicOfGroup{59, 60, 61, 0, 62, 63, 63, 64, 65};

inline constexpr std::array kSchematicControls{
    // Filtered noise: two band-passed noise parts, each with its envelope depths and level.
    SchematicControl{59, 2, 145, 55, 202, 69, "Freq"},
    SchematicControl{59, 3, 165, 82, 225, 95, "Reso"},
    SchematicControl{59, 7, 325, 55, 382, 69, "Freq"},
    SchematicControl{59, 8, 345, 83, 405, 95, "Reso"},
    SchematicControl{59, 4, 66, 215, 114, 228, "Amp Env"},
    SchematicControl{59, 5, 66, 195, 114, 208, "Flt Env"},
    SchematicControl{59, 9, 367, 108, 416, 122, "Amp Env"},
    SchematicControl{59, 10, 315, 108, 362, 122, "Flt Env"},
    SchematicControl{59, 6, 255, 200, 305, 214, "Level 1"},
    SchematicControl{59, 11, 445, 200, 495, 214, "Level 2"},
    // Phase distortion FM and ring: two oscillators, the modulation between them, a ring modulator.
    SchematicControl{60, 20, 110, 60, 180, 74, "Tune"},
    SchematicControl{60, 22, 110, 84, 180, 98, "Distort"},
    SchematicControl{60, 30, 110, 108, 180, 122, "Pitch Env"},
    SchematicControl{60, 21, 110, 200, 180, 214, "Tune"},
    SchematicControl{60, 23, 110, 224, 180, 238, "Distort"},
    SchematicControl{60, 31, 110, 248, 180, 262, "Pitch Env"},
    SchematicControl{60, 24, 245, 130, 315, 144, "FM Mode"},
    SchematicControl{60, 25, 245, 154, 315, 168, "FM Amount"},
    SchematicControl{60, 27, 245, 178, 315, 192, "Dynamics"},
    SchematicControl{60, 28, 380, 84, 440, 98, "Amp Env"},
    SchematicControl{60, 32, 380, 108, 440, 122, "Level"},
    SchematicControl{60, 29, 380, 224, 440, 238, "Amp Env"},
    SchematicControl{60, 33, 380, 248, 440, 262, "Level"},
    SchematicControl{60, 26, 500, 154, 560, 168, "Ring Mod"},
    // Physical model: a filtered noise exciter strikes a damped surface.
    SchematicControl{61, 13, 135, 90, 205, 104, "Freq"},
    SchematicControl{61, 14, 135, 114, 205, 128, "Reso"},
    SchematicControl{61, 16, 135, 138, 205, 152, "Env Shape"},
    SchematicControl{61, 12, 290, 90, 360, 104, "Size"},
    SchematicControl{61, 15, 290, 114, 360, 128, "Damping"},
    SchematicControl{61, 17, 290, 138, 360, 152, "Damp Freq"},
    SchematicControl{61, 18, 290, 230, 360, 244, "Env Dyn."},
    SchematicControl{61, 19, 450, 114, 510, 128, "Level"},
    // Sample playback.
    SchematicControl{62, 34, 190, 100, 255, 114, "Pitch"},
    SchematicControl{62, 35, 190, 124, 255, 138, "Direction"},
    SchematicControl{62, 37, 190, 220, 255, 234, "Pitch Env"},
    SchematicControl{62, 36, 350, 220, 415, 234, "Amp Env"},
    SchematicControl{62, 38, 350, 112, 415, 126, "Level"},
    // Envelope and multimode filter.
    SchematicControl{63, 40, 40, 210, 100, 224, "Attack"},
    SchematicControl{63, 41, 40, 234, 100, 248, "Decay"},
    SchematicControl{63, 42, 110, 210, 170, 224, "Shape"},
    SchematicControl{63, 43, 110, 234, 170, 248, "Vel. Shape"},
    SchematicControl{63, 44, 75, 258, 135, 272, "Att. Mod"},
    SchematicControl{63, 45, 300, 70, 370, 84, "Type"},
    SchematicControl{63, 46, 300, 94, 370, 108, "Freq"},
    SchematicControl{63, 47, 300, 118, 370, 132, "Reso"},
    SchematicControl{63, 48, 380, 94, 450, 108, "Drive"},
    SchematicControl{63, 49, 300, 210, 370, 224, "Env Shape"},
    SchematicControl{63, 50, 300, 234, 370, 248, "Env Amt"},
    // Effects.
    SchematicControl{64, 51, 230, 86, 320, 100, "Type"},
    SchematicControl{64, 52, 230, 114, 290, 128, "Param 1"},
    SchematicControl{64, 53, 300, 114, 360, 128, "Param 2"},
    SchematicControl{64, 54, 230, 138, 290, 152, "Param 3"},
    SchematicControl{64, 55, 300, 138, 360, 152, "Param 4"},
    SchematicControl{64, 56, 430, 180, 480, 194, "On/Off"},
    // Output stage.
    SchematicControl{65, 57, 250, 120, 320, 134, "Volume"},
    SchematicControl{65, 58, 380, 120, 450, 134, "Pan"},
};

// The picture that shows a group's parameters, 0 for none.
constexpr int schematicOfGroup(int group) {
    return group >= 0 && group < static_cast<int>(kSchematicOfGroup.size()) ? kSchematicOfGroup[group] : 0;
}

// A parameter's control in a picture, if the picture shows it.
constexpr std::optional<SchematicControl> findSchematicControl(int picture, int parameter) {
    for (const SchematicControl& control : kSchematicControls)
        if (control.picture == picture && control.parameter == parameter)
            return control;
    return std::nullopt;
}

} // namespace trommik2
