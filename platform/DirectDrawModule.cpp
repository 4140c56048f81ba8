// The "ddraw.dll" module of the library table, and the failures tests inject by name.

#include "platform/DirectDraw.h"

#include <atomic>
#include <map>
#include <mutex>

namespace Vuro::Platform {

namespace {

struct InjectedFailure {
    DDResult result;
    int skip;
    int count;
};

std::mutex& FailureMutex() {
    static std::mutex mutex;
    return mutex;
}

std::map<std::string, InjectedFailure>& Failures() {
    static std::map<std::string, InjectedFailure> failures;
    return failures;
}

// Lets every operation pass without the lock while nothing is injected.
std::atomic<bool> gAnyFailure{false};

DDResult CreateDevice(const char* operation, std::shared_ptr<DirectDraw>* out) {
    if (out == nullptr) {
        return kDDErrInvalidParams;
    }
    if (DDResult failure = TakeDirectDrawFailure(operation)) {
        return failure;
    }
    return GetDirectDrawSystem().Create(*out);
}

DDResult DirectDrawCreate(std::shared_ptr<DirectDraw>* out) {
    return CreateDevice("DirectDrawCreate", out);
}

DDResult DirectDrawCreateEx(std::shared_ptr<DirectDraw>* out) {
    return CreateDevice("DirectDrawCreateEx", out);
}

} // namespace

const LibraryModule& DirectDrawModule() {
    static const LibraryModule module{
        "ddraw.dll",
        {{"DirectDrawCreate", reinterpret_cast<ProcAddress>(&DirectDrawCreate)},
         {"DirectDrawCreateEx", reinterpret_cast<ProcAddress>(&DirectDrawCreateEx)}}};
    return module;
}

void InjectDirectDrawFailure(const std::string& operation, DDResult result, int skip, int count) {
    std::lock_guard lock(FailureMutex());
    Failures()[operation] = InjectedFailure{result, skip, count};
    gAnyFailure = true;
}

void ClearDirectDrawFailures() {
    std::lock_guard lock(FailureMutex());
    Failures().clear();
    gAnyFailure = false;
}

DDResult TakeDirectDrawFailure(const char* operation) {
    if (!gAnyFailure.load(std::memory_order_relaxed)) {
        return kDDOk;
    }
    std::lock_guard lock(FailureMutex());
    auto found = Failures().find(operation);
    if (found == Failures().end() || found->second.count <= 0) {
        return kDDOk;
    }
    if (found->second.skip > 0) {
        --found->second.skip;
        return kDDOk;
    }
    --found->second.count;
    return found->second.result;
}

} // namespace Vuro::Platform
