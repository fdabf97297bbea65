#pragma once

namespace trommik2 {

// The X cursor-font shape of a cursor resource: 4000 select, 4001 move,
// 4002 exchange, 4003 horizontal and 4004 vertical adjust; the arrow otherwise.
// Any thread.
unsigned int cursorShape(int resource);

} // namespace trommik2
