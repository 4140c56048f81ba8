// The decoders of every sound file format, fed from memory or from the fixtures: what they
// make of each format, and what they refuse before any buffer is made.

#include "support/ModuleBytes.h"
#include "support/SoundFileBytes.h"
#include "support/TempWorkingFolder.h"

#include "platform/FileSystem.h"
#include "platform/MemoryFile.h"
#include "platform/SoundDecoders.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>

namespace Vuro::Platform {
namespace {

using Vuro::Test::SoundBytes;
using Vuro::Test::VectorTarget;

bool ReadWav(const SoundBytes& file, VectorTarget& target) {
    return DecodeWave(OpenMemoryFile(file.bytes.data(), file.bytes.size()), target, {});
}

bool ReadAu(const SoundBytes& file, VectorTarget& target) {
    return DecodeAu(OpenMemoryFile(file.bytes.data(), file.bytes.size()), target);
}

void ExpectFormat(const WaveFormat& f, int channels, uint32_t rate, int bits) {
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

TEST(WavReader, FormatsNoBufferTakesAreRefusedBeforeAnyBufferIsMade) {
    // None of these may be handed on as sound.
    struct Case {
        const char* what;
        uint32_t channels;
        uint32_t rate;
        uint32_t bits;
    };
    for (Case c :
         {Case{"no channels", 0, 8000, 16}, Case{"no bits", 1, 8000, 0}, Case{"7 bits", 1, 8000, 7},
          Case{"rate 0", 1, 0, 16}, Case{"six channels", 6, 8000, 16}}) {
        SCOPED_TRACE(c.what);
        VectorTarget target;
        SoundBytes file = SoundBytes::Riff()
                              .Fmt(1, c.channels, c.rate, c.bits)
                              .Text("data")
                              .LE32(8)
                              .Raw({1, 2, 3, 4, 5, 6, 7, 8});
        EXPECT_FALSE(ReadWav(file, target));
        EXPECT_EQ(target.mCreates, 0);
    }
    VectorTarget target;
    EXPECT_FALSE(ReadWav(SoundBytes::Riff().Fmt(1, 1, 8000, 16).Text("data").LE32(0), target))
        << "no sound at all";
    EXPECT_EQ(target.mCreates, 0);
}

TEST(WavReader, RefusedBufferAnswersFalse) {
    VectorTarget target;
    target.mRefuse = true;
    EXPECT_FALSE(ReadWav(SoundBytes::Riff().Text("data").LE32(4).Raw({0, 0, 1, 1}), target));
}

TEST(AuReader, MuLawBytesDecodeByTheStandardExpansion) {
    // Values of the G.711 mu-law table: the loudest codes, each segment's first step, the
    // quietest steps and both zeros (a table without the encoder's bias would make 0x80 +1020
    // and lose 33 dB against real AU files).
    const std::pair<uint8_t, int> table[] = {
        {0x00, -32124}, {0x01, -31100}, {0x0F, -16764}, {0x10, -15996}, {0x20, -7932},
        {0x30, -3900},  {0x40, -1884},  {0x50, -876},   {0x60, -372},   {0x70, -120},
        {0x7E, -8},     {0x7F, 0},      {0x80, 32124},  {0x81, 31100},  {0x8F, 16764},
        {0xC0, 1884},   {0xEF, 132},    {0xF0, 120},    {0xFE, 8},      {0xFF, 0},
    };
    for (auto [byte, sample] : table) {
        EXPECT_EQ(MuLawToSample(byte), sample) << int{byte};
    }
    // Symmetric about the sign bit.
    for (int byte = 0; byte < 0x80; ++byte) {
        EXPECT_EQ(MuLawToSample(static_cast<uint8_t>(byte)),
                  -MuLawToSample(static_cast<uint8_t>(byte | 0x80)));
    }
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
    // -32124 = 0x8284, 32124 = 0x7D7C, 31100 = 0x797C, little-endian.
    EXPECT_EQ(target.mData, (std::vector<uint8_t>{0x84, 0x82, 0x7C, 0x7D, 0x7C, 0x79}));
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
    // A rate of 0 or no channels is not sound either.
    EXPECT_FALSE(ReadAu(Au(24, 2, 1, 0, 1).Raw({1, 2}), target));
    EXPECT_FALSE(ReadAu(Au(24, 2, 2, 8000, 0).Raw({1, 2}), target));
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
    FILE* file = OpenFile(VURO_SOURCE_DIR "/tests/framework/sound/data/tone.ogg", "rb");
    ASSERT_NE(file, nullptr);
    ASSERT_TRUE(DecodeOgg(file, target));
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

TEST(OggReader, AStreamCutBeforeItsSoundIsRefusedBeforeAnyBufferIsMade) {
    // It states no samples, and must fail before asking for a buffer of 0 bytes.
    std::ifstream in(VURO_SOURCE_DIR "/tests/framework/sound/data/tone.ogg", std::ios::binary);
    const std::string tone(std::istreambuf_iterator<char>(in), {});
    // The headers fill the first two pages; the sound starts on the third.
    size_t third = 0;
    for (int page = 0; page < 3 && third != std::string::npos; ++page) {
        third = tone.find("OggS", page == 0 ? 0 : third + 1);
    }
    ASSERT_NE(third, std::string::npos);
    for (size_t cut : {third, third + 20}) {
        SCOPED_TRACE(cut);
        VectorTarget target;
        EXPECT_FALSE(DecodeOgg(OpenMemoryFile(tone.data(), cut), target));
        EXPECT_EQ(target.mCreates, 0);
    }
}

TEST(OggReader, RefusesWhatIsNotOgg) {
    VectorTarget target;
    SoundBytes notOgg = SoundBytes::Riff().Text("data").LE32(4).Raw({1, 2, 3, 4});
    EXPECT_FALSE(DecodeOgg(OpenMemoryFile(notOgg.bytes.data(), notOgg.bytes.size()), target));
    EXPECT_FALSE(DecodeOgg(nullptr, target));
    EXPECT_EQ(target.mCreates, 0);
}

int16_t SampleAt(const std::vector<uint8_t>& pcm, size_t index) {
    return static_cast<int16_t>(pcm[index * 2] | (pcm[index * 2 + 1] << 8));
}

// data/tone.mp3: 11025 samples of a 441 Hz sine at amplitude 16000, mono 44100 Hz, encoded
// with lame (data/README.md). The encoder's delay and padding are taken off again, so the
// decoded sound lines up with its source sample for sample.
TEST(Mp3Reader, DecodesTheToneAtItsOwnLengthAndShape) {
    VectorTarget target;
    ASSERT_TRUE(
        DecodeMp3(OpenFile(VURO_SOURCE_DIR "/tests/framework/sound/data/tone.mp3", "rb"), target));
    ExpectFormat(target.mFormat, 1, 44100, 16);
    ASSERT_EQ(target.mData.size(), 11025u * 2);
    int worst = 0;
    for (size_t i = 500; i < 10500; ++i) {
        const int source =
            static_cast<int>(std::lround(16000 * std::sin(2 * M_PI * 441 * i / 44100.0)));
        worst = std::max(worst, std::abs(SampleAt(target.mData, i) - source));
    }
    EXPECT_LT(worst, 1600); // within a tenth of the amplitude
}

TEST(Mp3Reader, RefusesWhatIsNotMp3) {
    VectorTarget target;
    SoundBytes text;
    text.Text(std::string(4000, 'x'));
    EXPECT_FALSE(DecodeMp3(OpenMemoryFile(text.bytes.data(), text.bytes.size()), target));
    EXPECT_FALSE(DecodeMp3(nullptr, target));
    EXPECT_EQ(target.mCreates, 0);
}

bool ReadModule(const std::vector<uint8_t>& bytes, VectorTarget& target,
                std::vector<uint32_t>* orders, double maxSeconds = kModuleSecondsMax) {
    return DecodeModule(OpenMemoryFile(bytes.data(), bytes.size()), target, orders, maxSeconds);
}

TEST(ModuleReader, RendersTheOrderListOnceAndTellsWhereEachOrderStarts) {
    VectorTarget target;
    std::vector<uint32_t> orders;
    ASSERT_TRUE(ReadModule(Vuro::Test::ModuleBytes({0, 1, 0}), target, &orders));
    ExpectFormat(target.mFormat, 2, 44100, 16);
    ASSERT_EQ(target.mData.size(), 3 * Vuro::Test::kFramesPerOrder * 4);
    EXPECT_EQ(orders, (std::vector<uint32_t>{0, Vuro::Test::kFramesPerOrder,
                                             2 * Vuro::Test::kFramesPerOrder}));
    // Every order sounds; channel 0 of the module lies more on the left.
    for (uint32_t order = 0; order < 3; ++order) {
        int left = 0;
        int right = 0;
        for (uint32_t frame = 100; frame < 1000; ++frame) {
            const size_t at = order * Vuro::Test::kFramesPerOrder + frame;
            left = std::max(left, std::abs(static_cast<int>(SampleAt(target.mData, at * 2))));
            right = std::max(right, std::abs(static_cast<int>(SampleAt(target.mData, at * 2 + 1))));
        }
        EXPECT_GT(left, 4000) << order;
        EXPECT_GT(left, right * 2) << order;
    }
}

TEST(ModuleReader, RefusesDamagedAndOverlongSongsBeforeAnyBufferIsMade) {
    VectorTarget target;
    std::vector<uint8_t> bytes = Vuro::Test::ModuleBytes({0, 1});
    EXPECT_FALSE(ReadModule({bytes.begin(), bytes.begin() + 600}, target, nullptr));
    EXPECT_FALSE(ReadModule(std::vector<uint8_t>(5000, 0x55), target, nullptr));
    EXPECT_FALSE(ReadModule(bytes, target, nullptr, 0.15)); // lasts 0.16 s
    EXPECT_FALSE(DecodeModule(nullptr, target));
    EXPECT_EQ(target.mCreates, 0);
    EXPECT_TRUE(ReadModule(bytes, target, nullptr, 0.17));
}

TEST(SoundFiles, AreToldByTheirContentAndDecodedByTheirKind) {
    Vuro::Test::TempWorkingFolder folder;
    auto write = [](const std::string& name, const std::vector<uint8_t>& bytes) {
        FILE* file = OpenFile(name, "wb");
        ASSERT_NE(file, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    };
    auto copy = [&](const std::string& name, const std::string& fixture) {
        std::vector<uint8_t> bytes;
        FILE* file = OpenFile(VURO_SOURCE_DIR "/tests/framework/sound/data/" + fixture, "rb");
        ASSERT_NE(file, nullptr);
        for (int c = 0; (c = std::fgetc(file)) != EOF;) {
            bytes.push_back(static_cast<uint8_t>(c));
        }
        std::fclose(file);
        write(name, bytes);
    };
    // Names say nothing: every file is named .snd.
    write("a.snd", SoundBytes::Riff().Text("data").LE32(4).Raw({1, 2, 3, 4}).bytes);
    write("b.snd", SoundBytes()
                       .Text(".snd")
                       .BE32(24)
                       .BE32(4)
                       .BE32(2)
                       .BE32(8000)
                       .BE32(1)
                       .Raw({1, 2, 3, 4})
                       .bytes);
    copy("c.snd", "tone.ogg");
    copy("d.snd", "tone.mp3");
    write("e.snd", Vuro::Test::ModuleBytes({0}));
    write("f.snd", std::vector<uint8_t>(100, 'x'));
    const std::pair<const char*, SoundFileKind> kinds[] = {
        {"a.snd", SoundFileKind::Wave},         {"b.snd", SoundFileKind::Au},
        {"c.snd", SoundFileKind::Ogg},          {"d.snd", SoundFileKind::Mp3},
        {"e.snd", SoundFileKind::Module},       {"f.snd", SoundFileKind::Unknown},
        {"missing.snd", SoundFileKind::Unknown}};
    const uint32_t bytes[] = {4, 4, 4410, 22050, Vuro::Test::kFramesPerOrder * 4, 0, 0};
    for (size_t i = 0; i < std::size(kinds); ++i) {
        const auto& [name, kind] = kinds[i];
        EXPECT_EQ(IdentifySoundFile(name), kind) << name;
        VectorTarget target;
        EXPECT_EQ(DecodeSoundFile(name, kind, target), kind != SoundFileKind::Unknown) << name;
        EXPECT_EQ(target.mData.size(), bytes[i]) << name;
    }
    VectorTarget target;
    EXPECT_FALSE(DecodeSoundFile("missing.snd", SoundFileKind::Wave, target));
}

} // namespace
} // namespace Vuro::Platform
