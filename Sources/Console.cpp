#include "Console.h"

#include "ConsoleMath.h"
#include "Layout.h"
#include "WindowHelpers.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

WindowRef output = nullptr;
TEHandle hTE = nullptr;
ControlRef vScroll = nullptr;
ControlActionUPP scrollProcUPP = nullptr;
short lines = 0;

namespace {

constexpr short kTextLimit = 32767;
constexpr short kScrollBarWidth = 15;

class SavedPort {
public:
    SavedPort() { GetPort(&saved_); }
    ~SavedPort() { SetPort(saved_); }

private:
    GrafPtr saved_ = nullptr;
};

short lineHeight() { return (**hTE).lineHeight; }

bool endsWithReturn() {
    short length = (**hTE).teLength;
    if (length == 0) return false;
    Handle text = (**hTE).hText;
    return text && *text && (*text)[length - 1] == '\r';
}

void scrollBarTrampoline(ControlRef control, ControlPartCode part) { scrollProc(control, part); }

} // namespace

void createOutput() {
    output = GetNewWindow(257, nullptr, nullptr);
    SetPortWindowPort(output);
    TextFont(4);
    TextSize(9);

    Rect ideal = GetIdealWindowRect(kConsoleWindowKind);
    MoveWindow(output, ideal.left, ideal.top, false);
    SizeWindow(output, static_cast<short>(ideal.right - ideal.left),
               static_cast<short>(ideal.bottom - ideal.top), true);

    Rect port;
    GetLocalWindowBounds(output, port);
    Rect bar;
    SetRect(&bar, static_cast<short>(port.right - kScrollBarWidth), static_cast<short>(port.top - 1),
            static_cast<short>(port.right + 1), static_cast<short>(port.bottom - 16));
    static const unsigned char noTitle[] = {0};
    vScroll = NewControl(output, &bar, noTitle, true, 0, 0, 0, scrollBarProc, 0);
    scrollProcUPP = NewControlActionUPP(scrollBarTrampoline);

    Rect text = port;
    text.right = static_cast<short>(text.right - kScrollBarWidth);
    text.bottom = static_cast<short>(text.bottom - kScrollBarWidth);
    InsetRect(&text, 4, 4);
    hTE = TENew(&text, &text);
    TEAutoView(true, hTE);
    setView(output);
}

void setView(WindowRef window) {
    Rect view;
    GetLocalWindowBounds(window, view);
    view.right = static_cast<short>(view.right - kScrollBarWidth);
    view.bottom = static_cast<short>(view.bottom - kScrollBarWidth);
    InsetRect(&view, 4, 4);
    lines = console::visibleLines(static_cast<short>(view.bottom - view.top), lineHeight());
    view.bottom = static_cast<short>(view.top + lineHeight() * lines);
    (**hTE).viewRect = view;
    (**hTE).destRect.right = view.right;
    TECalText(hTE);
}

void printToText(const char* format, ...) {
    SavedPort saved;
    SetPortWindowPort(output);
    char line[256];
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    if (n < 0) n = 0;
    if (n > 255) n = 255;
    checkTextFull(static_cast<short>(n));
    TESetSelect(kTextLimit, kTextLimit, hTE);
    TEInsert(line, n, hTE);
    TEInsert("\r", 1, hTE);
    TESelView(hTE);
    setVScrollMax();
    SetControlValue(vScroll, GetControlMaximum(vScroll));
}

void checkTextFull(short count) {
    if ((**hTE).teLength >= kTextLimit - count) {
        advise(4);
        eraseOutput();
    }
}

void eraseOutput() {
    SavedPort saved;
    SetPortWindowPort(output);
    TESetSelect(0, kTextLimit, hTE);
    TEDelete(hTE);
    setVScrollMax();
}

void setVScrollMax() {
    SetControlMaximum(vScroll, console::scrollMaximum((**hTE).nLines, endsWithReturn(), lines));
}

void adjustScroll() {
    const TERec& te = **hTE;
    short d = console::scrollDelta(te.viewRect.top, te.destRect.top, GetControlValue(vScroll),
                                   te.lineHeight);
    if (d != 0) TEScroll(0, d, hTE);
}

void reSizeText() {
    SavedPort saved;
    SetPortWindowPort(output);
    Rect port;
    GetLocalWindowBounds(output, port);
    InvalWindowRect(output, &port);
    setView(output);
    MoveControl(vScroll, static_cast<short>(port.right - kScrollBarWidth),
                static_cast<short>(port.top - 1));
    SizeControl(vScroll, 16, static_cast<short>(port.bottom - port.top - 13));
    Rect bar;
    GetControlBounds(vScroll, &bar);
    ValidWindowRect(output, &bar);
    setVScrollMax();
    adjustScroll();
}

void doScroll(EventRecord event) {
    SavedPort saved;
    SetPortWindowPort(output);
    Point where = event.where;
    GlobalToLocal(&where);
    ControlRef control = nullptr;
    short part = FindControl(where, output, &control);
    if (part == 0) {
        const Rect view = (**hTE).viewRect;
        if (PtInRect(where, &view)) {
            TEClick(where, (event.modifiers & shiftKey) != 0, hTE);
            const TERec& te = **hTE;
            SetControlValue(vScroll, static_cast<short>((te.viewRect.top - te.destRect.top) /
                                                        te.lineHeight));
        }
    } else if (part == kControlIndicatorPart) {
        TrackControl(control, where, nullptr);
        adjustScroll();
    } else {
        TrackControl(control, where, scrollProcUPP);
    }
}

void scrollProc(ControlRef control, short part) {
    if (part == 0) return;
    const TERec& te = **hTE;
    short page = console::pageStep(static_cast<short>(te.viewRect.bottom - te.viewRect.top),
                                   te.lineHeight);
    short step = console::scrollStep(part, page);
    SetControlValue(control, static_cast<short>(GetControlValue(control) + step));
    adjustScroll();
}

void activateOutput(unsigned char active) {
    if (active) {
        TEActivate(hTE);
        ShowControl(vScroll);
    } else {
        TEDeactivate(hTE);
        HideControl(vScroll);
    }
}

void upDateText() {
    SetPortWindowPort(output);
    Rect port;
    GetLocalWindowBounds(output, port);
    EraseRect(&port);
    DrawControls(output);
    DrawGrowIcon(output);
    TEUpdate(&port, hTE);
}
