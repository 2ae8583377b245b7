#include "AppleEvents/AppleEventData.h"

#include <map>
#include <new>
#include <unordered_set>
#include <utility>

struct OpaqueAEEventHandlerProcPtr {
    AEEventHandlerProcPtr proc = nullptr;
    AEEventHandlerConstProcPtr constProc = nullptr;
};

namespace {

struct Installed {
    AEEventHandlerUPP handler;
    long refcon;
};

using Key = std::pair<AEEventClass, AEEventID>;
using Table = std::map<Key, Installed>;

struct Handlers {
    Table application;
    Table system;
    std::unordered_set<AEEventHandlerUPP> routines;

    Table& table(Boolean isSysHandler) { return isSysHandler ? system : application; }
};

// Never destroyed, like the routines the program keeps for its whole run.
Handlers& handlers() {
    static Handlers* h = new Handlers;
    return *h;
}

bool isRoutine(AEEventHandlerUPP upp) { return upp && handlers().routines.count(upp); }

AEEventHandlerUPP makeRoutine(AEEventHandlerProcPtr proc, AEEventHandlerConstProcPtr constProc) {
    if (!proc && !constProc) return nullptr;
    auto* upp = new (std::nothrow) OpaqueAEEventHandlerProcPtr;
    if (!upp) return nullptr;
    upp->proc = proc;
    upp->constProc = constProc;
    try {
        handlers().routines.insert(upp);
    } catch (...) {
        delete upp;
        return nullptr;
    }
    return upp;
}

// Exact pair first, then the class with any ID, any class with the ID, and any event.
const Installed* find(const Table& table, AEEventClass eventClass, AEEventID eventID) {
    const Key keys[] = {{eventClass, eventID},
                        {eventClass, typeWildCard},
                        {typeWildCard, eventID},
                        {typeWildCard, typeWildCard}};
    for (const Key& key : keys) {
        auto it = table.find(key);
        if (it != table.end()) return &it->second;
    }
    return nullptr;
}

} // namespace

AEEventHandlerUPP NewAEEventHandlerUPP(AEEventHandlerProcPtr userRoutine) {
    return makeRoutine(userRoutine, nullptr);
}

AEEventHandlerUPP NewAEEventHandlerUPP(AEEventHandlerConstProcPtr userRoutine) {
    return makeRoutine(nullptr, userRoutine);
}

void DisposeAEEventHandlerUPP(AEEventHandlerUPP userUPP) {
    if (!isRoutine(userUPP)) return;
    for (Table* table : {&handlers().application, &handlers().system}) {
        for (auto it = table->begin(); it != table->end();)
            it = it->second.handler == userUPP ? table->erase(it) : std::next(it);
    }
    handlers().routines.erase(userUPP);
    delete userUPP;
}

OSErr InvokeAEEventHandlerUPP(const AppleEvent* theAppleEvent, AppleEvent* reply,
                              long handlerRefcon, AEEventHandlerUPP userUPP) {
    if (!isRoutine(userUPP)) return paramErr;
    if (userUPP->constProc) return userUPP->constProc(theAppleEvent, reply, handlerRefcon);
    // The program's handlers take the event without const; they only read it.
    return userUPP->proc(const_cast<AppleEvent*>(theAppleEvent), reply, handlerRefcon);
}

OSErr AEInstallEventHandler(AEEventClass theAEEventClass, AEEventID theAEEventID,
                            AEEventHandlerUPP handler, long handlerRefcon, Boolean isSysHandler) {
    if (!isRoutine(handler)) return paramErr;
    try {
        handlers().table(isSysHandler)[{theAEEventClass, theAEEventID}] = {handler, handlerRefcon};
    } catch (...) {
        return memFullErr;
    }
    return noErr;
}

OSErr AERemoveEventHandler(AEEventClass theAEEventClass, AEEventID theAEEventID,
                           AEEventHandlerUPP handler, Boolean isSysHandler) {
    Table& table = handlers().table(isSysHandler);
    auto it = table.find({theAEEventClass, theAEEventID});
    // A null routine removes whatever is installed for the pair.
    if (it == table.end() || (handler && it->second.handler != handler))
        return errAEHandlerNotFound;
    table.erase(it);
    return noErr;
}

OSErr AEGetEventHandler(AEEventClass theAEEventClass, AEEventID theAEEventID,
                        AEEventHandlerUPP* handler, long* handlerRefcon, Boolean isSysHandler) {
    const Table& table = handlers().table(isSysHandler);
    auto it = table.find({theAEEventClass, theAEEventID});
    if (it == table.end()) return errAEHandlerNotFound;
    if (handler) *handler = it->second.handler;
    if (handlerRefcon) *handlerRefcon = it->second.refcon;
    return noErr;
}

namespace tb {

EventRecord makeAppleEventRecord(AEEventClass eventClass, AEEventID eventID) {
    EventRecord event{};
    event.what = kHighLevelEvent;
    event.message = eventClass;
    event.where.v = SInt16(UInt16(eventID >> 16));
    event.where.h = SInt16(UInt16(eventID & 0xFFFF));
    return event;
}

OSErr dispatchAppleEvent(const AppleEvent* theAppleEvent) {
    const OpaqueAEDataStorageType* record = tb::appleevents::recordOf(theAppleEvent);
    if (!record) return errAENotAEDesc;
    const Installed* installed = find(handlers().application, record->eventClass, record->eventID);
    if (!installed) installed = find(handlers().system, record->eventClass, record->eventID);
    if (!installed) return errAEEventNotHandled;

    AppleEvent reply;
    OSErr err = AECreateAppleEvent(kCoreEventClass, kAEAnswer, nullptr, record->returnID,
                                   record->transactionID, &reply);
    if (err != noErr) return err;
    // Copied first: a handler may replace or remove itself while it runs.
    Installed call = *installed;
    err = InvokeAEEventHandlerUPP(theAppleEvent, &reply, call.refcon, call.handler);
    AEDisposeDesc(&reply);
    return err;
}

} // namespace tb

OSErr AEProcessAppleEvent(const EventRecord* theEventRecord) {
    if (!theEventRecord) return paramErr;
    if (theEventRecord->what != kHighLevelEvent) return errAENotAppleEvent;
    AEEventID eventID = (AEEventID(UInt16(theEventRecord->where.v)) << 16) |
                        AEEventID(UInt16(theEventRecord->where.h));
    AppleEvent event;
    OSErr err = AECreateAppleEvent(theEventRecord->message, eventID, nullptr,
                                   kAutoGenerateReturnID, kAnyTransactionID, &event);
    if (err != noErr) return err;
    err = tb::dispatchAppleEvent(&event);
    AEDisposeDesc(&event);
    return err;
}
