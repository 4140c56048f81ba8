#include "platform/FileSystem.h"

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
    std::lock_guard<std::mutex> lock(gMapLock);
    const size_t length = gMappedName.size();
    if (length != 0 && result.compare(0, length, gMappedName) == 0 &&
        (result.size() == length || result[length] == '/')) {
        result.replace(0, length, gMappedFolder);
    }
    return result;
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
    if (mask == "*.*") {
        mask = "*";
    }
    DIR* dir = opendir(folder.c_str());
    if (!dir) {
        return false;
    }
    while (dirent* entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        // No FNM_PERIOD: the system's file search lets wildcards match a leading dot too.
        if (fnmatch(mask.c_str(), name.c_str(), 0) != 0) {
            continue;
        }
        std::string full = folder == "/" ? "/" + name : folder + "/" + name;
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
    struct stat info {};
    return stat(NativePath(path).c_str(), &info) == 0;
}

bool IsDirectory(const std::string& path) {
    struct stat info {};
    return stat(NativePath(path).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool MakeDirectory(const std::string& path) {
    return mkdir(NativePath(path).c_str(), 0755) == 0;
}

bool RemoveFile(const std::string& path) {
    return unlink(NativePath(path).c_str()) == 0;
}

bool MakeFolders(const std::string& path) {
    const std::string native = NativePath(path);
    for (size_t slash = native.find('/', 1); slash != std::string::npos;
         slash = native.find('/', slash + 1)) {
        const std::string folder = native.substr(0, slash);
        if (!IsDirectory(folder) && !MakeDirectory(folder)) {
            return false;
        }
    }
    return IsDirectory(native) || MakeDirectory(native);
}

bool RemoveDirectory(const std::string& path) {
    return rmdir(NativePath(path).c_str()) == 0;
}

bool RenameFile(const std::string& from, const std::string& to) {
    return std::rename(NativePath(from).c_str(), NativePath(to).c_str()) == 0;
}

std::string KeepFileAside(const std::string& path, std::string_view why) {
    const std::string native = NativePath(path);
    for (int n = 1; n <= kMaxKeptCopies; ++n) {
        const std::string aside = native + ".kept" + (n > 1 ? "." + std::to_string(n) : "");
        int moved = renameat2(AT_FDCWD, native.c_str(), AT_FDCWD, aside.c_str(), RENAME_NOREPLACE);
        if (moved != 0 && errno == EINVAL) {
            // A file system without the flag: look first, then rename.
            if (FileExists(aside)) {
                errno = EEXIST;
            } else {
                moved = std::rename(native.c_str(), aside.c_str());
            }
        }
        if (moved == 0) {
            std::fprintf(stderr, "%s %.*s; it is kept as %s\n", native.c_str(),
                         static_cast<int>(why.size()), why.data(), aside.c_str());
            return aside;
        }
        if (errno != EEXIST) {
            return {};
        }
    }
    return {};
}

std::string FindFileNoCase(const std::string& path) {
    std::string native = NativePath(path);
    if (FileExists(native)) {
        return native;
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
            found = native.substr(0, native.size() - name.size()) + entry->d_name;
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
    return std::string(buffer, static_cast<size_t>(length));
}

std::string GetWorkingDirectory() {
    char buffer[PATH_MAX];
    return getcwd(buffer, sizeof(buffer)) ? std::string(buffer) : std::string();
}

bool SetWorkingDirectory(const std::string& path) {
    return chdir(NativePath(path).c_str()) == 0;
}

} // namespace Vuro::Platform
