#include "tb/ColorPicker.h"

#include "Dialogs/DialogRecord.h"
#include "Events/EventQueue.h"
#include "QuickDraw/Draw.h"
#include "tb/Controls.h"
#include "tb/Dialogs.h"
#include "tb/Host.h"
#include "tb/QuickDraw.h"
#include "tb/Windows.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// Item numbers of the picker.
enum : DialogItemIndex {
    kOK = 1, kCancel, kPrompt, kDisc, kSlider, kSwatch, kRed, kGreen, kBlue, kRedLabel, kGreenLabel, kBlueLabel,
    kOldLabel, kNewLabel,
};

constexpr int kWidth = 430, kHeight = 260;
constexpr Rect kDiscRect{40, 12, 220, 192};
constexpr Rect kSliderRect{40, 202, 220, 222};
constexpr Rect kSwatchRect{56, 240, 106, 420};
constexpr RGBColor kBlack{0, 0, 0};
constexpr RGBColor kWhite{0xFFFF, 0xFFFF, 0xFFFF};

struct HSV {
    double h = 0, s = 0, v = 0; // h in [0, 1), s and v in [0, 1]
};

HSV toHSV(const RGBColor& c) {
    double r = c.red / 65535.0, g = c.green / 65535.0, b = c.blue / 65535.0;
    double mx = std::max({r, g, b}), mn = std::min({r, g, b}), d = mx - mn;
    HSV out;
    out.v = mx;
    out.s = mx > 0 ? d / mx : 0;
    if (d > 0) {
        double h = mx == r ? (g - b) / d : mx == g ? 2 + (b - r) / d : 4 + (r - g) / d;
        h /= 6;
        out.h = h < 0 ? h + 1 : h;
    }
    return out;
}

RGBColor toRGB(const HSV& c) {
    double h = (c.h - std::floor(c.h)) * 6, s = std::clamp(c.s, 0.0, 1.0), v = std::clamp(c.v, 0.0, 1.0);
    int i = int(h) % 6;
    double f = h - std::floor(h);
    double p = v * (1 - s), q = v * (1 - s * f), t = v * (1 - s * (1 - f));
    double r, g, b;
    switch (i) {
    case 0: r = v, g = t, b = p; break;
    case 1: r = q, g = v, b = p; break;
    case 2: r = p, g = v, b = t; break;
    case 3: r = p, g = q, b = v; break;
    case 4: r = t, g = p, b = v; break;
    default: r = v, g = p, b = q; break;
    }
    auto u16 = [](double x) { return UInt16(std::lround(std::clamp(x, 0.0, 1.0) * 65535)); };
    return RGBColor{u16(r), u16(g), u16(b)};
}

struct Picker {
    DialogRef dialog = nullptr;
    RGBColor old{};
    RGBColor now{};
    HSV hsv;
    std::string shown[3]; // what the fields were last set to, so untouched ones change nothing

    OpaqueGrafPtr* port() const { return GetDialogPort(dialog); }

    void drawDisc(const Rect& r) const {
        int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2, rad = (r.right - r.left) / 2;
        OpaqueGrafPtr* p = port();
        tb::qd::fillRect(p, r, p->backColor);
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                double dx = x + 0.5 - cx, dy = cy - (y + 0.5), d = std::hypot(dx, dy);
                if (d > rad) continue;
                double h = std::atan2(dy, dx) / (2 * M_PI);
                tb::qd::setPixel(p, x, y, toRGB(HSV{h < 0 ? h + 1 : h, d / rad, hsv.v}));
            }
        // The picked hue and saturation, ringed in a colour that shows on any disc.
        int mx = cx + int(std::lround(std::cos(hsv.h * 2 * M_PI) * hsv.s * rad));
        int my = cy - int(std::lround(std::sin(hsv.h * 2 * M_PI) * hsv.s * rad));
        RGBColor ring = hsv.v > 0.5 ? kBlack : kWhite;
        tb::qd::frameRect(p, Rect{short(my - 3), short(mx - 3), short(my + 4), short(mx + 4)}, ring);
        tb::qd::screenChanged();
    }

    void drawSlider(const Rect& r) const {
        OpaqueGrafPtr* p = port();
        int h = r.bottom - r.top;
        for (int y = r.top; y < r.bottom; ++y) {
            double v = 1.0 - double(y - r.top) / std::max(1, h - 1);
            tb::qd::fillRect(p, Rect{short(y), r.left, short(y + 1), r.right}, toRGB(HSV{hsv.h, hsv.s, v}));
        }
        tb::qd::frameRect(p, r, kBlack);
        int my = r.top + int(std::lround((1.0 - hsv.v) * (h - 1)));
        tb::qd::fillRect(p, Rect{short(my - 1), short(r.left - 4), short(my + 2), short(r.left)}, kBlack);
        tb::qd::fillRect(p, Rect{short(my - 1), r.right, short(my + 2), short(r.right + 4)}, kBlack);
    }

    void drawSwatch(const Rect& r) const {
        OpaqueGrafPtr* p = port();
        int mid = (r.left + r.right) / 2;
        tb::qd::fillRect(p, Rect{r.top, r.left, r.bottom, short(mid)}, old);
        tb::qd::fillRect(p, Rect{r.top, short(mid), r.bottom, r.right}, now);
        tb::qd::frameRect(p, r, kBlack);
    }

    ControlRef control(DialogItemIndex n) const {
        ControlRef c = nullptr;
        GetDialogItemAsControl(dialog, n, &c);
        return c;
    }

    void showFields() {
        const UInt16 parts[3] = {now.red, now.green, now.blue};
        for (int i = 0; i < 3; ++i) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "%d", int(std::lround(parts[i] / 257.0)));
            Str255 s;
            s[0] = UInt8(std::strlen(buf));
            std::memcpy(s + 1, buf, s[0]);
            shown[i] = buf;
            SetDialogItemText(reinterpret_cast<Handle>(control(DialogItemIndex(kRed + i))), s);
        }
        SelectDialogItemText(dialog, GetDialogKeyboardFocusItem(dialog), 0, 32767);
    }

    void redrawPickers() const {
        drawDisc(kDiscRect);
        drawSlider(kSliderRect);
        drawSwatch(kSwatchRect);
    }

    // A field was edited: a whole number from 0 to 255 takes effect, anything else waits.
    void fieldChanged(DialogItemIndex n) {
        Str255 s;
        GetDialogItemText(reinterpret_cast<Handle>(control(n)), s);
        std::string text(reinterpret_cast<const char*>(s + 1), s[0]);
        std::string& last = shown[n - kRed];
        if (text == last) return;
        if (text.empty() || text.size() > 3 || text.find_first_not_of("0123456789") != std::string::npos) return;
        int v = std::atoi(text.c_str());
        if (v > 255) return;
        last = text;
        UInt16 part = UInt16(v * 257);
        if (n == kRed) now.red = part;
        else if (n == kGreen) now.green = part;
        else now.blue = part;
        hsv = toHSV(now);
        redrawPickers();
    }

    Point mouseLocal() const {
        Point m = tb::host() ? tb::host()->mouse() : Point{0, 0};
        return Point{short(m.v - port()->origin.v), short(m.h - port()->origin.h)};
    }

    // Follows the pressed mouse in the disc or the slider until it is released.
    void track(DialogItemIndex item) {
        do {
            Point m = mouseLocal();
            if (item == kDisc) {
                const Rect& r = kDiscRect;
                double cx = (r.left + r.right) / 2.0, cy = (r.top + r.bottom) / 2.0, rad = (r.right - r.left) / 2.0;
                double dx = m.h + 0.5 - cx, dy = cy - (m.v + 0.5);
                double h = std::atan2(dy, dx) / (2 * M_PI);
                hsv.h = h < 0 ? h + 1 : h;
                hsv.s = std::min(1.0, std::hypot(dx, dy) / rad);
            } else {
                const Rect& r = kSliderRect;
                hsv.v = std::clamp(1.0 - double(m.v - r.top) / std::max(1, r.bottom - r.top - 1), 0.0, 1.0);
            }
            now = toRGB(hsv);
            redrawPickers();
            showFields();
        } while (tb::events::trackStep());
        tb::events::endTracking();
    }
};

std::vector<tb::res::DialogItemSpec> pickerItems(const std::string& prompt) {
    using Spec = tb::res::DialogItemSpec;
    return {
        Spec{kButtonDialogItem, {short(kHeight - 34), short(kWidth - 90), short(kHeight - 14), short(kWidth - 20)}, "OK"},
        Spec{kButtonDialogItem, {short(kHeight - 34), short(kWidth - 180), short(kHeight - 14), short(kWidth - 110)}, "Cancel"},
        Spec{kStaticTextDialogItem, {10, 12, 32, short(kWidth - 12)}, prompt},
        Spec{kUserDialogItem, kDiscRect, ""},
        Spec{kUserDialogItem, kSliderRect, ""},
        Spec{kUserDialogItem | kItemDisableBit, kSwatchRect, ""},
        Spec{kEditTextDialogItem, {120, 300, 136, 350}, ""},
        Spec{kEditTextDialogItem, {146, 300, 162, 350}, ""},
        Spec{kEditTextDialogItem, {172, 300, 188, 350}, ""},
        Spec{kStaticTextDialogItem | kItemDisableBit, {120, 240, 136, 295}, "Red"},
        Spec{kStaticTextDialogItem | kItemDisableBit, {146, 240, 162, 295}, "Green"},
        Spec{kStaticTextDialogItem | kItemDisableBit, {172, 240, 188, 295}, "Blue"},
        Spec{kStaticTextDialogItem | kItemDisableBit, {38, 240, 54, 330}, "Original"},
        Spec{kStaticTextDialogItem | kItemDisableBit, {38, 330, 54, 420}, "New"},
    };
}

} // namespace

Boolean GetColor(Point where, ConstStr255Param prompt, const RGBColor* inColor, RGBColor* outColor) {
    RGBColor start = inColor ? *inColor : RGBColor{0, 0, 0};
    if (outColor) *outColor = start;
    std::string text = prompt ? std::string(reinterpret_cast<const char*>(prompt + 1), prompt[0]) : std::string();

    int sw = tb::host() ? tb::host()->screenWidth() : 1280, sh = tb::host() ? tb::host()->screenHeight() : 1024;
    int bar = GetMBarHeight();
    int left, top;
    if (where.h == -1 && where.v == -1) {
        left = (sw - kWidth) / 2;
        top = bar + std::max(0, (sh - bar - kHeight) / 3);
    } else {
        // Kept on the screen, whatever was asked.
        left = std::clamp<int>(where.h, 0, std::max(0, sw - kWidth));
        top = std::clamp<int>(where.v, bar + 20, std::max(bar + 20, sh - kHeight));
    }
    Rect bounds{short(top), short(left), short(top + kHeight), short(left + kWidth)};

    GrafPtr saved = nullptr;
    GetPort(&saved);
    Picker picker;
    picker.old = picker.now = start;
    picker.hsv = toHSV(start);
    picker.dialog = tb::dialogs::newDialog(bounds, "Choose a Color", movableDBoxProc, false, kFirstWindowOfClass,
                                           pickerItems(text));
    if (!picker.dialog) return false;
    DialogRef d = picker.dialog;
    GrafPtr dialogPort = GetDialogPort(d);
    tb::dialogs::setUserItemDrawer(d, kDisc, [&picker](const Rect& r) { picker.drawDisc(r); });
    tb::dialogs::setUserItemDrawer(d, kSlider, [&picker](const Rect& r) { picker.drawSlider(r); });
    tb::dialogs::setUserItemDrawer(d, kSwatch, [&picker](const Rect& r) { picker.drawSwatch(r); });
    SetDialogDefaultItem(d, kOK);
    SetDialogCancelItem(d, kCancel);
    SetDialogTracksCursor(d, true);
    SelectDialogItemText(d, kRed, 0, 32767);
    picker.showFields();
    DrawDialog(d);
    ShowWindow(GetDialogWindow(d));
    SelectWindow(GetDialogWindow(d));

    DialogItemIndex hit = 0;
    for (;;) {
        ModalDialog(nullptr, &hit);
        if (hit == kOK || hit == kCancel) break;
        if (hit == kDisc || hit == kSlider) picker.track(hit);
        else if (hit >= kRed && hit <= kBlue) picker.fieldChanged(hit);
    }
    bool ok = hit == kOK;
    if (ok) {
        // Fields typed without leaving them still count.
        for (DialogItemIndex n = kRed; n <= kBlue; ++n) picker.fieldChanged(n);
        if (outColor) *outColor = picker.now;
    }
    DisposeDialog(d);
    if (saved != dialogPort) SetPort(saved);
    return ok;
}
