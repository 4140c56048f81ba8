#pragma once
// Shared by the sound decoder fuzz targets: a target whose buffer is exactly the size asked
// for (so AddressSanitizer sees any write past it), that aborts when a decoder asks for more
// than its format can make of the input or for a buffer no sound device takes (a format it
// cannot play, fewer bytes than its smallest buffer), and that refuses buffers beyond a cap
// the way a device short of memory would.

#include "platform/SoundDecoders.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace Vuro::Fuzzing {

class CheckedTarget : public Platform::PcmTarget {
public:
    explicit CheckedTarget(size_t limit, size_t cap = 64u << 20) : mLimit(limit), mCap(cap) {}

    uint8_t* CreateAndLock(const Platform::WaveFormat& format, uint32_t dataSize) override {
        if (dataSize > mLimit || !Platform::IsPlayableFormat(format) ||
            dataSize < Platform::kBufferBytesMin) {
            std::abort();
        }
        if (dataSize > mCap) {
            return nullptr;
        }
        mData.assign(dataSize, 0);
        return mData.data();
    }
    bool Unlock() override { return true; }

private:
    size_t mLimit;
    size_t mCap;
    std::vector<uint8_t> mData;
};

} // namespace Vuro::Fuzzing
