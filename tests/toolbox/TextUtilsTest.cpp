#include "tb/TextUtils.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// A Str255 with guard bytes after it, to see a write past the 256 bytes.
struct Guarded {
    unsigned char bytes[256 + 8];
    Guarded() { std::memset(bytes, 0xEE, sizeof bytes); }
    bool guardIntact() const {
        for (std::size_t i = 256; i < sizeof bytes; ++i)
            if (bytes[i] != 0xEE) return false;
        return true;
    }
};

TEST(TextUtils, CStringToPascalCutsAt255) {
    for (std::size_t length : {0u, 1u, 254u, 255u, 256u, 1000u}) {
        std::string text(length, 'q');
        Guarded g;
        CopyCStringToPascal(text.c_str(), g.bytes);
        std::size_t expected = std::min<std::size_t>(length, 255);
        EXPECT_EQ(g.bytes[0], expected) << length;
        EXPECT_EQ(std::string((const char*)g.bytes + 1, g.bytes[0]), text.substr(0, expected));
        EXPECT_TRUE(g.guardIntact()) << length;
    }
    Guarded g;
    CopyCStringToPascal(nullptr, g.bytes);
    EXPECT_EQ(g.bytes[0], 0);
}

TEST(TextUtils, PascalToCWritesAtMost256Bytes) {
    Str255 full;
    full[0] = 255;
    std::memset(full + 1, 'z', 255);
    Guarded g;
    CopyPascalStringToC(full, reinterpret_cast<char*>(g.bytes));
    EXPECT_EQ(std::strlen(reinterpret_cast<char*>(g.bytes)), 255u);
    EXPECT_TRUE(g.guardIntact());

    char out[4] = "xyz";
    CopyPascalStringToC(nullptr, out);
    EXPECT_STREQ(out, "");
}

TEST(TextUtils, CopiesWorkInPlaceBothWays) {
    char buffer[256] = "Window Bounds \xB5";
    StringPtr p = c2pstr(buffer);
    ASSERT_EQ(p[0], 15);
    EXPECT_EQ(std::memcmp(p + 1, "Window Bounds \xB5", 15), 0);
    EXPECT_STREQ(p2cstr(p), "Window Bounds \xB5");

    Str255 same;
    CopyCStringToPascal("abc", same);
    CopyPascalStringToC(same, reinterpret_cast<char*>(same));
    EXPECT_STREQ(reinterpret_cast<char*>(same), "abc");
    CopyCStringToPascal(reinterpret_cast<char*>(same), same);
    EXPECT_EQ(tb::pascalToString(same), "abc");
}

TEST(TextUtils, StringConveniencesCutToo) {
    Guarded g;
    tb::stringToPascal(std::string(400, 'k'), g.bytes);
    EXPECT_EQ(g.bytes[0], 255);
    EXPECT_TRUE(g.guardIntact());
    EXPECT_EQ(tb::pascalToString(g.bytes), std::string(255, 'k'));
    EXPECT_EQ(tb::pascalToString(nullptr), "");
}

} // namespace
