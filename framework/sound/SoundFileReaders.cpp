#include "framework/sound/SoundFileReaders.h"

#include "platform/DecoderFiles.h"

#include <algorithm>
#include <cstring>

namespace Vuro {

using Platform::Decoding::ReadLE;

bool ReadWAVSound(FILE* file, PcmTarget& target, FileTimeQuery fileTime) {
    return Platform::DecodeWave(file, target, [fileTime](const char* id, FILE* f, uint32_t) {
        if (std::memcmp(id, "dep ", 4) != 0) {
            return true;
        }
        uint32_t length = 0;
        (void)ReadLE(f, 2, length);
        // Longer paths are not read whole: their time never matches, the file is stale.
        std::string path(std::min<uint32_t>(length, 255), '\0');
        path.resize(std::fread(path.data(), 1, path.size(), f));
        uint32_t low = 0;
        uint32_t high = 0;
        (void)(ReadLE(f, 4, low) && ReadLE(f, 4, high));
        uint64_t sourceTime = 0;
        (void)fileTime(path, sourceTime);
        return static_cast<uint32_t>(sourceTime) == low &&
               static_cast<uint32_t>(sourceTime >> 32) == high;
    });
}

} // namespace Vuro
