// Draws every picture of the skin catalogue into a PNG file, writes the
// source file that embeds them into the editor, and draws the application
// icon (trommik2.png) beside the pictures:
//   trommik2-skin OUTPUT_FOLDER EMBEDDING_SOURCE
#include <cstdio>
#include <fstream>
#include <string>

#include <cairo.h>

#include "ControlArt.h"
#include "GridArt.h"
#include "IconArt.h"
#include "PanelArt.h"
#include "SchematicArt.h"
#include "StripArt.h"

using namespace trommik2;

namespace {

std::string pictureName(int number) {
    char name[16];
    std::snprintf(name, sizeof name, "%03d.png", number);
    return name;
}

bool drawPicture(const SkinEntry& entry, const std::string& path) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, entry.width, entry.height);
    cairo_t* cr = cairo_create(surface);
    SkinPainter painter(cr);
    ControlArt controls(painter);
    PanelArt panels(painter);
    StripArt strips(painter);
    GridArt grid(painter);
    SchematicArt schematics(painter);
    bool drawn =
        panels.draw(entry) || controls.draw(entry) || grid.draw(entry) || strips.draw(entry) || schematics.draw(entry);
    cairo_destroy(cr);
    bool written = drawn && cairo_surface_write_to_png(surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    if (!written)
        std::fprintf(stderr, "trommik2-skin: could not draw picture %d into %s\n", entry.number, path.c_str());
    return written;
}

// The pictures go into the read-only data of the library as they are; the
// editor decodes them when it opens.
bool writeEmbedding(const std::string& folder, const std::string& path) {
    std::string text = "// Written by trommik2-skin.\n#include \"editor/SkinImages.h\"\n\n";
    for (const SkinEntry& entry : kSkinCatalogue) {
        std::string symbol = "trommik2_skin_" + std::to_string(entry.number);
        text += "asm(\".section .rodata\\n.balign 16\\n.globl " + symbol + "\\n.hidden " + symbol + "\\n" + symbol +
                ":\\n.incbin \\\"" + folder + "/" + pictureName(entry.number) + "\\\"\\n.globl " + symbol +
                "_end\\n.hidden " + symbol + "_end\\n" + symbol + "_end:\\n.previous\");\n";
        text += "extern \"C\" const unsigned char " + symbol + "[], " + symbol + "_end[];\n";
    }
    text += "\nnamespace trommik2 {\n\nSkinImage skinImage(int number) {\n    switch (number) {\n";
    for (const SkinEntry& entry : kSkinCatalogue) {
        std::string symbol = "trommik2_skin_" + std::to_string(entry.number);
        text += "    case " + std::to_string(entry.number) + ": return {" + symbol + ", size_t(" + symbol + "_end - " +
                symbol + ")};\n";
    }
    text += "    default: return {};\n    }\n}\n\n} // namespace trommik2\n";
    std::ofstream out(path, std::ios::trunc);
    out << text;
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: trommik2-skin OUTPUT_FOLDER EMBEDDING_SOURCE\n");
        return 2;
    }
    std::string folder = argv[1];
    for (const SkinEntry& entry : kSkinCatalogue)
        if (!drawPicture(entry, folder + "/" + pictureName(entry.number)))
            return 1;
    if (!IconArt::write(folder + "/trommik2.png")) {
        std::fprintf(stderr, "trommik2-skin: could not draw the icon into %s\n", folder.c_str());
        return 1;
    }
    if (!writeEmbedding(folder, argv[2])) {
        std::fprintf(stderr, "trommik2-skin: could not write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
