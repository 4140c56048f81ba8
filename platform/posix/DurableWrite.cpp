#include "platform/FileSystem.h"
#include "platform/Process.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <vector>

namespace Vuro::Platform {

namespace {

constexpr const char* kTemporaryMark = ".tmp.";

// The process id in a temporary file's name of `file`: "<file>.tmp.<pid>.<n>"; 0 when the name
// is not of that form.
int TemporaryOwner(const std::string& name, const std::string& file) {
    const std::string prefix = file + kTemporaryMark;
    if (name.compare(0, prefix.size(), prefix) != 0) {
        return 0;
    }
    const char* digits = name.c_str() + prefix.size();
    if (*digits < '0' || *digits > '9') {
        return 0;
    }
    char* end = nullptr;
    const long owner = std::strtol(digits, &end, 10);
    if (*end != '.' || end[1] == '\0' || owner > INT_MAX) {
        return 0;
    }
    for (const char* rest = end + 1; *rest != '\0'; ++rest) {
        if (*rest < '0' || *rest > '9') {
            return 0;
        }
    }
    return static_cast<int>(owner);
}

// Removes the temporary files of `path` that a process ended while saving left behind. Those of
// running processes (this one included) may be saves under way and stay.
void RemoveStaleTemporaries(const std::string& path) {
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
    const std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) {
        return;
    }
    std::vector<std::string> stale;
    while (const dirent* entry = readdir(dir)) {
        const int owner = TemporaryOwner(entry->d_name, file);
        if (owner > 0 && owner != getpid() && !ProcessRuns(owner)) {
            stale.push_back(folder + "/" + entry->d_name);
        }
    }
    closedir(dir);
    for (const std::string& name : stale) {
        unlink(name.c_str());
    }
}

// A new file beside `path` under a name no one else uses, made exclusively: nothing planted
// under a predictable name (a link, a folder) is followed or blocks the save. -1 on failure.
int CreateUniqueBeside(const std::string& path, std::string& name) {
    static std::atomic<unsigned> counter{0};
    const auto stamp = static_cast<unsigned long>(
        std::chrono::steady_clock::now().time_since_epoch().count() & 0xFFFFFF);
    for (int attempt = 0; attempt < 64; ++attempt) {
        name = path + kTemporaryMark + std::to_string(getpid()) + "." +
               std::to_string(counter.fetch_add(1) ^ stamp);
        const int fd =
            open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

// The folder's entry for the renamed file reaches the disk too, so the save survives a power cut.
void SyncFolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        (void)fsync(fd);
        close(fd);
    }
}

} // namespace

bool WriteFileReplacing(const std::string& path, const std::function<bool(FILE*)>& writer) {
    const std::string native = NativePath(path);
    RemoveStaleTemporaries(native);
    std::string temporary;
    const int fd = CreateUniqueBeside(native, temporary);
    if (fd < 0) {
        return false;
    }
    FILE* file = fdopen(fd, "wb");
    if (file == nullptr) {
        close(fd);
        unlink(temporary.c_str());
        return false;
    }
    bool written = writer(file);
    // A failing flush, sync or close means bytes never reached the disk.
    written = std::fflush(file) == 0 && written;
    written = fsync(fileno(file)) == 0 && written;
    written = std::fclose(file) == 0 && written;
    if (!written || std::rename(temporary.c_str(), native.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    SyncFolderOf(native);
    return true;
}

bool CopyFile(const std::string& from, const std::string& to) {
    FILE* source = OpenFile(from, "rb");
    if (source == nullptr) {
        return false;
    }
    const bool copied = WriteFileReplacing(to, [source](FILE* file) {
        char block[16384];
        size_t count = 0;
        while ((count = std::fread(block, 1, sizeof(block), source)) > 0) {
            if (std::fwrite(block, 1, count, file) != count) {
                return false;
            }
        }
        return std::ferror(source) == 0;
    });
    std::fclose(source);
    return copied;
}

} // namespace Vuro::Platform
