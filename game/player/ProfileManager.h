#pragma once
// The players' profiles: an ordered list of names, the current profile first, and the current
// player's record. The list lives in data\profile.dat (a signed 32-bit little-endian count, then
// one 7-byte zero-padded name per profile); each profile's record in data\<name>.pf.
//
// An entry read from the list file is its whole 7-byte field; an entry added during the run is
// the name as entered. A name's text is everything before its first zero byte; file names use
// the text, lookups compare whole entries. No operation shows a message; results are returned.
//
// The loading thread reads the record through GetRecord while the main thread runs; the record
// is guarded by a lock so that copy is never torn. Everything else belongs to the main thread.

#include "game/player/PlayerRecord.h"

#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

namespace Vuro {

class ProfileManager {
public:
    static constexpr size_t kNameLength = 7;

    ProfileManager() = default;
    ProfileManager(const ProfileManager&) = delete;
    ProfileManager& operator=(const ProfileManager&) = delete;

    // Reads the list file, then LoadProfile. False when the file is missing, its count cannot be
    // read or is negative, an entry is cut short (the list is then empty) or no profile loads. A
    // list file that is there but cannot be read whole is kept aside (Platform::KeepFileAside).
    [[nodiscard]] bool LoadList();
    // Loads the first loadable profile, dropping the entries before it that do not load, then
    // saves the record (rewriting an older record in the current form). True when names remain.
    // A dropped profile whose file is there is never overwritten: the file is kept aside, or,
    // when it cannot be moved, its name stays in the list file. With no name left the record
    // is written under its own name only when no file of that name lies there.
    bool LoadProfile();
    // Writes the current record to the file of entry 0, or under its own name when the list is
    // empty.
    bool SaveCurrent();
    [[nodiscard]] bool SaveList() const;

    // The current record becomes the record of this name that lies in its file already (a
    // player's progress comes back), or else the defaults with this name, saved to its file; the
    // list is not touched. A file of that name that does not load is kept aside first. False,
    // with the current record and every file as they were, when the file cannot be written or
    // the one there cannot be moved aside.
    [[nodiscard]] bool CreateProfile(const std::string& name);
    // False for a name AddProfile refuses as a name: empty, over 7 characters, leading out of
    // the data folder, holding a control character, or equal in its first 7 characters to a
    // listed one.
    [[nodiscard]] bool AcceptsName(const std::string& name) const;
    // Refuses the names AcceptsName refuses and those CreateProfile fails for; appends the
    // name. The caller follows with SelectProfile.
    [[nodiscard]] bool AddProfile(std::string& name);
    // Erases the entry and removes its file (a file already gone counts as removed). False when
    // the file could not be removed, and when the last profile went: the list then holds the
    // placeholder "Player", whether the file went or not.
    bool DeleteProfile(const std::string& name);
    // DeleteProfile for a name that is in the list.
    bool RemoveProfile(std::string& name);
    // Takes the placeholder a new profile replaces out of the list. Its file goes with it only
    // when it holds a fresh record: one with progress is a player whose entry was lost, whom a
    // new profile of that name takes up, so it stays. False when the name is not listed.
    bool RemovePlaceholder(const std::string& name);
    // Moves the name to the front and loads its record (not reloaded when it is first already).
    // A file that is there but does not load is kept aside, as LoadProfile does.
    [[nodiscard]] bool SelectProfile(std::string& name);

    int GetCount() const { return static_cast<int>(mNames.size()); }
    [[nodiscard]] bool GetName(int index, std::string& name) const;

    // Copies the current record into buffer and returns buffer.
    PlayerRecord* GetRecord(PlayerRecord* buffer) const;
    // Replaces the current record; does not save it.
    void SetRecord(PlayerRecord record);

    // The reading and writing of the list file, on an open stream. ReadList replaces the list;
    // it is left empty, and the result false, when the count is negative or an entry is cut
    // short.
    [[nodiscard]] bool ReadList(FILE* file);
    [[nodiscard]] bool WriteList(FILE* file) const;

    // The text of an entry: the characters before its first zero byte.
    static std::string TextOf(const std::string& entry);
    // "data\" + text + ".pf".
    static std::string ProfilePath(const std::string& text);

private:
    // Not longer than a name and equal to an entry.
    bool IsListed(const std::string& name) const;
    // Erases the first entry equal to the name. An emptied list gets the placeholder, and the
    // answer is false.
    bool EraseName(const std::string& name);
    // A listed profile whose file is there but did not load: the file is moved aside; when it
    // cannot be, the name goes to mUnreadNames.
    void KeepUnloadable(const std::string& entry);

    std::vector<std::string> mNames;
    // Dropped names whose files could neither be read nor moved: the list file keeps them.
    std::vector<std::string> mUnreadNames;
    PlayerRecord mRecord;
    mutable std::mutex mRecordLock;
};

} // namespace Vuro
