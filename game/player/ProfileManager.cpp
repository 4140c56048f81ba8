#include "game/player/ProfileManager.h"

#include "framework/util/SafeFileWrite.h"
#include "game/player/LittleEndian.h"
#include "platform/FileSystem.h"

#include <algorithm>
#include <cstring>

namespace Vuro {

namespace {

const char* const kListFile = "data\\profile.dat";

// The name's text as a zero-filled 7-byte field, the form names are compared and stored in.
std::string Field(const std::string& name) {
    std::string field(ProfileManager::kNameLength, '\0');
    std::copy_n(name.begin(), std::min(name.size(), field.size()), field.begin());
    return field;
}

// A name that would lead outside the data folder. Such names are never made into file names
// (names come from a file and the keyboard).
bool EscapesFolder(const std::string& text) {
    return text.find_first_of("\\/") != std::string::npos;
}

} // namespace

std::string ProfileManager::TextOf(const std::string& entry) {
    return entry.substr(0, entry.find('\0'));
}

std::string ProfileManager::ProfilePath(const std::string& text) {
    return "data\\" + text + ".pf";
}

bool ProfileManager::ReadList(FILE* file) {
    mNames.clear();
    uint8_t countBytes[4];
    if (std::fread(countBytes, 1, sizeof(countBytes), file) != sizeof(countBytes)) {
        return false;
    }
    const int32_t count = GetInt32LE(countBytes);
    for (int32_t i = 0; i < count; ++i) {
        char field[kNameLength];
        if (std::fread(field, 1, sizeof(field), file) != sizeof(field)) {
            mNames.clear();
            return false;
        }
        if (field[0] != '\0') {
            mNames.emplace_back(field, sizeof(field));
        }
    }
    return true;
}

bool ProfileManager::LoadList() {
    mNames.clear();
    FILE* file = Platform::OpenFile(kListFile, "rb");
    if (file == nullptr) {
        return false;
    }
    const bool read = ReadList(file);
    std::fclose(file);
    return read && LoadProfile();
}

bool ProfileManager::LoadProfile() {
    {
        std::lock_guard<std::mutex> lock(mRecordLock);
        while (!mNames.empty()) {
            const std::string text = TextOf(mNames.front());
            if (!text.empty() && !EscapesFolder(text) && mRecord.Load(ProfilePath(text))) {
                break;
            }
            mNames.erase(mNames.begin());
        }
    }
    SaveCurrent();
    return !mNames.empty();
}

bool ProfileManager::SaveCurrent() {
    std::lock_guard<std::mutex> lock(mRecordLock);
    const std::string text = mNames.empty() ? mRecord.GetName() : TextOf(mNames.front());
    if (EscapesFolder(text)) {
        return false;
    }
    return mRecord.Save(ProfilePath(text));
}

bool ProfileManager::WriteList(FILE* file) const {
    uint8_t countBytes[4];
    PutInt32LE(countBytes, static_cast<int32_t>(mNames.size()));
    if (std::fwrite(countBytes, 1, sizeof(countBytes), file) != sizeof(countBytes)) {
        return false;
    }
    for (const std::string& entry : mNames) {
        const std::string field = Field(entry);
        if (std::fwrite(field.data(), 1, field.size(), file) != field.size()) {
            return false;
        }
    }
    return true;
}

bool ProfileManager::SaveList() const {
    return WriteFileReplacing(kListFile, [this](FILE* file) { return WriteList(file); });
}

bool ProfileManager::CreateProfile(const std::string& name) {
    if (EscapesFolder(TextOf(name))) {
        return false;
    }
    std::lock_guard<std::mutex> lock(mRecordLock);
    mRecord.Reset();
    mRecord.SetName(name);
    return mRecord.Save(ProfilePath(TextOf(name)));
}

bool ProfileManager::AddProfile(std::string& name) {
    if (name.empty() || name.size() > kNameLength) {
        return false;
    }
    const std::string field = Field(name);
    for (const std::string& entry : mNames) {
        // Compared as zero-terminated texts within their 7-byte fields.
        if (std::strncmp(Field(entry).c_str(), field.c_str(), kNameLength) == 0) {
            return false;
        }
    }
    if (!CreateProfile(name)) {
        return false;
    }
    mNames.push_back(name);
    return true;
}

bool ProfileManager::DeleteProfile(const std::string& name) {
    auto found = std::find(mNames.begin(), mNames.end(), name);
    if (found != mNames.end()) {
        mNames.erase(found);
    }
    const std::string text = TextOf(name);
    if (EscapesFolder(text) || !Platform::RemoveFile(ProfilePath(text))) {
        return false; // the entry stays erased
    }
    if (mNames.empty()) {
        mNames.push_back(PlayerRecord().GetName());
        return false;
    }
    return true;
}

bool ProfileManager::RemoveProfile(std::string& name) {
    if (name.size() > kNameLength ||
        std::find(mNames.begin(), mNames.end(), name) == mNames.end()) {
        return false;
    }
    return DeleteProfile(name);
}

bool ProfileManager::SelectProfile(std::string& name) {
    if (name.size() > kNameLength) {
        return false;
    }
    auto found = std::find(mNames.begin(), mNames.end(), name);
    if (found == mNames.end()) {
        return false;
    }
    if (found == mNames.begin()) {
        return true;
    }
    std::string entry = *found;
    mNames.erase(found);
    mNames.insert(mNames.begin(), entry);
    const std::string text = TextOf(entry);
    std::lock_guard<std::mutex> lock(mRecordLock);
    return !EscapesFolder(text) && mRecord.Load(ProfilePath(text));
}

bool ProfileManager::GetName(int index, std::string& name) const {
    if (index < 0 || index >= GetCount()) {
        return false;
    }
    name = mNames[static_cast<size_t>(index)];
    return true;
}

PlayerRecord* ProfileManager::GetRecord(PlayerRecord* buffer) const {
    std::lock_guard<std::mutex> lock(mRecordLock);
    *buffer = mRecord;
    return buffer;
}

void ProfileManager::SetRecord(PlayerRecord record) {
    std::lock_guard<std::mutex> lock(mRecordLock);
    mRecord = record;
}

} // namespace Vuro
