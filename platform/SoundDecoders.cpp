// What the decoders share: the stream helpers, the sound device's buffer target, and the choice
// of a decoder by a file's content.

#include "platform/SoundDecoders.h"

#include "platform/DecoderFiles.h"
#include "platform/FileSystem.h"
#include "platform/LittleEndian.h"

#include <libopenmpt/libopenmpt.h>

#include <cstring>

namespace Vuro::Platform {

namespace Decoding {

long StreamSize(FILE* file) {
    long here = std::ftell(file);
    if (here < 0 || std::fseek(file, 0, SEEK_END) != 0) {
        return -1;
    }
    long size = std::ftell(file);
    std::fseek(file, here, SEEK_SET);
    return size;
}

bool ReadLE(FILE* file, int bytes, uint32_t& value) {
    uint8_t raw[4] = {};
    if (std::fread(raw, 1, static_cast<size_t>(bytes), file) != static_cast<size_t>(bytes)) {
        return false;
    }
    value = LoadLE(raw, bytes);
    return true;
}

bool ReadRest(FILE* file, std::vector<uint8_t>& bytes, size_t maxBytes) {
    const long size = StreamSize(file);
    const long here = std::ftell(file);
    if (size < 0 || here < 0 || size < here || static_cast<size_t>(size - here) > maxBytes) {
        return false;
    }
    bytes.resize(static_cast<size_t>(size - here));
    return std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

} // namespace Decoding

uint8_t* CreatePcmBuffer(PcmTarget& target, const WaveFormat& format, uint64_t dataSize) {
    if (!IsPlayableFormat(format) || dataSize < kBufferBytesMin || dataSize > kBufferBytesMax) {
        return nullptr;
    }
    return target.CreateAndLock(format, static_cast<uint32_t>(dataSize));
}

uint8_t* SoundBufferTarget::CreateAndLock(const WaveFormat& format, uint32_t dataSize) {
    mDataSize = dataSize;
    BufferDesc desc;
    desc.flags = mFlags;
    desc.bufferBytes = dataSize;
    desc.format = format;
    if (mDevice.CreateSoundBuffer(desc, mBuffer) != SoundResult::Ok ||
        mBuffer->Lock(0, dataSize, &mLocked) != SoundResult::Ok) {
        return nullptr;
    }
    return mLocked;
}

bool SoundBufferTarget::Unlock() {
    return mBuffer != nullptr && mBuffer->Unlock(mLocked) == SoundResult::Ok;
}

namespace {

// An MPEG audio frame header: 11 sync bits, a version other than "reserved", layer I to III,
// a bit rate index other than "bad" and a known sample rate.
bool IsMpegFrameHeader(const uint8_t* h) {
    return h[0] == 0xFF && (h[1] & 0xE0) == 0xE0 && (h[1] & 0x18) != 0x08 && (h[1] & 0x06) != 0 &&
           (h[2] & 0xF0) != 0xF0 && (h[2] & 0x0C) != 0x0C;
}

} // namespace

SoundFileKind IdentifySoundFile(const std::string& path) {
    Decoding::FilePtr file(OpenFile(path, "rb"));
    if (!file) {
        return SoundFileKind::Unknown;
    }
    uint8_t head[2048] = {};
    const size_t got = std::fread(head, 1, sizeof head, file.get());
    const long size = Decoding::StreamSize(file.get());
    if (got >= 12 && std::memcmp(head, "RIFF", 4) == 0 && std::memcmp(head + 8, "WAVE", 4) == 0) {
        return SoundFileKind::Wave;
    }
    if (got >= 4 && std::memcmp(head, ".snd", 4) == 0) {
        return SoundFileKind::Au;
    }
    if (got >= 4 && std::memcmp(head, "OggS", 4) == 0) {
        return SoundFileKind::Ogg;
    }
    if (openmpt_probe_file_header(OPENMPT_PROBE_FILE_HEADER_FLAGS_DEFAULT, head, got,
                                  static_cast<uint64_t>(size < 0 ? 0 : size), nullptr, nullptr,
                                  nullptr, nullptr, nullptr,
                                  nullptr) == OPENMPT_PROBE_FILE_HEADER_RESULT_SUCCESS) {
        return SoundFileKind::Module;
    }
    if ((got >= 3 && std::memcmp(head, "ID3", 3) == 0) || (got >= 4 && IsMpegFrameHeader(head))) {
        return SoundFileKind::Mp3;
    }
    return SoundFileKind::Unknown;
}

bool DecodeSoundFile(const std::string& path, SoundFileKind kind, PcmTarget& target,
                     std::vector<uint32_t>* orderFrames) {
    if (kind == SoundFileKind::Unknown) {
        return false;
    }
    FILE* file = OpenFile(path, "rb");
    if (file == nullptr) {
        return false;
    }
    switch (kind) {
    case SoundFileKind::Wave:
        return DecodeWave(file, target, {});
    case SoundFileKind::Au:
        return DecodeAu(file, target);
    case SoundFileKind::Ogg:
        return DecodeOgg(file, target);
    case SoundFileKind::Mp3:
        return DecodeMp3(file, target);
    case SoundFileKind::Module:
        return DecodeModule(file, target, orderFrames);
    case SoundFileKind::Unknown:
        break;
    }
    std::fclose(file);
    return false;
}

} // namespace Vuro::Platform
