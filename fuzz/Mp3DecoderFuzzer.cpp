// Feeds arbitrary bytes to the MP3 decoder. A free-format frame (bitrate index 0) is as long as
// the distance to the next header, so a frame can be little more than its 4-byte header and
// still put out up to 1152 samples of two channels: no input decodes to more than 4608 bytes per
// 4 bytes, rounded up to whole frames.

#include "SoundFuzzing.h"

#include "platform/MemoryFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Vuro::Fuzzing::CheckedTarget target((size / 4 + 2) * 1152 * 2 * 2);
    (void)Vuro::Platform::DecodeMp3(Vuro::Platform::OpenMemoryFile(data, size), target);
    return 0;
}
