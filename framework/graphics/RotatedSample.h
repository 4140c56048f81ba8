#pragma once
// The rotated blit's arithmetic per pixel: its bilinear sample weighted by alpha and the two
// ways a sample is composited. It defines the rotated blit's output; the row kernel
// (BlitRows.h) is checked against it.

#include <cstdint>

namespace Vuro::Blend {

// A sample of four corners (top left, top right, bottom left, bottom right) at the 16.16
// fractions fx and fy (1..65535): each corner weighs its share of the area times its alpha,
// each >> 16, and its colour is summed with that weight (premultiplied).
struct RotatedSample {
    uint32_t mAlpha;  // sum of the weights, at most 255
    uint32_t mSum[3]; // red, green, blue: at most 255 * mAlpha
};

inline RotatedSample RotatedSampleOf(const uint32_t (&corner)[4], uint32_t fx, uint32_t fy) {
    const uint32_t area[4] = {static_cast<uint32_t>((uint64_t(65536 - fx) * (65536 - fy)) >> 16),
                              static_cast<uint32_t>((uint64_t(fx) * (65536 - fy)) >> 16),
                              static_cast<uint32_t>((uint64_t(65536 - fx) * fy) >> 16),
                              static_cast<uint32_t>((uint64_t(fx) * fy) >> 16)};
    RotatedSample sample{0, {0, 0, 0}};
    for (int k = 0; k < 4; ++k) {
        const uint32_t weight = (area[k] * (corner[k] >> 24)) >> 16;
        sample.mAlpha += weight;
        for (int ch = 0; ch < 3; ++ch) {
            sample.mSum[ch] += ((corner[k] >> (16 - 8 * ch)) & 0xFF) * weight;
        }
    }
    return sample;
}

// The sample at the 16.16 position (u, v) of a source read through at(x, y), whose right and
// lower neighbours are read too.
template <typename At> RotatedSample RotatedSampleAt(const At& at, int64_t u, int64_t v) {
    const int x = static_cast<int>(u >> 16);
    const int y = static_cast<int>(v >> 16);
    const uint32_t corner[4] = {at(x, y), at(x + 1, y), at(x, y + 1), at(x + 1, y + 1)};
    return RotatedSampleOf(corner, static_cast<uint32_t>(u & 0xFFFE) + 1,
                           static_cast<uint32_t>(v & 0xFFFE) + 1);
}

// Normal compositing of a sample of alpha 1..255 over d. Nearly opaque samples (251 and up)
// replace the pixel.
inline uint32_t RotatedNormal(uint32_t d, const RotatedSample& sample) {
    const uint32_t* sum = sample.mSum;
    if (sample.mAlpha >= 251) {
        return 0xFF000000 | ((sum[0] >> 8) << 16) | ((sum[1] >> 8) << 8) | (sum[2] >> 8);
    }
    const uint32_t da = d >> 24;
    const uint32_t t = 256 - sample.mAlpha;
    const uint32_t kept = (256 - da) * t >> 8;
    uint32_t result = (255 - kept) << 24;
    for (int ch = 0; ch < 3; ++ch) {
        const int shift = 16 - 8 * ch;
        // The sums keep only whole multiples of 256.
        const uint32_t s = sum[ch] & ~0xFFu;
        const uint32_t dc = (d >> shift) & 0xFF;
        result |= (((dc * da >> 8) * t + s) / (256 - kept)) << shift;
    }
    return result;
}

// Additive compositing of a sample: each channel gains its sum >> 8 (tinted: times the tint's
// channel >> 8), saturated through table; the destination's alpha stays.
inline uint32_t RotatedAdditive(uint32_t d, const RotatedSample& sample, bool white,
                                const uint32_t (&tint)[3], const uint8_t* table) {
    uint32_t result = d & 0xFF000000;
    for (int ch = 0; ch < 3; ++ch) {
        const int shift = 16 - 8 * ch;
        const uint32_t sum = sample.mSum[ch];
        const uint32_t amount = white ? sum >> 8 : (sum >> 8) * tint[ch] >> 8;
        result |= static_cast<uint32_t>(table[((d >> shift) & 0xFF) + amount]) << shift;
    }
    return result;
}

} // namespace Vuro::Blend
