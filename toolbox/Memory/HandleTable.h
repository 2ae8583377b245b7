// The toolbox's side of the handle table: blocks for its own records, outside the fault.
#pragma once

#include "tb/Types.h"

namespace tb::memory {

// Blocks above this size are refused rather than asked of the C++ library.
constexpr Size kMaxBlockSize = Size(1) << 28;

// A zero-filled handle for the toolbox's own use: the memory fault never hits it and
// MemError is left alone. Null when the block cannot be had. Release it with
// DisposeHandle or release().
Handle allocate(Size size);
// Frees a handle of this table; false (and nothing done) for any other pointer.
bool release(Handle h);
bool isHandle(Handle h);
// -1 for a handle that is not in the table.
Size sizeOf(Handle h);
// Resizes like SetHandleSize without the fault and without MemError; false when refused.
bool resize(Handle h, Size newSize);

// The Resource Manager marks the handles it hands out; DisposeHandle of a marked handle
// tells the observer first, so the resource map never keeps a freed handle.
void setResourceFlag(Handle h, bool isResource);
bool resourceFlag(Handle h);
using DisposeObserver = void (*)(Handle);
void setResourceDisposeObserver(DisposeObserver observer);

} // namespace tb::memory
