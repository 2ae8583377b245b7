// Resource Manager: the program's resources by type and number, served as handles.
#pragma once

#include "tb/ResourceData.h"
#include "tb/TextUtils.h"
#include "tb/Types.h"

#include <cstddef>

// Null (and ResError resNotFound) when the resource is missing. The same handle comes
// back for the same resource until it is released, detached or disposed of.
Handle GetResource(ResType theType, SInt16 theID);
// There is one resource map, so the current file and the whole chain are the same.
Handle Get1Resource(ResType theType, SInt16 theID);
Handle GetNamedResource(ResType theType, ConstStr255Param name);
Handle Get1NamedResource(ResType theType, ConstStr255Param name);
// Data is loaded with the handle; this only checks that it is a resource.
void LoadResource(Handle theResource);
// Frees the handle; the next GetResource makes a fresh one from the registered data.
void ReleaseResource(Handle theResource);
// The handle becomes the caller's ordinary handle.
void DetachResource(Handle theResource);
// Any of the outputs may be null.
void GetResInfo(Handle theResource, SInt16* theID, ResType* theType, Str255 name);
SInt16 CountResources(ResType theType);
SInt16 Count1Resources(ResType theType);
OSErr ResError();

namespace tb {

// Registration, done by the program's resource set at start-up. The bytes are copied.
// Registering a type and number again replaces the data; a handle already given out
// for the old data is detached and stays its holder's. The name is a C string.
void registerResource(ResType type, SInt16 id, const void* data, std::size_t size,
                      const char* name = nullptr);
void registerResource(ResType type, SInt16 id, const res::Bytes& data,
                      const char* name = nullptr);
// False when nothing was registered under that type and number.
bool unregisterResource(ResType type, SInt16 id);
// Forgets every resource (loaded handles are detached).
void clearResources();

// The registered bytes without making a handle; null when missing. Valid until the
// resource is registered again or removed.
const res::Bytes* findResourceData(ResType type, SInt16 id);

} // namespace tb
