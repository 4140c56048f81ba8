#include "platform/Process.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace Vuro::Platform {

namespace {

std::atomic<ExitHandler> gExitHandler{nullptr};
std::atomic<DebugOutputSink> gDebugSink{nullptr};

void DefaultDebugOutput(std::string_view text) {
    static const bool enabled = std::getenv("VURO_DEBUG_OUTPUT") != nullptr;
    if (enabled) {
        std::fwrite(text.data(), 1, text.size(), stderr);
    }
}

} // namespace

void ExitProcess(int code) {
    if (ExitHandler handler = gExitHandler.load()) {
        handler(code);
    }
    std::fflush(nullptr);
    // No static destructors: other threads may still be running, as at any abrupt end.
    std::_Exit(code);
}

ExitHandler SetExitHandler(ExitHandler handler) {
    return gExitHandler.exchange(handler);
}

std::string ProductVersion() {
    return VURO_PRODUCT_VERSION;
}

void DebugOutput(std::string_view text) {
    if (DebugOutputSink sink = gDebugSink.load()) {
        sink(text);
    } else {
        DefaultDebugOutput(text);
    }
}

DebugOutputSink SetDebugOutputSink(DebugOutputSink sink) {
    return gDebugSink.exchange(sink);
}

} // namespace Vuro::Platform
