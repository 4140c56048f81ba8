#pragma once
// The player files' 32-bit fields, through the file layer's little-endian helper.

#include "platform/LittleEndian.h"

namespace Vuro {

using Platform::GetInt32LE;
using Platform::PutInt32LE;

} // namespace Vuro
