// Apple Event Manager: handlers by event class and ID, and the Apple events that reach
// them as high-level events of the event queue.
#pragma once

#include "tb/EventTypes.h"
#include "tb/Types.h"

typedef FourCharCode DescType;
typedef FourCharCode AEKeyword;
typedef FourCharCode AEEventClass;
typedef FourCharCode AEEventID;
typedef SInt16 AEReturnID;
typedef SInt32 AETransactionID;

struct OpaqueAEDataStorageType;
typedef OpaqueAEDataStorageType* AEDataStorage;

struct AEDesc {
    DescType descriptorType;
    AEDataStorage dataHandle;
};
typedef AEDesc AppleEvent;
typedef AEDesc AEAddressDesc;
typedef AEDesc AERecord;
typedef AEDesc AEDescList;

enum : DescType {
    typeWildCard = FOUR_CHAR("****"),
    typeNull = FOUR_CHAR("null"),
    typeType = FOUR_CHAR("type"),
    typeKeyword = FOUR_CHAR("keyw"),
    typeAppleEvent = FOUR_CHAR("aevt"),
    typeSInt16 = FOUR_CHAR("shor"),
    typeSInt32 = FOUR_CHAR("long"),
    typeBoolean = FOUR_CHAR("bool"),
    typeChar = FOUR_CHAR("TEXT"),
    typeApplSignature = FOUR_CHAR("sign"),
    typeProcessSerialNumber = FOUR_CHAR("psn "),
};

enum : AEEventClass { kCoreEventClass = FOUR_CHAR("aevt") };

enum : AEEventID {
    kAEOpenApplication = FOUR_CHAR("oapp"),
    kAEReopenApplication = FOUR_CHAR("rapp"),
    kAEOpenDocuments = FOUR_CHAR("odoc"),
    kAEPrintDocuments = FOUR_CHAR("pdoc"),
    kAEQuitApplication = FOUR_CHAR("quit"),
    kAEAnswer = FOUR_CHAR("ansr"),
};

enum : AEKeyword {
    keyDirectObject = FOUR_CHAR("----"),
    keyErrorNumber = FOUR_CHAR("errn"),
    keyEventClassAttr = FOUR_CHAR("evcl"),
    keyEventIDAttr = FOUR_CHAR("evid"),
    keyMissedKeywordAttr = FOUR_CHAR("miss"),
    keyReturnIDAttr = FOUR_CHAR("rtid"),
    keyTransactionIDAttr = FOUR_CHAR("tran"),
};

enum : OSErr {
    errAECoercionFail = -1700,
    errAEDescNotFound = -1701,
    errAENotAEDesc = -1704,
    errAEEventNotHandled = -1708,
    errAEParamMissed = -1715,
    errAEHandlerNotFound = -1717,
    errAENotAppleEvent = -1723,
};

enum : AEReturnID { kAutoGenerateReturnID = -1 };
enum : AETransactionID { kAnyTransactionID = 0 };

typedef OSErr (*AEEventHandlerProcPtr)(AppleEvent* theAppleEvent, AppleEvent* reply,
                                       long handlerRefcon);
typedef OSErr (*AEEventHandlerConstProcPtr)(const AppleEvent* theAppleEvent, AppleEvent* reply,
                                            long handlerRefcon);
struct OpaqueAEEventHandlerProcPtr;
typedef OpaqueAEEventHandlerProcPtr* AEEventHandlerUPP;

// Handlers may take the event as const or not.
AEEventHandlerUPP NewAEEventHandlerUPP(AEEventHandlerProcPtr userRoutine);
AEEventHandlerUPP NewAEEventHandlerUPP(AEEventHandlerConstProcPtr userRoutine);
// Also removes it from the handler tables, so a disposed routine is never called.
void DisposeAEEventHandlerUPP(AEEventHandlerUPP userUPP);
OSErr InvokeAEEventHandlerUPP(const AppleEvent* theAppleEvent, AppleEvent* reply,
                              long handlerRefcon, AEEventHandlerUPP userUPP);

// typeWildCard as class or ID matches any. Installing again for the same pair replaces
// the handler. The application's table is searched before the system's.
OSErr AEInstallEventHandler(AEEventClass theAEEventClass, AEEventID theAEEventID,
                            AEEventHandlerUPP handler, long handlerRefcon, Boolean isSysHandler);
OSErr AERemoveEventHandler(AEEventClass theAEEventClass, AEEventID theAEEventID,
                           AEEventHandlerUPP handler, Boolean isSysHandler);
OSErr AEGetEventHandler(AEEventClass theAEEventClass, AEEventID theAEEventID,
                        AEEventHandlerUPP* handler, long* handlerRefcon, Boolean isSysHandler);

// A kHighLevelEvent whose message is the event class and whose where packs the event ID
// (where.v its high 16 bits, where.h its low 16). Returns the handler's result,
// errAEEventNotHandled when no handler takes it, errAENotAppleEvent for other events.
OSErr AEProcessAppleEvent(const EventRecord* theEventRecord);

OSErr AECreateAppleEvent(AEEventClass theAEEventClass, AEEventID theAEEventID,
                         const AEAddressDesc* target, AEReturnID returnID,
                         AETransactionID transactionID, AppleEvent* result);
void AEInitializeDesc(AEDesc* desc);
// Leaves the descriptor null; safe to call twice.
OSErr AEDisposeDesc(AEDesc* theAEDesc);
// Every parameter put is required: one that no handler reads is the missed keyword.
OSErr AEPutParamPtr(AppleEvent* theAppleEvent, AEKeyword theAEKeyword, DescType typeCode,
                    const void* dataPtr, Size dataSize);
// Copies at most maximumSize bytes; actualSize is the whole size. Only the stored type
// (or typeWildCard) is given: there is no coercion.
OSErr AEGetParamPtr(const AppleEvent* theAppleEvent, AEKeyword theAEKeyword,
                    DescType desiredType, DescType* typeCode, void* dataPtr, Size maximumSize,
                    Size* actualSize);
// Attributes: keyEventClassAttr, keyEventIDAttr (typeType), keyReturnIDAttr,
// keyTransactionIDAttr, and keyMissedKeywordAttr (typeKeyword: the first required
// parameter not read yet; errAEDescNotFound once every one was read).
OSErr AEGetAttributePtr(const AppleEvent* theAppleEvent, AEKeyword theAEKeyword,
                        DescType desiredType, DescType* typeCode, void* dataPtr,
                        Size maximumSize, Size* actualSize);

namespace tb {

// The high-level event record that carries an Apple event of that class and ID.
EventRecord makeAppleEventRecord(AEEventClass eventClass, AEEventID eventID);
// Hands an event to its handler with a fresh reply, as AEProcessAppleEvent does.
OSErr dispatchAppleEvent(const AppleEvent* theAppleEvent);
// Posts the Quit Application event ('aevt', 'quit') to the event queue.
void postQuitApplicationEvent();

} // namespace tb
