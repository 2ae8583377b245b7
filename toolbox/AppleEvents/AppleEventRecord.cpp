#include "AppleEvents/AppleEventData.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <unordered_map>

namespace {

using Record = OpaqueAEDataStorageType;

// Never destroyed: an event may still be live when a handler exits the program.
std::unordered_map<Record*, std::unique_ptr<Record>>& live() {
    static auto* records = new std::unordered_map<Record*, std::unique_ptr<Record>>;
    return *records;
}

AEReturnID gNextReturnID = 1;

// The type a caller may ask for, given the stored one.
bool typeMatches(DescType desired, DescType stored) {
    if (desired == typeWildCard || desired == stored) return true;
    // A keyword and a type are both four-character codes: either reads as the other.
    return (desired == typeType || desired == typeKeyword) &&
           (stored == typeType || stored == typeKeyword);
}

OSErr answer(DescType desiredType, DescType storedType, const void* bytes, Size size,
             DescType* typeCode, void* dataPtr, Size maximumSize, Size* actualSize) {
    if (!typeMatches(desiredType, storedType)) return errAECoercionFail;
    DescType given = desiredType == typeWildCard ? storedType : desiredType;
    if (typeCode) *typeCode = given;
    if (actualSize) *actualSize = size;
    if (dataPtr && maximumSize > 0 && size > 0)
        std::memcpy(dataPtr, bytes, std::size_t(std::min(size, maximumSize)));
    return noErr;
}

} // namespace

namespace tb::appleevents {
OpaqueAEDataStorageType* recordOf(const AEDesc* desc) {
    if (!desc || desc->descriptorType != typeAppleEvent || !desc->dataHandle) return nullptr;
    auto it = live().find(desc->dataHandle);
    return it == live().end() ? nullptr : it->second.get();
}
} // namespace tb::appleevents

using tb::appleevents::recordOf;

void AEInitializeDesc(AEDesc* desc) {
    if (desc) *desc = {typeNull, nullptr};
}

OSErr AECreateAppleEvent(AEEventClass theAEEventClass, AEEventID theAEEventID,
                         const AEAddressDesc*, AEReturnID returnID, AETransactionID transactionID,
                         AppleEvent* result) {
    if (!result) return paramErr;
    AEInitializeDesc(result);
    auto record = std::unique_ptr<Record>(new (std::nothrow) Record);
    if (!record) return memFullErr;
    record->eventClass = theAEEventClass;
    record->eventID = theAEEventID;
    if (returnID == kAutoGenerateReturnID) {
        returnID = gNextReturnID++;
        if (gNextReturnID <= 0) gNextReturnID = 1;
    }
    record->returnID = returnID;
    record->transactionID = transactionID;
    Record* raw = record.get();
    try {
        live().emplace(raw, std::move(record));
    } catch (...) {
        return memFullErr;
    }
    *result = {typeAppleEvent, raw};
    return noErr;
}

OSErr AEDisposeDesc(AEDesc* theAEDesc) {
    if (!theAEDesc) return paramErr;
    if (recordOf(theAEDesc)) live().erase(theAEDesc->dataHandle);
    AEInitializeDesc(theAEDesc);
    return noErr;
}

OSErr AEPutParamPtr(AppleEvent* theAppleEvent, AEKeyword theAEKeyword, DescType typeCode,
                    const void* dataPtr, Size dataSize) {
    Record* record = recordOf(theAppleEvent);
    if (!record) return errAENotAEDesc;
    if (dataSize < 0 || (dataSize > 0 && !dataPtr)) return paramErr;
    try {
        auto* p = static_cast<const unsigned char*>(dataPtr);
        Record::Param param{typeCode, std::vector<unsigned char>(p, p + dataSize), false};
        record->params[theAEKeyword] = std::move(param);
    } catch (...) {
        return memFullErr;
    }
    return noErr;
}

OSErr AEGetParamPtr(const AppleEvent* theAppleEvent, AEKeyword theAEKeyword, DescType desiredType,
                    DescType* typeCode, void* dataPtr, Size maximumSize, Size* actualSize) {
    Record* record = recordOf(theAppleEvent);
    if (!record) return errAENotAEDesc;
    auto it = record->params.find(theAEKeyword);
    if (it == record->params.end()) return errAEDescNotFound;
    Record::Param& param = it->second;
    OSErr err = answer(desiredType, param.type, param.data.data(), Size(param.data.size()),
                       typeCode, dataPtr, maximumSize, actualSize);
    if (err == noErr) param.read = true;
    return err;
}

OSErr AEGetAttributePtr(const AppleEvent* theAppleEvent, AEKeyword theAEKeyword,
                        DescType desiredType, DescType* typeCode, void* dataPtr, Size maximumSize,
                        Size* actualSize) {
    Record* record = recordOf(theAppleEvent);
    if (!record) return errAENotAEDesc;
    auto give = [&](DescType type, const auto& value) {
        return answer(desiredType, type, &value, Size(sizeof value), typeCode, dataPtr,
                      maximumSize, actualSize);
    };
    switch (theAEKeyword) {
    case keyEventClassAttr:
        return give(typeType, record->eventClass);
    case keyEventIDAttr:
        return give(typeType, record->eventID);
    case keyReturnIDAttr:
        return give(typeSInt16, record->returnID);
    case keyTransactionIDAttr:
        return give(typeSInt32, record->transactionID);
    case keyMissedKeywordAttr:
        for (const auto& [keyword, param] : record->params)
            if (!param.read) return give(typeKeyword, keyword);
        return errAEDescNotFound;
    default:
        return errAEDescNotFound;
    }
}
