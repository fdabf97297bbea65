#pragma once

#include "SkinPainter.h"
#include "resources/SkinCatalogue.h"

namespace trommik2 {

// The two panel backgrounds: sections, captions, wells under the displays and
// grooves under the sliders, placed where the editor puts its controls.
class PanelArt {
  public:
    explicit PanelArt(SkinPainter& painter) : p_(painter) {}

    // False when the entry is not a panel.
    bool draw(const SkinEntry& entry);

  private:
    void upper(const SkinEntry& e);
    void lower(const SkinEntry& e);
    void base(const SkinEntry& e);
    void section(double x, double y, double w, double h, const char* caption);
    void caption(const char* text, double x, double y, double w, bool centred = true);
    void display(double left, double top, double right, double bottom);
    void groove(double left, double top, double right, double bottom, bool vertical);
    void logo();
    void trackRows();
    void knobColumns();

    SkinPainter& p_;
};

} // namespace trommik2
