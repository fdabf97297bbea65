#pragma once

#include "SkinPainter.h"
#include "resources/SkinCatalogue.h"

namespace trommik2 {

// The module schematics (pictures 59..65): each module's signal flow as
// blocks and wires, with every parameter's control drawn where the editor
// outlines it (the rectangles of resources/SchematicLayout.h).
class SchematicArt {
  public:
    explicit SchematicArt(SkinPainter& painter) : p_(painter) {}

    // False when the entry is not a schematic.
    bool draw(const SkinEntry& entry);

  private:
    void background(const SkinEntry& e);
    void blocks(int picture);
    void wires(int picture);
    void controls(int picture);
    void arrowHead(double x0, double y0, double x1, double y1, SkinColour colour);

    SkinPainter& p_;
};

} // namespace trommik2
