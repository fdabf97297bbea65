#pragma once

#include <array>
#include <cstdint>

#include "StepView.h"

namespace trommik2 {

// The step grid: sixteen track rows of 20 pixels over the shown columns. A
// click sets or clears a hit, a drag paints the pressed velocity along a row
// or a column, the wheel changes velocities, Shift selects rectangles that a
// drag copies elsewhere (Control: hits only), the right button clears. A
// column writes the first slot it shows. User-interface thread; the audio
// thread reads what the grid writes through the pattern's atomics.
class StepGrid : public StepView {
  public:
    static constexpr int kTracks = 16;
    static constexpr int kRowHeight = 20;
    static constexpr int kSlots = 128;

    // A rectangle of slots and tracks, both ends included; left -1: none.
    struct Selection {
        int left = -1, top = -1, right = -1, bottom = -1;
        bool empty() const { return left < 0; }
        bool contains(int step, int track) const {
            return !empty() && step >= left && step <= right && track >= top && track <= bottom;
        }
        bool operator==(const Selection&) const = default;
    };

    StepGrid(const ViewRect& rect, ViewHost& host, std::shared_ptr<SkinBitmap> strip);

    // Copy mode: a hit set in bar 1 is set in bars 2..4 as well.
    void setCopyMode(bool on) { copyMode_ = on; }
    bool copyMode() const { return copyMode_; }
    void redrawRow(int track) override;
    void redrawAll() override;
    // The selected track's row changes its shade.
    void selectTrack(int previous, int track);
    // From the editor's idle: follows the sequencer's position while the host
    // plays; true when the cursor moved (or went).
    bool refreshPlayCursor();
    int playCursor() const { return cursorX_; }
    const Selection& selection() const { return selection_; }

    void draw(DrawContext& context) override;
    void mouseDown(ViewPoint where, int buttons) override;
    void mouseMoved(ViewPoint where) override;
    bool wheel(ViewPoint where, float distance, int buttons) override;
    bool keyDown(const X11KeyEvent& key) override;

  private:
    struct Cell {
        int step, track;
    };

    void geometryChanged() override;
    Cell cellAt(ViewPoint where) const;
    int trackAt(ViewPoint where) const;
    // Writes a hit (or its absence) and marks it; copy mode repeats bar 1.
    void setStep(int step, int track, int velocity);
    void write(int step, int track, int velocity);
    void markDirty(int step, int track);
    void showStatus(int step, int track);
    void changed(int track);
    // The gestures of a press.
    void paint(Cell pressed, int velocity);
    void select(Cell pressed);
    void selectBars(Cell pressed, bool allShown);
    void moveSelection(Cell pressed);
    void stampSelection(int dSteps, int dTracks, bool hitsOnly);
    void clearSelection(bool reportRows);
    void setSelection(const Selection& selection);
    // The slots a selection of the columns from a to b covers.
    Selection selectionOf(int columnA, int trackA, int columnB, int trackB) const;
    ViewRect selectionRect() const;
    int playStep() const;

    std::array<std::array<bool, kSlots>, kTracks> dirty_{};
    Selection selection_;
    std::array<std::array<uint8_t, kSlots>, kTracks> snapshot_{};
    bool copyMode_ = false;
    int selectedTrack_ = 0;
    int cursorX_ = -1;
};

} // namespace trommik2
