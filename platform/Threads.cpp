#include "platform/Threads.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <system_error>
#include <thread>

namespace Vuro::Platform {

bool StartDetachedThread(std::function<void()> body) {
    try {
        std::thread(std::move(body)).detach();
        return true;
    } catch (const std::system_error&) {
        return false;
    }
}

uint32_t CurrentThreadId() {
    static std::atomic<uint32_t> gNextId{1};
    thread_local uint32_t id = gNextId.fetch_add(1);
    return id;
}

namespace {
// Linux applies a nice value to the one thread named by its kernel id.
id_t KernelThreadId() {
    return static_cast<id_t>(syscall(SYS_gettid));
}
} // namespace

bool RaiseThreadPriority(int& previous) {
    errno = 0;
    previous = getpriority(PRIO_PROCESS, KernelThreadId());
    if (errno != 0) {
        return false;
    }
    // Refused without the right to raise priority: the thread runs on as it was.
    return setpriority(PRIO_PROCESS, KernelThreadId(), previous - 2) == 0;
}

void RestoreThreadPriority(int previous) {
    (void)setpriority(PRIO_PROCESS, KernelThreadId(), previous);
}

} // namespace Vuro::Platform
