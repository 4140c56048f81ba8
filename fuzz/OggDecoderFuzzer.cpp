// Feeds arbitrary bytes to the Ogg Vorbis decoder. The stated length comes from the stream's
// last granule position and may be anything up to the largest buffer, so no limit holds
// beyond that one.

#include "SoundFuzzing.h"

#include "platform/MemoryFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Vuro::Fuzzing::CheckedTarget target(Vuro::Platform::kBufferBytesMax);
    (void)Vuro::Platform::DecodeOgg(Vuro::Platform::OpenMemoryFile(data, size), target);
    return 0;
}
