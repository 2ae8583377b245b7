// The record behind a ControlRef, shared with the Dialog Manager (its items are controls).
#pragma once

#include "tb/Controls.h"

#include <functional>
#include <string>
#include <vector>

struct OpaqueControlRef {
    enum class Kind { button, checkBox, radio, scrollBar, custom };
    WindowRef owner = nullptr;
    Rect bounds{0, 0, 0, 0};
    Kind kind = Kind::button;
    short procID = 0;
    std::string title; // MacRoman, at most 255 bytes
    SInt32 value = 0, minimum = 0, maximum = 0, viewSize = 0;
    bool visible = true;
    ControlPartCode hilite = 0;
    SInt32 refCon = 0;
    ControlID id{0, 0};
    bool isDefault = false; // drawn with the thick outline of a dialog's default button

    // Custom controls (dialog texts, pictures, user items) draw and hit-test themselves.
    std::function<void(ControlRef)> draw;
    ControlPartCode customPart = kControlNoPart;
    void* dialogItem = nullptr; // the Dialog Manager's item behind it, if any
};

namespace tb::controls {

bool isControl(ControlRef control);
// Drawing for a scroll bar whose thumb stands at `thumbTop` instead of its value's place
// (while it is dragged); -1 draws it where the value puts it.
void drawControl(ControlRef control, int thumbTop = -1);
// The window's controls, back to front.
const std::vector<ControlRef>& controlsOf(WindowRef window);

} // namespace tb::controls
