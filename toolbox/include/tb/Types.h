// Basic scalar and record types shared by every toolbox operation.
#pragma once

#include <cstddef>
#include <cstdint>

typedef std::uint8_t UInt8;
typedef std::int8_t SInt8;
typedef std::uint16_t UInt16;
typedef std::int16_t SInt16;
typedef std::uint32_t UInt32;
typedef std::int32_t SInt32;
typedef std::uint64_t UInt64;
typedef std::int64_t SInt64;

typedef unsigned char Boolean;
typedef SInt16 OSErr;
typedef SInt32 OSStatus;
typedef UInt32 FourCharCode;
typedef FourCharCode OSType;
typedef FourCharCode ResType;
typedef UInt32 OptionBits;
typedef SInt16 ScriptCode;

typedef char* Ptr;
typedef Ptr* Handle;
typedef long Size;

typedef unsigned char Str255[256];
typedef unsigned char Str63[64];
typedef unsigned char Str31[32];
typedef unsigned char Str15[16];
typedef unsigned char* StringPtr;
typedef const unsigned char* ConstStringPtr;
typedef const unsigned char* ConstStr255Param;
typedef StringPtr* StringHandle;

enum : OSErr {
    noErr = 0,
    memFullErr = -108,
    nilHandleErr = -109,
    memWZErr = -111,
    resNotFound = -192,
    paramErr = -50,
};


struct Point {
    SInt16 v;
    SInt16 h;
};
typedef Point* PointPtr;

struct Rect {
    SInt16 top;
    SInt16 left;
    SInt16 bottom;
    SInt16 right;
};
typedef Rect* RectPtr;

namespace tb {
// A rectangle from its edges in the order SetRect takes them.
constexpr Rect rect(SInt16 left, SInt16 top, SInt16 right, SInt16 bottom) {
    return Rect{top, left, bottom, right};
}
} // namespace tb

struct RGBColor {
    UInt16 red;
    UInt16 green;
    UInt16 blue;
};

// A four-character code from its text, as in 'TEXT'.
constexpr FourCharCode FOUR_CHAR(const char (&s)[5]) {
    return (FourCharCode(UInt8(s[0])) << 24) | (FourCharCode(UInt8(s[1])) << 16) |
           (FourCharCode(UInt8(s[2])) << 8) | FourCharCode(UInt8(s[3]));
}

// Opaque references: the toolbox defines the records behind them.
struct OpaqueGrafPtr;
struct OpaqueWindowPtr;
struct OpaqueDialogPtr;
struct OpaqueControlRef;
struct OpaqueMenuRef;
struct OpaqueRgnHandle;

typedef OpaqueGrafPtr* GrafPtr;
typedef GrafPtr CGrafPtr;
typedef GrafPtr GWorldPtr;
typedef OpaqueWindowPtr* WindowRef;
typedef WindowRef WindowPtr;
typedef OpaqueDialogPtr* DialogRef;
typedef DialogRef DialogPtr;
typedef OpaqueControlRef* ControlRef;
typedef ControlRef ControlHandle;
typedef OpaqueMenuRef* MenuRef;
typedef MenuRef MenuHandle;
typedef OpaqueRgnHandle* RgnHandle;
