#include "tools/assetgen/audio/WaveWriters.h"

#include "tools/assetgen/audio/OutputFile.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
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

int MuLawDecoded(uint8_t byte) {
    const int s = byte | 0x80;
    int magnitude = 255;
    if (s >= 240) {
        magnitude = (255 - s) * 2;
    } else if (s >= 224) {
        magnitude = (247 - s) * 4;
    } else if (s >= 208) {
        magnitude = (235 - s) * 8;
    } else if (s >= 192) {
        magnitude = (221 - s) * 16;
    } else if (s >= 176) {
        magnitude = (206 - s) * 32;
    } else if (s >= 160) {
        magnitude = 12192 - 64 * s;
    } else if (s >= 144) {
        magnitude = 22368 - 128 * s;
    } else if (s >= 129) {
        magnitude = 40672 - 256 * s;
    }
    return byte < 128 ? -magnitude * 4 : magnitude * 4;
}

uint8_t MuLawEncoded(int sample) {
    // The decoded values of the usable bytes, sorted, with the byte for each.
    static const auto kTable = [] {
        std::vector<std::pair<int, uint8_t>> table;
        for (int byte = 0; byte < 256; ++byte) {
            if (byte != 0x00 && byte != 0x80) {
                table.emplace_back(MuLawDecoded(static_cast<uint8_t>(byte)),
                                   static_cast<uint8_t>(byte));
            }
        }
        std::sort(table.begin(), table.end());
        return table;
    }();
    auto above = std::lower_bound(kTable.begin(), kTable.end(), std::make_pair(sample, uint8_t{0}));
    if (above == kTable.end()) {
        return kTable.back().second;
    }
    if (above != kTable.begin() && sample - std::prev(above)->first < above->first - sample) {
        return std::prev(above)->second;
    }
    return above->second;
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
