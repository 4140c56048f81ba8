#pragma once
// Keeps a second copy of the program from running beside the first, and lets the second copy
// ask the first to come to the front before it leaves.
//
// - The lock is a lock file in the user's runtime folder ($XDG_RUNTIME_DIR), held with an
//   advisory lock for as long as the holding object lives; the system drops it when the
//   process ends, however it ends. Without that folder it lies in /tmp, which every user
//   shares, so its name there carries the user id ("Name-1000.lock"). A lock file that another
//   user owns, or a link in its place, is never used: the copy runs without the check.
// - The holder listens on a datagram socket beside the lock file. NotifyHolder sends it one
//   datagram; the holder's TakeNotification (polled once per frame) answers true once per batch
//   of notifications since the last call. Neither call blocks.
// - Names are turned into file names: characters other than letters, digits, '.', '-' and '_'
//   become '_'. The lock's names are the operating system's own (its folder and these
//   characters): no system text reaches them.

#include <string>

namespace Vuro::Platform {

class InstanceLock {
public:
    enum class Result {
        Acquired,      // this object holds the lock now
        HeldElsewhere, // another object or process holds it
        Unavailable,   // no lock file could be made; run without the check
    };

    // folder empty: the runtime folder.
    explicit InstanceLock(const std::string& name, const std::string& folder = {});
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    [[nodiscard]] Result Acquire();
    bool IsHeld() const { return mHeld; }
    // From a copy that could not acquire: asks the holder to come forward. False when nobody
    // listens.
    bool NotifyHolder();
    bool TakeNotification();

    // The lock file of a name in a folder (empty: the runtime folder, as above).
    static std::string LockFileOf(const std::string& name, const std::string& folder = {});
    const std::string& LockPath() const { return mLockPath; }

private:
    std::string mLockPath;
    std::string mSocketPath;
    int mLockFd = -1;
    int mSocketFd = -1;
    bool mHeld = false;
};

} // namespace Vuro::Platform
