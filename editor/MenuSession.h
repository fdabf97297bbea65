#pragma once

#include <cstdint>
#include <vector>

#include "DrawContext.h"
#include "ViewGeometry.h"
#include "core/ListProvider.h"

namespace trommik2 {

// One open pop-up menu with its submenus, from opening to a choice or a cancel:
// where each list lies on the screen, which entry is highlighted, how far a long
// list is scrolled, and what keys, pointer and wheel do. It draws each list;
// the windows that show them belong to the frame's window (X11, or a script in
// tests). Points are screen coordinates. User-interface thread.
class MenuSession {
  public:
    static constexpr int kRowHeight = 20;
    static constexpr double kFontSize = 11;

    // One list on the screen: the entries, the highlighted one (-1 none), the
    // first row shown and the rows that fit.
    struct Level {
        const Menu* entries = nullptr;
        int highlight = -1;
        int top = 0;
        int rows = 0;
        ViewRect place;
    };

    // Told when the highlight comes to rest on an entry that can be chosen.
    class Watcher {
      public:
        virtual ~Watcher() = default;
        virtual void highlighted(const MenuEntry& entry) = 0;
        // Any entry that can be chosen, submenus too, as the highlight moves to it.
        virtual void hovered(const MenuEntry&) {}
    };

    // The menu opens below anchor (above it when there is no room), inside screen.
    MenuSession(const Menu& menu, const ViewRect& anchor, const ViewRect& screen, Watcher* watcher);

    void key(unsigned long keysym);
    void pointerMoved(ViewPoint where);
    void pointerPressed(ViewPoint where);
    void pointerReleased(ViewPoint where);
    void wheel(ViewPoint where, int steps);
    // Ends the session without a choice (Escape does the same).
    void cancel() { open_ = false; }

    bool isOpen() const { return open_; }
    // The chosen entry once the session ended with a choice, else null.
    const MenuEntry* chosen() const { return chosen_; }
    const std::vector<Level>& levels() const { return levels_; }
    // Counts every change that shows, so a window knows when to paint again.
    uint64_t revision() const { return revision_; }
    // Draws list number level with its top-left corner at the origin.
    void draw(DrawContext& context, int level) const;

  private:
    static bool choosable(const MenuEntry& entry) { return !entry.separator && !entry.disabled; }
    Level makeLevel(const Menu& menu, int left, int top, int minimumWidth, int parentLeft) const;
    // The level and row under a point; false when it is on none.
    bool rowAt(ViewPoint where, int* level, int* row) const;
    void highlight(int level, int row, bool tell);
    void step(int direction);
    void openSubmenu(int level);
    void closeAbove(int level);
    void choose(int level, int row);
    void scrollTo(Level& level, int row);

    ViewRect screen_;
    Watcher* watcher_;
    std::vector<Level> levels_;
    // The list that the keys move in.
    int focus_ = 0;
    bool open_ = true;
    bool pressedInside_ = false;
    const MenuEntry* chosen_ = nullptr;
    uint64_t revision_ = 0;
};

} // namespace trommik2
