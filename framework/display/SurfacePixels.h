#pragma once
// A locked surface as the software routines of DDImage see it: the pixels with their pitch, and
// per channel (red, green, blue) the mask of the locked surface with the shift, width and clamp
// table of the display's layout. Pixels are 16-bit or 32-bit words; the routines are written
// once as templates over the word type.

#include <cstdint>
#include <cstring>

namespace Vuro {

class DDImage;

// A rectangle of a surface (pitch in bytes) and a source's native words drawn onto it, `stride`
// words apart: what the blit kernels work on.
struct NativeRows {
    uint8_t* mOut;
    int mPitch;
    const uint32_t* mNative;
    size_t mStride;
    int mWidth;
    int mHeight;
};

struct SurfacePixels {
    uint8_t* mBits = nullptr;
    int mPitch = 0; // bytes
    int mBitCount = 0;
    uint32_t mMask[3] = {};
    int mShift[3] = {};
    int mChannelBits[3] = {};
    const uint32_t* mTable[3] = {}; // entry i = min(i, channel maximum)

    // The image's locked surface; mBits null when it is not locked or not 16 or 32 bits.
    static SurfacePixels Of(const DDImage& image);

    template <typename Word> Word* Row(int y) const {
        return reinterpret_cast<Word*>(mBits + static_cast<size_t>(y) * mPitch);
    }
    // 32 bits with each channel a whole byte in its place (the 8-8-8 layout), red on top.
    bool IsEightBitChannels() const {
        return mBitCount == 32 && mMask[0] == 0xFF0000 && mMask[1] == 0xFF00 && mMask[2] == 0xFF;
    }
    // 16 bits in the 5-6-5 or 5-5-5 layout, masks, shifts and widths agreeing (0x565, 0x555),
    // else 0.
    int SixteenBitLayout() const {
        const auto is = [this](int redShift, int greenBits) {
            const int bits[3] = {5, greenBits, 5};
            const int shifts[3] = {redShift, 5, 0};
            for (int c = 0; c < 3; ++c) {
                if (mChannelBits[c] != bits[c] || mShift[c] != shifts[c] ||
                    mMask[c] != ((1u << bits[c]) - 1) << shifts[c]) {
                    return false;
                }
            }
            return true;
        };
        return mBitCount != 16 ? 0 : is(11, 6) ? 0x565 : is(10, 5) ? 0x555 : 0;
    }
    // The (channel, shift)-masked sum of every channel of p: the pixel without spare bits.
    uint32_t Masked(uint32_t p) const { return p & (mMask[0] | mMask[1] | mMask[2]); }
    // An 0xAARRGGBB word in this layout: each channel's low bits dropped, alpha dropped.
    uint32_t FromArgb(uint32_t p) const {
        return (((p >> (24 - mChannelBits[0])) << mShift[0]) & mMask[0]) |
               (((p >> (16 - mChannelBits[1])) << mShift[1]) & mMask[1]) |
               (((p >> (8 - mChannelBits[2])) << mShift[2]) & mMask[2]);
    }
    // A pixel of this layout as 0xFFRRGGBB, each channel's low bits 0.
    uint32_t ToArgb(uint32_t p) const {
        return 0xFF000000 | ((((p >> mShift[0]) << (8 - mChannelBits[0])) & 255) << 16) |
               ((((p >> mShift[1]) << (8 - mChannelBits[1])) & 255) << 8) |
               (((p >> mShift[2]) << (8 - mChannelBits[2])) & 255);
    }
};

} // namespace Vuro
