#include "game/player/ScoreTables.h"

#include "framework/util/SafeFileWrite.h"
#include "game/player/LittleEndian.h"
#include "platform/FileSystem.h"
#include "platform/TextEncoding.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace Vuro {

namespace {

const char* const kScoreFile = "data\\scores.dat";

bool WriteCount(FILE* file, size_t count) {
    uint8_t bytes[4];
    PutInt32LE(bytes, static_cast<int32_t>(count));
    return std::fwrite(bytes, 1, sizeof(bytes), file) == sizeof(bytes);
}

} // namespace

void ScoreEntry::SetName(const std::string& text) {
    std::memset(name, 0, sizeof(name));
    for (size_t i = 0; i < kNameLength && i < text.size() && text[i] != '\0'; ++i) {
        name[i] = text[i];
    }
}

std::string ScoreEntry::GetName() const {
    return std::string(name, std::find(name, name + kNameLength, '\0'));
}

std::array<uint8_t, ScoreEntry::kSize> ScoreEntry::ToBytes() const {
    // The name field is rebuilt from the text; a stored name of 8 characters without its
    // terminator is cut to 7 rather than run over the field.
    std::array<uint8_t, kSize> bytes{};
    const std::string text = GetName();
    std::memcpy(bytes.data(), text.data(), text.size());
    PutInt32LE(&bytes[8], score);
    PutInt32LE(&bytes[12], level);
    return bytes;
}

ScoreEntry ScoreEntry::FromBytes(const uint8_t* bytes) {
    ScoreEntry entry;
    std::memcpy(entry.name, bytes, sizeof(entry.name));
    entry.score = GetInt32LE(&bytes[8]);
    entry.level = GetInt32LE(&bytes[12]);
    return entry;
}

bool ScoreTables::ReadTable(FILE* file, std::vector<ScoreEntry>& table, bool& cutShort) {
    uint8_t countBytes[4];
    if (std::fread(countBytes, 1, sizeof(countBytes), file) != sizeof(countBytes)) {
        return false;
    }
    // Rows are appended as they come, never reserved from the count: a damaged count is only
    // a short file. A count of 0 or less means no rows.
    const int32_t count = GetInt32LE(countBytes);
    for (int32_t i = 0; i < count; ++i) {
        uint8_t row[ScoreEntry::kSize];
        if (std::fread(row, 1, sizeof(row), file) != sizeof(row)) {
            cutShort = true;
            return false;
        }
        table.push_back(ScoreEntry::FromBytes(row));
    }
    return true;
}

bool ScoreTables::Read(FILE* file) {
    Clear();
    bool cutShort = false;
    if (!ReadTable(file, mStory, cutShort) || !ReadTable(file, mSurvival, cutShort)) {
        if (cutShort) {
            Clear();
        }
        return false;
    }
    return true;
}

bool ScoreTables::Load() {
    Clear();
    FILE* file = Platform::OpenFile(kScoreFile, "rb");
    if (file == nullptr) {
        return false;
    }
    const bool loaded = Read(file);
    std::fclose(file);
    return loaded;
}

bool ScoreTables::Write(FILE* file) const {
    for (const auto* table : {&mStory, &mSurvival}) {
        if (!WriteCount(file, table->size())) {
            return false;
        }
        for (const ScoreEntry& entry : *table) {
            const auto bytes = entry.ToBytes();
            if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
                return false;
            }
        }
    }
    return true;
}

bool ScoreTables::Save() const {
    return WriteFileReplacing(kScoreFile, [this](FILE* file) { return Write(file); });
}

bool ScoreTables::Add(ScoreEntry entry, bool story) {
    std::vector<ScoreEntry>& table = Table(story);
    if (table.size() >= static_cast<size_t>(ScoreTableSize)) {
        Sort(story);
        if (table.back().score > entry.score) {
            return false;
        }
        table.back() = entry;
        Sort(story);
        return true;
    }
    table.push_back(entry);
    return true;
}

void ScoreTables::Sort(bool story) {
    std::vector<ScoreEntry>& table = Table(story);
    // Only a strictly greater score below moves up, so equal scores keep their order.
    std::stable_sort(table.begin(), table.end(),
                     [](const ScoreEntry& a, const ScoreEntry& b) { return a.score > b.score; });
}

int ScoreTables::Count(bool story) const {
    return static_cast<int>(Table(story).size());
}

bool ScoreTables::GetRow(int index, ScoreEntry& entry, bool story) const {
    const std::vector<ScoreEntry>& table = Table(story);
    if (index < 0 || static_cast<size_t>(index) >= table.size()) {
        return false;
    }
    entry = table[static_cast<size_t>(index)];
    return true;
}

void ScoreTables::Clear() {
    mStory.clear();
    mSurvival.clear();
}

bool InitScoreTables(ScoreTables& tables) {
    if (tables.Load()) {
        return true;
    }
    // A file that is there but did not load is not replaced before it has been kept aside.
    const bool mayReplace =
        !Platform::FileExists(kScoreFile) ||
        !Platform::KeepFileAside(kScoreFile, "could not be read as score tables").empty();
    const std::string names[] = {"Игрок 1"_cp1251, "Игрок 2"_cp1251, "Игрок 3"_cp1251};
    for (const std::string& name : names) {
        ScoreEntry entry;
        entry.SetName(name);
        entry.score = 0;
        entry.level = 1;
        tables.Add(entry, true);
        tables.Add(entry, false);
    }
    return mayReplace && tables.Save();
}

} // namespace Vuro
