#include "QuickDraw/Region.h"

#include "tb/Host.h"
#include "tb/QuickDraw.h"
#include "tb/Windows.h"

#include <algorithm>

namespace tb::qd {
namespace {
bool empty(const Rect& r) { return r.left >= r.right || r.top >= r.bottom; }

void cut(const Rect& p, const Rect& b, std::vector<Rect>& out) {
    Rect s;
    if (!SectRect(&p, &b, &s)) {
        out.push_back(p);
        return;
    }
    Rect pieces[4] = {
        {p.top, p.left, s.top, p.right},       // above
        {s.bottom, p.left, p.bottom, p.right}, // below
        {s.top, p.left, s.bottom, s.left},     // left of it
        {s.top, s.right, s.bottom, p.right},   // right of it
    };
    for (const Rect& piece : pieces)
        if (!empty(piece)) out.push_back(piece);
}
} // namespace

// Joins rectangles that share a whole edge, so regions remade again and again (the
// cursor region is the desktop minus the last one) do not fragment.
void coalesce(std::vector<Rect>& rects) {
    bool merged = true;
    while (merged) {
        merged = false;
        for (std::size_t i = 0; i < rects.size() && !merged; ++i)
            for (std::size_t j = i + 1; j < rects.size() && !merged; ++j) {
                Rect& a = rects[i];
                const Rect& b = rects[j];
                if (a.top == b.top && a.bottom == b.bottom && (a.right == b.left || b.right == a.left)) {
                    a.left = std::min(a.left, b.left);
                    a.right = std::max(a.right, b.right);
                    merged = true;
                } else if (a.left == b.left && a.right == b.right && (a.bottom == b.top || b.bottom == a.top)) {
                    a.top = std::min(a.top, b.top);
                    a.bottom = std::max(a.bottom, b.bottom);
                    merged = true;
                }
                if (merged) rects.erase(rects.begin() + std::ptrdiff_t(j));
            }
    }
}

std::vector<Rect> subtract(const std::vector<Rect>& a, const std::vector<Rect>& b) {
    std::vector<Rect> result = a;
    for (const Rect& hole : b) {
        std::vector<Rect> next;
        for (const Rect& p : result) cut(p, hole, next);
        result.swap(next);
    }
    coalesce(result);
    return result;
}

bool contains(const std::vector<Rect>& rects, Point pt) {
    return std::any_of(rects.begin(), rects.end(), [pt](const Rect& r) { return PtInRect(pt, &r); });
}
} // namespace tb::qd

RgnHandle NewRgn() { return new OpaqueRgnHandle; }

void DisposeRgn(RgnHandle rgn) {
    if (rgn != GetGrayRgn()) delete rgn;
}

void RectRgn(RgnHandle rgn, const Rect* r) {
    if (!rgn) return;
    rgn->rects.clear();
    if (r && !EmptyRect(r)) rgn->rects.push_back(*r);
}

void SetRectRgn(RgnHandle rgn, short left, short top, short right, short bottom) {
    Rect r{top, left, bottom, right};
    RectRgn(rgn, &r);
}

void SetEmptyRgn(RgnHandle rgn) {
    if (rgn) rgn->rects.clear();
}

void CopyRgn(RgnHandle src, RgnHandle dst) {
    if (src && dst) dst->rects = src->rects;
}

void DiffRgn(RgnHandle a, RgnHandle b, RgnHandle result) {
    if (!a || !b || !result) return;
    result->rects = tb::qd::subtract(a->rects, b->rects);
}

void UnionRgn(RgnHandle a, RgnHandle b, RgnHandle result) {
    if (!a || !b || !result) return;
    std::vector<Rect> rects = a->rects;
    std::vector<Rect> extra = tb::qd::subtract(b->rects, a->rects);
    rects.insert(rects.end(), extra.begin(), extra.end());
    tb::qd::coalesce(rects);
    result->rects.swap(rects);
}

void SectRgn(RgnHandle a, RgnHandle b, RgnHandle result) {
    if (!a || !b || !result) return;
    std::vector<Rect> rects;
    for (const Rect& x : a->rects)
        for (const Rect& y : b->rects) {
            Rect s;
            if (SectRect(&x, &y, &s)) rects.push_back(s);
        }
    tb::qd::coalesce(rects);
    result->rects.swap(rects);
}

void OffsetRgn(RgnHandle rgn, short dh, short dv) {
    if (!rgn) return;
    for (Rect& r : rgn->rects) OffsetRect(&r, dh, dv);
}

Boolean PtInRgn(Point pt, RgnHandle rgn) { return rgn && tb::qd::contains(rgn->rects, pt); }

Boolean EmptyRgn(RgnHandle rgn) { return !rgn || rgn->rects.empty(); }

Rect* GetRegionBounds(RgnHandle rgn, Rect* bounds) {
    if (!bounds) return nullptr;
    if (!rgn || rgn->rects.empty()) {
        *bounds = Rect{0, 0, 0, 0};
        return bounds;
    }
    Rect b = rgn->rects.front();
    for (const Rect& r : rgn->rects) UnionRect(&b, &r, &b);
    *bounds = b;
    return bounds;
}

RgnHandle GetGrayRgn() {
    static OpaqueRgnHandle gray;
    // Follows the screen, which the live host may resize.
    tb::Host* h = tb::host();
    int w = h ? h->screenWidth() : 0, ht = h ? h->screenHeight() : 0;
    Rect r{SInt16(GetMBarHeight()), 0, SInt16(std::min(ht, 32767)), SInt16(std::min(w, 32767))};
    gray.rects.clear();
    if (!EmptyRect(&r)) gray.rects.push_back(r);
    return &gray;
}
