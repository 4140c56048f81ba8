#pragma once
// One player's progress, kept between runs in data\<name>.pf. The record is a plain 40-byte
// value, copied whole; its file holds exactly those 40 bytes (integers little-endian) with no
// header. The record knows only how to reset, name, load and save itself; the users keep the
// level numbers in range.
//
// An older 36-byte form without `easyMode` is still read (then `easyMode` is 0) and is written
// back in the 40-byte form on the next save.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace Vuro {

class PlayerRecord {
public:
    static constexpr size_t kFileSize = 40;
    static constexpr size_t kShortFileSize = 36;
    static constexpr size_t kNameLength = 7;

    PlayerRecord();

    // The defaults: name "Player", everything else 0. The padding keeps its content.
    void Reset();
    // True while the record holds nothing but its name: every other field as Reset leaves it (no
    // points, no stage, no level, the normal set).
    bool IsFresh() const;
    // At most the first 7 characters, stopping at a zero character; the rest of the field is 0.
    void SetName(const std::string& name);
    // The name's text: the characters before the first zero byte.
    std::string GetName() const;

    // True when a record was read. A missing file leaves the record as it was; a file shorter
    // than 36 bytes resets it to the defaults and gives false. Only the first 40 bytes count.
    [[nodiscard]] bool Load(const std::string& path);
    // Reads the older 36-byte form.
    [[nodiscard]] bool LoadShort(const std::string& path);
    // Writes the 40 bytes through a temporary file; on failure the old file stays intact.
    [[nodiscard]] bool Save(const std::string& path) const;

    // The reading and writing behind Load and Save, on an open stream.
    [[nodiscard]] bool Read(FILE* file);
    [[nodiscard]] bool Write(FILE* file) const;

    using Bytes = std::array<uint8_t, kFileSize>;
    Bytes ToBytes() const;
    void FromBytes(const Bytes& bytes);

    char name[kNameLength + 1]; // code page 1251, zero-padded; the last byte is always 0
    int32_t totalScore;         // point balance, at most 999999
    uint8_t stageUnlocked[5];   // flag k: story stage k + 2 is open
    uint8_t padding1[3];        // stored but never interpreted
    int32_t storyLevel;         // story level to play next, from 0
    int32_t survivalLevel;      // survival level to play next, from 0
    int32_t storyLevelMax;      // highest story level opened; 0: story not begun
    int32_t survivalLevelMax;   // highest survival level opened
    uint8_t easyMode;           // nonzero: the easy level set
    uint8_t padding2[3];        // stored but never interpreted

private:
    // Every byte after the first zero of the name becomes zero, and so does the terminator.
    void NormaliseName();
    // Takes the fields of the 36-byte form; false (and the defaults) when fewer bytes came.
    bool ApplyShort(const uint8_t* bytes, size_t count);
};

} // namespace Vuro
