// The console's scroll arithmetic, kept apart from its window so it can be checked alone.
#pragma once

namespace console {

// Scroll bar part codes the console reacts to.
enum : short { partUpArrow = 20, partDownArrow = 21, partPageUp = 22, partPageDown = 23 };

// Whole text lines that fit in a view of the given height.
inline short visibleLines(short viewHeight, short lineHeight) {
    return lineHeight > 0 ? static_cast<short>(viewHeight / lineHeight) : 0;
}

// The scroll bar's maximum: the text's lines, counting the empty one after a final
// carriage return, less the lines that fit; never below 0.
inline short scrollMaximum(short engineLines, bool endsWithReturn, short lines) {
    int max = engineLines - lines + (endsWithReturn ? 1 : 0);
    return static_cast<short>(max < 0 ? 0 : max);
}

// One line fewer than the visible lines, so a line of context stays on screen.
inline short pageStep(short viewHeight, short lineHeight) {
    return static_cast<short>(visibleLines(viewHeight, lineHeight) - 1);
}

inline short scrollStep(short part, short page) {
    switch (part) {
    case partUpArrow: return -1;
    case partDownArrow: return 1;
    case partPageUp: return static_cast<short>(-page);
    case partPageDown: return page;
    default: return 0;
    }
}

// Pixels to scroll the text by so the line at the scroll value shows at the view's top;
// positive moves the text down.
inline short scrollDelta(short viewTop, short destTop, short value, short lineHeight) {
    return static_cast<short>((viewTop - destTop) - value * lineHeight);
}

} // namespace console
