#include "Layout.h"

namespace {

// The layout does its arithmetic in signed 16-bit values, as window places are.
inline short s16(int v) { return static_cast<short>(v); }

} // namespace

Rect layoutWindowRect(int kind, const Rect& screen, short menuBarHeight, const Rect* frontPlot) {
    const short T = screen.top, L = screen.left, B = screen.bottom, R = screen.right;
    const short t0 = s16(T + menuBarHeight + 20);
    const short l0 = s16(L + 2);
    short side, cLeft, cTop, cWidth, cHeight;
    if (s16(R - l0) > s16(B - t0)) { // wide: the console beside the plot
        side = s16(B - t0 - 10);
        if (side % 2 != 0 && side > 0) side = s16(side + 1);
        cLeft = s16(l0 + side + 3);
        cTop = t0;
        cWidth = s16(R - cLeft);
        cHeight = s16(B - t0 - 40);
    } else { // tall: the console below it
        side = s16(R - l0);
        if (side % 2 != 0 && side > 0) side = s16(side - 1);
        cLeft = l0;
        cTop = s16(t0 + side + 25);
        cWidth = s16(side - 40);
        cHeight = s16(B - cTop + 5);
    }
    const Rect first = tb::rect(l0, t0, s16(l0 + side), s16(t0 + side));
    switch (kind) {
    case kConsoleWindowKind:
        return tb::rect(cLeft, cTop, s16(cLeft + cWidth), s16(cTop + cHeight));
    case kPlotWindowKind: {
        if (!frontPlot) return first;
        Rect r = tb::rect(s16(frontPlot->left + 40), s16(frontPlot->top + 40),
                          s16(frontPlot->right + 40), s16(frontPlot->bottom + 40));
        if (r.top > s16(B - 40) || r.right > s16(R - 40)) return first;
        if (r.bottom > B) r.bottom = s16(B - 5);
        if (r.right > R) r.right = s16(R - 5);
        return r;
    }
    default:
        return tb::rect(l0, t0, R, B);
    }
}
