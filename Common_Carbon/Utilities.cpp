#include "Utilities.h"

#include "StringUtils.h"

#include <cstdio>
#include <cstring>

namespace {

Handle SaveHdl = nullptr;
const unsigned char kEmpty[] = {0};

// The alerts of this module release the reserve while they are up.
void releaseReserve() {
    if (SaveHdl) {
        DisposeHandle(SaveHdl);
        SaveHdl = nullptr;
    }
}

void numberText(long n, Str255 out) { NumToString(n, out); }

} // namespace

ControlRef ItemHandle(DialogRef dialog, short item) {
    ControlRef control = nullptr;
    GetDialogItemAsControl(dialog, item, &control);
    return control;
}

void Show(WindowRef window) {
    if (!window) return;
    if (!IsWindowVisible(window))
        TransitionWindow(window, kWindowZoomTransitionEffect, kWindowShowTransitionAction, nullptr);
    SelectWindow(window);
}

Rect ScreenBounds() {
    Rect r;
    GetAvailableWindowPositioningBounds(GetMainDevice(), &r);
    return r;
}

void MemorySave() {
    SaveHdl = NewHandle(2048);
    if (!SaveHdl) ExitToShell();
}

void Advise(short n) {
    releaseReserve();
    Str255 message;
    GetIndString(message, 256, n);
    ParamText(message, kEmpty, kEmpty, kEmpty);
    StopAlert(1280, nullptr);
    MemorySave();
}

short isPressed(unsigned short keyCode) {
    if (keyCode > 127) return 0;
    KeyMap keys;
    GetKeys(keys);
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(keys);
    return static_cast<short>((bytes[keyCode / 8] >> (keyCode % 8)) & 1);
}

void SetDialogControlID(DialogRef dialog, short item, unsigned long id) {
    ControlRef control = ItemHandle(dialog, item);
    if (!control) return;
    ControlID cid;
    GetControlID(control, &cid);
    cid.id = static_cast<SInt32>(id);
    SetControlID(control, &cid);
}

Rect ItemRect(DialogRef dialog, short item) {
    short kind = 0;
    Handle h = nullptr;
    Rect r{0, 0, 0, 0};
    GetDialogItem(dialog, item, &kind, &h, &r);
    return r;
}

OSErr FindProcess(OSType creator, OSType type, ProcessSerialNumber* psn) {
    if (!psn) return paramErr;
    psn->highLongOfPSN = 0;
    psn->lowLongOfPSN = kNoProcess;
    for (;;) {
        OSErr err = GetNextProcess(psn);
        if (err != noErr) return err;
        ProcessInfoRec info;
        std::memset(&info, 0, sizeof info);
        info.processInfoLength = 60;
        info.processName = nullptr;
        info.processAppSpec = nullptr;
        err = GetProcessInformation(psn, &info);
        if (err != noErr) return err;
        if (info.processSignature == creator && info.processType == type) return noErr;
    }
}

void BringFinderToFront() {
    ProcessSerialNumber psn;
    if (FindProcess(FOUR_CHAR("MACS"), FOUR_CHAR("FNDR"), &psn) == noErr)
        SetFrontProcess(&psn);
    else
        Advise(6);
}

void DisplayFileErrorAlert(short error) {
    short message;
    switch (error) {
    case -47: message = 1; break;
    case -48: message = 2; break;
    case -49: message = 3; break;
    case -54: message = 4; break;
    case -61: message = 5; break;
    case -1300: message = 6; break;
    case -1301: message = 7; break;
    case -45: message = 8; break;
    case -41:
    case -34:
    case -33: message = 9; break;
    default: message = 10; break;
    }
    releaseReserve();
    Str255 text, number;
    GetIndString(text, 257, message);
    numberText(error, number);
    ParamText(text, number, kEmpty, kEmpty);
    CautionAlert(1280, nullptr);
    MemorySave();
}

void DisplayErrorAlert(int message, short error) {
    releaseReserve();
    Str255 text, number;
    GetIndString(text, 256, static_cast<SInt16>(message));
    numberText(error, number);
    ParamText(text, number, kEmpty, kEmpty);
    CautionAlert(1280, nullptr);
    MemorySave();
}

void AnimateCursor(unsigned long cursor) {
    static UInt32 lastTick = 0;
    static UInt32 animationStep = 0;
    UInt32 now = TickCount();
    if (now - lastTick > 30) {
        SetAnimatedThemeCursor(static_cast<ThemeCursor>(cursor), animationStep++);
        lastTick = now;
    }
}

short GetVersionString(unsigned char* version) {
    if (!version) return -1;
    version[0] = 0;
    Handle vers = Get1Resource(FOUR_CHAR("vers"), 1);
    if (!vers || !*vers || GetHandleSize(vers) < 7) return -1;
    const unsigned char* shortVersion = reinterpret_cast<const unsigned char*>(*vers) + 6;
    // The version buffer holds 20 bytes: a length byte and 19 characters.
    unsigned length = shortVersion[0];
    if (static_cast<Size>(length) + 7 > GetHandleSize(vers)) length = 0;
    if (length > 19) length = 19;
    version[0] = static_cast<unsigned char>(length);
    std::memcpy(version + 1, shortVersion + 1, length);
    return 0;
}

void DoAboutBox() {
    WindowRef window = GetNewCWindow(258, nullptr, kFirstWindowOfClass);
    if (!window) return;
    SetPortWindowPort(window);
    Rect bounds;
    GetWindowPortBounds(window, &bounds);
    PicHandle picture = GetPicture(128);
    if (picture) {
        HNoPurge(reinterpret_cast<Handle>(picture));
        DrawPicture(picture, &bounds);
        HPurge(reinterpret_cast<Handle>(picture));
    }
    Str255 version;
    if (GetVersionString(version) == 0) {
        const RGBColor white = {65535, 65535, 65535};
        RGBForeColor(&white);
        TextFont(20);
        TextSize(14);
        TextFace(bold);
        MoveTo(static_cast<short>(bounds.left + 10), static_cast<short>(bounds.top + 100));
        DrawString(version);
    }
    Show(window);
    QDFlushPortBuffer(GetWindowPort(window), nullptr);
    Point where;
    MouseTrackingResult result = 0;
    do {
        TrackMouseLocation(nullptr, &where, &result);
    } while (result != kMouseTrackingMouseDown && result != kMouseTrackingMouseUp &&
             result != kMouseTrackingUserCancelled);
    if (picture) ReleaseResource(reinterpret_cast<Handle>(picture));
    DisposeWindow(window);
}
