#include "platform/FileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>

namespace Vuro::Platform {

namespace {

// A new file beside `path` under a name no one else uses, made exclusively: nothing planted
// under a predictable name (a link, a folder) is followed or blocks the save. -1 on failure.
int CreateUniqueBeside(const std::string& path, std::string& name) {
    static std::atomic<unsigned> counter{0};
    const auto stamp = static_cast<unsigned long>(
        std::chrono::steady_clock::now().time_since_epoch().count() & 0xFFFFFF);
    for (int attempt = 0; attempt < 64; ++attempt) {
        name = path + ".tmp." + std::to_string(getpid()) + "." +
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

} // namespace Vuro::Platform
