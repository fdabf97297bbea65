#pragma once

#include <functional>

namespace trommik2 {

class FrontPanel;
class Sequencer;

// Which bars of the pattern the step grid shows, and the controls that tell
// it: the lit bar button ("Show all bars" or one bar), the bar number markers
// above the grid and the bar-count switch. User-interface thread.
class BarDisplay {
  public:
    BarDisplay(FrontPanel& panel, Sequencer& sequencer) : panel_(panel), sequencer_(sequencer) {}

    // Shows count bars (1, 2 or 4) from first (0..3).
    void show(int first, int count);
    // A bar button or key: 0 all, 1..4 one bar. Asking for a bar the pattern
    // lacks lengthens it: to 2 bars for bar 2, to 4 bars for bars 3 and 4.
    void showButton(int button);
    // The bar-count switch moved (1, 2 or 4 bars).
    void barCountChosen(int bars);
    // Lengthens or shortens the pattern; the switch follows.
    void setBars(int bars);
    // The switch, lit button and markers as the state says (a press of a bar
    // button leaves it unlit when released).
    void refresh();

    int first() const { return first_; }
    int count() const { return count_; }
    // Hears every show (first, count): the views over the pattern follow it.
    void setShownHandler(std::function<void(int, int)> handler) { shown_ = std::move(handler); }

  private:
    FrontPanel& panel_;
    Sequencer& sequencer_;
    int first_ = 0;
    int count_ = 1;
    std::function<void(int, int)> shown_;
};

} // namespace trommik2
