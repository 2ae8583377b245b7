// The record behind a region: disjoint rectangles, enough for the shapes windows and cursors need.
#pragma once

#include "tb/Types.h"

#include <vector>

struct OpaqueRgnHandle {
    std::vector<Rect> rects; // pairwise disjoint, none empty
};

namespace tb::qd {
std::vector<Rect> subtract(const std::vector<Rect>& a, const std::vector<Rect>& b);
bool contains(const std::vector<Rect>& rects, Point pt);
void coalesce(std::vector<Rect>& rects);
} // namespace tb::qd
