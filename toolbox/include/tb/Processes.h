// Process Manager: this program as the only process, its exit, and the system beep.
#pragma once

#include "tb/Types.h"

enum : OSErr { procNotFound = -600 };

struct ProcessSerialNumber {
    UInt32 highLongOfPSN;
    UInt32 lowLongOfPSN;
};
typedef ProcessSerialNumber* ProcessSerialNumberPtr;

// Low words of the serial numbers with a meaning of their own (the high word is 0).
enum : UInt32 {
    kNoProcess = 0,
    kSystemProcess = 1,
    kCurrentProcess = 2,
};

struct FSSpec;

struct ProcessInfoRec {
    UInt32 processInfoLength; // bytes of this record the caller wants filled
    StringPtr processName;    // null, or room for a Str31
    ProcessSerialNumber processNumber;
    UInt32 processType;
    OSType processSignature;
    UInt32 processMode;
    Ptr processLocation;
    UInt32 processSize;
    UInt32 processFreeMem;
    ProcessSerialNumber processLauncher;
    UInt32 processLaunchDate;
    UInt32 processActiveTime;
    FSSpec* processAppSpec; // never filled: there is no application file
};
typedef ProcessInfoRec* ProcessInfoRecPtr;

// What this program reports about itself.
enum : OSType {
    kIlvaronSignature = FOUR_CHAR("ILVR"),
    kIlvaronProcessType = FOUR_CHAR("APPL"),
};

OSErr GetCurrentProcess(ProcessSerialNumber* PSN);
OSErr GetFrontProcess(ProcessSerialNumber* PSN);
// From kNoProcess to this program, then procNotFound (and kNoProcess) at the end.
OSErr GetNextProcess(ProcessSerialNumber* PSN);
// Fills the fields that lie wholly within processInfoLength bytes; paramErr when that
// does not reach the signature.
OSErr GetProcessInformation(const ProcessSerialNumber* PSN, ProcessInfoRec* info);
// This program is always in front: noErr for it, procNotFound for any other.
OSErr SetFrontProcess(const ProcessSerialNumber* PSN);
OSErr SameProcess(const ProcessSerialNumber* PSN1, const ProcessSerialNumber* PSN2,
                  Boolean* result);

// Ends the program at once with status 0.
[[noreturn]] void ExitToShell();

void SysBeep(SInt16 duration);

namespace tb {
// The host sets how a beep sounds (nothing by default); beeps are counted either way.
using BeepHook = void (*)(SInt16 duration);
void setBeepHook(BeepHook hook);
unsigned long beepCount();
} // namespace tb
