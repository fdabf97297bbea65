#pragma once

namespace trommik2 {

class DrumMachine;
class PanelView;
class PictureView;
class SkinBitmapSet;
struct MenuEntry;

// The module schematic over the step grid while a knob's assignment menu is
// open: the picture of the assigned parameter's module when the menu opens,
// of a module group while its entry is under the mouse, with a parameter's
// control outlined while its entry is. Shown only when the drum machine's
// schematics setting is on. User-interface thread.
class SchematicOverlay {
  public:
    // Adds the (hidden) picture to the upper panel over the grid area.
    SchematicOverlay(PanelView& upper, const SkinBitmapSet& bitmaps, const DrumMachine& machine);

    void open(int parameter);
    void hovered(const MenuEntry& entry);
    void close();

    bool shown() const;
    // The picture shown (59..65), 0 for none.
    int picture() const { return picture_; }
    // The parameter outlined, -1 for none.
    int outlined() const { return outlined_; }

  private:
    void show(int picture, int parameter);

    const SkinBitmapSet& bitmaps_;
    const DrumMachine& machine_;
    PictureView* view_;
    int picture_ = 0;
    int outlined_ = -1;
};

} // namespace trommik2
