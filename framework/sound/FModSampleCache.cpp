// The fmod back end's sample songs: Ogg files decoded once into "cached_" WAV files beside
// them, and a song made of an intro played once and a loop repeated after it.

#include "framework/sound/FModInstance.h"
#include "framework/sound/FModMusicInterface.h"
#include "framework/sound/WaveHeader.h"
#include "framework/util/SafeFileWrite.h"
#include "platform/FileSystem.h"

#include <cstring>
#include <vector>

namespace Vuro {

namespace {

using Platform::Fmod::Sample;

// True when the cache file exists and its source is not newer (a missing source counts as
// older), so the Ogg file need not be decoded.
bool CacheIsCurrent(const std::string& cachePath, const std::string& sourcePath) {
    uint64_t cacheTime = 0;
    uint64_t sourceTime = 0;
    if (!Platform::GetFileWriteTime(cachePath, cacheTime)) {
        return false;
    }
    return !Platform::GetFileWriteTime(sourcePath, sourceTime) || sourceTime <= cacheTime;
}

} // namespace

Sample* FModMusicInterface::DecodeToCachedWAV(const std::string& name) {
    // The folder part ends at the last "/" or "\\"; a name without a folder gets "cached_" in
    // front of the whole name.
    const size_t slash = name.rfind('/');
    const size_t backslash = name.rfind('\\');
    size_t split = std::string::npos;
    if (slash != std::string::npos || backslash != std::string::npos) {
        split = slash == std::string::npos       ? backslash
                : backslash == std::string::npos ? slash
                                                 : std::max(slash, backslash);
    }
    const std::string folder = split == std::string::npos ? "" : name.substr(0, split + 1);
    const std::string file = split == std::string::npos ? name : name.substr(split + 1);
    const std::string cachePath = folder + "cached_" + file + ".wav";
    const std::string sourcePath = name + ".ogg";

    // The cache is decoded again when its source is newer, so a changed Ogg file is read
    // again.
    if (CacheIsCurrent(cachePath, sourcePath)) {
        if (Sample* cached = mFMod->FSOUND_Sample_Load(-1, cachePath.c_str(), 0, 0)) {
            return cached;
        }
    }
    Sample* sample = mFMod->FSOUND_Sample_Load(-1, sourcePath.c_str(), 0, 0);
    if (sample == nullptr) {
        return nullptr;
    }
    const FModSampleFormat format = GetFModSampleFormat(*mFMod, sample);
    const uint32_t dataSize = format.dataSize;

    void* part1 = nullptr;
    void* part2 = nullptr;
    uint32_t length1 = 0;
    uint32_t length2 = 0;
    if (mFMod->FSOUND_Sample_Lock(sample, 0, static_cast<int>(dataSize), &part1, &part2, &length1,
                                  &length2) != 0) {
        std::vector<uint8_t> header;
        PutWaveStart(header, dataSize + 36, format.channels, format.frequency, format.bits);
        PutChunkHeader(header, "data", dataSize);
        // Written to a temporary file renamed over the old one, so a broken write never
        // leaves a short cache file to be read next time. A cache that cannot be written is
        // skipped; the sample is still used.
        (void)WriteFileReplacing(cachePath, [&](FILE* out) {
            return std::fwrite(header.data(), 1, header.size(), out) == header.size() &&
                   std::fwrite(part1, 1, dataSize, out) == dataSize;
        });
        mFMod->FSOUND_Sample_Unlock(sample, part1, part2, length1, length2);
    }
    return sample;
}

bool FModMusicInterface::LoadSample(int songId, const std::string& file, bool loop) {
    MusicInfo info;
    info.mHSample = DecodeToCachedWAV(file);
    info.mRepeat = loop;
    return info.mHSample != nullptr && AddSong(songId, info);
}

bool FModMusicInterface::LoadSampleWithIntro(int songId, const std::string& introFile,
                                             const std::string& loopFile, bool loop) {
    Sample* intro = DecodeToCachedWAV(introFile);
    Sample* repeat = DecodeToCachedWAV(loopFile);
    // Whatever was decoded is freed again when the song cannot be made.
    auto fail = [&] {
        for (Sample* sample : {intro, repeat}) {
            if (sample != nullptr) {
                mFMod->FSOUND_Sample_Free(sample);
            }
        }
        return false;
    };
    if (intro == nullptr || repeat == nullptr) {
        return fail();
    }
    const FModSampleFormat introFormat = GetFModSampleFormat(*mFMod, intro);
    const FModSampleFormat loopFormat = GetFModSampleFormat(*mFMod, repeat);
    const uint32_t mode = mFMod->FSOUND_Sample_GetMode(intro);
    if (introFormat.frequency != loopFormat.frequency ||
        mode != mFMod->FSOUND_Sample_GetMode(repeat)) {
        return fail();
    }
    const uint32_t introBytes = introFormat.dataSize;
    const uint32_t loopBytes = loopFormat.dataSize;
    const uint32_t introLength = introBytes / introFormat.BlockAlign();
    const uint32_t loopLength = loopBytes / loopFormat.BlockAlign();
    Sample* joined = mFMod->FSOUND_Sample_Alloc(
        -1, static_cast<int>(introLength + loopLength), mode | Platform::Fmod::kLoopNormal,
        static_cast<int>(introFormat.frequency), 255, 128, 0);
    if (joined == nullptr) {
        return fail();
    }
    void* target[2] = {};
    uint32_t targetLength[2] = {};
    if (mFMod->FSOUND_Sample_Lock(joined, 0, static_cast<int>(introBytes + loopBytes), &target[0],
                                  &target[1], &targetLength[0], &targetLength[1]) != 0) {
        // Each part is read from its own start and written at its offset in the join (the
        // loop at the intro's length), so the join plays the intro once and the whole loop.
        const std::pair<Sample*, uint32_t> parts[] = {{intro, 0}, {repeat, introBytes}};
        for (const auto& [part, at] : parts) {
            const uint32_t bytes = part == intro ? introBytes : loopBytes;
            void* source[2] = {};
            uint32_t sourceLength[2] = {};
            if (mFMod->FSOUND_Sample_Lock(part, 0, static_cast<int>(bytes), &source[0], &source[1],
                                          &sourceLength[0], &sourceLength[1]) != 0) {
                std::memcpy(static_cast<uint8_t*>(target[0]) + at, source[0], bytes);
                mFMod->FSOUND_Sample_Unlock(part, source[0], source[1], sourceLength[0],
                                            sourceLength[1]);
            }
        }
        mFMod->FSOUND_Sample_Unlock(joined, target[0], target[1], targetLength[0], targetLength[1]);
    }
    mFMod->FSOUND_Sample_Free(intro);
    mFMod->FSOUND_Sample_Free(repeat);
    // The loop covers the loop part exactly, from the intro's length to its last frame
    // inclusive, so the repeat joins without a click.
    mFMod->FSOUND_Sample_SetLoopPoints(joined, static_cast<int>(introLength),
                                       static_cast<int>(introLength + loopLength - 1));
    MusicInfo info;
    info.mHSample = joined;
    info.mRepeat = loop;
    return AddSong(songId, info);
}

} // namespace Vuro
