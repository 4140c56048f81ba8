#pragma once
// Builds sound files byte by byte for the reader tests, and a target that keeps what a reader
// produced.

#include "platform/SoundDecoders.h"

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace Vuro::Test {

struct SoundBytes {
    std::vector<uint8_t> bytes;

    SoundBytes& Text(const std::string& text) {
        bytes.insert(bytes.end(), text.begin(), text.end());
        return *this;
    }
    SoundBytes& LE16(uint32_t v) {
        bytes.push_back(static_cast<uint8_t>(v));
        bytes.push_back(static_cast<uint8_t>(v >> 8));
        return *this;
    }
    SoundBytes& LE32(uint32_t v) { return LE16(v & 0xFFFF).LE16(v >> 16); }
    SoundBytes& BE32(uint32_t v) {
        for (int shift = 24; shift >= 0; shift -= 8) {
            bytes.push_back(static_cast<uint8_t>(v >> shift));
        }
        return *this;
    }
    SoundBytes& Raw(std::initializer_list<uint8_t> raw) {
        bytes.insert(bytes.end(), raw.begin(), raw.end());
        return *this;
    }
    SoundBytes& Fmt(uint32_t tag, uint32_t channels, uint32_t rate, uint32_t bits) {
        return Text("fmt ")
            .LE32(16)
            .LE16(tag)
            .LE16(channels)
            .LE32(rate)
            .LE32(rate * channels * bits / 8)
            .LE16(channels * bits / 8)
            .LE16(bits);
    }
    static SoundBytes Riff() {
        SoundBytes b;
        b.Text("RIFF").LE32(0).Text("WAVE");
        return b;
    }
    // A whole WAVE file: mono, 16 bits at 44100 Hz, the output's own rate.
    static SoundBytes MonoWave(std::initializer_list<int16_t> samples) {
        SoundBytes b = Riff();
        b.Fmt(1, 1, 44100, 16).Text("data").LE32(static_cast<uint32_t>(samples.size() * 2));
        for (int16_t sample : samples) {
            b.LE16(static_cast<uint16_t>(sample));
        }
        return b;
    }
    void Save(const std::string& path) const {
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
};

class VectorTarget : public Platform::PcmTarget {
public:
    uint8_t* CreateAndLock(const Platform::WaveFormat& format, uint32_t dataSize) override {
        ++mCreates;
        if (mRefuse) {
            return nullptr;
        }
        mFormat = format;
        mData.assign(dataSize, 0xCD);
        return mData.data();
    }
    bool Unlock() override {
        ++mUnlocks;
        return true;
    }

    bool mRefuse = false;
    int mCreates = 0;
    int mUnlocks = 0;
    Platform::WaveFormat mFormat;
    std::vector<uint8_t> mData;
};

} // namespace Vuro::Test
