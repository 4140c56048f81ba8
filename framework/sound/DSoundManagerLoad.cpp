// Loading sounds into the manager's ids, and the cache of decoded sounds.
//
// A name is tried as the cache file "cached\" + name + ".wav", then name + ".wav", ".mp3",
// ".ogg", ".au". A decoded sound is written back as the cache file: a WAV file whose "dep "
// chunk names the source and its write time, so a changed source is decoded again. Names that
// are short or absolute never use the cache.

#include "framework/sound/DSoundManager.h"

#include "framework/sound/FModInstance.h"

#include "framework/sound/SoundFileReaders.h"
#include "framework/sound/WaveHeader.h"
#include "framework/util/PathHelpers.h"
#include "framework/util/SafeFileWrite.h"
#include "platform/FileSystem.h"

#include <cstring>

namespace Vuro {

// Decodes into a new static buffer and, once the whole sound is in, puts it in the id's slot.
class SlotTarget : public Platform::SoundBufferTarget {
public:
    SlotTarget(DSoundManager& manager, uint32_t id)
        : SoundBufferTarget(*manager.mDevice, kSoundBufferFlags), mManager(manager), mId(id) {}

    // A sound that failed to load leaves no half-filled buffer behind to be played.
    bool Finish(bool loaded) {
        mManager.mSourceDataSizes[mId] = DataSize();
        if (loaded) {
            mManager.mSourceSounds[mId] = std::move(Buffer());
        }
        return loaded;
    }

private:
    static constexpr uint32_t kSoundBufferFlags =
        Platform::kBufferStatic | Platform::kBufferLocSoftware | Platform::kBufferCtrlFrequency |
        Platform::kBufferCtrlPan | Platform::kBufferCtrlVolume | Platform::kBufferGlobalFocus;

    DSoundManager& mManager;
    uint32_t mId;
};

bool DSoundManager::LoadSoundAt(uint32_t id, const std::string& fileName) {
    if (id >= kMaxSounds) {
        return false;
    }
    ReleaseSound(id);
    if (mDevice == nullptr) {
        return true;
    }
    std::string cachePath;
    if (fileName.size() > 2 && fileName[0] != '\\' && fileName[0] != '/' && fileName[1] != ':') {
        cachePath = "cached\\" + fileName + ".wav";
        if (LoadWAVSound(id, cachePath)) {
            return true;
        }
        MkDir(GetFileDir(cachePath));
    }
    if (LoadWAVSound(id, fileName + ".wav")) {
        return true;
    }
    if (mUseFmod && LoadFModSound(id, fileName + ".mp3")) {
        WriteWAVCache(id, cachePath, fileName + ".mp3");
        return true;
    }
    if (LoadOGGSound(id, fileName + ".ogg")) {
        WriteWAVCache(id, cachePath, fileName + ".ogg");
        return true;
    }
    if (LoadAUSound(id, fileName + ".au")) {
        WriteWAVCache(id, cachePath, fileName + ".au");
        return true;
    }
    return false;
}

bool DSoundManager::LoadWAVSound(uint32_t id, const std::string& path) {
    SlotTarget target(*this, id);
    return target.Finish(
        ReadWAVSound(Platform::OpenFile(path, "rb"), target, &Platform::GetFileWriteTime));
}

bool DSoundManager::LoadOGGSound(uint32_t id, const std::string& path) {
    SlotTarget target(*this, id);
    return target.Finish(Platform::DecodeOgg(Platform::OpenFile(path, "rb"), target));
}

bool DSoundManager::LoadAUSound(uint32_t id, const std::string& path) {
    SlotTarget target(*this, id);
    return target.Finish(Platform::DecodeAu(Platform::OpenFile(path, "rb"), target));
}

bool DSoundManager::LoadFModSound(uint32_t id, const std::string& path) {
    if (!mUseFmod || mFMod == nullptr) {
        return false;
    }
    Platform::Fmod::Sample* sample = mFMod->FSOUND_Sample_Load(-1, path.c_str(), 0, 0);
    if (sample == nullptr) {
        return false;
    }
    const FModSampleFormat format = GetFModSampleFormat(*mFMod, sample);
    const uint32_t dataSize = format.dataSize;
    SlotTarget target(*this, id);
    uint8_t* data = target.CreateAndLock(
        Platform::MakePcmFormat(format.channels, format.frequency, format.bits), dataSize);
    bool copied = false;
    if (data != nullptr) {
        void* part1 = nullptr;
        void* part2 = nullptr;
        uint32_t length1 = 0;
        uint32_t length2 = 0;
        if (mFMod->FSOUND_Sample_Lock(sample, 0, static_cast<int>(dataSize), &part1, &part2,
                                      &length1, &length2) != 0) {
            std::memcpy(data, part1, dataSize);
            mFMod->FSOUND_Sample_Unlock(sample, part1, part2, length1, length2);
            copied = true;
        }
        copied = target.Unlock() && copied;
    }
    mFMod->FSOUND_Sample_Free(sample);
    return target.Finish(copied);
}

bool DSoundManager::WriteWAVCache(uint32_t id, const std::string& cachePath,
                                  const std::string& sourcePath) {
    // A source path too long for the 16-bit length field is refused, not written as a broken
    // file.
    if (cachePath.empty() || id >= kMaxSounds || mSourceSounds[id] == nullptr ||
        sourcePath.size() > 0xFFFF) {
        return false;
    }
    Platform::SoundBuffer& buffer = *mSourceSounds[id];
    const uint32_t dataSize = mSourceDataSizes[id];
    uint8_t* data = nullptr;
    if (buffer.Lock(0, dataSize, &data) != Platform::SoundResult::Ok) {
        return false;
    }
    Platform::WaveFormat format;
    (void)buffer.GetFormat(format);
    uint64_t sourceTime = 0;
    (void)Platform::GetFileWriteTime(sourcePath, sourceTime);

    std::vector<uint8_t> header;
    // The "dep " chunk is not counted in the RIFF size; readers ignore that field.
    PutWaveStart(header, dataSize + 36, format.channels, format.samplesPerSec,
                 format.bitsPerSample);
    PutChunkHeader(header, "dep ", static_cast<uint32_t>(sourcePath.size()) + 10);
    PutLE16(header, static_cast<uint32_t>(sourcePath.size()));
    header.insert(header.end(), sourcePath.begin(), sourcePath.end());
    PutLE32(header, static_cast<uint32_t>(sourceTime));
    PutLE32(header, static_cast<uint32_t>(sourceTime >> 32));
    PutChunkHeader(header, "data", dataSize);
    // Written whole beside the old cache and then put in its place, so a crash or a full disk
    // while writing never leaves a short cache file behind.
    const bool written = WriteFileReplacing(cachePath, [&](FILE* out) {
        return std::fwrite(header.data(), 1, header.size(), out) == header.size() &&
               std::fwrite(data, 1, dataSize, out) == dataSize;
    });
    return buffer.Unlock(data) == Platform::SoundResult::Ok && written;
}

} // namespace Vuro
