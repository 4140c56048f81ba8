#include "platform/UserFolders.h"

#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "platform/TextEncoding.h"

#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace Vuro::Platform {

namespace {

// The variable when it holds an absolute path, else $HOME + fallback; as system text.
std::string FromEnvironment(const char* variable, const char* fallback) {
    const char* value = std::getenv(variable);
    if (value != nullptr && value[0] == '/') {
        return NativeToSystem(value);
    }
    const char* home = std::getenv("HOME");
    return NativeToSystem(home != nullptr ? home : ".") + fallback;
}

std::vector<FileEntry> FilesIn(const std::string& folder) {
    std::vector<FileEntry> entries;
    (void)FindFiles(folder + "/*", entries);
    return entries;
}

// Moves one file, by a copy where the two folders lie on different file systems.
bool MoveFile(const std::string& from, const std::string& to) {
    if (RenameFile(from, to)) {
        return true;
    }
    return errno == EXDEV && CopyFile(from, to) && RemoveFile(from);
}

// Removes a folder of files (not what lies in its subfolders).
void RemoveFolder(const std::string& folder) {
    for (const FileEntry& entry : FilesIn(folder)) {
        (void)RemoveFile(folder + "/" + entry.name);
    }
    (void)RemoveDirectory(folder);
}

// The playback copies of processes that have ended: tag-playback-<pid>-XXXXXX.
void RemoveEndedCopies(const std::string& root, const std::string& prefix) {
    for (const FileEntry& entry : FilesIn(root)) {
        if (!entry.isDirectory || entry.isLink || entry.name.compare(0, prefix.size(), prefix)) {
            continue;
        }
        char* end = nullptr;
        const long owner = std::strtol(entry.name.c_str() + prefix.size(), &end, 10);
        if (owner > 0 && owner <= INT_MAX && *end == '-' && owner != getpid() &&
            !ProcessRuns(static_cast<int>(owner))) {
            RemoveFolder(root + "/" + entry.name);
        }
    }
}

} // namespace

std::string ConfigHome() {
    return FromEnvironment("XDG_CONFIG_HOME", "/.config");
}

std::string DataHome() {
    return FromEnvironment("XDG_DATA_HOME", "/.local/share");
}

std::string KeyFolder(const std::string& root, const std::string& appKey) {
    std::string path = root;
    bool any = false;
    size_t start = 0;
    while (start <= appKey.size()) {
        size_t end = appKey.find_first_of("\\/", start);
        if (end == std::string::npos) {
            end = appKey.size();
        }
        const std::string part = appKey.substr(start, end - start);
        start = end + 1;
        if (part.empty()) {
            continue;
        }
        if (part == "." || part == "..") {
            return {};
        }
        path += "/" + part;
        any = true;
    }
    return any ? path : std::string();
}

std::string UserDataFolder(const std::string& appKey) {
    return KeyFolder(DataHome(), appKey);
}

bool AdoptFolder(const std::string& from, const std::string& to) {
    if (!IsDirectory(from) || !MakeFolders(to)) {
        return false;
    }
    if (!FilesIn(to).empty()) {
        std::fprintf(stderr, "The files in %s are not used: those in %s are\n",
                     NativePath(from).c_str(), NativePath(to).c_str());
        return false;
    }
    int moved = 0;
    for (const FileEntry& entry : FilesIn(from)) {
        if (!entry.isDirectory && MoveFile(from + "/" + entry.name, to + "/" + entry.name)) {
            ++moved;
        }
    }
    (void)RemoveDirectory(from);
    std::fprintf(stderr, "%d files moved from %s to %s\n", moved, NativePath(from).c_str(),
                 NativePath(to).c_str());
    return moved > 0;
}

int RenameCodePageNames(const std::string& folder) {
    int renamed = 0;
    for (const FileEntry& entry : FilesIn(folder)) {
        // The bytes on disk, read as the code page 1251 text an earlier version wrote there.
        const std::string written = SystemToNative(entry.name);
        if (entry.isDirectory || IsUtf8(written) ||
            written.find(kNativeEscape) != std::string::npos) {
            continue;
        }
        const std::string from = folder + "/" + entry.name;
        const std::string to = folder + "/" + written;
        if (RenameFileNoReplace(from, to)) {
            ++renamed;
        } else {
            std::fprintf(stderr, "%s keeps its name: %s cannot be used (%s)\n",
                         NativePath(from).c_str(), NativePath(to).c_str(), std::strerror(errno));
        }
    }
    return renamed;
}

std::string CopyFolderForPlayback(const std::string& from, const std::string& tag) {
    const char* temporary = std::getenv("TMPDIR");
    const std::string root =
        NativeToSystem(temporary != nullptr && temporary[0] == '/' ? temporary : "/tmp");
    const std::string prefix = tag + "-playback-";
    RemoveEndedCopies(root, prefix);
    std::string made = NativePath(root + "/" + prefix + std::to_string(getpid()) + "-XXXXXX");
    if (mkdtemp(made.data()) == nullptr) {
        return {};
    }
    const std::string folder = NativeToSystem(made);
    for (const FileEntry& entry : FilesIn(from)) {
        if (!entry.isDirectory) {
            (void)CopyFile(from + "/" + entry.name, folder + "/" + entry.name);
        }
    }
    return folder;
}

} // namespace Vuro::Platform
