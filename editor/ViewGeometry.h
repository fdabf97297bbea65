#pragma once

#include <algorithm>

namespace trommik2 {

struct ViewPoint {
    int x = 0, y = 0;
    bool operator==(const ViewPoint&) const = default;
};

// A rectangle of the editor, right and bottom exclusive.
struct ViewRect {
    int left = 0, top = 0, right = 0, bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool empty() const { return right <= left || bottom <= top; }
    bool contains(ViewPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    bool intersects(const ViewRect& r) const { return !intersection(r).empty(); }
    ViewRect intersection(const ViewRect& r) const {
        return {std::max(left, r.left), std::max(top, r.top), std::min(right, r.right), std::min(bottom, r.bottom)};
    }
    ViewRect united(const ViewRect& r) const {
        if (empty())
            return r;
        if (r.empty())
            return *this;
        return {std::min(left, r.left), std::min(top, r.top), std::max(right, r.right), std::max(bottom, r.bottom)};
    }
    ViewRect offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    bool operator==(const ViewRect&) const = default;
};

} // namespace trommik2
