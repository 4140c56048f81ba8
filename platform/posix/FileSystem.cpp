#include "platform/FileSystem.h"
#include "platform/TextEncoding.h"

#include <dirent.h>
#include <fcntl.h>
#include <fnmatch.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace Vuro::Platform {

namespace {

// Splits "dir/name" into the folder to open ("." when none) and the last component.
void SplitFolder(const std::string& path, std::string& folder, std::string& name) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        folder.assign(1, '.'); // assigning the literal trips a false -Wrestrict in GCC 12 -O3
        name = path;
    } else {
        folder = slash == 0 ? "/" : path.substr(0, slash);
        name = path.substr(slash + 1);
    }
}

// Opens for reading only what is a regular file. Opening a FIFO waits for a writer and a
// device can read for ever, so the name is opened without waiting and its kind checked before
// any byte is read; a folder would read as an empty file.
FILE* OpenRegularFileForReading(const std::string& path, const char* mode) {
    const int access = std::strchr(mode, '+') != nullptr ? O_RDWR : O_RDONLY;
    const int fd = open(path.c_str(), access | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return nullptr;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const int error = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
        close(fd);
        errno = error;
        return nullptr;
    }
    // Reads of a regular file never wait; the flag goes only so that nothing else sees it.
    const int flags = fcntl(fd, F_GETFL);
    FILE* file =
        flags < 0 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0 ? nullptr : fdopen(fd, mode);
    if (file == nullptr) {
        close(fd);
    }
    return file;
}

bool NativeExists(const std::string& native) {
    struct stat info {};
    return stat(native.c_str(), &info) == 0;
}

bool NativeIsDirectory(const std::string& native) {
    struct stat info {};
    return stat(native.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// A rename that never replaces `to`: false, with errno EEXIST, when that name is taken (a
// dangling link included).
bool RenameNoReplace(const std::string& from, const std::string& to) {
    int moved = renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE);
    if (moved != 0 && errno == EINVAL) {
        // A file system without the flag: look first, then rename.
        struct stat info {};
        if (lstat(to.c_str(), &info) == 0) {
            errno = EEXIST;
            return false;
        }
        moved = std::rename(from.c_str(), to.c_str());
    }
    return moved == 0;
}

// Beyond this many kept copies of one file, something keeps damaging it: no more are made.
constexpr int kMaxKeptCopies = 100;

// The mapped folder: set at start (and by tests), read by every thread that opens files.
std::mutex gMapLock;
std::string gMappedName;
std::string gMappedFolder;

} // namespace

std::string NativePath(std::string_view path) {
    std::string result(path);
    for (char& c : result) {
        if (c == '\\') {
            c = '/';
        }
    }
    {
        std::lock_guard<std::mutex> lock(gMapLock);
        const size_t length = gMappedName.size();
        if (length != 0 && result.compare(0, length, gMappedName) == 0 &&
            (result.size() == length || result[length] == '/')) {
            result.replace(0, length, gMappedFolder);
        }
    }
    return SystemToNative(result);
}

void MapFolder(const std::string& name, const std::string& folder) {
    std::lock_guard<std::mutex> lock(gMapLock);
    gMappedName = folder.empty() ? std::string() : name;
    gMappedFolder = folder;
}

FILE* OpenFile(const std::string& path, const char* mode) {
    const std::string native = NativePath(path);
    if (mode[0] == 'r') {
        return OpenRegularFileForReading(native, mode);
    }
    FILE* file = std::fopen(native.c_str(), mode);
    // A folder is no file to write either.
    struct stat info {};
    if (file != nullptr && fstat(fileno(file), &info) == 0 && S_ISDIR(info.st_mode)) {
        std::fclose(file);
        errno = EISDIR;
        return nullptr;
    }
    return file;
}

bool FindFiles(const std::string& pattern, std::vector<FileEntry>& entries) {
    entries.clear();
    std::string folder;
    std::string mask;
    SplitFolder(NativePath(pattern), folder, mask);
    // Matched in the system's text, where "?" stands for one character of the code page.
    mask = mask == "*.*" ? "*" : NativeToSystem(mask);
    DIR* dir = opendir(folder.c_str());
    if (!dir) {
        return false;
    }
    while (dirent* entry = readdir(dir)) {
        const std::string native = entry->d_name;
        if (native == "." || native == "..") {
            continue;
        }
        std::string name = NativeToSystem(native);
        // No FNM_PERIOD: the system's file search lets wildcards match a leading dot too.
        if (fnmatch(mask.c_str(), name.c_str(), 0) != 0) {
            continue;
        }
        std::string full = folder == "/" ? "/" + native : folder + "/" + native;
        struct stat info {};
        if (lstat(full.c_str(), &info) != 0) {
            continue;
        }
        bool isLink = S_ISLNK(info.st_mode);
        // A link describes its target; a dangling link is still listed so it can be removed.
        if (isLink) {
            struct stat target {};
            if (stat(full.c_str(), &target) == 0) {
                info = target;
            }
        }
        entries.push_back(
            {name, S_ISDIR(info.st_mode), static_cast<uint32_t>(info.st_mtime), isLink});
    }
    closedir(dir);
    return !entries.empty();
}

bool GetFileWriteTime(const std::string& path, uint64_t& fileTime) {
    fileTime = 0;
    int fd = open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat info {};
    bool ok = fstat(fd, &info) == 0;
    close(fd);
    if (!ok) {
        return false;
    }
    // Seconds from 1601-01-01 to 1970-01-01.
    constexpr int64_t kEpochOffset = 11644473600;
    const int64_t steps = (static_cast<int64_t>(info.st_mtim.tv_sec) + kEpochOffset) * 10000000 +
                          info.st_mtim.tv_nsec / 100;
    fileTime = steps < 0 ? 0 : static_cast<uint64_t>(steps);
    return true;
}

bool FileExists(const std::string& path) {
    return NativeExists(NativePath(path));
}

bool IsDirectory(const std::string& path) {
    return NativeIsDirectory(NativePath(path));
}

bool MakeDirectory(const std::string& path) {
    return mkdir(NativePath(path).c_str(), 0755) == 0;
}

bool RemoveFile(const std::string& path) {
    return unlink(NativePath(path).c_str()) == 0;
}

bool MakeFolders(const std::string& path) {
    const std::string native = NativePath(path);
    auto folderStands = [](const std::string& folder) {
        return NativeIsDirectory(folder) || mkdir(folder.c_str(), 0755) == 0;
    };
    for (size_t slash = native.find('/', 1); slash != std::string::npos;
         slash = native.find('/', slash + 1)) {
        if (!folderStands(native.substr(0, slash))) {
            return false;
        }
    }
    return folderStands(native);
}

bool RemoveDirectory(const std::string& path) {
    return rmdir(NativePath(path).c_str()) == 0;
}

bool RenameFile(const std::string& from, const std::string& to) {
    return std::rename(NativePath(from).c_str(), NativePath(to).c_str()) == 0;
}

bool RenameFileNoReplace(const std::string& from, const std::string& to) {
    return RenameNoReplace(NativePath(from), NativePath(to));
}

std::string KeepFileAside(const std::string& path, std::string_view why) {
    const std::string native = NativePath(path);
    for (int n = 1; n <= kMaxKeptCopies; ++n) {
        const std::string aside = native + ".kept" + (n > 1 ? "." + std::to_string(n) : "");
        if (RenameNoReplace(native, aside)) {
            std::fprintf(stderr, "%s %.*s; it is kept as %s\n", native.c_str(),
                         static_cast<int>(why.size()), why.data(), aside.c_str());
            return NativeToSystem(aside);
        }
        if (errno != EEXIST) {
            return {};
        }
    }
    return {};
}

std::string FindFileNoCase(const std::string& path) {
    const std::string native = NativePath(path);
    if (NativeExists(native)) {
        return NativeToSystem(native);
    }
    std::string folder;
    std::string name;
    SplitFolder(native, folder, name);
    DIR* dir = opendir(folder.c_str());
    if (!dir) {
        return {};
    }
    std::string found;
    while (dirent* entry = readdir(dir)) {
        if (strcasecmp(entry->d_name, name.c_str()) == 0) {
            found = NativeToSystem(native.substr(0, native.size() - name.size()) + entry->d_name);
            break;
        }
    }
    closedir(dir);
    return found;
}

std::string ExecutablePath() {
    char buffer[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", buffer, sizeof(buffer) - 1);
    if (length <= 0) {
        return {};
    }
    return NativeToSystem(std::string_view(buffer, static_cast<size_t>(length)));
}

std::string GetWorkingDirectory() {
    char buffer[PATH_MAX];
    return getcwd(buffer, sizeof(buffer)) ? NativeToSystem(buffer) : std::string();
}

bool SetWorkingDirectory(const std::string& path) {
    return chdir(NativePath(path).c_str()) == 0;
}

} // namespace Vuro::Platform
