// The Resource Manager's last result, shared by its source files.
#pragma once

#include "tb/Types.h"

namespace tb::resources {
void setResError(OSErr err);
}
