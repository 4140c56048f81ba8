#include "platform/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace Vuro::Platform {

namespace {

std::string FileNameOf(const std::string& name) {
    std::string out = name.empty() ? std::string("_") : name;
    for (char& c : out) {
        bool keep = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                    c == '.' || c == '-' || c == '_';
        if (!keep) {
            c = '_';
        }
    }
    return out;
}

// False when the path does not fit a socket address.
bool MakeAddress(const std::string& path, sockaddr_un& address) {
    std::memset(&address, 0, sizeof(address));
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof(address.sun_path)) {
        return false;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return true;
}

// The lock file's and the socket's path without their endings: in the folder, else in the user's
// runtime folder, else in /tmp with the user id in the name.
std::string PathBase(const std::string& name, const std::string& folder) {
    if (!folder.empty()) {
        return folder + "/" + FileNameOf(name);
    }
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && *runtime != '\0') {
        return std::string(runtime) + "/" + FileNameOf(name);
    }
    return "/tmp/" + FileNameOf(name) + "-" + std::to_string(getuid());
}

} // namespace

InstanceLock::InstanceLock(const std::string& name, const std::string& folder)
    : mLockPath(LockFileOf(name, folder)), mSocketPath(PathBase(name, folder) + ".notify") {}

std::string InstanceLock::LockFileOf(const std::string& name, const std::string& folder) {
    return PathBase(name, folder) + ".lock";
}

InstanceLock::~InstanceLock() {
    if (mSocketFd >= 0) {
        close(mSocketFd);
        unlink(mSocketPath.c_str());
    }
    // The lock file stays: removing it could let two copies lock two different files.
    if (mLockFd >= 0) {
        close(mLockFd);
    }
}

InstanceLock::Result InstanceLock::Acquire() {
    if (mHeld) {
        return Result::Acquired;
    }
    if (mLockFd < 0) {
        mLockFd = open(mLockPath.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (mLockFd < 0) {
            return Result::Unavailable;
        }
        // Another user's file is no lock of this user's copies, whoever holds it.
        struct stat info {};
        if (fstat(mLockFd, &info) != 0 || info.st_uid != geteuid()) {
            close(mLockFd);
            mLockFd = -1;
            return Result::Unavailable;
        }
    }
    if (flock(mLockFd, LOCK_EX | LOCK_NB) != 0) {
        return errno == EWOULDBLOCK ? Result::HeldElsewhere : Result::Unavailable;
    }
    mHeld = true;
    // A socket left by a copy that died is stale: only the holder of the lock binds it.
    unlink(mSocketPath.c_str());
    sockaddr_un address;
    if (MakeAddress(mSocketPath, address)) {
        mSocketFd = socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (mSocketFd >= 0 &&
            bind(mSocketFd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) {
            close(mSocketFd);
            mSocketFd = -1;
        }
    }
    return Result::Acquired;
}

bool InstanceLock::NotifyHolder() {
    sockaddr_un address;
    if (!MakeAddress(mSocketPath, address)) {
        return false;
    }
    int fd = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return false;
    }
    char byte = 1;
    bool sent = sendto(fd, &byte, 1, MSG_DONTWAIT, reinterpret_cast<sockaddr*>(&address),
                       sizeof(address)) == 1;
    close(fd);
    return sent;
}

bool InstanceLock::TakeNotification() {
    if (mSocketFd < 0) {
        return false;
    }
    bool any = false;
    char buffer[16];
    while (recv(mSocketFd, buffer, sizeof(buffer), MSG_DONTWAIT) >= 0) {
        any = true;
    }
    return any;
}

} // namespace Vuro::Platform
