#include "SchematicOverlay.h"

#include <memory>

#include "PanelView.h"
#include "PictureView.h"
#include "SkinBitmapSet.h"
#include "core/DrumMachine.h"
#include "resources/SchematicLayout.h"

namespace trommik2 {
namespace {

// The step grid's area of the upper panel.
constexpr ViewRect kGridArea{241, 164, 881, 484};
// Knob menu entries of this kind name a parameter; the others a module group.
constexpr int32_t kParameterEntry = 1;

} // namespace

SchematicOverlay::SchematicOverlay(PanelView& upper, const SkinBitmapSet& bitmaps, const DrumMachine& machine)
    : bitmaps_(bitmaps), machine_(machine), view_(upper.add(std::make_unique<PictureView>(kGridArea))) {
    view_->setVisible(false);
    view_->setMouseEnabled(false);
}

bool SchematicOverlay::shown() const { return view_->visible(); }

void SchematicOverlay::open(int parameter) {
    if (machine_.displaysSchematics())
        show(schematicOfGroup(machine_.bank().table().groupOf(parameter)), parameter);
}

void SchematicOverlay::hovered(const MenuEntry& entry) {
    if (!shown())
        return;
    if (entry.kind == kParameterEntry)
        show(schematicOfGroup(machine_.bank().table().groupOf(entry.value)), entry.value);
    else if (int picture = schematicOfGroup(entry.value); entry.submenu && picture)
        show(picture, -1);
}

void SchematicOverlay::show(int picture, int parameter) {
    if (!picture)
        return;
    if (picture != picture_)
        view_->setPicture(bitmaps_.get(picture));
    picture_ = picture;
    const auto control = findSchematicControl(picture, parameter);
    outlined_ = control ? parameter : -1;
    view_->setHighlight(control ? ViewRect{control->left, control->top, control->right, control->bottom} : ViewRect{});
    view_->setVisible(true);
}

void SchematicOverlay::close() {
    view_->setVisible(false);
    picture_ = 0;
    outlined_ = -1;
}

} // namespace trommik2
