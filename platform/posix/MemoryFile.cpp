#include "platform/MemoryFile.h"

#include <stdio.h>

namespace Vuro::Platform {

FILE* OpenMemoryFile(const void* data, size_t size) {
    // fmemopen allocates a buffer of its own when given null; an empty input needs none.
    static char empty = 0;
    if (data == nullptr) {
        return fmemopen(&empty, 0, "rb");
    }
    return fmemopen(const_cast<void*>(data), size, "rb");
}

} // namespace Vuro::Platform
