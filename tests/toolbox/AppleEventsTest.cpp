#include "tb/AppleEvents.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// What a handler saw, reached through its reference constant.
struct Seen {
    int calls = 0;
    AEEventClass eventClass = 0;
    AEEventID eventID = 0;
    bool replyIsEvent = false;
    OSErr requiredParams = 1;
    OSErr result = noErr;
    bool readDirectObject = false;
};

long refconOf(Seen& seen) { return reinterpret_cast<long>(&seen); }

// The check the program's Quit handler makes before it quits.
OSErr gotRequiredParams(const AppleEvent* event) {
    DescType returnedType;
    Size actualSize;
    OSErr err = AEGetAttributePtr(event, keyMissedKeywordAttr, typeWildCard, &returnedType,
                                  nullptr, 0, &actualSize);
    if (err == errAEDescNotFound) return noErr;
    if (err == noErr) return errAEParamMissed;
    return err;
}

// Written as the program writes its handlers: the event is not const.
OSErr recordingHandler(AppleEvent* event, AppleEvent* reply, long refcon) {
    Seen& seen = *reinterpret_cast<Seen*>(refcon);
    ++seen.calls;
    AEGetAttributePtr(event, keyEventClassAttr, typeType, nullptr, &seen.eventClass,
                      sizeof seen.eventClass, nullptr);
    AEGetAttributePtr(event, keyEventIDAttr, typeType, nullptr, &seen.eventID,
                      sizeof seen.eventID, nullptr);
    seen.replyIsEvent = reply && reply->descriptorType == typeAppleEvent;
    if (seen.readDirectObject) {
        SInt32 value = 0;
        AEGetParamPtr(event, keyDirectObject, typeSInt32, nullptr, &value, sizeof value, nullptr);
    }
    seen.requiredParams = gotRequiredParams(event);
    return seen.requiredParams != noErr ? seen.requiredParams : seen.result;
}

// Installs handlers for one test and removes them whatever happens.
class AppleEvents : public ::testing::Test {
  protected:
    AEEventHandlerUPP upp = nullptr;
    void SetUp() override { upp = NewAEEventHandlerUPP(recordingHandler); }
    void TearDown() override { DisposeAEEventHandlerUPP(upp); }

    void install(AEEventClass c, AEEventID id, Seen& seen, bool system = false) {
        ASSERT_EQ(AEInstallEventHandler(c, id, upp, refconOf(seen), system), noErr);
    }
};

TEST_F(AppleEvents, QuitEventReachesItsHandlerWithNothingMissed) {
    Seen seen;
    install(kCoreEventClass, kAEQuitApplication, seen);
    EventRecord event = tb::makeAppleEventRecord(kCoreEventClass, kAEQuitApplication);
    EXPECT_EQ(AEProcessAppleEvent(&event), noErr);
    EXPECT_EQ(seen.calls, 1);
    EXPECT_EQ(seen.eventClass, kCoreEventClass);
    EXPECT_EQ(seen.eventID, kAEQuitApplication);
    EXPECT_TRUE(seen.replyIsEvent);
    EXPECT_EQ(seen.requiredParams, noErr);
}

TEST_F(AppleEvents, RecordPacksTheEventIDIntoWhere) {
    EventRecord quit = tb::makeAppleEventRecord(kCoreEventClass, kAEQuitApplication);
    EXPECT_EQ(quit.what, kHighLevelEvent);
    EXPECT_EQ(quit.message, kCoreEventClass);
    EXPECT_EQ(UInt16(quit.where.v), 0x7175); // "qu"
    EXPECT_EQ(UInt16(quit.where.h), 0x6974); // "it"

    // Codes with the high bit set in either half make negative coordinates; the ID
    // must still come back whole.
    Seen seen;
    install(FOUR_CHAR("test"), typeWildCard, seen);
    for (AEEventID id : {AEEventID(0x80008000), AEEventID(0xFFFFFFFF), AEEventID(0x00017FFF),
                         AEEventID(0)}) {
        EventRecord event = tb::makeAppleEventRecord(FOUR_CHAR("test"), id);
        EXPECT_EQ(AEProcessAppleEvent(&event), noErr) << std::hex << id;
        EXPECT_EQ(seen.eventID, id) << std::hex << id;
    }
}

TEST_F(AppleEvents, EventsWithoutHandlerOrNotAppleEvents) {
    Seen seen;
    install(kCoreEventClass, kAEQuitApplication, seen);
    EventRecord open = tb::makeAppleEventRecord(kCoreEventClass, kAEOpenApplication);
    EXPECT_EQ(AEProcessAppleEvent(&open), errAEEventNotHandled);
    EventRecord key = tb::makeAppleEventRecord(kCoreEventClass, kAEQuitApplication);
    key.what = keyDown;
    EXPECT_EQ(AEProcessAppleEvent(&key), errAENotAppleEvent);
    EXPECT_EQ(AEProcessAppleEvent(nullptr), paramErr);
    EXPECT_EQ(seen.calls, 0);
}

TEST_F(AppleEvents, HandlerChoiceExactBeforeWildcardApplicationBeforeSystem) {
    Seen exact, anyID, anyClass, system;
    install(kCoreEventClass, kAEQuitApplication, system, true);
    EventRecord quit = tb::makeAppleEventRecord(kCoreEventClass, kAEQuitApplication);
    EXPECT_EQ(AEProcessAppleEvent(&quit), noErr);
    EXPECT_EQ(system.calls, 1) << "the system table answers when the application has none";

    install(typeWildCard, kAEQuitApplication, anyClass);
    EXPECT_EQ(AEProcessAppleEvent(&quit), noErr);
    EXPECT_EQ(anyClass.calls, 1);
    install(kCoreEventClass, typeWildCard, anyID);
    EXPECT_EQ(AEProcessAppleEvent(&quit), noErr);
    EXPECT_EQ(anyID.calls, 1);
    install(kCoreEventClass, kAEQuitApplication, exact);
    EXPECT_EQ(AEProcessAppleEvent(&quit), noErr);
    EXPECT_EQ(exact.calls, 1);
    EXPECT_EQ(system.calls + anyClass.calls + anyID.calls, 3);

    AEEventHandlerUPP got = nullptr;
    long refcon = 0;
    ASSERT_EQ(AEGetEventHandler(kCoreEventClass, kAEQuitApplication, &got, &refcon, false), noErr);
    EXPECT_EQ(got, upp);
    EXPECT_EQ(refcon, refconOf(exact));

    EXPECT_EQ(AERemoveEventHandler(kCoreEventClass, kAEQuitApplication, upp, false), noErr);
    EXPECT_EQ(AERemoveEventHandler(kCoreEventClass, kAEQuitApplication, upp, false),
              errAEHandlerNotFound);
    EXPECT_EQ(AEProcessAppleEvent(&quit), noErr);
    EXPECT_EQ(anyID.calls, 2);
}

TEST_F(AppleEvents, HandlerResultComesBack) {
    Seen seen;
    seen.result = -42;
    install(kCoreEventClass, kAEQuitApplication, seen);
    EventRecord quit = tb::makeAppleEventRecord(kCoreEventClass, kAEQuitApplication);
    EXPECT_EQ(AEProcessAppleEvent(&quit), -42);
}

TEST_F(AppleEvents, UnreadRequiredParameterIsTheMissedKeyword) {
    struct Case {
        bool handlerReads;
        OSErr expected;
    };
    for (Case c : {Case{false, errAEParamMissed}, Case{true, noErr}}) {
        Seen seen;
        seen.readDirectObject = c.handlerReads;
        install(kCoreEventClass, kAEQuitApplication, seen);
        AppleEvent event;
        ASSERT_EQ(AECreateAppleEvent(kCoreEventClass, kAEQuitApplication, nullptr,
                                     kAutoGenerateReturnID, kAnyTransactionID, &event),
                  noErr);
        SInt32 value = 7;
        ASSERT_EQ(AEPutParamPtr(&event, keyDirectObject, typeSInt32, &value, sizeof value), noErr);
        EXPECT_EQ(tb::dispatchAppleEvent(&event), c.expected) << c.handlerReads;
        EXPECT_EQ(seen.requiredParams, c.expected);

        if (!c.handlerReads) {
            DescType type = 0;
            AEKeyword missed = 0;
            Size size = 0;
            ASSERT_EQ(AEGetAttributePtr(&event, keyMissedKeywordAttr, typeWildCard, &type,
                                        &missed, sizeof missed, &size),
                      noErr);
            EXPECT_EQ(type, typeKeyword);
            EXPECT_EQ(missed, keyDirectObject);
            EXPECT_EQ(size, Size(sizeof missed));
        }
        AEDisposeDesc(&event);
        EXPECT_EQ(event.descriptorType, typeNull);
        EXPECT_EQ(AEDisposeDesc(&event), noErr) << "a second dispose is harmless";
    }
}

TEST_F(AppleEvents, ParameterReadsStayWithinTheBuffer) {
    AppleEvent event;
    ASSERT_EQ(AECreateAppleEvent(kCoreEventClass, kAEOpenDocuments, nullptr, 12, 0, &event),
              noErr);
    ASSERT_EQ(AEPutParamPtr(&event, keyDirectObject, typeChar, "abcdefgh", 8), noErr);
    unsigned char buffer[8];
    std::memset(buffer, 0xEE, sizeof buffer);
    Size actual = 0;
    DescType type = 0;
    EXPECT_EQ(AEGetParamPtr(&event, keyDirectObject, typeWildCard, &type, buffer, 3, &actual),
              noErr);
    EXPECT_EQ(type, typeChar);
    EXPECT_EQ(actual, 8);
    EXPECT_EQ(std::memcmp(buffer, "abc", 3), 0);
    EXPECT_EQ(buffer[3], 0xEE);

    EXPECT_EQ(AEGetParamPtr(&event, keyDirectObject, typeSInt32, &type, buffer, 8, &actual),
              errAECoercionFail);
    EXPECT_EQ(AEGetParamPtr(&event, keyErrorNumber, typeWildCard, &type, buffer, 8, &actual),
              errAEDescNotFound);
    AEReturnID returnID = 0;
    EXPECT_EQ(AEGetAttributePtr(&event, keyReturnIDAttr, typeWildCard, nullptr, &returnID,
                                sizeof returnID, nullptr),
              noErr);
    EXPECT_EQ(returnID, 12);
    AEDisposeDesc(&event);

    EXPECT_EQ(AEGetAttributePtr(&event, keyEventClassAttr, typeWildCard, &type, buffer, 4, &actual),
              errAENotAEDesc);
    AEDesc foreign{typeAppleEvent, reinterpret_cast<AEDataStorage>(buffer)};
    EXPECT_EQ(AEGetParamPtr(&foreign, keyDirectObject, typeWildCard, &type, buffer, 8, &actual),
              errAENotAEDesc);
}

OSErr constHandler(const AppleEvent*, AppleEvent*, long refcon) {
    ++reinterpret_cast<Seen*>(refcon)->calls;
    return noErr;
}

TEST(AppleEventRoutines, DisposedRoutineIsNeverCalled) {
    Seen seen;
    AEEventHandlerUPP routine = NewAEEventHandlerUPP(constHandler);
    ASSERT_NE(routine, nullptr);
    ASSERT_EQ(AEInstallEventHandler(FOUR_CHAR("tst2"), typeWildCard, routine, refconOf(seen),
                                    false),
              noErr);
    EventRecord event = tb::makeAppleEventRecord(FOUR_CHAR("tst2"), FOUR_CHAR("abcd"));
    EXPECT_EQ(AEProcessAppleEvent(&event), noErr);
    EXPECT_EQ(seen.calls, 1);
    DisposeAEEventHandlerUPP(routine);
    EXPECT_EQ(AEProcessAppleEvent(&event), errAEEventNotHandled);
    EXPECT_EQ(seen.calls, 1);
    EXPECT_EQ(AEInstallEventHandler(FOUR_CHAR("tst2"), typeWildCard, routine, 0, false), paramErr);
}

} // namespace
