#pragma once
// A read-only C stdio stream over bytes in memory, so that a reader written against FILE* can
// decode a buffer (fuzzing, data already loaded) through the very same code path as a file.

#include <cstddef>
#include <cstdio>

namespace Vuro::Platform {

// Opens data[0..size) for reading in binary mode; null on failure. The bytes are not copied:
// they must stay alive and unchanged until the stream is closed with std::fclose.
FILE* OpenMemoryFile(const void* data, size_t size);

} // namespace Vuro::Platform
