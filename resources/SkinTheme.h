#pragma once

#include <cairo.h>

namespace trommik2 {

// The colours and the font of the skin, shared by the generator that draws the
// pictures and the editor that draws texts over them.
struct SkinColour {
    double r, g, b;
};

namespace skin {

inline constexpr SkinColour kDeep{0.075, 0.082, 0.094};
inline constexpr SkinColour kPanel{0.122, 0.133, 0.153};
inline constexpr SkinColour kRaised{0.165, 0.180, 0.208};
inline constexpr SkinColour kControl{0.212, 0.231, 0.262};
inline constexpr SkinColour kEdge{0.290, 0.314, 0.353};
inline constexpr SkinColour kShadow{0.035, 0.039, 0.047};
inline constexpr SkinColour kText{0.855, 0.871, 0.894};
inline constexpr SkinColour kLabel{0.560, 0.600, 0.650};
inline constexpr SkinColour kAccent{1.000, 0.650, 0.190};
inline constexpr SkinColour kAccentDim{0.420, 0.280, 0.100};
inline constexpr SkinColour kMute{0.910, 0.290, 0.300};
inline constexpr SkinColour kSolo{0.250, 0.720, 0.950};
inline constexpr SkinColour kSelected{0.200, 0.255, 0.330};
// Track names that a drag would exchange or a drop would fill.
inline constexpr SkinColour kNameHighlight{1.0, 1.0, 129.0 / 255.0};

inline constexpr const char* kFontFamily = "DejaVu Sans";

inline void setColour(cairo_t* cr, SkinColour c, double alpha = 1.0) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

// Fixed font rendering, so that the same text gives the same pixels on every
// machine with the pinned font, whatever the desktop's settings.
inline void setFont(cairo_t* cr, double size, bool bold) {
    cairo_select_font_face(cr, kFontFamily, CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    cairo_font_options_set_subpixel_order(options, CAIRO_SUBPIXEL_ORDER_DEFAULT);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

} // namespace skin
} // namespace trommik2
