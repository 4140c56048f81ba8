#include "platform/Threads.h"

#include <atomic>
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

} // namespace Vuro::Platform
