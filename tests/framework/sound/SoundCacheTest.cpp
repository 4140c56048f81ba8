// Loading by name and the cache of decoded sounds: "cached\" + name + ".wav", a WAV file whose
// "dep " chunk names the source file and its write time.

#include "SoundTestFiles.h"
#include "support/FakeAudioSystem.h"
#include "support/FakeClock.h"
#include "support/FakeWindowSystem.h"
#include "support/FileSizeLimit.h"
#include "support/TempWorkingFolder.h"

#include "framework/sound/DSoundManager.h"
#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

namespace Vuro {
namespace {

const std::string kTone = VURO_SOURCE_DIR "/tests/framework/sound/data/tone.ogg";

uint32_t LE32At(const std::vector<uint8_t>& bytes, size_t at) {
    return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) |
           (uint32_t{bytes[at + 3]} << 24);
}
uint32_t LE16At(const std::vector<uint8_t>& bytes, size_t at) {
    return bytes[at] | (bytes[at + 1] << 8);
}
std::string TextAt(const std::vector<uint8_t>& bytes, size_t at, size_t length) {
    return std::string(bytes.begin() + static_cast<long>(at),
                       bytes.begin() + static_cast<long>(at + length));
}

class SoundCacheTest : public ::testing::Test {
protected:
    void SetUp() override {
        mWindow = mWindows.CreateWindow({});
        mManager = std::make_unique<DSoundManager>(mWindow.get(), false);
    }

    // The id's PCM bytes as the buffer holds them.
    std::vector<uint8_t> Pcm(uint32_t id) {
        Platform::SoundBuffer* buffer = mManager->SoundBufferAt(id);
        if (buffer == nullptr) {
            return {};
        }
        uint8_t* data = nullptr;
        const uint32_t size = mManager->DataSizeAt(id);
        EXPECT_EQ(buffer->Lock(0, size, &data), Platform::SoundResult::Ok);
        std::vector<uint8_t> bytes(data, data + size);
        EXPECT_EQ(buffer->Unlock(data), Platform::SoundResult::Ok);
        return bytes;
    }

    static void CopyTone(const std::string& to) {
        if (std::filesystem::path(to).has_parent_path()) {
            std::filesystem::create_directories(std::filesystem::path(to).parent_path());
        }
        std::filesystem::copy_file(kTone, to);
    }

    Vuro::Test::TempWorkingFolder mFolder;
    Vuro::Test::FakeClock mClock;
    Vuro::Test::FakeAudioSystem mAudio;
    Vuro::Test::FakeWindowSystem mWindows;
    std::unique_ptr<Platform::Window> mWindow;
    std::unique_ptr<DSoundManager> mManager;
};

TEST_F(SoundCacheTest, DecodedOggIsCachedReadBackAndRewrittenWhenTheSourceChanges) {
    CopyTone("sound/frog.ogg");
    ASSERT_TRUE(mManager->LoadSoundAt(1, "sound/frog"));
    const std::vector<uint8_t> decoded = Pcm(1);
    ASSERT_EQ(decoded.size(), 4410u);

    std::vector<uint8_t> cache = Vuro::Test::ReadFile("cached/sound/frog.wav");
    const std::string source = "sound/frog.ogg"; // L = 14
    ASSERT_EQ(cache.size(), 62 + 14 + 4410u);
    EXPECT_EQ(TextAt(cache, 0, 4), "RIFF");
    EXPECT_EQ(LE32At(cache, 4), 4410u + 36);
    EXPECT_EQ(TextAt(cache, 8, 8), "WAVEfmt ");
    EXPECT_EQ(LE32At(cache, 16), 16u);
    EXPECT_EQ(LE16At(cache, 20), 1u);
    EXPECT_EQ(LE16At(cache, 22), 1u);
    EXPECT_EQ(LE32At(cache, 24), 22050u);
    EXPECT_EQ(LE32At(cache, 28), 44100u);
    EXPECT_EQ(LE16At(cache, 32), 2u);
    EXPECT_EQ(LE16At(cache, 34), 16u);
    EXPECT_EQ(TextAt(cache, 36, 4), "dep ");
    EXPECT_EQ(LE32At(cache, 40), 24u);
    EXPECT_EQ(LE16At(cache, 44), 14u);
    EXPECT_EQ(TextAt(cache, 46, 14), source);
    uint64_t time = 0;
    ASSERT_TRUE(Platform::GetFileWriteTime(source, time));
    EXPECT_EQ(LE32At(cache, 60), static_cast<uint32_t>(time));
    EXPECT_EQ(LE32At(cache, 64), static_cast<uint32_t>(time >> 32));
    EXPECT_EQ(TextAt(cache, 68, 4), "data");
    EXPECT_EQ(LE32At(cache, 72), 4410u);
    EXPECT_EQ(std::vector<uint8_t>(cache.begin() + 76, cache.end()), decoded);

    // The second load reads the cache file: a mark put into it shows in the sound.
    cache[76] ^= 0xFF;
    Vuro::Test::WriteFile("cached/sound/frog.wav", cache);
    ASSERT_TRUE(mManager->LoadSoundAt(1, "sound/frog"));
    EXPECT_EQ(Pcm(1)[0], static_cast<uint8_t>(decoded[0] ^ 0xFF));

    // A new write time of the source makes the cache stale: decoded and written again.
    std::filesystem::last_write_time(source, std::filesystem::last_write_time(source) +
                                                 std::chrono::seconds(10));
    ASSERT_TRUE(mManager->LoadSoundAt(1, "sound/frog"));
    EXPECT_EQ(Pcm(1), decoded);
    cache = Vuro::Test::ReadFile("cached/sound/frog.wav");
    ASSERT_TRUE(Platform::GetFileWriteTime(source, time));
    EXPECT_EQ(LE32At(cache, 60), static_cast<uint32_t>(time));
    EXPECT_EQ(cache[76], decoded[0]);
}

TEST_F(SoundCacheTest, ShortAndAbsoluteNamesNeverUseTheCache) {
    CopyTone("ab.ogg");
    EXPECT_TRUE(mManager->LoadSoundAt(1, "ab"));
    CopyTone("sound/abs.ogg");
    EXPECT_TRUE(mManager->LoadSoundAt(2, (mFolder.Path() / "sound/abs").string()));
    EXPECT_FALSE(std::filesystem::exists("cached"));
    EXPECT_EQ(mManager->DataSizeAt(2), 4410u);
}

TEST_F(SoundCacheTest, WavBeatsOggAndIsNeverCached) {
    Vuro::Test::WriteFile("sound/a.wav", Vuro::Test::WavBytes({1, 2, 3}, 1, 8000).bytes);
    CopyTone("sound/a.ogg");
    ASSERT_TRUE(mManager->LoadSoundAt(1, "sound/a"));
    EXPECT_EQ(Pcm(1), (std::vector<uint8_t>{1, 0, 2, 0, 3, 0}));
    EXPECT_FALSE(std::filesystem::exists("cached/sound/a.wav"));
}

TEST_F(SoundCacheTest, AuIsDecodedAndCachedUnderItsOwnName) {
    Vuro::Test::SoundBytes au;
    au.Text(".snd").BE32(24).BE32(2).BE32(1).BE32(8000).BE32(1).Raw({0x80, 0x00});
    Vuro::Test::WriteFile("sound/beep.au", au.bytes);
    ASSERT_TRUE(mManager->LoadSoundAt(1, "sound/beep"));
    EXPECT_EQ(Pcm(1), (std::vector<uint8_t>{0x7C, 0x7D, 0x84, 0x82})); // +-32124
    std::vector<uint8_t> cache = Vuro::Test::ReadFile("cached/sound/beep.wav");
    ASSERT_GT(cache.size(), 59u);
    EXPECT_EQ(TextAt(cache, 46, 13), "sound/beep.au");
    EXPECT_FALSE(mManager->LoadSoundAt(2, "sound/nothing"));
    EXPECT_FALSE(mManager->LoadSoundAt(2, "sound/beep.mp3"));
}

TEST_F(SoundCacheTest, CacheLayoutOfAStereoSoundFromAMissingSource) {
    std::vector<int16_t> samples(500, 7);
    Vuro::Test::WriteFile("x.wav", Vuro::Test::WavBytes(samples, 2, 44100).bytes);
    ASSERT_TRUE(mManager->LoadWAVSound(9, "x.wav"));
    std::filesystem::create_directory("cached");
    ASSERT_TRUE(mManager->WriteWAVCache(9, "cached\\x.wav", "sound/x.ogg"));
    std::vector<uint8_t> cache = Vuro::Test::ReadFile("cached/x.wav");
    ASSERT_EQ(cache.size(), 73 + 1000u);
    EXPECT_EQ(LE32At(cache, 4), 1036u);
    EXPECT_EQ(LE16At(cache, 22), 2u);
    EXPECT_EQ(LE32At(cache, 28), 176400u);
    EXPECT_EQ(LE16At(cache, 32), 4u);
    EXPECT_EQ(LE32At(cache, 40), 21u);
    EXPECT_EQ(LE32At(cache, 57), 0u); // no source: time 0
    EXPECT_EQ(LE32At(cache, 61), 0u);
    EXPECT_EQ(TextAt(cache, 65, 4), "data");
    EXPECT_EQ(LE32At(cache, 69), 1000u);
    // Valid while the source stays missing (its time reads 0 as well).
    EXPECT_TRUE(mManager->LoadWAVSound(10, "cached/x.wav"));
    EXPECT_EQ(Pcm(10), Pcm(9));
    // A write that comes short (a full disk) answers false and keeps the old cache whole.
    {
        Vuro::Test::FileSizeLimit diskFull(100);
        EXPECT_FALSE(mManager->WriteWAVCache(9, "cached\\x.wav", "sound/other.ogg"));
    }
    EXPECT_EQ(Vuro::Test::ReadFile("cached/x.wav"), cache);

    EXPECT_FALSE(mManager->WriteWAVCache(9, "", "sound/x.ogg"));
    EXPECT_FALSE(mManager->WriteWAVCache(256, "cached\\y.wav", "sound/x.ogg"));
    EXPECT_FALSE(mManager->WriteWAVCache(11, "cached\\y.wav", "sound/x.ogg")); // no sound
}

// data/noise.ogg: 4 s of 8-bit white noise at 8000 Hz (Python's random, seed 1), encoded with
// `oggenc -q -1`; its sound lies on two pages (from byte 2347 and from byte 6590).
TEST_F(SoundCacheTest, ASoundThatFailsHalfwayLeavesItsIdEmpty) {
    // A damaged first sound page fails its checksum: the decoding meets a hole and stops
    // before the buffer is full.
    std::vector<uint8_t> bytes =
        Vuro::Test::ReadFile(VURO_SOURCE_DIR "/tests/framework/sound/data/noise.ogg");
    ASSERT_EQ(TextAt(bytes, 2347, 4), "OggS");
    bytes[4000] ^= 0x5A;
    Vuro::Test::WriteFile("sound/holed.ogg", bytes);

    EXPECT_FALSE(mManager->LoadOGGSound(3, "sound/holed.ogg"));
    EXPECT_GT(mManager->DataSizeAt(3), 0u); // a buffer was made for it
    EXPECT_EQ(mManager->SoundBufferAt(3), nullptr);
    EXPECT_EQ(mManager->MakeSoundInstance(3), nullptr);
    EXPECT_FALSE(mManager->LoadSoundAt(3, "sound/holed"));
    EXPECT_EQ(mManager->SoundBufferAt(3), nullptr);
}

} // namespace
} // namespace Vuro
