// Ogg Vorbis through Tremor, decoded whole into one 16-bit buffer.

#include "platform/SoundDecoders.h"

#include <tremor/ivorbisfile.h>

namespace Vuro::Platform {

bool DecodeOgg(FILE* file, PcmTarget& target) {
    if (file == nullptr) {
        return false;
    }
    OggVorbis_File stream;
    if (ov_open(file, &stream, nullptr, 0) < 0) {
        std::fclose(file);
        return false;
    }
    // From here ov_clear closes the file.
    const vorbis_info* info = ov_info(&stream, -1);
    const ogg_int64_t total = ov_pcm_total(&stream, -1);
    const uint32_t channels = info != nullptr ? static_cast<uint32_t>(info->channels) : 0;
    const uint32_t blockAlign = channels * 2;
    // An unknown (negative) length or one beyond any buffer is refused, before the product
    // can wrap into a wrong size.
    if (info == nullptr || total < 0 ||
        static_cast<uint64_t>(total) * blockAlign > kBufferBytesMax) {
        ov_clear(&stream);
        return false;
    }
    const auto dataSize = static_cast<uint32_t>(static_cast<uint64_t>(total) * blockAlign);
    // A stream cut before its first audio page states no samples: no buffer is asked for.
    uint8_t* data = CreatePcmBuffer(
        target, MakePcmFormat(channels, static_cast<uint32_t>(info->rate), 16), dataSize);
    if (data == nullptr) {
        ov_clear(&stream);
        return false;
    }
    uint32_t filled = 0;
    while (filled < dataSize) {
        int section = 0;
        long got = ov_read(&stream, reinterpret_cast<char*>(data + filled),
                           static_cast<int>(dataSize - filled), &section);
        if (got < 1) {
            break;
        }
        filled += static_cast<uint32_t>(got);
    }
    const bool unlocked = target.Unlock();
    ov_clear(&stream);
    return unlocked && filled == dataSize;
}

} // namespace Vuro::Platform
