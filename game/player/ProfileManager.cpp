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

// A name that would lead outside the data folder, or hold a control character (a line break or
// a terminal's escape sequence in a file name). Such names are never made into file names (names
// come from files and the keyboard).
bool UnfitForFileName(const std::string& text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return c == '\\' || c == '/' || byte < 0x20 || byte == 0x7F;
    });
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
    if (count < 0) {
        return false; // no list: a damaged file, not an empty one
    }
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
    mUnreadNames.clear();
    FILE* file = Platform::OpenFile(kListFile, "rb");
    if (file == nullptr) {
        // One that is there but cannot be read would be replaced by the next SaveList.
        if (Platform::FileExists(kListFile)) {
            (void)Platform::KeepFileAside(kListFile, "could not be read");
        }
        return false;
    }
    const bool read = ReadList(file);
    std::fclose(file);
    if (!read) {
        (void)Platform::KeepFileAside(kListFile, "is damaged");
        return false;
    }
    return LoadProfile();
}

void ProfileManager::KeepUnloadable(const std::string& entry) {
    const std::string path = ProfilePath(TextOf(entry));
    if (Platform::FileExists(path) &&
        Platform::KeepFileAside(path, "could not be read as a player's record").empty()) {
        mUnreadNames.push_back(entry);
    }
}

bool ProfileManager::LoadProfile() {
    bool writeRecord = true;
    {
        std::lock_guard<std::mutex> lock(mRecordLock);
        // The dropped entries go in one erase: one by one from the front, a long list took
        // quadratic time.
        auto loaded = mNames.begin();
        for (; loaded != mNames.end(); ++loaded) {
            const std::string text = TextOf(*loaded);
            if (!text.empty() && !UnfitForFileName(text)) {
                if (mRecord.Load(ProfilePath(text))) {
                    break;
                }
                KeepUnloadable(*loaded);
            }
        }
        mNames.erase(mNames.begin(), loaded);
        // With no profile left the record would go under its own name: never over a file that
        // lies there, which may be another player's.
        writeRecord = !mNames.empty() || !Platform::FileExists(ProfilePath(mRecord.GetName()));
    }
    if (writeRecord) {
        SaveCurrent();
    }
    return !mNames.empty();
}

bool ProfileManager::SaveCurrent() {
    std::lock_guard<std::mutex> lock(mRecordLock);
    const std::string text = mNames.empty() ? mRecord.GetName() : TextOf(mNames.front());
    if (UnfitForFileName(text)) {
        return false;
    }
    return mRecord.Save(ProfilePath(text));
}

bool ProfileManager::WriteList(FILE* file) const {
    // The names whose files could neither be read nor moved aside stay listed after the others.
    std::vector<std::string> entries = mNames;
    for (const std::string& entry : mUnreadNames) {
        if (std::find(entries.begin(), entries.end(), entry) == entries.end()) {
            entries.push_back(entry);
        }
    }
    uint8_t countBytes[4];
    PutInt32LE(countBytes, static_cast<int32_t>(entries.size()));
    if (std::fwrite(countBytes, 1, sizeof(countBytes), file) != sizeof(countBytes)) {
        return false;
    }
    for (const std::string& entry : entries) {
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
    const std::string text = TextOf(name);
    if (UnfitForFileName(text)) {
        return false;
    }
    const std::string path = ProfilePath(text);
    // A record of the name that no listed profile owns is a player's progress from before (a
    // file kept aside and renamed back, a list that lost the name): that player comes back.
    PlayerRecord found;
    if (found.Load(path)) {
        SetRecord(found);
        return true;
    }
    PlayerRecord record;
    record.SetName(name);
    std::string kept;
    if (Platform::FileExists(path)) {
        kept = Platform::KeepFileAside(path, "could not be read as a player's record");
        if (kept.empty()) {
            return false;
        }
    }
    if (!record.Save(path)) {
        // Refused: the file that was there goes back under its name.
        if (!kept.empty()) {
            (void)Platform::RenameFile(kept, path);
        }
        return false;
    }
    SetRecord(record);
    return true;
}

bool ProfileManager::AcceptsName(const std::string& name) const {
    if (name.empty() || name.size() > kNameLength || UnfitForFileName(TextOf(name))) {
        return false;
    }
    const std::string field = Field(name);
    // Compared as zero-terminated texts within their 7-byte fields.
    return std::none_of(mNames.begin(), mNames.end(), [&field](const std::string& entry) {
        return std::strncmp(Field(entry).c_str(), field.c_str(), kNameLength) == 0;
    });
}

bool ProfileManager::AddProfile(std::string& name) {
    if (!AcceptsName(name) || !CreateProfile(name)) {
        return false;
    }
    mNames.push_back(name);
    return true;
}

bool ProfileManager::IsListed(const std::string& name) const {
    return name.size() <= kNameLength &&
           std::find(mNames.begin(), mNames.end(), name) != mNames.end();
}

bool ProfileManager::EraseName(const std::string& name) {
    auto found = std::find(mNames.begin(), mNames.end(), name);
    if (found != mNames.end()) {
        mNames.erase(found);
    }
    // The list is never left empty: an empty list made the next name question write a file that
    // no list entry named.
    if (mNames.empty()) {
        mNames.push_back(PlayerRecord().GetName());
        return false;
    }
    return true;
}

bool ProfileManager::DeleteProfile(const std::string& name) {
    const std::string text = TextOf(name);
    const std::string path = ProfilePath(text);
    // A file that is gone already counts as removed.
    const bool removed =
        !UnfitForFileName(text) && (Platform::RemoveFile(path) || !Platform::FileExists(path));
    return EraseName(name) && removed;
}

bool ProfileManager::RemoveProfile(std::string& name) {
    return IsListed(name) && DeleteProfile(name);
}

bool ProfileManager::RemovePlaceholder(const std::string& name) {
    if (!IsListed(name)) {
        return false;
    }
    const std::string text = TextOf(name);
    PlayerRecord held;
    if (!UnfitForFileName(text) && held.Load(ProfilePath(text)) && held.IsFresh()) {
        return DeleteProfile(name);
    }
    return EraseName(name);
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
    if (UnfitForFileName(text)) {
        return false;
    }
    if (mRecord.Load(ProfilePath(text))) {
        return true;
    }
    KeepUnloadable(entry); // the caller deletes the profile
    return false;
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
