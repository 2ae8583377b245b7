// The record behind an Apple event descriptor, shared by the Apple Event Manager's files.
#pragma once

#include "tb/AppleEvents.h"

#include <map>
#include <vector>

struct OpaqueAEDataStorageType {
    struct Param {
        DescType type;
        std::vector<unsigned char> data;
        bool read = false;
    };

    AEEventClass eventClass = 0;
    AEEventID eventID = 0;
    AEReturnID returnID = 0;
    AETransactionID transactionID = 0;
    std::map<AEKeyword, Param> params;
};

namespace tb::appleevents {
// The record of an Apple event descriptor made here; null for anything else.
OpaqueAEDataStorageType* recordOf(const AEDesc* desc);
} // namespace tb::appleevents
