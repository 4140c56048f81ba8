#include "tools/assetgen/audio/WaveWriters.h"

#include "tools/assetgen/audio/OutputFile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace Vuro::AssetGen {

namespace {

int16_t ToPcm16(float sample) {
    const float scaled = std::round(sample * 32767.0f);
    return static_cast<int16_t>(std::clamp(scaled, -32767.0f, 32767.0f));
}

void PutLE(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

void PutBE32(std::vector<uint8_t>& out, uint32_t value) {
    for (int i = 3; i >= 0; --i) {
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

bool WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    OutputFile file = OpenOutputFile(path);
    if (!file) {
        return false;
    }
    std::fwrite(bytes.data(), 1, bytes.size(), file.get());
    return CloseOutputFile(std::move(file), path);
}

} // namespace

bool WriteWav(const std::filesystem::path& path, const Wave& wave) {
    const auto dataSize = static_cast<uint32_t>(wave.mSamples.size() * 2);
    const auto blockAlign = static_cast<uint32_t>(wave.mChannels * 2);
    std::vector<uint8_t> bytes;
    bytes.reserve(44 + dataSize);
    bytes.insert(bytes.end(), {'R', 'I', 'F', 'F'});
    PutLE(bytes, 36 + dataSize, 4);
    bytes.insert(bytes.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    PutLE(bytes, 16, 4);
    PutLE(bytes, 1, 2); // PCM
    PutLE(bytes, static_cast<uint32_t>(wave.mChannels), 2);
    PutLE(bytes, wave.mRate, 4);
    PutLE(bytes, wave.mRate * blockAlign, 4);
    PutLE(bytes, blockAlign, 2);
    PutLE(bytes, 16, 2);
    bytes.insert(bytes.end(), {'d', 'a', 't', 'a'});
    PutLE(bytes, dataSize, 4);
    for (float sample : wave.mSamples) {
        PutLE(bytes, static_cast<uint16_t>(ToPcm16(sample)), 2);
    }
    return WriteBytes(path, bytes);
}

uint8_t MuLawEncoded(int sample) {
    // G.711: the magnitude (of a negative sample its ones' complement, as the ITU's reference
    // encoder takes it), clipped and biased, falls in one of eight segments of sixteen steps;
    // the byte is sign, segment and step, stored inverted.
    constexpr int kBias = 0x84;
    constexpr int kClip = 32635;
    const int sign = sample < 0 ? 0x80 : 0;
    const int magnitude = std::min(sample < 0 ? ~sample : sample, kClip) + kBias;
    int segment = 0;
    while (segment < 7 && (magnitude >> (segment + 8)) != 0) {
        ++segment;
    }
    const int step = (magnitude >> (segment + 3)) & 0x0F;
    return static_cast<uint8_t>(~(sign | (segment << 4) | step));
}

bool WriteAu(const std::filesystem::path& path, const Wave& wave) {
    constexpr uint32_t kHeaderSize = 28; // with the usual four bytes of empty annotation
    constexpr uint32_t kMuLaw = 1;
    std::vector<uint8_t> bytes{'.', 's', 'n', 'd'};
    PutBE32(bytes, kHeaderSize);
    PutBE32(bytes, static_cast<uint32_t>(wave.mSamples.size()));
    PutBE32(bytes, kMuLaw);
    PutBE32(bytes, wave.mRate);
    PutBE32(bytes, static_cast<uint32_t>(wave.mChannels));
    PutBE32(bytes, 0);
    for (float sample : wave.mSamples) {
        bytes.push_back(MuLawEncoded(ToPcm16(sample)));
    }
    return WriteBytes(path, bytes);
}

} // namespace Vuro::AssetGen
