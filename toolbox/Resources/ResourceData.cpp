#include "tb/ResourceData.h"

#include "Memory/HandleTable.h"

#include <algorithm>
#include <cstring>

namespace tb::res {

Writer& Writer::u8(UInt8 v) {
    out_.push_back(v);
    return *this;
}

Writer& Writer::u16(UInt16 v) { return u8(UInt8(v >> 8)).u8(UInt8(v)); }

Writer& Writer::u32(UInt32 v) { return u16(UInt16(v >> 16)).u16(UInt16(v)); }

Writer& Writer::rect(const Rect& r) { return s16(r.top).s16(r.left).s16(r.bottom).s16(r.right); }

Writer& Writer::pstr(std::string_view text) {
    std::size_t n = std::min<std::size_t>(text.size(), 255);
    u8(UInt8(n));
    return bytes(text.data(), n);
}

Writer& Writer::bytes(const void* data, std::size_t size) {
    if (data && size) {
        auto* p = static_cast<const unsigned char*>(data);
        out_.insert(out_.end(), p, p + size);
    }
    return *this;
}

Writer& Writer::align2() {
    if (out_.size() % 2) u8(0);
    return *this;
}

Reader::Reader(Handle h) {
    Size size = tb::memory::sizeOf(h);
    if (size > 0) {
        data_ = reinterpret_cast<const unsigned char*>(*h);
        size_ = std::size_t(size);
    }
}

bool Reader::take(std::size_t n) {
    if (!ok_ || n > size_ - pos_) {
        ok_ = false;
        return false;
    }
    return true;
}

UInt8 Reader::u8() {
    if (!take(1)) return 0;
    return data_[pos_++];
}

UInt16 Reader::u16() {
    if (!take(2)) return 0;
    UInt16 v = UInt16((data_[pos_] << 8) | data_[pos_ + 1]);
    pos_ += 2;
    return v;
}

UInt32 Reader::u32() {
    if (!take(4)) return 0;
    UInt32 hi = u16();
    return (hi << 16) | u16();
}

Rect Reader::rect() {
    Rect r;
    r.top = s16();
    r.left = s16();
    r.bottom = s16();
    r.right = s16();
    return r;
}

void Reader::pstr(Str255 dst) {
    dst[0] = 0;
    if (!take(1)) return;
    std::size_t n = data_[pos_];
    if (!take(1 + n)) return;
    std::memcpy(dst, data_ + pos_, 1 + n);
    pos_ += 1 + n;
}

std::string Reader::pstr() {
    Str255 s;
    pstr(s);
    return std::string(reinterpret_cast<const char*>(s + 1), s[0]);
}

void Reader::skip(std::size_t n) {
    if (take(n)) pos_ += n;
}

void Reader::align2() {
    if (pos_ % 2) skip(1);
}

namespace {
template <typename Strings> Bytes makeStrList(const Strings& strings) {
    Writer w;
    // The count is 16 bits: a longer list keeps its first 65535 strings.
    std::size_t count = std::min<std::size_t>(strings.size(), 0xFFFF);
    w.u16(UInt16(count));
    for (const auto& s : strings) {
        if (count-- == 0) break;
        w.pstr(s);
    }
    return w.take();
}
} // namespace

Bytes strList(std::initializer_list<std::string_view> strings) { return makeStrList(strings); }
Bytes strList(const std::vector<std::string>& strings) { return makeStrList(strings); }

Bytes str(std::string_view text) { return Writer().pstr(text).take(); }

Bytes vers(const Version& v) {
    return Writer()
        .u8(v.major)
        .u8(v.minorAndBug)
        .u8(v.stage)
        .u8(v.prerelease)
        .u16(v.region)
        .pstr(v.shortVersion)
        .pstr(v.longVersion)
        .take();
}

bool parseVers(const void* data, std::size_t size, Version& out) {
    Reader r(data, size);
    Version v;
    v.major = r.u8();
    v.minorAndBug = r.u8();
    v.stage = r.u8();
    v.prerelease = r.u8();
    v.region = r.u16();
    v.shortVersion = r.pstr();
    v.longVersion = r.pstr();
    if (!r.ok()) return false;
    out = std::move(v);
    return true;
}

} // namespace tb::res
