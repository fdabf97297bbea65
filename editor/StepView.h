#pragma once

#include <string>

#include <cairo.h>

#include "SkinControl.h"
#include "StepGeometry.h"
#include "ViewHost.h"

namespace trommik2 {

class TrackPattern;

// What the step grid and the automation lane share: the columns they show, an
// offscreen picture that only changed cells are painted into, the status text
// the editor shows while the mouse is over them, and the host they ask.
// User-interface thread.
class StepView : public SkinControl {
  public:
    static constexpr int kArrowCursor = 0;
    static constexpr int kSelectCursor = 4000;
    static constexpr int kMoveCursor = 4001;

    StepView(const ViewRect& rect, int tag, ViewHost& host, std::shared_ptr<SkinBitmap> strip);
    ~StepView() override;

    // Shows count bars (1, 2 or 4) from first (0..3).
    void setShownBars(int first, int count);
    // 8, 16 or 32 columns per bar.
    virtual void setVisibleSteps(int steps);
    const StepGeometry& geometry() const { return geometry_; }
    // Paints the track's row anew (the lane only cares for the selected track).
    virtual void redrawRow(int track) = 0;
    virtual void redrawAll() = 0;
    // What the status line shows while the mouse is over the view.
    const std::string& status() const { return status_; }
    // True while a gesture of the view runs.
    bool dragging() const { return dragging_; }

  protected:
    // The geometry changed: everything is painted anew.
    virtual void geometryChanged() = 0;
    void setGeometry(const StepGeometry& geometry);
    int cellWidth() const { return geometry_.cellWidth(rect().width()); }
    // The column under a point of the frame.
    int columnAt(ViewPoint where) const { return geometry_.columnAt(where.x - rect().left, rect().width()); }
    // The cell picture of the current width at row of the strip, rows rowHeight high.
    void paintCell(DrawContext& picture, int column, int top, int height, int stripRow);
    // Copies the picture to the screen.
    void showPicture(DrawContext& context);
    TrackPattern& pattern(int track);
    void setStatus(std::string text) { status_ = std::move(text); }

    ViewHost& host_;
    cairo_surface_t* picture_;
    bool dragging_ = false;

  private:
    std::shared_ptr<SkinBitmap> strip_;
    StepGeometry geometry_;
    std::string status_;
};

} // namespace trommik2
