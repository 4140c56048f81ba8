#pragma once
// A decoder target that keeps what a platform decoder made: its format and its bytes, read
// back as 16-bit samples.

#include "platform/SoundDecoders.h"

#include <cstdint>
#include <vector>

namespace Vuro::Test {

class PcmCapture : public Platform::PcmTarget {
public:
    uint8_t* CreateAndLock(const Platform::WaveFormat& format, uint32_t dataSize) override {
        mFormat = format;
        mBytes.resize(dataSize);
        return mBytes.data();
    }
    bool Unlock() override { return true; }

    int16_t Sample(size_t index) const {
        return static_cast<int16_t>(mBytes[2 * index] | (mBytes[2 * index + 1] << 8));
    }
    std::vector<int16_t> Samples() const {
        std::vector<int16_t> samples(mBytes.size() / 2);
        for (size_t i = 0; i < samples.size(); ++i) {
            samples[i] = Sample(i);
        }
        return samples;
    }

    Platform::WaveFormat mFormat;
    std::vector<uint8_t> mBytes;
};

} // namespace Vuro::Test
