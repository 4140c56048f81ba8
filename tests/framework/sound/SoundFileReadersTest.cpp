// The sound manager's WAV reader: the "dep " chunk of a cache file decides whether it is current.

#include "support/SoundFileBytes.h"

#include "framework/sound/SoundFileReaders.h"
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
        .LE32(4)
        .Raw({7, 7, 7, 7});
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

} // namespace
} // namespace Vuro
