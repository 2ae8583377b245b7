#include "tb/QuickDraw.h"

#include <algorithm>

namespace {
SInt16 clamp16(int v) { return SInt16(std::clamp(v, -32768, 32767)); }
} // namespace

void SetPt(Point* pt, short h, short v) {
    if (pt) *pt = Point{v, h};
}

void SetRect(Rect* r, short left, short top, short right, short bottom) {
    if (r) *r = Rect{top, left, bottom, right};
}

void OffsetRect(Rect* r, short dh, short dv) {
    if (!r) return;
    r->left = clamp16(r->left + dh);
    r->right = clamp16(r->right + dh);
    r->top = clamp16(r->top + dv);
    r->bottom = clamp16(r->bottom + dv);
}

void InsetRect(Rect* r, short dh, short dv) {
    if (!r) return;
    r->left = clamp16(r->left + dh);
    r->right = clamp16(r->right - dh);
    r->top = clamp16(r->top + dv);
    r->bottom = clamp16(r->bottom - dv);
    // An inset past the middle leaves an empty rectangle, as the classic call did.
    if (r->left >= r->right || r->top >= r->bottom) *r = Rect{0, 0, 0, 0};
}

Boolean EmptyRect(const Rect* r) { return !r || r->left >= r->right || r->top >= r->bottom; }

Boolean SectRect(const Rect* a, const Rect* b, Rect* result) {
    Rect out{0, 0, 0, 0};
    if (a && b) {
        out = Rect{std::max(a->top, b->top), std::max(a->left, b->left),
                   std::min(a->bottom, b->bottom), std::min(a->right, b->right)};
        if (EmptyRect(&out)) out = Rect{0, 0, 0, 0};
    }
    if (result) *result = out;
    return !EmptyRect(&out);
}

void UnionRect(const Rect* a, const Rect* b, Rect* result) {
    if (!a || !b || !result) return;
    *result = Rect{std::min(a->top, b->top), std::min(a->left, b->left),
                   std::max(a->bottom, b->bottom), std::max(a->right, b->right)};
}

Boolean PtInRect(Point pt, const Rect* r) {
    return r && pt.h >= r->left && pt.h < r->right && pt.v >= r->top && pt.v < r->bottom;
}

Boolean EqualRect(const Rect* a, const Rect* b) {
    return a && b && a->top == b->top && a->left == b->left && a->bottom == b->bottom &&
           a->right == b->right;
}
