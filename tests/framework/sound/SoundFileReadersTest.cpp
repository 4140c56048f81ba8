#include "SoundFileBytes.h"

#include "framework/sound/SoundFileReaders.h"
#include "platform/FileSystem.h"
#include "platform/MemoryFile.h"

#include <gtest/gtest.h>

namespace Vuro {
namespace {

using Test::SoundBytes;
using Test::VectorTarget;

uint64_t gStoredTime = 0;
std::string gAskedPath;

bool FakeTime(const std::string& path, uint64_t& time) {
    gAskedPath = path;
    time = gStoredTime;
    return true;
}

bool ReadWav(const SoundBytes& file, VectorTarget& target) {
    return ReadWAVSound(Platform::OpenMemoryFile(file.bytes.data(), file.bytes.size()), target,
                        &FakeTime);
}

bool ReadAu(const SoundBytes& file, VectorTarget& target) {
    return ReadAUSound(Platform::OpenMemoryFile(file.bytes.data(), file.bytes.size()), target);
}

void ExpectFormat(const Platform::WaveFormat& f, int channels, uint32_t rate, int bits) {
    EXPECT_EQ(f.formatTag, 1);
    EXPECT_EQ(f.channels, channels);
    EXPECT_EQ(f.samplesPerSec, rate);
    EXPECT_EQ(f.bitsPerSample, bits);
    EXPECT_EQ(f.blockAlign, channels * bits / 8);
    EXPECT_EQ(f.avgBytesPerSec, rate * channels * bits / 8);
}

TEST(WavReader, ReadsMonoSixteenAndStereoEightBit) {
    VectorTarget mono;
    SoundBytes a = SoundBytes::Riff().Fmt(1, 1, 8000, 16).Text("data").LE32(4).Raw({1, 2, 3, 4});
    ASSERT_TRUE(ReadWav(a, mono));
    ExpectFormat(mono.mFormat, 1, 8000, 16);
    EXPECT_EQ(mono.mData, (std::vector<uint8_t>{1, 2, 3, 4}));
    EXPECT_EQ(mono.mUnlocks, 1);

    VectorTarget stereo;
    SoundBytes b =
        SoundBytes::Riff().Fmt(1, 2, 11025, 8).Text("data").LE32(6).Raw({9, 8, 7, 6, 5, 4});
    ASSERT_TRUE(ReadWav(b, stereo));
    ExpectFormat(stereo.mFormat, 2, 11025, 8);
    EXPECT_EQ(stereo.mData, (std::vector<uint8_t>{9, 8, 7, 6, 5, 4}));
}

TEST(WavReader, WithoutFormatChunkTakesMonoSixteenBitAt22050) {
    VectorTarget target;
    ASSERT_TRUE(ReadWav(SoundBytes::Riff().Text("data").LE32(4).Raw({0, 0, 1, 1}), target));
    ExpectFormat(target.mFormat, 1, 22050, 16);
}

TEST(WavReader, SkipsUnknownChunksByTheirExactSizeWithoutPadByte) {
    VectorTarget target;
    SoundBytes file = SoundBytes::Riff()
                          .Text("LIST")
                          .LE32(3)
                          .Raw({'a', 'b', 'c'}) // odd size, no pad byte
                          .Fmt(1, 2, 44100, 16)
                          .Text("junk")
                          .LE32(0)
                          .Text("data")
                          .LE32(4)
                          .Raw({0x10, 0x20, 0x30, 0x40});
    ASSERT_TRUE(ReadWav(file, target));
    ExpectFormat(target.mFormat, 2, 44100, 16);
    EXPECT_EQ(target.mData, (std::vector<uint8_t>{0x10, 0x20, 0x30, 0x40}));
}

TEST(WavReader, RefusesWhatIsNotPlainPcmWave) {
    VectorTarget target;
    EXPECT_FALSE(ReadWav(
        SoundBytes::Riff().Fmt(3, 1, 8000, 32).Text("data").LE32(4).Raw({1, 2, 3, 4}), target));
    SoundBytes notRiff;
    notRiff.Text("RIFX").LE32(0).Text("WAVE").Text("data").LE32(4).Raw({1, 2, 3, 4});
    EXPECT_FALSE(ReadWav(notRiff, target));
    SoundBytes notWave;
    notWave.Text("RIFF").LE32(0).Text("AVI ").Text("data").LE32(4).Raw({1, 2, 3, 4});
    EXPECT_FALSE(ReadWav(notWave, target));
    EXPECT_FALSE(ReadWav(SoundBytes::Riff().Fmt(1, 1, 8000, 16), target)); // no data chunk
    EXPECT_FALSE(ReadWav(SoundBytes{{'R', 'I', 'F'}}, target));
    EXPECT_EQ(target.mCreates, 0);
}

TEST(WavReader, TruncatedDataIsRefusedBeforeAnyBufferIsMade) {
    VectorTarget target;
    SoundBytes file =
        SoundBytes::Riff().Fmt(1, 1, 8000, 16).Text("data").LE32(0xFFFFFFF0).Raw({1, 2});
    EXPECT_FALSE(ReadWav(file, target));
    SoundBytes shortByOne =
        SoundBytes::Riff().Fmt(1, 1, 8000, 16).Text("data").LE32(5).Raw({1, 2, 3, 4});
    EXPECT_FALSE(ReadWav(shortByOne, target));
    EXPECT_EQ(target.mCreates, 0);
}

TEST(WavReader, RefusedBufferAnswersFalse) {
    VectorTarget target;
    target.mRefuse = true;
    EXPECT_FALSE(ReadWav(SoundBytes::Riff().Text("data").LE32(4).Raw({0, 0, 1, 1}), target));
}

SoundBytes WithDependency(const std::string& path, uint64_t time) {
    return SoundBytes::Riff()
        .Fmt(1, 1, 8000, 16)
        .Text("dep ")
        .LE32(static_cast<uint32_t>(path.size() + 10))
        .LE16(static_cast<uint32_t>(path.size()))
        .Text(path)
        .LE32(static_cast<uint32_t>(time))
        .LE32(static_cast<uint32_t>(time >> 32))
        .Text("data")
        .LE32(2)
        .Raw({7, 7});
}

TEST(WavReader, DependencyTimeDecidesWhetherTheFileIsCurrent) {
    VectorTarget target;
    gStoredTime = 0x0123456789ABCDEFull;
    EXPECT_TRUE(ReadWav(WithDependency("sound/x.ogg", 0x0123456789ABCDEFull), target));
    EXPECT_EQ(gAskedPath, "sound/x.ogg");
    EXPECT_FALSE(ReadWav(WithDependency("sound/x.ogg", 0x0123456789ABCDEEull), target));
    EXPECT_FALSE(ReadWav(WithDependency("sound/x.ogg", 0x1123456789ABCDEFull), target));
    // Paths beyond 255 bytes are never read whole, so such a file is always stale.
    EXPECT_FALSE(ReadWav(WithDependency(std::string(300, 'p'), 0x0123456789ABCDEFull), target));
    EXPECT_EQ(gAskedPath.size(), 255u);
}

TEST(AuReader, MuLawBytesDecodeToSixteenBitSamples) {
    EXPECT_EQ(MuLawToSample(0x00), -1020);
    EXPECT_EQ(MuLawToSample(0x80), 1020);
    EXPECT_EQ(MuLawToSample(0xFF), 0);
    EXPECT_EQ(MuLawToSample(0x7F), 0);
    EXPECT_EQ(MuLawToSample(0x81), 30592);
    EXPECT_EQ(MuLawToSample(0x8F), (40672 - 256 * 143) * 4);
    EXPECT_EQ(MuLawToSample(0x90), (22368 - 128 * 144) * 4);
    EXPECT_EQ(MuLawToSample(0x20), -(12192 - 64 * 160) * 4);
    EXPECT_EQ(MuLawToSample(0xB0), (206 - 176) * 32 * 4);
    EXPECT_EQ(MuLawToSample(0xC0), (221 - 192) * 16 * 4);
    EXPECT_EQ(MuLawToSample(0xDF), (235 - 223) * 8 * 4);
    EXPECT_EQ(MuLawToSample(0xE0), (247 - 224) * 4 * 4);
}

SoundBytes Au(uint32_t offset, uint32_t size, uint32_t encoding, uint32_t rate, uint32_t channels) {
    SoundBytes b;
    b.Text(".snd").BE32(offset).BE32(size).BE32(encoding).BE32(rate).BE32(channels);
    return b;
}

TEST(AuReader, MuLawBecomesSixteenBitAfterTheAnnotation) {
    VectorTarget target;
    SoundBytes file = Au(28, 3, 1, 8000, 1).Raw({0xAA, 0xBB, 0xCC, 0xDD}).Raw({0x00, 0x80, 0x81});
    ASSERT_TRUE(ReadAu(file, target));
    ExpectFormat(target.mFormat, 1, 8000, 16);
    // -1020 = 0xFC04, 1020 = 0x03FC, 30592 = 0x7780, little-endian.
    EXPECT_EQ(target.mData, (std::vector<uint8_t>{0x04, 0xFC, 0xFC, 0x03, 0x80, 0x77}));
}

TEST(AuReader, LinearEightBitBecomesUnsigned) {
    VectorTarget target;
    ASSERT_TRUE(ReadAu(Au(24, 4, 2, 11025, 2).Raw({0x00, 0x7F, 0x80, 0xFF}), target));
    ExpectFormat(target.mFormat, 2, 11025, 8);
    EXPECT_EQ(target.mData, (std::vector<uint8_t>{0x80, 0xFF, 0x00, 0x7F}));
}

TEST(AuReader, RefusesOtherEncodingsAndSizesTheFileCannotHold) {
    VectorTarget target;
    EXPECT_FALSE(ReadAu(Au(24, 2, 3, 8000, 1).Raw({1, 2}), target));
    EXPECT_FALSE(ReadAu(Au(24, 0x7FFFFFFF, 1, 8000, 1).Raw({1, 2}), target));
    EXPECT_FALSE(ReadAu(Au(0xFFFFFFF0, 2, 1, 8000, 1).Raw({1, 2}), target));
    EXPECT_FALSE(ReadAu(Au(24, 2, 1, 8000, 0x10001).Raw({1, 2}), target));
    EXPECT_EQ(target.mCreates, 0);
    SoundBytes wrongMagic;
    wrongMagic.Text(".snc").BE32(24).BE32(2).BE32(1).BE32(8000).BE32(1).Raw({1, 2});
    EXPECT_FALSE(ReadAu(wrongMagic, target));
    EXPECT_FALSE(ReadAu(SoundBytes{{'.', 's', 'n', 'd', 0, 0}}, target));
}

// data/tone.ogg: 2205 samples (0.1 s) of a 441 Hz sine at amplitude 16000, mono 22050 Hz,
// written with Python's wave module and encoded with `oggenc -q 0` (Debian vorbis-tools).
TEST(OggReader, DecodesTheWholeToneIntoSixteenBitPcm) {
    VectorTarget target;
    FILE* file = Platform::OpenFile(VURO_SOURCE_DIR "/tests/framework/sound/data/tone.ogg", "rb");
    ASSERT_NE(file, nullptr);
    ASSERT_TRUE(ReadOGGSound(file, target));
    ExpectFormat(target.mFormat, 1, 22050, 16);
    ASSERT_EQ(target.mData.size(), 4410u);
    // Lossy: the shape is checked, not the exact values. One period is 50 samples.
    auto sample = [&](size_t i) {
        return static_cast<int16_t>(target.mData[i * 2] | (target.mData[i * 2 + 1] << 8));
    };
    int peak = 0;
    for (size_t i = 100; i < 2100; ++i) {
        peak = std::max(peak, std::abs(static_cast<int>(sample(i))));
    }
    EXPECT_GT(peak, 13000);
    EXPECT_LT(peak, 19000);
    EXPECT_GT(sample(1012), 10000);  // a quarter period after a period's start
    EXPECT_LT(sample(1037), -10000); // three quarters
}

TEST(OggReader, RefusesWhatIsNotOgg) {
    VectorTarget target;
    SoundBytes notOgg = SoundBytes::Riff().Text("data").LE32(4).Raw({1, 2, 3, 4});
    EXPECT_FALSE(
        ReadOGGSound(Platform::OpenMemoryFile(notOgg.bytes.data(), notOgg.bytes.size()), target));
    EXPECT_FALSE(ReadOGGSound(nullptr, target));
    EXPECT_EQ(target.mCreates, 0);
}

} // namespace
} // namespace Vuro
