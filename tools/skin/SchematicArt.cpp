#include "SchematicArt.h"

#include <cmath>

#include "resources/SchematicLayout.h"

namespace trommik2 {
namespace {

struct Block {
    int picture;
    double left, top, right, bottom;
    const char* title;
};

// Up to five points; modulation (dashed) or signal; the last segment ends in an arrow.
struct Wire {
    int picture;
    bool modulation;
    int points;
    double p[10];
};

// Sums, multiplications and the words at the ends of the flow.
struct Mark {
    int picture;
    double x, y;
    const char* text;
    bool node;
};

struct Caption {
    int picture;
    const char* title;
    const char* subtitle;
};

constexpr Caption kCaptions[] = {
    {59, "FILTERED NOISE", "Two band-passed noise parts: kicks, snares, toms"},
    {60, "PHASE DISTORTION FM / RING", "Two oscillators, frequency and ring modulation"},
    {61, "PHYSICAL MODEL", "A noise exciter strikes a damped surface: cymbals"},
    {62, "SAMPLE PLAYBACK", "A WAV file, tuned and shaped by the envelope"},
    {63, "ENVELOPE AND MULTIMODE FILTER", "One envelope shapes amplitude and filter"},
    {64, "EFFECTS SECTION", "Fourteen effects: dynamics, filters, distortion, space, delays"},
    {65, "OUTPUT", "Volume and pan into the master bus"},
};

constexpr Block kBlocks[] = {
    {59, 20, 50, 90, 100, "NOISE"},
    {59, 135, 36, 235, 102, "BANDPASS 1"},
    {59, 315, 36, 415, 102, "BANDPASS 2"},
    {59, 20, 172, 130, 258, "ENVELOPE"},
    {59, 245, 140, 315, 225, "AMP 1"},
    {59, 435, 140, 505, 225, "AMP 2"},
    {60, 100, 40, 190, 130, "OSC 1"},
    {60, 100, 180, 190, 270, "OSC 2"},
    {60, 235, 110, 325, 200, "FM"},
    {60, 370, 60, 450, 130, "AMP 1"},
    {60, 370, 200, 450, 270, "AMP 2"},
    {60, 490, 130, 570, 180, "RING"},
    {61, 20, 90, 80, 130, "NOISE"},
    {61, 125, 66, 215, 160, "EXCITER"},
    {61, 280, 66, 370, 160, "SURFACE"},
    {61, 280, 206, 370, 256, "VELOCITY"},
    {61, 440, 90, 520, 140, "AMP"},
    {62, 40, 90, 130, 150, "WAV FILE"},
    {62, 180, 76, 265, 150, "PLAYER"},
    {62, 340, 90, 425, 140, "AMP"},
    {62, 40, 200, 130, 250, "ENVELOPE"},
    {62, 180, 200, 265, 250, "PITCH MOD"},
    {62, 340, 200, 425, 250, "AMP MOD"},
    {63, 30, 186, 180, 282, "ENVELOPE"},
    {63, 290, 46, 460, 142, "MULTIMODE FILTER"},
    {63, 290, 186, 380, 256, "FILTER MOD"},
    {64, 220, 60, 370, 162, "EFFECT"},
    {65, 240, 96, 330, 150, "VOLUME"},
    {65, 370, 96, 460, 150, "PAN"},
};

constexpr Wire kWires[] = {
    // Filtered noise.
    {59, false, 2, {90, 69, 135, 69}},
    {59, false, 5, {55, 50, 55, 26, 290, 26, 290, 60, 315, 60}},
    {59, false, 3, {235, 69, 280, 69, 280, 140}},
    {59, false, 3, {415, 69, 470, 69, 470, 140}},
    {59, true, 3, {114, 201, 150, 201, 150, 102}},
    {59, true, 2, {114, 221, 245, 221}},
    {59, true, 2, {338, 108, 338, 102}},
    {59, true, 3, {416, 115, 452, 115, 452, 140}},
    {59, true, 5, {130, 248, 230, 248, 230, 134, 338, 134, 338, 122}},
    {59, true, 3, {338, 134, 391, 134, 391, 122}},
    {59, false, 4, {280, 225, 280, 285, 560, 285, 560, 190}},
    {59, false, 2, {505, 180, 550, 180}},
    {59, false, 2, {570, 180, 628, 180}},
    // FM / ring.
    {60, false, 2, {190, 95, 370, 95}},
    {60, false, 2, {190, 235, 370, 235}},
    {60, true, 2, {235, 155, 160, 155}},
    {60, true, 2, {160, 155, 160, 130}},
    {60, true, 2, {160, 155, 160, 180}},
    {60, false, 4, {450, 95, 600, 95, 600, 150, 600, 150}},
    {60, false, 3, {450, 235, 600, 235, 600, 170}},
    {60, false, 3, {470, 95, 470, 145, 490, 145}},
    {60, false, 3, {470, 235, 470, 170, 490, 170}},
    {60, false, 2, {570, 158, 590, 160}},
    {60, false, 2, {610, 160, 634, 160}},
    // Physical model.
    {61, false, 2, {80, 110, 125, 110}},
    {61, false, 2, {215, 113, 280, 113}},
    {61, false, 2, {370, 113, 440, 113}},
    {61, false, 2, {520, 113, 620, 113}},
    {61, true, 3, {280, 237, 170, 237, 170, 160}},
    // Sample.
    {62, false, 2, {130, 120, 180, 120}},
    {62, false, 2, {265, 115, 340, 115}},
    {62, false, 2, {425, 115, 560, 115}},
    {62, true, 2, {130, 225, 180, 225}},
    {62, true, 4, {155, 225, 155, 272, 382, 272, 382, 250}},
    {62, true, 2, {222, 200, 222, 150}},
    {62, true, 2, {382, 200, 382, 140}},
    // Envelope and filter.
    {63, false, 2, {20, 94, 290, 94}},
    {63, false, 2, {460, 94, 540, 94}},
    {63, false, 2, {560, 94, 628, 94}},
    {63, true, 2, {180, 222, 290, 222}},
    {63, true, 2, {335, 186, 335, 142}},
    {63, true, 5, {180, 196, 250, 196, 250, 170, 550, 170, 550, 104}},
    // Effects.
    {64, false, 2, {20, 111, 220, 111}},
    {64, false, 2, {370, 111, 510, 111}},
    {64, false, 3, {120, 111, 120, 187, 430, 187}},
    {64, false, 3, {480, 187, 520, 187, 520, 121}},
    {64, false, 2, {530, 111, 628, 111}},
    // Output.
    {65, false, 2, {20, 127, 240, 127}},
    {65, false, 2, {330, 127, 370, 127}},
    {65, false, 4, {460, 127, 520, 127, 520, 100, 600, 100}},
    {65, false, 3, {520, 127, 520, 154, 600, 154}},
};

constexpr Mark kMarks[] = {
    {59, 560, 180, "+", true},      {59, 620, 166, "OUT", false},
    {60, 600, 160, "+", true},      {60, 620, 142, "OUT", false},
    {61, 600, 99, "OUT", false},    {62, 540, 101, "TO MIX", false},
    {63, 550, 94, "\u00d7", true},  {63, 70, 80, "SYNTH + SAMPLE", false},
    {63, 610, 80, "OUT", false},    {63, 500, 160, "AMPLITUDE", false},
    {64, 520, 111, "\u2022", true}, {64, 40, 97, "IN", false},
    {64, 610, 97, "OUT", false},    {64, 240, 201, "ON: effect  OFF: dry", false},
    {65, 40, 113, "IN", false},     {65, 612, 100, "L", false},
    {65, 612, 154, "R", false},
};

constexpr SkinColour kSignal{0.80, 0.83, 0.87};
constexpr SkinColour kModulation = skin::kAccent;

} // namespace

bool SchematicArt::draw(const SkinEntry& e) {
    if (e.art != SkinArt::Schematic)
        return false;
    background(e);
    wires(e.number);
    blocks(e.number);
    controls(e.number);
    return true;
}

void SchematicArt::background(const SkinEntry& e) {
    p_.fill(0, 0, e.width, e.height, skin::kDeep);
    for (int x = 20; x < e.width; x += 20)
        p_.line(x + 0.5, 0, x + 0.5, e.height, 1, skin::kEdge, 0.10);
    for (int y = 20; y < e.height; y += 20)
        p_.line(0, y + 0.5, e.width, y + 0.5, 1, skin::kEdge, 0.10);
    for (const Caption& c : kCaptions)
        if (c.picture == e.number) {
            p_.text(c.title, 330, 286, 300, 16, 12, true, skin::kAccent, true);
            p_.text(c.subtitle, 330, 302, 300, 12, 8, false, skin::kLabel, true);
        }
}

void SchematicArt::blocks(int picture) {
    for (const Block& b : kBlocks) {
        if (b.picture != picture)
            continue;
        p_.gradientBox(b.left, b.top, b.right - b.left, b.bottom - b.top, 4, skin::kControl, skin::kRaised);
        cairo_t* cr = p_.cairo();
        p_.roundedRect(b.left + 0.5, b.top + 0.5, b.right - b.left - 1, b.bottom - b.top - 1, 4);
        cairo_set_source_rgb(cr, skin::kEdge.r, skin::kEdge.g, skin::kEdge.b);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        p_.text(b.title, b.left, b.top + 3, b.right - b.left, 13, 8, true, skin::kText);
    }
    for (const Mark& m : kMarks) {
        if (m.picture != picture)
            continue;
        if (m.node) {
            cairo_t* cr = p_.cairo();
            cairo_new_sub_path(cr);
            cairo_arc(cr, m.x, m.y, 10, 0, 2 * M_PI);
            cairo_set_source_rgb(cr, skin::kControl.r, skin::kControl.g, skin::kControl.b);
            cairo_fill_preserve(cr);
            cairo_set_source_rgb(cr, kSignal.r, kSignal.g, kSignal.b);
            cairo_set_line_width(cr, 1.5);
            cairo_stroke(cr);
            p_.text(m.text, m.x - 10, m.y - 10, 20, 20, 11, true, kSignal);
        } else {
            p_.text(m.text, m.x - 40, m.y - 7, 80, 14, 8, true, skin::kLabel);
        }
    }
}

void SchematicArt::wires(int picture) {
    cairo_t* cr = p_.cairo();
    for (const Wire& w : kWires) {
        if (w.picture != picture)
            continue;
        const SkinColour c = w.modulation ? kModulation : kSignal;
        cairo_save(cr);
        if (w.modulation) {
            const double dashes[] = {4, 3};
            cairo_set_dash(cr, dashes, 2, 0);
        }
        cairo_move_to(cr, w.p[0], w.p[1]);
        for (int i = 1; i < w.points; ++i)
            cairo_line_to(cr, w.p[2 * i], w.p[2 * i + 1]);
        cairo_set_source_rgba(cr, c.r, c.g, c.b, w.modulation ? 0.8 : 0.9);
        cairo_set_line_width(cr, w.modulation ? 1.2 : 1.6);
        cairo_stroke(cr);
        cairo_restore(cr);
        const int last = w.points - 1;
        arrowHead(w.p[2 * last - 2], w.p[2 * last - 1], w.p[2 * last], w.p[2 * last + 1], c);
    }
}

void SchematicArt::arrowHead(double x0, double y0, double x1, double y1, SkinColour colour) {
    const double length = std::hypot(x1 - x0, y1 - y0);
    if (length < 1)
        return;
    const double ux = (x1 - x0) / length, uy = (y1 - y0) / length;
    cairo_t* cr = p_.cairo();
    cairo_move_to(cr, x1, y1);
    cairo_line_to(cr, x1 - 7 * ux + 3.5 * uy, y1 - 7 * uy - 3.5 * ux);
    cairo_line_to(cr, x1 - 7 * ux - 3.5 * uy, y1 - 7 * uy + 3.5 * ux);
    cairo_close_path(cr);
    cairo_set_source_rgb(cr, colour.r, colour.g, colour.b);
    cairo_fill(cr);
}

void SchematicArt::controls(int picture) {
    for (const SchematicControl& c : kSchematicControls) {
        if (c.picture != picture)
            continue;
        const double w = c.right - c.left, h = c.bottom - c.top;
        p_.well(c.left, c.top, w, h, 2);
        p_.text(c.label, c.left, c.top, w, h, 7.5, false, skin::kText);
    }
}

} // namespace trommik2
