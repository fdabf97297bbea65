#include "StepView.h"

#include "core/DrumMachine.h"

namespace trommik2 {

StepView::StepView(const ViewRect& rect, int tag, ViewHost& host, std::shared_ptr<SkinBitmap> strip)
    : SkinControl(rect, nullptr, tag, nullptr), host_(host),
      picture_(cairo_image_surface_create(CAIRO_FORMAT_RGB24, rect.width(), rect.height())), strip_(std::move(strip)) {}

StepView::~StepView() { cairo_surface_destroy(picture_); }

void StepView::setShownBars(int first, int count) {
    StepGeometry geometry = geometry_;
    geometry.firstBar = std::clamp(first, 0, 3);
    geometry.barCount = count >= 4 ? 4 : count >= 2 ? 2 : 1;
    setGeometry(geometry);
}

void StepView::setVisibleSteps(int steps) {
    StepGeometry geometry = geometry_;
    geometry.visibleSteps = steps >= 32 ? 32 : steps >= 16 ? 16 : 8;
    setGeometry(geometry);
}

void StepView::setGeometry(const StepGeometry& geometry) {
    if (geometry == geometry_)
        return;
    geometry_ = geometry;
    geometryChanged();
    setDirty();
}

void StepView::paintCell(DrawContext& picture, int column, int top, int height, int stripRow) {
    if (!strip_)
        return;
    const int w = cellWidth();
    const ViewRect cell{column * w, top, (column + 1) * w, top + height};
    picture.bitmap(*strip_, cell, {geometry_.stripOffset(rect().width()), stripRow * height});
}

void StepView::showPicture(DrawContext& context) {
    cairo_t* cr = context.cairo();
    context.pushClip(rect());
    cairo_set_source_surface(cr, picture_, rect().left, rect().top);
    cairo_paint(cr);
    context.popClip();
}

TrackPattern& StepView::pattern(int track) { return host_.machine().sequencer().track(track); }

} // namespace trommik2
