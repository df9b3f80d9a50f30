#pragma once
// Rectangles of the back buffer, right and bottom exclusive.
#include "platform/WinTypes.h"

#include <algorithm>

inline bool IsEmptyRect(const RECT& r) {
    return r.left >= r.right || r.top >= r.bottom;
}

// The smallest rectangle holding both; an empty one adds nothing.
inline RECT UniteRects(const RECT& a, const RECT& b) {
    if (IsEmptyRect(b)) return a;
    if (IsEmptyRect(a)) return b;
    return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}
