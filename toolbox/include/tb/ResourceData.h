// Byte layouts of resource records: a big-endian writer and a bounds-checked reader,
// and the string list, string and version records built with them.
#pragma once

#include "tb/Types.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace tb::res {

using Bytes = std::vector<unsigned char>;

// Records are stored as on the classic system: big-endian, Pascal strings as a length
// byte and their characters (MacRoman), no padding unless a layout asks for it.
class Writer {
  public:
    Writer& u8(UInt8 v);
    Writer& u16(UInt16 v);
    Writer& s16(SInt16 v) { return u16(UInt16(v)); }
    Writer& u32(UInt32 v);
    Writer& s32(SInt32 v) { return u32(UInt32(v)); }
    // top, left, bottom, right.
    Writer& rect(const Rect& r);
    // A text longer than 255 characters is cut at 255.
    Writer& pstr(std::string_view text);
    Writer& bytes(const void* data, std::size_t size);
    // One zero byte when the size so far is odd.
    Writer& align2();

    std::size_t size() const { return out_.size(); }
    const Bytes& data() const { return out_; }
    Bytes take() { return std::move(out_); }

  private:
    Bytes out_;
};

// Reading past the end gives zeros and empty strings and clears ok(), so a loader
// checks once at the end instead of at every field.
class Reader {
  public:
    Reader(const void* data, std::size_t size)
        : data_(static_cast<const unsigned char*>(data)), size_(data ? size : 0) {}
    // Over the bytes of a handle; an unknown or null handle reads as empty.
    explicit Reader(Handle h);

    bool ok() const { return ok_; }
    std::size_t offset() const { return pos_; }
    std::size_t remaining() const { return size_ - pos_; }

    UInt8 u8();
    UInt16 u16();
    SInt16 s16() { return SInt16(u16()); }
    UInt32 u32();
    SInt32 s32() { return SInt32(u32()); }
    Rect rect();
    // dst always ends up a valid Pascal string; a string cut by the end is dropped.
    void pstr(Str255 dst);
    std::string pstr();
    void skip(std::size_t n);
    void align2();

  private:
    bool take(std::size_t n);

    const unsigned char* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

// 'STR#': a 16-bit count, then that many Pascal strings back to back.
Bytes strList(std::initializer_list<std::string_view> strings);
Bytes strList(const std::vector<std::string>& strings);
// 'STR ': one Pascal string.
Bytes str(std::string_view text);

// 'vers': major revision (BCD), minor and bug-fix revisions (one BCD nibble each),
// release stage, pre-release number, region code (16 bits), then the short version
// string (the Pascal string at byte 6) and the long version string.
enum : UInt8 {
    developStage = 0x20,
    alphaStage = 0x40,
    betaStage = 0x60,
    finalStage = 0x80,
};

struct Version {
    UInt8 major = 0;       // BCD: 0x01 is 1
    UInt8 minorAndBug = 0; // BCD nibbles: 0x23 is .2.3
    UInt8 stage = finalStage;
    UInt8 prerelease = 0;
    UInt16 region = 0;
    std::string shortVersion;
    std::string longVersion;
};

Bytes vers(const Version& v);
// False when the data is too short for the fixed part or a string runs past the end.
bool parseVers(const void* data, std::size_t size, Version& out);

} // namespace tb::res
