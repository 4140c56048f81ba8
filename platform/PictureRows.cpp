#include "platform/PictureRows.h"

#include "platform/CpuFeatures.h"

#include <bit>
#include <cstring>
#include <type_traits>
#include <vector>

namespace Vuro::Platform {

namespace {

struct Channel {
    int shift = 0; // position of the lowest bit
    int bits = 0;
};

Channel ChannelOf(uint32_t mask) {
    return mask == 0 ? Channel{} : Channel{std::countr_zero(mask), std::popcount(mask)};
}

// A channel's value widened or narrowed to 8 bits, and back.
uint32_t ToEight(uint32_t value, int bits) {
    if (bits >= 8) {
        return value >> (bits - 8);
    }
    uint32_t wide = 0;
    for (int filled = 8; filled > 0; filled -= bits) {
        wide |= filled >= bits ? value << (filled - bits) : value >> (bits - filled);
    }
    return wide & 0xFF;
}
uint32_t FromEight(uint32_t value, int bits) {
    return bits <= 8 ? value >> (8 - bits) : (value << (bits - 8)) | (value >> (16 - bits));
}

// Any format into any other, a channel at a time.
struct AnyToAny {
    Channel from[3];
    Channel to[3];
    uint32_t operator()(uint32_t pixel) const {
        uint32_t out = 0;
        for (int k = 0; k < 3; ++k) {
            if (from[k].bits == 0 || to[k].bits == 0) {
                continue;
            }
            const uint32_t value = (pixel >> from[k].shift) & ((1u << from[k].bits) - 1);
            out |= FromEight(ToEight(value, from[k].bits), to[k].bits) << to[k].shift;
        }
        return out;
    }
};

// Fast path: the 16-bit screen (565) on a desktop of 8-bit channels. The same widening as
// AnyToAny, written out so the compiler can run it on whole vectors.
struct From565 {
    int redShift;
    int greenShift;
    int blueShift;
    uint32_t operator()(uint32_t pixel) const {
        const uint32_t red = pixel >> 11;
        const uint32_t green = (pixel >> 5) & 63;
        const uint32_t blue = pixel & 31;
        return ((red << 3 | red >> 2) << redShift) | ((green << 2 | green >> 4) << greenShift) |
               ((blue << 3 | blue >> 2) << blueShift);
    }
};
// The usual desktop (0x00RRGGBB), the same widening worked in 16-bit halves (green and blue in
// one, red in the other) so the compiler runs it on vectors of 16-bit lanes.
struct From565ToXrgb {
    uint32_t operator()(uint16_t pixel) const {
        const auto greenBlue = static_cast<uint16_t>((pixel << 5 & 0xFC00) | (pixel >> 1 & 0x0300) |
                                                     (pixel << 3 & 0x00F8) | (pixel >> 2 & 0x0007));
        const auto red = static_cast<uint16_t>((pixel >> 8 & 0xF8) | pixel >> 13);
        return uint32_t{red} << 16 | greenBlue;
    }
};

struct Unchanged {
    uint32_t operator()(uint32_t pixel) const { return pixel; }
};

template <typename Pixel> const Pixel* RowOf(const void* pixels, int pitch, int y) {
    return reinterpret_cast<const Pixel*>(static_cast<const uint8_t*>(pixels) +
                                          static_cast<size_t>(y) * pitch);
}
template <typename Pixel> Pixel* RowOf(void* pixels, int pitch, int y) {
    return reinterpret_cast<Pixel*>(static_cast<uint8_t*>(pixels) + static_cast<size_t>(y) * pitch);
}

template <typename From, typename To, typename Convert>
void ConvertRow(const From* in, To* out, int width, Convert convert) {
    for (int x = 0; x < width; ++x) {
        out[x] = static_cast<To>(convert(in[x]));
    }
}

// The usual desktop's rows are also built for AVX2, taking twice the pixels a step where the
// processor has it.
#if defined(__x86_64__)
__attribute__((target("avx2"))) void ConvertRowAvx2(const uint16_t* in, uint32_t* out, int width) {
    ConvertRow<uint16_t, uint32_t, From565ToXrgb>(in, out, width, From565ToXrgb{});
}
#endif
void ConvertRow(const uint16_t* in, uint32_t* out, int width, From565ToXrgb convert) {
#if defined(__x86_64__)
    if (HasAvx2()) {
        ConvertRowAvx2(in, out, width);
        return;
    }
#endif
    ConvertRow<uint16_t, uint32_t>(in, out, width, convert);
}

template <typename From, typename To, typename Convert>
void CopyRows(const PictureRows& source, const PictureTarget& target, Convert convert) {
    // Read once: a store through a 32-bit row might change an int the compiler cannot see past,
    // which would keep the row loops off vectors.
    const int width = target.width;
    const int sourceWidth = source.width;
    const bool sameWidth = sourceWidth == width;
    std::vector<int> columns;
    std::vector<To> converted;
    if (!sameWidth) {
        converted.resize(static_cast<size_t>(sourceWidth));
        columns.resize(static_cast<size_t>(width));
        for (int x = 0; x < width; ++x) {
            columns[x] = static_cast<int>(int64_t(x) * sourceWidth / width);
        }
    }
    int lastSourceY = -1;
    const To* lastRow = nullptr;
    for (int y = 0; y < target.height; ++y) {
        const int sourceY = static_cast<int>(int64_t(y) * source.height / target.height);
        To* out = RowOf<To>(target.pixels, target.pitch, target.y + y) + target.x;
        if (sourceY == lastSourceY) {
            // Scaled up: the row above shows the same source row.
            std::memcpy(out, lastRow, static_cast<size_t>(width) * sizeof(To));
            continue;
        }
        const From* in = RowOf<From>(source.pixels, source.pitch, sourceY);
        if constexpr (std::is_same_v<Convert, Unchanged>) {
            if (sameWidth) {
                std::memcpy(out, in, static_cast<size_t>(width) * sizeof(To));
                lastSourceY = sourceY;
                lastRow = out;
                continue;
            }
        }
        if (sameWidth) {
            ConvertRow(in, out, width, convert);
        } else {
            // Converted once a source pixel, then spread.
            ConvertRow(in, converted.data(), sourceWidth, convert);
            for (int x = 0; x < width; ++x) {
                out[x] = converted[columns[x]];
            }
        }
        lastSourceY = sourceY;
        lastRow = out;
    }
}

template <typename From, typename To>
void CopyConverted(const PictureRows& source, const PictureTarget& target) {
    const PixelFormat& from = source.format;
    const PixelFormat& to = target.format;
    if (from == to) {
        CopyRows<From, To>(source, target, Unchanged{});
        return;
    }
    const Channel toChannels[3] = {ChannelOf(to.redMask), ChannelOf(to.greenMask),
                                   ChannelOf(to.blueMask)};
    const bool eightBitTarget =
        toChannels[0].bits == 8 && toChannels[1].bits == 8 && toChannels[2].bits == 8;
    if (from == kFormat565 && to == kFormat888) {
        CopyRows<From, To>(source, target, From565ToXrgb{});
        return;
    }
    if (from == kFormat565 && eightBitTarget) {
        CopyRows<From, To>(source, target,
                           From565{toChannels[0].shift, toChannels[1].shift, toChannels[2].shift});
        return;
    }
    AnyToAny convert{{ChannelOf(from.redMask), ChannelOf(from.greenMask), ChannelOf(from.blueMask)},
                     {toChannels[0], toChannels[1], toChannels[2]}};
    CopyRows<From, To>(source, target, convert);
}

} // namespace

void CopyPicture(const PictureRows& source, const PictureTarget& target) {
    if (source.width <= 0 || source.height <= 0 || target.width <= 0 || target.height <= 0) {
        return;
    }
    const bool from16 = source.format.bitCount == 16;
    const bool to16 = target.format.bitCount == 16;
    if ((!from16 && source.format.bitCount != 32) || (!to16 && target.format.bitCount != 32)) {
        return;
    }
    if (from16 && to16) {
        CopyConverted<uint16_t, uint16_t>(source, target);
    } else if (from16) {
        CopyConverted<uint16_t, uint32_t>(source, target);
    } else if (to16) {
        CopyConverted<uint32_t, uint16_t>(source, target);
    } else {
        CopyConverted<uint32_t, uint32_t>(source, target);
    }
}

} // namespace Vuro::Platform
