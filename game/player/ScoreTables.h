#pragma once
// The two high-score tables, story and survival, and their file data\scores.dat: for each table
// in turn a row count (signed 32-bit little-endian) and that many 16-byte rows. No header.
//
// Every per-table operation takes `story`: true selects the story table, false the survival
// table. Add keeps a table at `ScoreTableSize` rows once it is full; a loaded file may hold more
// and those rows are kept. Rows are in the order they were added until the table is sorted.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace Vuro {

constexpr int ScoreTableSize = 5;

struct ScoreEntry {
    static constexpr size_t kNameLength = 7;
    static constexpr size_t kSize = 16;

    char name[kNameLength + 1] = {}; // code page 1251, zero to the end of the field
    int32_t score = 0;               // the sort key
    int32_t level = 0;               // the won level's number; 1 in the default rows

    void SetName(const std::string& text);
    // The characters before the first zero, at most 7.
    std::string GetName() const;

    std::array<uint8_t, kSize> ToBytes() const;
    static ScoreEntry FromBytes(const uint8_t* bytes);
};

class ScoreTables {
public:
    // Clears both, then reads the file. A row cut short empties both tables; a missing survival
    // count leaves the story rows in place. False in both cases and when there is no file.
    [[nodiscard]] bool Load();
    // Writes both tables through a temporary file; on failure the old file stays intact.
    [[nodiscard]] bool Save() const;

    // The reading and writing behind Load and Save, on an open stream.
    [[nodiscard]] bool Read(FILE* file);
    [[nodiscard]] bool Write(FILE* file) const;

    // True when the row was taken. A full table is sorted first; a row scoring below its last
    // row is refused, otherwise it replaces the last row (an equal score takes the last place).
    bool Add(ScoreEntry entry, bool story);
    // Highest score first; rows with equal scores keep their order.
    void Sort(bool story);
    int Count(bool story) const;
    [[nodiscard]] bool GetRow(int index, ScoreEntry& entry, bool story) const;
    void Clear();

private:
    std::vector<ScoreEntry>& Table(bool story) { return story ? mStory : mSurvival; }
    const std::vector<ScoreEntry>& Table(bool story) const { return story ? mStory : mSurvival; }
    static bool ReadTable(FILE* file, std::vector<ScoreEntry>& table, bool& cutShort);

    std::vector<ScoreEntry> mStory;
    std::vector<ScoreEntry> mSurvival;
};

// The start-up rule: load the tables; when that fails, add the rows "Игрок 1" to "Игрок 3"
// (score 0, level 1) to each table on top of whatever was loaded, and save. A file that is there
// but did not load is kept aside before (Platform::KeepFileAside); when it cannot be, the
// defaults are not saved. False when they were not saved.
bool InitScoreTables(ScoreTables& tables);

} // namespace Vuro
