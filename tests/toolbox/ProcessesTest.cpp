#include "tb/Processes.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

namespace {

// The walk the program's shared utilities make to find a process by creator and type.
OSErr findProcess(OSType creator, OSType type, ProcessSerialNumber* psn) {
    *psn = {0, kNoProcess};
    OSErr err = noErr;
    for (int guard = 0; guard < 100; ++guard) {
        err = GetNextProcess(psn);
        if (err != noErr) return err;
        ProcessInfoRec info;
        info.processInfoLength = 60;
        info.processName = nullptr;
        info.processAppSpec = nullptr;
        if (GetProcessInformation(psn, &info) == noErr && info.processSignature == creator &&
            info.processType == type)
            return noErr;
    }
    ADD_FAILURE() << "the process walk does not end";
    return err;
}

TEST(Processes, WalkFindsOnlyThisProgram) {
    ProcessSerialNumber self;
    ASSERT_EQ(GetCurrentProcess(&self), noErr);
    struct Case {
        OSType creator, type;
        OSErr expected;
    };
    const Case cases[] = {{FOUR_CHAR("ILVR"), FOUR_CHAR("APPL"), noErr},
                          {FOUR_CHAR("MACS"), FOUR_CHAR("FNDR"), procNotFound},
                          {FOUR_CHAR("ILVR"), FOUR_CHAR("FNDR"), procNotFound}};
    for (const Case& c : cases) {
        ProcessSerialNumber psn{9, 9};
        EXPECT_EQ(findProcess(c.creator, c.type, &psn), c.expected);
        if (c.expected == noErr) {
            Boolean same = false;
            ASSERT_EQ(SameProcess(&psn, &self, &same), noErr);
            EXPECT_TRUE(same);
        } else {
            EXPECT_EQ(psn.lowLongOfPSN, kNoProcess) << "the walk ends on kNoProcess";
        }
    }
}

TEST(Processes, FrontProcessIsAlwaysThisOne) {
    ProcessSerialNumber self, front;
    GetCurrentProcess(&self);
    ASSERT_EQ(GetFrontProcess(&front), noErr);
    Boolean same = false;
    SameProcess(&self, &front, &same);
    EXPECT_TRUE(same);
    const ProcessSerialNumber current{0, kCurrentProcess};
    EXPECT_EQ(SetFrontProcess(&self), noErr);
    EXPECT_EQ(SetFrontProcess(&current), noErr);
    const ProcessSerialNumber other{0, 0x7777};
    EXPECT_EQ(SetFrontProcess(&other), procNotFound);
    ProcessSerialNumber walk = other;
    EXPECT_EQ(GetNextProcess(&walk), paramErr) << "an unknown serial number has no successor";
    EXPECT_EQ(SetFrontProcess(nullptr), paramErr);
}

TEST(Processes, InformationStaysWithinTheGivenLength) {
    ProcessSerialNumber self;
    GetCurrentProcess(&self);

    ProcessInfoRec info;
    std::memset(&info, 0xAB, sizeof info);
    info.processInfoLength = 60;
    Str31 name;
    info.processName = name;
    ASSERT_EQ(GetProcessInformation(&self, &info), noErr);
    EXPECT_EQ(info.processSignature, kIlvaronSignature);
    EXPECT_EQ(info.processType, kIlvaronProcessType);
    EXPECT_EQ(std::string((const char*)name + 1, name[0]), "Ilvaron");
    // Whatever lies past byte 60 of this layout is not written.
    if (offsetof(ProcessInfoRec, processActiveTime) + 4 > 60) {
        UInt32 untouched;
        std::memset(&untouched, 0xAB, sizeof untouched);
        EXPECT_EQ(info.processActiveTime, untouched);
    }

    ProcessInfoRec full{};
    full.processInfoLength = sizeof full;
    ASSERT_EQ(GetProcessInformation(&self, &full), noErr);
    EXPECT_EQ(full.processNumber.lowLongOfPSN, self.lowLongOfPSN);
    EXPECT_EQ(full.processActiveTime, 0u);

    ProcessInfoRec tiny;
    std::memset(&tiny, 0xCD, sizeof tiny);
    tiny.processInfoLength = 8;
    tiny.processName = nullptr;
    EXPECT_EQ(GetProcessInformation(&self, &tiny), paramErr);
    EXPECT_EQ(tiny.processType, 0xCDCDCDCDu);

    const ProcessSerialNumber other{0, 0x7777};
    EXPECT_EQ(GetProcessInformation(&other, &full), procNotFound);
}

int gHookCalls = 0;
SInt16 gLastDuration = -1;

TEST(Processes, BeepsAreCountedAndReachTheHook) {
    unsigned long before = tb::beepCount();
    SysBeep(0);
    EXPECT_EQ(tb::beepCount(), before + 1);
    tb::setBeepHook([](SInt16 duration) {
        ++gHookCalls;
        gLastDuration = duration;
    });
    SysBeep(30);
    tb::setBeepHook(nullptr);
    SysBeep(1);
    EXPECT_EQ(tb::beepCount(), before + 3);
    EXPECT_EQ(gHookCalls, 1);
    EXPECT_EQ(gLastDuration, 30);
}

} // namespace
