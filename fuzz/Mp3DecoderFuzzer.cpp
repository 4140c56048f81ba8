// Feeds arbitrary bytes to the MP3 decoder. The smallest MPEG audio frame (MPEG 2.5 layer III
// at 8 kbit/s and 8 kHz, 26 bytes) holds 576 samples of up to two channels: no input decodes
// to more than 2304 bytes per 26 bytes, rounded up to whole frames.

#include "SoundFuzzing.h"

#include "platform/MemoryFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Vuro::Fuzzing::CheckedTarget target((size / 26 + 2) * 576 * 2 * 2);
    (void)Vuro::Platform::DecodeMp3(Vuro::Platform::OpenMemoryFile(data, size), target);
    return 0;
}
