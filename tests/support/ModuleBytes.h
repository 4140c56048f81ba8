#pragma once
// A small four-channel tracker module (the "M.K." layout), written byte by byte: one looped
// square-wave instrument; pattern p plays it on channel 0 at row 0 with the period
// kPeriods[p % 4], and every pattern ends after four rows with a pattern break. At speed 1
// and the default tempo 125 a row lasts 20 ms, 882 frames at 44100 Hz, so each order of the
// song lasts exactly kFramesPerOrder frames.

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace Vuro::Test {

inline constexpr uint32_t kFramesPerOrder = 4 * 882;

// orders: the pattern played at each position of the song.
inline std::vector<uint8_t> ModuleBytes(const std::vector<uint8_t>& orders) {
    static const uint16_t kPeriods[4] = {428, 381, 339, 320}; // C-2, D-2, E-2, F-2
    std::vector<uint8_t> bytes;
    auto put16 = [&](uint32_t v) {
        bytes.push_back(static_cast<uint8_t>(v >> 8));
        bytes.push_back(static_cast<uint8_t>(v));
    };
    const std::string title = "quandrellis test";
    bytes.insert(bytes.end(), title.begin(), title.end());
    bytes.resize(20, 0);
    constexpr uint32_t kSampleBytes = 32;
    for (int sample = 0; sample < 31; ++sample) {
        bytes.resize(bytes.size() + 22, 0); // name
        const bool used = sample == 0;
        put16(used ? kSampleBytes / 2 : 0); // length in words
        bytes.push_back(0);                 // finetune
        bytes.push_back(used ? 64 : 0);     // volume
        put16(0);                           // loop start in words
        put16(used ? kSampleBytes / 2 : 1); // loop length in words (1: none)
    }
    bytes.push_back(static_cast<uint8_t>(orders.size()));
    bytes.push_back(127);
    uint8_t patterns = 0;
    for (size_t i = 0; i < 128; ++i) {
        const uint8_t pattern = i < orders.size() ? orders[i] : 0;
        bytes.push_back(pattern);
        patterns = std::max<uint8_t>(patterns, static_cast<uint8_t>(pattern + 1));
    }
    bytes.insert(bytes.end(), {'M', '.', 'K', '.'});
    for (uint8_t pattern = 0; pattern < patterns; ++pattern) {
        for (int row = 0; row < 64; ++row) {
            for (int channel = 0; channel < 4; ++channel) {
                uint32_t sample = 0, period = 0, effect = 0, parameter = 0;
                if (row == 0 && channel == 0) {
                    sample = 1;
                    period = kPeriods[pattern % 4];
                } else if (row == 0 && channel == 1) {
                    effect = 0xF; // speed 1
                    parameter = 1;
                } else if (row == 3 && channel == 2) {
                    effect = 0xD; // pattern break
                }
                bytes.push_back(static_cast<uint8_t>((sample & 0xF0) | (period >> 8)));
                bytes.push_back(static_cast<uint8_t>(period));
                bytes.push_back(static_cast<uint8_t>(((sample & 0x0F) << 4) | effect));
                bytes.push_back(static_cast<uint8_t>(parameter));
            }
        }
    }
    for (uint32_t i = 0; i < kSampleBytes; ++i) {
        bytes.push_back(i < kSampleBytes / 2 ? 0x40 : 0xC0); // +64, -64
    }
    return bytes;
}

} // namespace Vuro::Test
