#pragma once

#include "SkinPainter.h"
#include "resources/SkinCatalogue.h"

namespace trommik2 {

// The cell strips of the step grid and of the automation lane: per cell width
// (80, 40, 20, 10 and 5 pixels side by side) every state a cell can show.
class GridArt {
  public:
    explicit GridArt(SkinPainter& painter) : p_(painter) {}

    // False when the entry is not one of these strips.
    bool draw(const SkinEntry& entry);

  private:
    void gridCells(const SkinEntry& e);
    void gridCell(double x, double y, double w, double h, int row);
    void laneCells(const SkinEntry& e);

    SkinPainter& p_;
};

} // namespace trommik2
