#pragma once
// Writes a stored file so that a crash or a full disk while saving never loses the old content:
// the bytes go to "<path>.tmp" first, which replaces the file in one step only once every byte
// was written. The file's bytes are exactly what the writer puts out.

#include <cstdio>
#include <functional>
#include <string>

namespace Vuro {

// writer returns false when a write came short. On any failure the temporary file is removed,
// the old file stays as it was, and the result is false.
[[nodiscard]] bool WriteFileReplacing(const std::string& path,
                                      const std::function<bool(FILE*)>& writer);

} // namespace Vuro
