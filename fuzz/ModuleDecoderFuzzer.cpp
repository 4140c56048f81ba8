// Feeds arbitrary bytes to the tracker module decoder, with songs of up to ten seconds so a
// run stays quick: a longer song is refused before it is rendered, a shorter one never
// yields more than those seconds of 44100 Hz stereo. The order table stays within the song.

#include "SoundFuzzing.h"

#include "platform/MemoryFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    constexpr double kSeconds = 10.0;
    Vuro::Fuzzing::CheckedTarget target(static_cast<size_t>(kSeconds * 44100 + 1) * 4);
    std::vector<uint32_t> orders;
    if (Vuro::Platform::DecodeModule(Vuro::Platform::OpenMemoryFile(data, size), target, &orders,
                                     kSeconds)) {
        for (uint32_t frame : orders) {
            if (frame > kSeconds * 44100 + 1) {
                std::abort();
            }
        }
    }
    return 0;
}
