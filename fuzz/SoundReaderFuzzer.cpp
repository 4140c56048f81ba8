// Feeds arbitrary bytes to the WAV (with the sound cache's "dep " chunk) and AU readers. A
// reader must never ask for more than the input can fill: the WAV data as it stands, AU mu-law
// at two bytes per input byte.

#include "SoundFuzzing.h"

#include "framework/sound/SoundFileReaders.h"
#include "platform/MemoryFile.h"

namespace {

bool NoFile(const std::string&, uint64_t& time) {
    time = 0;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Vuro::Fuzzing::CheckedTarget wav(size);
    (void)Vuro::ReadWAVSound(Vuro::Platform::OpenMemoryFile(data, size), wav, &NoFile);
    Vuro::Fuzzing::CheckedTarget au(size * 2);
    (void)Vuro::Platform::DecodeAu(Vuro::Platform::OpenMemoryFile(data, size), au);
    return 0;
}
