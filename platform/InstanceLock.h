#pragma once
// Keeps a second copy of the program from running beside the first, and lets the second copy
// ask the first to come to the front before it leaves.
//
// - The lock is a lock file in the runtime folder ($XDG_RUNTIME_DIR, else /tmp), held with an
//   advisory lock for as long as the holding object lives; the system drops it when the
//   process ends, however it ends.
// - The holder listens on a datagram socket beside the lock file. NotifyHolder sends it one
//   datagram; the holder's TakeNotification (polled once per frame) answers true once per batch
//   of notifications since the last call. Neither call blocks.
// - Names are turned into file names: characters other than letters, digits, '.', '-' and '_'
//   become '_'.

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

    // $XDG_RUNTIME_DIR when set and non-empty, else /tmp.
    static std::string RuntimeFolder();

private:
    std::string mLockPath;
    std::string mSocketPath;
    int mLockFd = -1;
    int mSocketFd = -1;
    bool mHeld = false;
};

} // namespace Vuro::Platform
