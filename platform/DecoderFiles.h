#pragma once
// Stream helpers of the sound decoders, also for readers of the chunks a decoder passes on.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

namespace Vuro::Platform::Decoding {

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;

// The stream's length in bytes, -1 when it cannot be told; the position stays where it was.
long StreamSize(FILE* file);

// A little-endian number of 1 to 4 bytes; false when the stream ends first.
bool ReadLE(FILE* file, int bytes, uint32_t& value);

// The rest of the stream; false when it is longer than maxBytes or cannot be read.
bool ReadRest(FILE* file, std::vector<uint8_t>& bytes, size_t maxBytes);

} // namespace Vuro::Platform::Decoding
