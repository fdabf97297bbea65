#pragma once

#include "SkinPainter.h"
#include "resources/SkinCatalogue.h"

namespace trommik2 {

// The strips the step grid and the automation lane cut their cells from.
class StripArt {
  public:
    explicit StripArt(SkinPainter& painter) : p_(painter) {}

    // False when the entry is not one of these pictures.
    bool draw(const SkinEntry& entry);

  private:
    void gridCells(const SkinEntry& e);
    void automationBars(const SkinEntry& e);
    void automationBackground(const SkinEntry& e);

    SkinPainter& p_;
};

} // namespace trommik2
