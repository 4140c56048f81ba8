// Loading sounds into the manager's ids, and the cache of decoded sounds.
//
// A name is tried as the cache file "cached\" + name + ".wav", then name + ".wav", ".mp3",
// ".ogg", ".au". A decoded sound is written back as the cache file: a WAV file whose "dep "
// chunk names the source and its write time, so a changed source is decoded again. Names that
// are short or absolute never use the cache.

#include "framework/sound/DSoundManager.h"

#include "framework/sound/SoundFileReaders.h"
#include "framework/util/PathHelpers.h"
#include "platform/FileSystem.h"

#include <cstring>

namespace Vuro {

// Makes the id's static buffer for a reader and locks it whole.
class SlotTarget : public PcmTarget {
public:
    SlotTarget(DSoundManager& manager, uint32_t id) : mManager(manager), mId(id) {}

    uint8_t* CreateAndLock(const Platform::WaveFormat& format, uint32_t dataSize) override {
        mManager.mSourceDataSizes[mId] = dataSize;
        Platform::BufferDesc desc;
        desc.flags = Platform::kBufferStatic | Platform::kBufferLocSoftware |
                     Platform::kBufferCtrlFrequency | Platform::kBufferCtrlPan |
                     Platform::kBufferCtrlVolume | Platform::kBufferGlobalFocus;
        desc.bufferBytes = dataSize;
        desc.format = format;
        auto& buffer = mManager.mSourceSounds[mId];
        if (mManager.mDevice->CreateSoundBuffer(desc, buffer) != Platform::SoundResult::Ok) {
            return nullptr;
        }
        uint8_t* data = nullptr;
        if (buffer->Lock(0, dataSize, &data) != Platform::SoundResult::Ok) {
            return nullptr;
        }
        mLocked = data;
        return data;
    }

    bool Unlock() override {
        return mManager.mSourceSounds[mId]->Unlock(mLocked) == Platform::SoundResult::Ok;
    }

    // Mended: a sound that failed to load leaves no half-filled buffer behind to be played.
    bool Finish(bool loaded) {
        if (!loaded) {
            mManager.mSourceSounds[mId].reset();
        }
        return loaded;
    }

private:
    DSoundManager& mManager;
    uint32_t mId;
    uint8_t* mLocked = nullptr;
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
    return target.Finish(ReadOGGSound(Platform::OpenFile(path, "rb"), target));
}

bool DSoundManager::LoadAUSound(uint32_t id, const std::string& path) {
    SlotTarget target(*this, id);
    return target.Finish(ReadAUSound(Platform::OpenFile(path, "rb"), target));
}

bool DSoundManager::LoadFModSound(uint32_t, const std::string&) {
    // No MP3 decoder is built in: MP3 files are not loaded.
    return false;
}

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

void PutTag(std::vector<uint8_t>& out, const char* tag) {
    out.insert(out.end(), tag, tag + 4);
}

} // namespace

bool DSoundManager::WriteWAVCache(uint32_t id, const std::string& cachePath,
                                  const std::string& sourcePath) {
    // Mended: a source path too long for the 16-bit length field is not written as a broken file.
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
    FILE* file = Platform::OpenFile(cachePath, "wb");
    if (file == nullptr) {
        (void)buffer.Unlock(data);
        return false;
    }
    Platform::WaveFormat format;
    (void)buffer.GetFormat(format);
    const uint32_t blockAlign = format.channels * format.bitsPerSample / 8u;
    uint64_t sourceTime = 0;
    (void)Platform::GetFileWriteTime(sourcePath, sourceTime);

    std::vector<uint8_t> header;
    PutTag(header, "RIFF");
    Put32(header, dataSize + 36); // the "dep " chunk is not counted; readers ignore this field
    PutTag(header, "WAVE");
    PutTag(header, "fmt ");
    Put32(header, 16);
    Put16(header, 1);
    Put16(header, format.channels);
    Put32(header, format.samplesPerSec);
    Put32(header, blockAlign * format.samplesPerSec);
    Put16(header, blockAlign);
    Put16(header, format.bitsPerSample);
    PutTag(header, "dep ");
    Put32(header, static_cast<uint32_t>(sourcePath.size()) + 10);
    Put16(header, static_cast<uint32_t>(sourcePath.size()));
    header.insert(header.end(), sourcePath.begin(), sourcePath.end());
    Put32(header, static_cast<uint32_t>(sourceTime));
    Put32(header, static_cast<uint32_t>(sourceTime >> 32));
    PutTag(header, "data");
    Put32(header, dataSize);
    std::fwrite(header.data(), 1, header.size(), file);
    std::fwrite(data, 1, dataSize, file);
    std::fclose(file);
    return buffer.Unlock(data) == Platform::SoundResult::Ok;
}

} // namespace Vuro
