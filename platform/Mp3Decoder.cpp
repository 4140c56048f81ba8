// MP3 through libmpg123, decoded whole into one 16-bit buffer at the stream's own rate and
// channels. The file is fed from memory; the decoded length is only known at the end, so the
// sound is collected first and handed to the target in one piece.

#include "platform/SoundDecoders.h"

#include "platform/DecoderFiles.h"

#include <mpg123.h>

#include <cstring>
#include <memory>
#include <mutex>

namespace Vuro::Platform {

namespace {

struct HandleDeleter {
    void operator()(mpg123_handle* handle) const { mpg123_delete(handle); }
};

// A decoder in feed mode that puts out signed 16-bit samples only and prints nothing.
std::unique_ptr<mpg123_handle, HandleDeleter> NewDecoder() {
    static std::once_flag once;
    std::call_once(once, [] { mpg123_init(); });
    std::unique_ptr<mpg123_handle, HandleDeleter> handle(mpg123_new(nullptr, nullptr));
    if (!handle || mpg123_param(handle.get(), MPG123_ADD_FLAGS, MPG123_QUIET, 0) != MPG123_OK ||
        mpg123_format_none(handle.get()) != MPG123_OK) {
        return nullptr;
    }
    const long* rates = nullptr;
    size_t count = 0;
    mpg123_rates(&rates, &count);
    for (size_t i = 0; i < count; ++i) {
        if (mpg123_format(handle.get(), rates[i], MPG123_MONO | MPG123_STEREO,
                          MPG123_ENC_SIGNED_16) != MPG123_OK) {
            return nullptr;
        }
    }
    if (mpg123_open_feed(handle.get()) != MPG123_OK) {
        return nullptr;
    }
    return handle;
}

} // namespace

bool DecodeMp3(FILE* stream, PcmTarget& target) {
    Decoding::FilePtr file(stream);
    std::vector<uint8_t> input;
    if (!file || !Decoding::ReadRest(file.get(), input, kBufferBytesMax)) {
        return false;
    }
    file.reset();
    auto decoder = NewDecoder();
    if (!decoder || mpg123_feed(decoder.get(), input.data(), input.size()) != MPG123_OK) {
        return false;
    }
    long rate = 0;
    int channels = 0;
    std::vector<uint8_t> pcm;
    uint8_t chunk[16384];
    for (;;) {
        size_t done = 0;
        const int result = mpg123_read(decoder.get(), chunk, sizeof chunk, &done);
        if (result == MPG123_NEW_FORMAT) {
            long newRate = 0;
            int newChannels = 0;
            int encoding = 0;
            (void)mpg123_getformat(decoder.get(), &newRate, &newChannels, &encoding);
            // One buffer holds one format: a stream that changes it midway is refused.
            if (channels != 0 && (newRate != rate || newChannels != channels)) {
                return false;
            }
            rate = newRate;
            channels = newChannels;
            continue;
        }
        if (result != MPG123_OK && result != MPG123_DONE && result != MPG123_NEED_MORE) {
            return false;
        }
        if (pcm.size() + done > kBufferBytesMax) {
            return false;
        }
        pcm.insert(pcm.end(), chunk, chunk + done);
        if (result != MPG123_OK) {
            break; // the end of the fed bytes, or of the stream
        }
    }
    if (pcm.empty() || channels == 0) {
        return false;
    }
    const auto dataSize = static_cast<uint32_t>(pcm.size());
    uint8_t* data = CreatePcmBuffer(
        target, MakePcmFormat(static_cast<uint32_t>(channels), static_cast<uint32_t>(rate), 16),
        dataSize);
    if (data == nullptr) {
        return false;
    }
    std::memcpy(data, pcm.data(), dataSize);
    return target.Unlock();
}

} // namespace Vuro::Platform
