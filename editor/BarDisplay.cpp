#include "BarDisplay.h"

#include <algorithm>
#include <bit>

#include "FrameStripDisplay.h"
#include "FrontPanel.h"
#include "MomentaryButton.h"
#include "MultiSwitch.h"
#include "sequencer/Sequencer.h"

namespace trommik2 {

namespace {

constexpr int kAllButton = 4;
constexpr float kMarkerFrames = 4.0f; // blank and the digits 1..4

} // namespace

void BarDisplay::show(int first, int count) {
    first_ = std::clamp(first, 0, 3);
    count_ = std::clamp(count, 1, 4);
    refresh();
    if (shown_)
        shown_(first_, count_);
}

void BarDisplay::refresh() {
    const int bars = sequencer_.bars();
    for (int k = 0; k < 4; ++k)
        panel_.barButtons[k]->setLit(count_ == 1 && bars > 1 && k == first_);
    panel_.barButtons[kAllButton]->setLit(count_ == bars);
    // Marker k shows a digit over the part of the grid where that bar starts.
    int digits[4] = {};
    if (count_ == 1) {
        digits[0] = first_ + 1;
    } else if (count_ == 2) {
        digits[0] = first_ + 1;
        digits[2] = first_ + 2;
    } else {
        for (int k = 0; k < 4; ++k)
            digits[k] = k + 1;
    }
    for (int k = 0; k < 4; ++k)
        panel_.markers[k]->setValue(static_cast<float>(digits[k]) / kMarkerFrames);
    panel_.bars->setValue(static_cast<float>(std::countr_zero(static_cast<unsigned>(std::max(1, bars)))) / 2.0f);
}

void BarDisplay::setBars(int bars) {
    sequencer_.setBars(bars);
    refresh();
}

void BarDisplay::showButton(int button) {
    const int bars = sequencer_.bars();
    if (button == 0) {
        show(0, std::min(bars, 4));
        return;
    }
    // Bar 3 of a shorter pattern makes it four bars long: patterns have 1, 2 or 4.
    const int needed = button == 1 ? 1 : button == 2 ? 2 : 4;
    if (bars < button)
        setBars(needed);
    show(button - 1, 1);
}

void BarDisplay::barCountChosen(int bars) {
    const bool allShown = count_ == sequencer_.bars();
    sequencer_.setBars(bars);
    if (allShown || bars <= first_)
        show(0, bars);
    else
        refresh();
}

} // namespace trommik2
