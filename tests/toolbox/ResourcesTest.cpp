#include "Memory/HandleTable.h"
#include "tb/Memory.h"
#include "tb/Resources.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

constexpr ResType kTest = FOUR_CHAR("TEST");
constexpr ResType kStrList = FOUR_CHAR("STR#");

std::string bytesOf(Handle h) { return std::string(*h, std::size_t(GetHandleSize(h))); }

std::string pstring(const unsigned char* s) { return std::string((const char*)s + 1, s[0]); }

// Each test starts from an empty resource map and leaves one behind.
class Resources : public ::testing::Test {
  protected:
    void SetUp() override { tb::clearResources(); }
    void TearDown() override { tb::clearResources(); }
};

TEST_F(Resources, LookupHitsAndMisses) {
    tb::registerResource(kTest, 128, "payload", 7, "first");
    tb::registerResource(kTest, -4, "neg", 3);

    Handle h = GetResource(kTest, 128);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(ResError(), noErr);
    EXPECT_EQ(bytesOf(h), "payload");
    EXPECT_EQ(Get1Resource(kTest, 128), h);

    Handle negative = GetResource(kTest, -4);
    ASSERT_NE(negative, nullptr);
    EXPECT_EQ(bytesOf(negative), "neg");

    struct Miss {
        ResType type;
        SInt16 id;
    };
    for (Miss m : {Miss{kTest, 129}, Miss{FOUR_CHAR("TESU"), 128}, Miss{kTest, 0}}) {
        EXPECT_EQ(GetResource(m.type, m.id), nullptr) << m.id;
        EXPECT_EQ(ResError(), resNotFound);
        EXPECT_EQ(Get1Resource(m.type, m.id), nullptr);
    }
    EXPECT_EQ(CountResources(kTest), 2);
    ReleaseResource(h);
    ReleaseResource(negative);
}

TEST_F(Resources, SameHandleUntilReleasedThenAFreshCopy) {
    tb::registerResource(kTest, 1, "original", 8);
    Handle h = GetResource(kTest, 1);
    ASSERT_NE(h, nullptr);
    std::memcpy(*h, "CHANGED!", 8); // a holder may scribble on its copy
    EXPECT_EQ(GetResource(kTest, 1), h);
    EXPECT_EQ(bytesOf(GetResource(kTest, 1)), "CHANGED!");

    ReleaseResource(h);
    EXPECT_EQ(ResError(), noErr);
    EXPECT_FALSE(tb::memory::isHandle(h));

    Handle again = GetResource(kTest, 1);
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(bytesOf(again), "original");
    ReleaseResource(again);
}

TEST_F(Resources, EveryWayOfLettingGoLeavesTheMapConsistent) {
    struct Case {
        const char* what;
        void (*letGo)(Handle);
        bool handleSurvives;
    };
    const Case cases[] = {
        {"ReleaseResource", [](Handle h) { ReleaseResource(h); }, false},
        {"DetachResource", [](Handle h) { DetachResource(h); }, true},
        {"DisposeHandle", [](Handle h) { DisposeHandle(h); }, false},
    };
    tb::registerResource(kTest, 7, "seven", 5);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Handle h = GetResource(kTest, 7);
        ASSERT_NE(h, nullptr);
        c.letGo(h);
        EXPECT_EQ(tb::memory::isHandle(h), c.handleSurvives);

        Handle fresh = GetResource(kTest, 7);
        ASSERT_NE(fresh, nullptr);
        EXPECT_TRUE(tb::memory::isHandle(fresh));
        EXPECT_EQ(bytesOf(fresh), "seven");
        if (c.handleSurvives) {
            EXPECT_NE(fresh, h);
            EXPECT_EQ(bytesOf(h), "seven");
            ReleaseResource(h); // no longer a resource: refused, not freed
            EXPECT_EQ(ResError(), resNotFound);
            EXPECT_TRUE(tb::memory::isHandle(h));
            DisposeHandle(h);
            EXPECT_EQ(MemError(), noErr);
        }
        ReleaseResource(fresh);
    }
}

TEST_F(Resources, ForeignHandlesAreRefused) {
    Handle plain = NewHandle(4);
    ASSERT_NE(plain, nullptr);
    Ptr local = nullptr;
    for (Handle h : {plain, Handle(nullptr), &local}) {
        ReleaseResource(h);
        EXPECT_EQ(ResError(), resNotFound);
        DetachResource(h);
        EXPECT_EQ(ResError(), resNotFound);
        SInt16 id = 99;
        GetResInfo(h, &id, nullptr, nullptr);
        EXPECT_EQ(ResError(), resNotFound);
        EXPECT_EQ(id, 99);
    }
    EXPECT_TRUE(tb::memory::isHandle(plain));
    DisposeHandle(plain);
}

TEST_F(Resources, RegisteringAgainReplacesTheDataAndDetachesTheOldHandle) {
    tb::registerResource(kTest, 5, "old", 3);
    Handle old = GetResource(kTest, 5);
    ASSERT_NE(old, nullptr);
    tb::registerResource(kTest, 5, "newer", 5);
    Handle now = GetResource(kTest, 5);
    ASSERT_NE(now, nullptr);
    EXPECT_NE(now, old);
    EXPECT_EQ(bytesOf(now), "newer");
    EXPECT_EQ(bytesOf(old), "old");
    DisposeHandle(old);
    EXPECT_EQ(GetResource(kTest, 5), now) << "disposing the detached handle touched the map";
    ReleaseResource(now);

    EXPECT_TRUE(tb::unregisterResource(kTest, 5));
    EXPECT_FALSE(tb::unregisterResource(kTest, 5));
    EXPECT_EQ(GetResource(kTest, 5), nullptr);
}

TEST_F(Resources, InfoAndNamedLookup) {
    tb::registerResource(kTest, 300, tb::res::str("x"), "Zoom \xB5");
    Handle h = GetResource(kTest, 300);
    ASSERT_NE(h, nullptr);
    SInt16 id = 0;
    ResType type = 0;
    Str255 name;
    GetResInfo(h, &id, &type, name);
    EXPECT_EQ(ResError(), noErr);
    EXPECT_EQ(id, 300);
    EXPECT_EQ(type, kTest);
    EXPECT_EQ(pstring(name), "Zoom \xB5");
    GetResInfo(h, nullptr, nullptr, nullptr);
    EXPECT_EQ(ResError(), noErr);

    Str255 wanted;
    tb::stringToPascal("Zoom \xB5", wanted);
    EXPECT_EQ(GetNamedResource(kTest, wanted), h);
    EXPECT_EQ(Get1NamedResource(FOUR_CHAR("TESU"), wanted), nullptr);
    EXPECT_EQ(ResError(), resNotFound);
    tb::stringToPascal("Zoom", wanted);
    EXPECT_EQ(GetNamedResource(kTest, wanted), nullptr);
    ReleaseResource(h);
}

TEST_F(Resources, StringListLayoutIsTheClassicOne) {
    tb::res::Bytes list = tb::res::strList({"ab", "", "c"});
    const unsigned char expected[] = {0, 3, 2, 'a', 'b', 0, 1, 'c'};
    EXPECT_EQ(list, tb::res::Bytes(std::begin(expected), std::end(expected)));

    std::string longText(300, 'x');
    tb::res::Bytes cut = tb::res::strList({longText});
    ASSERT_EQ(cut.size(), 2u + 1 + 255);
    EXPECT_EQ(cut[2], 255);
}

TEST_F(Resources, GetIndStringInAndOutOfRange) {
    tb::registerResource(kStrList, 256, tb::res::strList({"too old", "no colour", "", "full"}));
    struct Case {
        SInt16 list, index;
        const char* expected;
        OSErr err;
    };
    const Case cases[] = {
        {256, 1, "too old", noErr}, {256, 2, "no colour", noErr}, {256, 3, "", noErr},
        {256, 4, "full", noErr},    {256, 0, "", noErr},          {256, -1, "", noErr},
        {256, 5, "", noErr},        {256, 32767, "", noErr},      {257, 1, "", resNotFound},
    };
    for (const Case& c : cases) {
        Str255 s;
        tb::stringToPascal("stale text", s);
        GetIndString(s, c.list, c.index);
        EXPECT_EQ(pstring(s), c.expected) << c.list << "/" << c.index;
        EXPECT_EQ(ResError(), c.err) << c.list << "/" << c.index;
    }
}

TEST_F(Resources, GetIndStringSurvivesBrokenLists) {
    // The count promises four strings; the data holds one whole and one cut short.
    const unsigned char broken[] = {0, 4, 3, 'o', 'n', 'e', 9, 't', 'w'};
    tb::registerResource(kStrList, 900, broken, sizeof broken);
    const unsigned char tooShort[] = {0};
    tb::registerResource(kStrList, 901, tooShort, sizeof tooShort);

    Str255 s;
    GetIndString(s, 900, 1);
    EXPECT_EQ(pstring(s), "one");
    for (SInt16 index : {2, 3, 4}) {
        GetIndString(s, 900, index);
        EXPECT_EQ(s[0], 0) << index;
    }
    GetIndString(s, 901, 1);
    EXPECT_EQ(s[0], 0);
}

TEST_F(Resources, GetStringServesTheStrResource) {
    tb::registerResource(FOUR_CHAR("STR "), 42, tb::res::str("answer"));
    StringHandle h = GetString(42);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(pstring(*h), "answer");
    EXPECT_EQ(GetString(43), nullptr);
    ReleaseResource(reinterpret_cast<Handle>(h));
}

TEST_F(Resources, VersionRecordLayoutAndRoundTrip) {
    tb::res::Version v;
    v.major = 0x01;
    v.minorAndBug = 0x20;
    v.stage = tb::res::betaStage;
    v.prerelease = 3;
    v.region = 0x0102;
    v.shortVersion = "1.2b3";
    v.longVersion = "1.2b3, Ilvaron";
    tb::res::Bytes bytes = tb::res::vers(v);
    const unsigned char head[] = {0x01, 0x20, 0x60, 3, 0x01, 0x02, 5, '1', '.', '2', 'b', '3'};
    ASSERT_GE(bytes.size(), sizeof head);
    EXPECT_EQ(std::memcmp(bytes.data(), head, sizeof head), 0);
    EXPECT_EQ(bytes.size(), 6u + 1 + 5 + 1 + 14);

    tb::res::Version back;
    ASSERT_TRUE(tb::res::parseVers(bytes.data(), bytes.size(), back));
    EXPECT_EQ(back.major, v.major);
    EXPECT_EQ(back.minorAndBug, v.minorAndBug);
    EXPECT_EQ(back.stage, v.stage);
    EXPECT_EQ(back.prerelease, v.prerelease);
    EXPECT_EQ(back.region, v.region);
    EXPECT_EQ(back.shortVersion, v.shortVersion);
    EXPECT_EQ(back.longVersion, v.longVersion);

    for (std::size_t cut : {std::size_t(0), std::size_t(5), bytes.size() - 1}) {
        tb::res::Version untouched;
        EXPECT_FALSE(tb::res::parseVers(bytes.data(), cut, untouched)) << cut;
        EXPECT_TRUE(untouched.shortVersion.empty());
    }
}

TEST_F(Resources, ReaderStopsAtTheEndAndWriterIsBigEndian) {
    tb::res::Bytes bytes = tb::res::Writer()
                               .u32(0x01020304)
                               .rect(Rect{-1, 2, 300, 4})
                               .pstr("hi")
                               .align2()
                               .take();
    ASSERT_EQ(bytes.size(), 4u + 8 + 3 + 1);
    EXPECT_EQ(bytes[0], 1);
    EXPECT_EQ(bytes[4], 0xFF);
    EXPECT_EQ(bytes[5], 0xFF);

    tb::res::Reader r(bytes.data(), bytes.size());
    EXPECT_EQ(r.u32(), 0x01020304u);
    Rect rect = r.rect();
    EXPECT_EQ(rect.top, -1);
    EXPECT_EQ(rect.left, 2);
    EXPECT_EQ(rect.bottom, 300);
    EXPECT_EQ(rect.right, 4);
    EXPECT_EQ(r.pstr(), "hi");
    r.align2();
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.remaining(), 0u);
    EXPECT_EQ(r.u16(), 0);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.pstr(), "");
}

} // namespace
