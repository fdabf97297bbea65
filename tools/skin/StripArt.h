#pragma once

#include "SkinPainter.h"
#include "resources/SkinCatalogue.h"

namespace trommik2 {

// The automation lane's background.
class StripArt {
  public:
    explicit StripArt(SkinPainter& painter) : p_(painter) {}

    // False when the entry is not one of these pictures.
    bool draw(const SkinEntry& entry);

  private:
    void automationBackground(const SkinEntry& e);

    SkinPainter& p_;
};

} // namespace trommik2
