#include "Faults/Faults.h"
#include "Memory/HandleTable.h"
#include "tb/Memory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// Owns the handles a test makes, so a failing assertion leaks nothing.
struct Handles {
    std::vector<Handle> owned;
    Handle make(Size size) {
        Handle h = NewHandle(size);
        if (h) owned.push_back(h);
        return h;
    }
    ~Handles() {
        for (Handle h : owned)
            if (tb::memory::isHandle(h)) DisposeHandle(h);
    }
};

void fill(Handle h, Size n) {
    for (Size i = 0; i < n; ++i) (*h)[i] = char('a' + i % 26);
}

TEST(Memory, NewHandleIsZeroedAndSized) {
    Handles hs;
    for (Size size : {Size(0), Size(1), Size(2048), Size(100000)}) {
        Handle h = hs.make(size);
        ASSERT_NE(h, nullptr) << size;
        EXPECT_EQ(MemError(), noErr);
        ASSERT_NE(*h, nullptr) << "a zero-sized block still has a master pointer";
        EXPECT_EQ(GetHandleSize(h), size);
        for (Size i = 0; i < size; ++i) ASSERT_EQ((*h)[i], 0) << size << " at " << i;
    }
}

TEST(Memory, SetHandleSizeKeepsContentsUpToTheSmallerSize) {
    struct Case {
        Size from, to;
    };
    const Case cases[] = {{16, 4096}, {4096, 16}, {100, 0}, {0, 50}, {10, 11}, {300, 300}};
    for (const Case& c : cases) {
        Handles hs;
        Handle h = hs.make(c.from);
        ASSERT_NE(h, nullptr);
        fill(h, c.from);
        SetHandleSize(h, c.to);
        ASSERT_EQ(MemError(), noErr) << c.from << " -> " << c.to;
        ASSERT_EQ(GetHandleSize(h), c.to);
        Size kept = std::min(c.from, c.to);
        for (Size i = 0; i < kept; ++i) ASSERT_EQ((*h)[i], char('a' + i % 26)) << i;
        for (Size i = kept; i < c.to; ++i) ASSERT_EQ((*h)[i], 0) << "new byte " << i;
    }
}

TEST(Memory, ShrinkThenGrowDoesNotResurrectOldBytes) {
    Handles hs;
    Handle h = hs.make(64);
    fill(h, 64);
    SetHandleSize(h, 8);
    SetHandleSize(h, 64);
    for (Size i = 8; i < 64; ++i) ASSERT_EQ((*h)[i], 0) << i;
}

TEST(Memory, LockedHandleNeverMoves) {
    Handles hs;
    Handle h = hs.make(32);
    fill(h, 32);
    HLock(h);
    Ptr before = *h;
    SetHandleSize(h, 16); // shrinking stays in place
    EXPECT_EQ(MemError(), noErr);
    SetHandleSize(h, 32); // and growing back within the block too
    EXPECT_EQ(MemError(), noErr);
    SetHandleSize(h, 1 << 20);
    EXPECT_EQ(MemError(), memFullErr);
    EXPECT_EQ(*h, before);
    EXPECT_EQ(GetHandleSize(h), 32);
    EXPECT_EQ(std::memcmp(*h, "abcdefghijklmnop", 16), 0);

    HUnlock(h);
    SetHandleSize(h, 1 << 20);
    EXPECT_EQ(MemError(), noErr);
    EXPECT_EQ(std::memcmp(*h, "abcdefghijklmnop", 16), 0);
}

TEST(Memory, StateFlagsRoundTripButResourceBitIsNotTheCallersToSet) {
    Handles hs;
    Handle h = hs.make(4);
    EXPECT_EQ(UInt8(HGetState(h)), 0);
    HLock(h);
    HPurge(h);
    EXPECT_EQ(UInt8(HGetState(h)), kHandleLockedMask | kHandlePurgeMask);
    SInt8 saved = HGetState(h);
    HUnlock(h);
    HNoPurge(h);
    EXPECT_EQ(UInt8(HGetState(h)), 0);
    HSetState(h, saved);
    EXPECT_EQ(UInt8(HGetState(h)), kHandleLockedMask | kHandlePurgeMask);
    HSetState(h, SInt8(0xFF));
    EXPECT_EQ(UInt8(HGetState(h)) & kHandleIsResourceMask, 0);
}

TEST(Memory, BadHandlesAreRefusedNotFollowed) {
    Handle h = NewHandle(10);
    ASSERT_NE(h, nullptr);
    DisposeHandle(h);
    EXPECT_EQ(MemError(), noErr);

    Ptr local = nullptr;
    Handle foreign = &local;
    struct Case {
        const char* what;
        Handle handle;
        OSErr expected;
    };
    const Case cases[] = {{"disposed", h, memWZErr},
                          {"foreign", foreign, memWZErr},
                          {"null", nullptr, nilHandleErr}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        DisposeHandle(c.handle);
        EXPECT_EQ(MemError(), c.expected);
        EXPECT_EQ(GetHandleSize(c.handle), 0);
        EXPECT_EQ(MemError(), c.expected);
        SetHandleSize(c.handle, 100);
        EXPECT_EQ(MemError(), c.expected);
        HLock(c.handle);
        EXPECT_EQ(MemError(), c.expected);
        EXPECT_EQ(HGetState(c.handle), 0);
    }
    EXPECT_EQ(local, nullptr) << "a foreign master pointer was written";
}

TEST(Memory, ArmedFaultFailsExactlyTheNextRequest) {
    using tb::faults::Fault;
    Handles hs;
    Handle grown = hs.make(8);
    struct Case {
        const char* what;
        bool (*request)(Handle grown, Handles& hs); // true when the request succeeded
    };
    const Case cases[] = {
        {"NewHandle", [](Handle, Handles& hs) { return hs.make(2048) != nullptr; }},
        {"NewHandleClear",
         [](Handle, Handles& hs) {
             Handle h = NewHandleClear(16);
             if (h) hs.owned.push_back(h);
             return h != nullptr;
         }},
        {"NewPtr",
         [](Handle, Handles&) {
             Ptr p = NewPtr(16);
             if (!p) return false;
             DisposePtr(p);
             return true;
         }},
        {"growing SetHandleSize",
         [](Handle g, Handles&) {
             SetHandleSize(g, GetHandleSize(g) + 100);
             return MemError() == noErr;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        tb::faults::arm(Fault::memory);
        EXPECT_FALSE(c.request(grown, hs));
        EXPECT_EQ(MemError(), memFullErr);
        EXPECT_TRUE(c.request(grown, hs)) << "the fault fails one request only";
        EXPECT_EQ(MemError(), noErr);
    }
}

TEST(Memory, ToolboxBlocksAndShrinkingStayOutOfTheFault) {
    using tb::faults::Fault;
    Handles hs;
    Handle h = hs.make(100);
    tb::faults::arm(Fault::memory);
    Handle own = tb::memory::allocate(10);
    ASSERT_NE(own, nullptr);
    hs.owned.push_back(own);
    SetHandleSize(h, 50);
    EXPECT_EQ(MemError(), noErr);
    EXPECT_EQ(hs.make(1), nullptr) << "the fault should still be armed for the program";
    EXPECT_EQ(MemError(), memFullErr);
}

TEST(Memory, ImpossibleSizesGiveMemFullErr) {
    for (Size size : {Size(-1), tb::memory::kMaxBlockSize + 1}) {
        EXPECT_EQ(NewHandle(size), nullptr) << size;
        EXPECT_EQ(MemError(), memFullErr);
        EXPECT_EQ(NewPtr(size), nullptr) << size;
        EXPECT_EQ(MemError(), memFullErr);
    }
    Handles hs;
    Handle h = hs.make(4);
    SetHandleSize(h, tb::memory::kMaxBlockSize + 1);
    EXPECT_EQ(MemError(), memFullErr);
    EXPECT_EQ(GetHandleSize(h), 4);
    SetHandleSize(h, -5);
    EXPECT_EQ(MemError(), paramErr);
    EXPECT_EQ(GetHandleSize(h), 4);
}

TEST(Memory, PointersAreTrackedLikeHandles) {
    Ptr p = NewPtrClear(24);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(GetPtrSize(p), 24);
    DisposePtr(p);
    EXPECT_EQ(MemError(), noErr);
    DisposePtr(p);
    EXPECT_EQ(MemError(), memWZErr);
    char local[4];
    DisposePtr(local);
    EXPECT_EQ(MemError(), memWZErr);
    DisposePtr(nullptr);
    EXPECT_EQ(MemError(), nilHandleErr);
}

TEST(Memory, CopiesIntoAndBetweenHandles) {
    Handles hs;
    Handle h = nullptr;
    ASSERT_EQ(PtrToHand("resource", &h, 8), noErr);
    hs.owned.push_back(h);
    EXPECT_EQ(GetHandleSize(h), 8);
    EXPECT_EQ(std::memcmp(*h, "resource", 8), 0);

    Handle copy = h;
    ASSERT_EQ(HandToHand(&copy), noErr);
    hs.owned.push_back(copy);
    EXPECT_NE(copy, h);
    (*h)[0] = 'R';
    EXPECT_EQ(std::memcmp(*copy, "resource", 8), 0) << "the copy shares the original's bytes";
}

TEST(Memory, BlockMoveHandlesOverlap) {
    char text[] = "abcdefgh";
    BlockMove(text, text + 2, 5);
    EXPECT_STREQ(text, "ababcdeh");
    BlockMoveData(text + 2, text, 5);
    EXPECT_STREQ(text, "abcdedeh");
    BlockMove(text, text + 1, -3);
    EXPECT_STREQ(text, "abcdedeh");
}

} // namespace
