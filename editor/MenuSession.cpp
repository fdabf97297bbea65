#include "MenuSession.h"

#include <algorithm>
#include <cmath>

#include <X11/keysym.h>

namespace trommik2 {

namespace {

constexpr int kTextInset = 22;
constexpr int kArrowRoom = 22;
const char* const kEmptyFolder = "(empty)";

// Where the rows start inside a list: one pixel of border.
constexpr int kBorder = 1;

int listWidth(const Menu& menu, int minimum) {
    double widest = DrawContext::textWidth(kEmptyFolder, MenuSession::kFontSize);
    for (const MenuEntry& entry : menu)
        widest = std::max(widest, DrawContext::textWidth(entry.text, MenuSession::kFontSize, entry.marked));
    // The text is drawn a few pixels into its row (DrawContext::text).
    constexpr int kTextMargin = 3;
    return std::max(minimum, static_cast<int>(std::ceil(widest)) + kTextInset + kTextMargin + kArrowRoom + 2 * kBorder);
}

int firstMarked(const Menu& menu) {
    for (size_t i = 0; i < menu.size(); ++i)
        if (menu[i].marked && !menu[i].separator)
            return static_cast<int>(i);
    return -1;
}

} // namespace

MenuSession::MenuSession(const Menu& menu, const ViewRect& anchor, const ViewRect& screen, Watcher* watcher)
    : screen_(screen), watcher_(watcher) {
    // No room below: above the anchor, where there is more room.
    const int wanted = std::max<int>(1, static_cast<int>(menu.size())) * kRowHeight + 2 * kBorder;
    int top = anchor.bottom;
    if (anchor.bottom + wanted > screen.bottom && anchor.top - screen.top > screen.bottom - anchor.bottom)
        top = anchor.top - std::min(wanted, anchor.top - screen.top);
    Level level = makeLevel(menu, anchor.left, top, anchor.width(), anchor.left);
    levels_.push_back(level);
    // The current choice is highlighted, and shown, from the start.
    int marked = firstMarked(menu);
    if (marked >= 0) {
        levels_[0].highlight = marked;
        scrollTo(levels_[0], marked);
    }
}

MenuSession::Level MenuSession::makeLevel(const Menu& menu, int left, int top, int minimumWidth, int parentLeft) const {
    Level level;
    level.entries = &menu;
    int width = std::min(listWidth(menu, minimumWidth), screen_.width());
    int count = std::max<int>(1, static_cast<int>(menu.size()));
    level.rows = std::max(1, std::min(count, (screen_.height() - 2 * kBorder) / kRowHeight));
    int height = level.rows * kRowHeight + 2 * kBorder;
    // Kept on the screen: a submenu that has no room on the right opens on the left.
    if (left + width > screen_.right)
        left = parentLeft != left ? parentLeft - width : screen_.right - width;
    left = std::max(screen_.left, left);
    top = std::clamp(top, screen_.top, screen_.bottom - height);
    level.place = {left, top, left + width, top + height};
    return level;
}

bool MenuSession::rowAt(ViewPoint where, int* level, int* row) const {
    for (int l = static_cast<int>(levels_.size()) - 1; l >= 0; --l) {
        const Level& shown = levels_[l];
        if (!shown.place.contains(where))
            continue;
        *level = l;
        int r = shown.top + (where.y - shown.place.top - kBorder) / kRowHeight;
        *row = std::clamp(r, 0, static_cast<int>(shown.entries->size()) - 1);
        return !shown.entries->empty();
    }
    return false;
}

void MenuSession::scrollTo(Level& level, int row) {
    if (row < level.top)
        level.top = row;
    else if (row >= level.top + level.rows)
        level.top = row - level.rows + 1;
}

void MenuSession::highlight(int level, int row, bool tell) {
    Level& shown = levels_[level];
    if (shown.highlight == row)
        return;
    shown.highlight = row;
    scrollTo(shown, row);
    ++revision_;
    const MenuEntry& entry = (*shown.entries)[row];
    if (!tell || !watcher_ || !choosable(entry))
        return;
    watcher_->hovered(entry);
    if (!entry.submenu)
        watcher_->highlighted(entry);
}

void MenuSession::closeAbove(int level) {
    if (static_cast<int>(levels_.size()) > level + 1) {
        levels_.resize(level + 1);
        ++revision_;
    }
    focus_ = std::min(focus_, level);
}

void MenuSession::openSubmenu(int level) {
    closeAbove(level);
    const Level& parent = levels_[level];
    const MenuEntry& entry = (*parent.entries)[parent.highlight];
    int rowTop = parent.place.top + kBorder + (parent.highlight - parent.top) * kRowHeight;
    Level child = makeLevel(entry.children, parent.place.right - 2, rowTop - kBorder, 0, parent.place.left);
    int marked = firstMarked(entry.children);
    child.highlight = marked;
    if (marked >= 0)
        scrollTo(child, marked);
    levels_.push_back(child);
    ++revision_;
}

void MenuSession::choose(int level, int row) {
    const MenuEntry& entry = (*levels_[level].entries)[row];
    if (!choosable(entry))
        return;
    if (entry.submenu) {
        highlight(level, row, false);
        openSubmenu(level);
        return;
    }
    chosen_ = &entry;
    open_ = false;
}

void MenuSession::step(int direction) {
    Level& shown = levels_[focus_];
    const int count = static_cast<int>(shown.entries->size());
    for (int row = shown.highlight + direction; row >= 0 && row < count; row += direction) {
        if (choosable((*shown.entries)[row])) {
            closeAbove(focus_);
            highlight(focus_, row, true);
            return;
        }
    }
}

void MenuSession::key(unsigned long keysym) {
    Level& shown = levels_[focus_];
    switch (keysym) {
    case XK_Escape: open_ = false; break;
    case XK_Return:
    case XK_KP_Enter:
        if (shown.highlight >= 0)
            choose(focus_, shown.highlight);
        if (open_ && static_cast<int>(levels_.size()) > focus_ + 1)
            ++focus_;
        break;
    case XK_Up:
    case XK_KP_Up: step(-1); break;
    case XK_Down:
    case XK_KP_Down: step(1); break;
    case XK_Right:
    case XK_KP_Right:
        if (shown.highlight >= 0 && (*shown.entries)[shown.highlight].submenu &&
            choosable((*shown.entries)[shown.highlight])) {
            openSubmenu(focus_);
            ++focus_;
        }
        break;
    case XK_Left:
    case XK_KP_Left:
        if (focus_ > 0)
            closeAbove(focus_ - 1);
        break;
    default: break;
    }
}

void MenuSession::pointerMoved(ViewPoint where) {
    int level = 0, row = 0;
    if (!rowAt(where, &level, &row))
        return;
    focus_ = level;
    const MenuEntry& entry = (*levels_[level].entries)[row];
    if (!choosable(entry))
        return;
    bool same = levels_[level].highlight == row;
    highlight(level, row, true);
    if (entry.submenu && (!same || static_cast<int>(levels_.size()) == level + 1))
        openSubmenu(level);
    else if (!entry.submenu)
        closeAbove(level);
}

void MenuSession::pointerPressed(ViewPoint where) {
    int level = 0, row = 0;
    pressedInside_ = rowAt(where, &level, &row);
    // A press outside every list dismisses the menu, as Escape does.
    if (!pressedInside_) {
        bool onAList = false;
        for (const Level& shown : levels_)
            onAList = onAList || shown.place.contains(where);
        if (!onAList)
            open_ = false;
    }
}

void MenuSession::pointerReleased(ViewPoint where) {
    int level = 0, row = 0;
    if (!rowAt(where, &level, &row))
        return;
    // The release of the press that opened the menu chooses only what the
    // pointer was dragged onto.
    if (pressedInside_ || levels_[level].highlight == row)
        choose(level, row);
}

void MenuSession::wheel(ViewPoint where, int steps) {
    int level = 0, row = 0;
    Level& shown = levels_[rowAt(where, &level, &row) ? level : focus_];
    int last = std::max(0, static_cast<int>(shown.entries->size()) - shown.rows);
    int top = std::clamp(shown.top + steps, 0, last);
    if (top != shown.top) {
        shown.top = top;
        ++revision_;
    }
}

void MenuSession::draw(DrawContext& context, int index) const {
    const Level& level = levels_[index];
    ViewRect all{0, 0, level.place.width(), level.place.height()};
    context.fillRect(all, skin::kRaised);
    context.frameRect(all, skin::kEdge);
    if (level.entries->empty()) {
        context.text(kEmptyFolder, {kTextInset, kBorder, all.right - kBorder, kBorder + kRowHeight}, skin::kLabel,
                     TextAlign::Left, kFontSize);
        return;
    }
    const int end = std::min(static_cast<int>(level.entries->size()), level.top + level.rows);
    for (int row = level.top; row < end; ++row) {
        const MenuEntry& entry = (*level.entries)[row];
        int y = kBorder + (row - level.top) * kRowHeight;
        ViewRect rect{kBorder, y, all.right - kBorder, y + kRowHeight};
        if (entry.separator) {
            context.line({rect.left + 6, y + kRowHeight / 2}, {rect.right - 7, y + kRowHeight / 2}, skin::kEdge);
            continue;
        }
        bool lit = row == level.highlight && choosable(entry);
        if (lit)
            context.fillRect(rect, skin::kSelected);
        if (entry.marked) {
            ViewRect mark{rect.left + 8, y + 7, rect.left + 14, y + 13};
            context.fillRect(mark, skin::kAccent);
        }
        SkinColour colour = entry.disabled ? skin::kLabel : lit ? skin::kAccent : skin::kText;
        context.text(entry.text, {kTextInset, y, rect.right - kArrowRoom, y + kRowHeight}, colour, TextAlign::Left,
                     kFontSize, entry.marked);
        if (entry.submenu)
            context.text("\u25B8", {rect.right - kArrowRoom, y, rect.right - 4, y + kRowHeight}, colour,
                         TextAlign::Right, kFontSize);
    }
    // Rows beyond the visible ones are hinted at the edges.
    if (level.top > 0)
        context.text("\u25B4", {0, 0, all.right, 8}, skin::kLabel, TextAlign::Centre, 8);
    if (end < static_cast<int>(level.entries->size()))
        context.text("\u25BE", {0, all.bottom - 8, all.right, all.bottom}, skin::kLabel, TextAlign::Centre, 8);
}

} // namespace trommik2
