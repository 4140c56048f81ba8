// The PCM file formats: RIFF WAVE and Sun AU.

#include "platform/SoundDecoders.h"

#include "platform/DecoderFiles.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace Vuro::Platform {

namespace {

using Decoding::FilePtr;
using Decoding::ReadLE;
using Decoding::StreamSize;

bool ReadTag(FILE* file, const char* expected) {
    char tag[4];
    return std::fread(tag, 1, 4, file) == 4 && std::memcmp(tag, expected, 4) == 0;
}

bool ReadBE32(FILE* file, uint32_t& value) {
    uint8_t raw[4];
    if (std::fread(raw, 1, 4, file) != 4) {
        return false;
    }
    value = (uint32_t{raw[0]} << 24) | (uint32_t{raw[1]} << 16) | (uint32_t{raw[2]} << 8) | raw[3];
    return true;
}

} // namespace

WaveFormat MakePcmFormat(uint32_t channels, uint32_t samplesPerSec, uint32_t bits) {
    WaveFormat format;
    const uint32_t blockAlign = channels * bits / 8;
    format.formatTag = 1;
    format.channels = static_cast<uint16_t>(channels);
    format.samplesPerSec = samplesPerSec;
    format.blockAlign = static_cast<uint16_t>(blockAlign);
    format.avgBytesPerSec = blockAlign * samplesPerSec;
    format.bitsPerSample = static_cast<uint16_t>(bits);
    return format;
}

bool DecodeWave(FILE* stream, PcmTarget& target, const WaveChunkReader& otherChunk) {
    FilePtr file(stream);
    if (!file) {
        return false;
    }
    FILE* f = file.get();
    const long fileSize = StreamSize(f);
    uint32_t riffSize = 0;
    if (!ReadTag(f, "RIFF") || !ReadLE(f, 4, riffSize) || !ReadTag(f, "WAVE")) {
        return false;
    }
    uint32_t channels = 1;
    uint32_t samplesPerSec = 22050;
    uint32_t bits = 16;
    while (!std::feof(f)) {
        char id[4] = {};
        uint32_t chunkSize = 0;
        (void)std::fread(id, 1, 4, f);
        if (!ReadLE(f, 4, chunkSize)) {
            break;
        }
        const long start = std::ftell(f);
        if (std::memcmp(id, "fmt ", 4) == 0) {
            uint32_t tag = 0;
            uint32_t ignored = 0;
            uint32_t newChannels = 0;
            uint32_t newRate = 0;
            uint32_t newBits = 0;
            (void)(ReadLE(f, 2, tag) && ReadLE(f, 2, newChannels) && ReadLE(f, 4, newRate) &&
                   ReadLE(f, 4, ignored) && ReadLE(f, 2, ignored) && ReadLE(f, 2, newBits));
            if (tag != 1) {
                return false;
            }
            channels = newChannels;
            samplesPerSec = newRate;
            bits = newBits;
        } else if (std::memcmp(id, "data", 4) == 0) {
            // A size beyond the end of the file is refused before the buffer is made.
            if (start < 0 || fileSize < start ||
                chunkSize > static_cast<uint64_t>(fileSize - start)) {
                return false;
            }
            uint8_t* data =
                CreatePcmBuffer(target, MakePcmFormat(channels, samplesPerSec, bits), chunkSize);
            if (data == nullptr) {
                return false;
            }
            const size_t read = std::fread(data, 1, chunkSize, f);
            file.reset();
            const bool unlocked = target.Unlock();
            return unlocked && read == chunkSize;
        } else if (otherChunk && !otherChunk(id, f, chunkSize)) {
            return false;
        }
        if (std::fseek(f, start + static_cast<long>(chunkSize), SEEK_SET) != 0) {
            break;
        }
    }
    return false;
}

int16_t MuLawToSample(uint8_t byte) {
    // The G.711 expansion: the byte is stored inverted; sign, three bits of segment and four of
    // step, with the encoder's bias taken off again.
    constexpr int kMuLawBias = 0x84;
    const int code = ~byte & 0xFF;
    const int segment = (code >> 4) & 0x07;
    const int step = code & 0x0F;
    const int magnitude = (((step << 3) + kMuLawBias) << segment) - kMuLawBias;
    return static_cast<int16_t>((code & 0x80) != 0 ? -magnitude : magnitude);
}

bool DecodeAu(FILE* stream, PcmTarget& target) {
    FilePtr file(stream);
    if (!file) {
        return false;
    }
    FILE* f = file.get();
    const long fileSize = StreamSize(f);
    uint32_t offset = 0;
    uint32_t dataSize = 0;
    uint32_t encoding = 0;
    uint32_t samplesPerSec = 0;
    uint32_t channels = 0;
    if (!ReadTag(f, ".snd") || !ReadBE32(f, offset) || !ReadBE32(f, dataSize) ||
        !ReadBE32(f, encoding) || !ReadBE32(f, samplesPerSec) || !ReadBE32(f, channels)) {
        return false;
    }
    if (encoding != 1 && encoding != 2) {
        return false;
    }
    const uint32_t bits = encoding == 1 ? 16 : 8;
    // Sizes the file cannot hold, and channel counts a format cannot carry, are refused
    // before anything is allocated.
    if (fileSize < 0 || offset > static_cast<uint64_t>(fileSize) ||
        dataSize > static_cast<uint64_t>(fileSize) - offset || channels > 0xFFFF ||
        static_cast<uint64_t>(dataSize) * bits / 8 > kBufferBytesMax) {
        return false;
    }
    std::fseek(f, static_cast<long>(offset), SEEK_SET);
    const uint32_t bufferSize = dataSize * bits / 8;
    uint8_t* out =
        CreatePcmBuffer(target, MakePcmFormat(channels, samplesPerSec, bits), bufferSize);
    if (out == nullptr) {
        return false;
    }
    std::vector<uint8_t> bytes(dataSize);
    const size_t read = std::fread(bytes.data(), 1, dataSize, f);
    file.reset();
    if (encoding == 2) {
        // AU's 8-bit samples are signed, a buffer's are unsigned: the top bit is flipped.
        for (uint32_t i = 0; i < dataSize; ++i) {
            out[i] = static_cast<uint8_t>(bytes[i] ^ 0x80);
        }
    } else {
        for (uint32_t i = 0; i < dataSize; ++i) {
            const auto sample = static_cast<uint16_t>(MuLawToSample(bytes[i]));
            out[i * 2] = static_cast<uint8_t>(sample & 0xFF);
            out[i * 2 + 1] = static_cast<uint8_t>(sample >> 8);
        }
    }
    if (!target.Unlock()) {
        return false;
    }
    return read == dataSize;
}

} // namespace Vuro::Platform
