#include "tb/Processes.h"

#include <cstddef>
#include <cstring>

namespace {

// Any value but the reserved low words 0 to 2 will do.
constexpr ProcessSerialNumber kSelf{0, 0x1000};

bool isSelf(const ProcessSerialNumber& psn) {
    return psn.highLongOfPSN == 0 &&
           (psn.lowLongOfPSN == kSelf.lowLongOfPSN || psn.lowLongOfPSN == kCurrentProcess);
}

bool isNone(const ProcessSerialNumber& psn) {
    return psn.highLongOfPSN == 0 && psn.lowLongOfPSN == kNoProcess;
}

template <typename Field> bool fits(const ProcessInfoRec& info, std::size_t offset) {
    return offset + sizeof(Field) <= info.processInfoLength;
}

} // namespace

#define FILL(field, value)                                                                         \
    if (fits<decltype(info->field)>(*info, offsetof(ProcessInfoRec, field))) info->field = value

OSErr GetCurrentProcess(ProcessSerialNumber* PSN) {
    if (!PSN) return paramErr;
    *PSN = kSelf;
    return noErr;
}

OSErr GetFrontProcess(ProcessSerialNumber* PSN) { return GetCurrentProcess(PSN); }

OSErr GetNextProcess(ProcessSerialNumber* PSN) {
    if (!PSN) return paramErr;
    if (isNone(*PSN)) {
        *PSN = kSelf;
        return noErr;
    }
    if (isSelf(*PSN)) {
        *PSN = {0, kNoProcess};
        return procNotFound;
    }
    return paramErr;
}

OSErr GetProcessInformation(const ProcessSerialNumber* PSN, ProcessInfoRec* info) {
    if (!PSN || !info) return paramErr;
    if (!isSelf(*PSN)) return procNotFound;
    if (!fits<OSType>(*info, offsetof(ProcessInfoRec, processSignature))) return paramErr;
    if (info->processName) {
        static const unsigned char name[] = "\x07Ilvaron";
        std::memcpy(info->processName, name, sizeof name - 1);
    }
    FILL(processNumber, kSelf);
    FILL(processType, kIlvaronProcessType);
    FILL(processSignature, kIlvaronSignature);
    FILL(processMode, 0);
    FILL(processLocation, nullptr);
    FILL(processSize, 0);
    FILL(processFreeMem, 0);
    FILL(processLauncher, (ProcessSerialNumber{0, kNoProcess}));
    FILL(processLaunchDate, 0);
    FILL(processActiveTime, 0);
    return noErr;
}

OSErr SetFrontProcess(const ProcessSerialNumber* PSN) {
    if (!PSN) return paramErr;
    return isSelf(*PSN) ? OSErr(noErr) : OSErr(procNotFound);
}

OSErr SameProcess(const ProcessSerialNumber* PSN1, const ProcessSerialNumber* PSN2,
                  Boolean* result) {
    if (!PSN1 || !PSN2 || !result) return paramErr;
    bool self1 = isSelf(*PSN1), self2 = isSelf(*PSN2);
    *result = (self1 && self2) || (!self1 && !self2 && PSN1->highLongOfPSN == PSN2->highLongOfPSN &&
                                   PSN1->lowLongOfPSN == PSN2->lowLongOfPSN);
    return noErr;
}
