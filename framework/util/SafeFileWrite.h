#pragma once
// The framework's and the game's stored files are written through the file layer's one
// replacing write (see platform/FileSystem.h).

#include "platform/FileSystem.h"

namespace Vuro {

using Platform::WriteFileReplacing;

} // namespace Vuro
