#pragma once
// A lock shared across threads. Re-entrant, like a system critical section:
// the thread that holds it may enter again. Enter and leave through ScopedLock only.

#include <mutex>

namespace Vuro {

class LockSection {
public:
    LockSection() = default;
    LockSection(const LockSection&) = delete;
    LockSection& operator=(const LockSection&) = delete;

private:
    friend class ScopedLock;
    std::recursive_mutex mMutex;
};

class ScopedLock {
public:
    explicit ScopedLock(LockSection& section) : mLock(section.mMutex) {}
    ScopedLock(const ScopedLock&) = delete;
    ScopedLock& operator=(const ScopedLock&) = delete;

private:
    std::lock_guard<std::recursive_mutex> mLock;
};

} // namespace Vuro
