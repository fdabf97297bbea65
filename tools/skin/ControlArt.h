#pragma once

#include "SkinPainter.h"
#include "resources/SkinCatalogue.h"

namespace trommik2 {

// The pictures of the controls: every frame and shade of one catalogue entry,
// drawn one below the other into a surface of the entry's size.
class ControlArt {
  public:
    explicit ControlArt(SkinPainter& painter) : p_(painter) {}

    // False when the entry is not a control picture.
    bool draw(const SkinEntry& entry);

    // The background of a track row in one of its three shades.
    static SkinColour rowShade(int shade);

  private:
    void button(const SkinEntry& e, int frame, double y);
    void playButton(const SkinEntry& e, int frame, double y);
    void knob(const SkinEntry& e, int frame, double y);
    void switch3(const SkinEntry& e, int frame, double y);
    void litSwitch(const SkinEntry& e, int frame, double y);
    void rowPicture(const SkinEntry& e, int shade, int frame, double y);
    void sliderHandle(const SkinEntry& e);
    void meter(const SkinEntry& e, bool lit);
    void markers(const SkinEntry& e, int frame, double y);

    SkinPainter& p_;
};

} // namespace trommik2
