#pragma once
// Files and folders. Paths inside the system may use "\" as separator; every call here turns
// "\" into "/" (NativePath), so that is done in one place only. NativePath also leads a mapped
// folder elsewhere (MapFolder): the game names its player files "data\...", and they live in
// the user's data folder.
//
// Paths are the system's text (code page 1251) on both sides of these calls. NativePath is the
// one place where a path becomes the file system's name, in UTF-8 (SystemToNative), so a
// Cyrillic player's file is a readable name on disk; names and folders that come from the file
// system (FindFiles, ExecutablePath, GetWorkingDirectory, UserFolders.h) come back as system
// text through NativeToSystem, which keeps what the code page cannot hold, so they lead back
// to the very same bytes on disk.
//
// Failures are results, never exceptions: a missing file gives null, false or an empty list.

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace Vuro::Platform {

// The file system's name of a path: every "\" turned into "/", a mapped folder's part replaced
// by where it leads, and the whole in UTF-8.
std::string NativePath(std::string_view path);

// From now on, the relative paths whose first part is `name` ("data", "data\x.pf", "data/x.pf")
// lead into `folder` instead. An empty folder ends the mapping. One folder is mapped at a time.
void MapFolder(const std::string& name, const std::string& folder);

// fopen on the native path; null on failure and for a folder. A mode that reads ("r...")
// opens only a regular file: a FIFO, a device or a socket gives null at once, without waiting
// for a writer or reading anything.
FILE* OpenFile(const std::string& path, const char* mode);

struct FileEntry {
    std::string name;   // name within its folder, no path
    bool isDirectory;   // a folder rather than a file (for a link: its target is one)
    uint32_t writeTime; // last write, seconds since 1970-01-01 UTC (for a link: its target's)
    bool isLink;        // a symbolic link; deleting a tree removes it instead of following it
};

// Entries of a folder whose names match the last component of pattern (wildcards "*" and "?";
// "*.*" matches every name, as the system's file search does, hidden ".name" files included).
// "." and ".." are never listed.
// False when the folder cannot be read or nothing matches.
bool FindFiles(const std::string& pattern, std::vector<FileEntry>& entries);

bool FileExists(const std::string& path);
// The last write of a file that can be opened for reading, as a Windows file time (100 ns
// steps since 1601-01-01 UTC, the form sound cache files store); false, with 0, otherwise.
bool GetFileWriteTime(const std::string& path, uint64_t& fileTime);
bool IsDirectory(const std::string& path);
// Creates one folder; false when it could not be made (including when it exists already).
bool MakeDirectory(const std::string& path);
bool RemoveFile(const std::string& path);
// Makes the folder and every folder above it; true when it exists afterwards.
bool MakeFolders(const std::string& path);
// Removes an empty folder.
bool RemoveDirectory(const std::string& path);
// Replaces `to` by `from` in one step (the way saved files are committed).
bool RenameFile(const std::string& from, const std::string& to);
// Renames `from` to `to` only while no file, folder or link has that name; false otherwise.
bool RenameFileNoReplace(const std::string& from, const std::string& to);

// Writes a stored file so that a crash, a kill or a full disk while saving never loses the old
// content: the writer's bytes go to a new file of a unique name beside it, are flushed to the
// disk, and then replace the file in one step. writer returns false when a write came short.
// On any failure the temporary file is removed, the old file stays as it was, and the result
// is false. Temporary files beside the file that a process ended while saving (killed, power
// cut) left behind are removed first.
[[nodiscard]] bool WriteFileReplacing(const std::string& path,
                                      const std::function<bool(FILE*)>& writer);
// A copy of a file, written as above; false when `from` cannot be read whole or `to` written.
[[nodiscard]] bool CopyFile(const std::string& from, const std::string& to);

// The one rule for a stored file that is about to be replaced while it holds something that
// would be lost (it could not be read, it is damaged, it is another player's record): it is
// first renamed to path + ".kept" (or ".kept.2", ".kept.3", ... up to ".kept.100", whichever is
// free; nothing is overwritten), and a line on stderr says why (`why`, such as "could not be
// read") and where it went. Returns the new name; empty when the file could not be moved, and
// the caller must then not replace it.
std::string KeepFileAside(const std::string& path, std::string_view why);

// The name under which a file exists when only its case differs from `path` (its folder must
// match exactly); `path` itself when it exists; empty when neither.
std::string FindFileNoCase(const std::string& path);

// Absolute path of the running program.
std::string ExecutablePath();
std::string GetWorkingDirectory();
bool SetWorkingDirectory(const std::string& path);

} // namespace Vuro::Platform
