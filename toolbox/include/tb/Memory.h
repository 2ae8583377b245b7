// Memory Manager: relocatable blocks reached through handles, plain pointers, block moves.
#pragma once

#include "tb/Types.h"

// Bits of HGetState / HSetState.
enum : SInt8 {
    kHandleIsResourceBit = 5,
    kHandlePurgeBit = 6,
    kHandleLockedBit = 7,
};
enum : UInt8 {
    kHandleIsResourceMask = 0x20,
    kHandlePurgeMask = 0x40,
    kHandleLockedMask = 0x80,
};

// Every operation sets MemError: noErr, memFullErr when a block cannot be had (or the
// memory fault is armed), nilHandleErr for a null handle, memWZErr for a handle that
// was never made here or was already disposed of (such a handle is left alone).
OSErr MemError();

Handle NewHandle(Size byteCount);
Handle NewHandleClear(Size byteCount);
void DisposeHandle(Handle h);
// 0 for a null or unknown handle.
Size GetHandleSize(Handle h);
// Keeps the contents up to the smaller of the two sizes; new bytes are zero. A locked
// handle never moves, so it can only grow within its block (memFullErr otherwise).
void SetHandleSize(Handle h, Size newSize);

void HLock(Handle h);
void HUnlock(Handle h);
// Blocks are never purged here; the flag is only kept for HGetState.
void HPurge(Handle h);
void HNoPurge(Handle h);
SInt8 HGetState(Handle h);
void HSetState(Handle h, SInt8 flags);

// A new handle holding a copy of the bytes.
OSErr PtrToHand(const void* srcPtr, Handle* dstHndl, long size);
// Replaces the handle's contents by its copy in a new handle.
OSErr HandToHand(Handle* theHndl);

// Master pointers are made on demand: nothing to reserve.
void MoreMasterPointers(UInt32 count);

Ptr NewPtr(Size byteCount);
Ptr NewPtrClear(Size byteCount);
void DisposePtr(Ptr p);
Size GetPtrSize(Ptr p);

// Overlapping ranges are allowed; a non-positive count copies nothing.
void BlockMove(const void* srcPtr, void* destPtr, Size byteCount);
void BlockMoveData(const void* srcPtr, void* destPtr, Size byteCount);
