#include "game/player/PlayerRecord.h"

#include "framework/util/SafeFileWrite.h"
#include "game/player/LittleEndian.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <cstring>

namespace Vuro {

static_assert(sizeof(PlayerRecord) == PlayerRecord::kFileSize, "the record is copied whole");

PlayerRecord::PlayerRecord() : padding1{}, padding2{} {
    Reset();
}

void PlayerRecord::Reset() {
    std::memset(name, 0, sizeof(name));
    SetName("Player");
    totalScore = 0;
    std::fill(std::begin(stageUnlocked), std::end(stageUnlocked), uint8_t{0});
    storyLevel = 0;
    survivalLevel = 0;
    storyLevelMax = 0;
    survivalLevelMax = 0;
    easyMode = 0;
}

bool PlayerRecord::IsFresh() const {
    // Compared with what Reset makes of it, so a field added to the defaults counts here too.
    PlayerRecord fresh = *this;
    fresh.Reset();
    std::memcpy(fresh.name, name, sizeof(name));
    return fresh.ToBytes() == ToBytes();
}

void PlayerRecord::SetName(const std::string& text) {
    std::memset(name, 0, kNameLength);
    for (size_t i = 0; i < kNameLength && i < text.size() && text[i] != '\0'; ++i) {
        name[i] = text[i];
    }
}

std::string PlayerRecord::GetName() const {
    return std::string(name, std::find(name, name + sizeof(name), '\0'));
}

void PlayerRecord::NormaliseName() {
    SetName(std::string(name, kNameLength));
    name[kNameLength] = '\0';
}

PlayerRecord::Bytes PlayerRecord::ToBytes() const {
    Bytes bytes{};
    std::memcpy(bytes.data(), name, sizeof(name));
    PutInt32LE(&bytes[8], totalScore);
    std::memcpy(&bytes[12], stageUnlocked, sizeof(stageUnlocked));
    std::memcpy(&bytes[17], padding1, sizeof(padding1));
    PutInt32LE(&bytes[20], storyLevel);
    PutInt32LE(&bytes[24], survivalLevel);
    PutInt32LE(&bytes[28], storyLevelMax);
    PutInt32LE(&bytes[32], survivalLevelMax);
    bytes[36] = easyMode;
    std::memcpy(&bytes[37], padding2, sizeof(padding2));
    return bytes;
}

void PlayerRecord::FromBytes(const Bytes& bytes) {
    std::memcpy(name, bytes.data(), sizeof(name));
    totalScore = GetInt32LE(&bytes[8]);
    std::memcpy(stageUnlocked, &bytes[12], sizeof(stageUnlocked));
    std::memcpy(padding1, &bytes[17], sizeof(padding1));
    storyLevel = GetInt32LE(&bytes[20]);
    survivalLevel = GetInt32LE(&bytes[24]);
    storyLevelMax = GetInt32LE(&bytes[28]);
    survivalLevelMax = GetInt32LE(&bytes[32]);
    easyMode = bytes[36];
    std::memcpy(padding2, &bytes[37], sizeof(padding2));
}

bool PlayerRecord::ApplyShort(const uint8_t* bytes, size_t count) {
    if (count < kShortFileSize) {
        Reset();
        return false;
    }
    totalScore = GetInt32LE(&bytes[8]);
    std::memcpy(stageUnlocked, &bytes[12], sizeof(stageUnlocked));
    storyLevel = GetInt32LE(&bytes[20]);
    survivalLevel = GetInt32LE(&bytes[24]);
    storyLevelMax = GetInt32LE(&bytes[28]);
    survivalLevelMax = GetInt32LE(&bytes[32]);
    easyMode = 0;
    SetName(std::string(reinterpret_cast<const char*>(bytes), kNameLength));
    NormaliseName();
    return true;
}

bool PlayerRecord::Read(FILE* file) {
    Bytes bytes{};
    const size_t count = std::fread(bytes.data(), 1, bytes.size(), file);
    // What was read lies over the start of the record, as a whole-record read would leave it.
    Bytes merged = ToBytes();
    std::copy_n(bytes.begin(), count, merged.begin());
    FromBytes(merged);
    if (count == kFileSize) {
        NormaliseName();
        return true;
    }
    return ApplyShort(bytes.data(), count);
}

bool PlayerRecord::Load(const std::string& path) {
    FILE* file = Platform::OpenFile(path, "rb");
    if (file == nullptr) {
        return false;
    }
    const bool loaded = Read(file);
    std::fclose(file);
    return loaded;
}

bool PlayerRecord::LoadShort(const std::string& path) {
    FILE* file = Platform::OpenFile(path, "rb");
    if (file == nullptr) {
        return false;
    }
    uint8_t bytes[kShortFileSize];
    const size_t count = std::fread(bytes, 1, sizeof(bytes), file);
    std::fclose(file);
    return ApplyShort(bytes, count);
}

bool PlayerRecord::Write(FILE* file) const {
    const Bytes bytes = ToBytes();
    return std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

bool PlayerRecord::Save(const std::string& path) const {
    return WriteFileReplacing(path, [this](FILE* file) { return Write(file); });
}

} // namespace Vuro
