#include "platform/Process.h"

#include "platform/FileSystem.h"
#include "platform/TextEncoding.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace Vuro::Platform {

namespace {

std::atomic<ExitHandler> gExitHandler{nullptr};
std::atomic<DebugOutputSink> gDebugSink{nullptr};

std::mutex gCommandLineMutex;
std::string gCommandLine;
bool gCommandLineSet = false;

std::string QuotedIfBlank(const std::string& argument) {
    return argument.find(' ') == std::string::npos ? argument : "\"" + argument + "\"";
}

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

void SetCommandLineArgs(int argc, const char* const* argv) {
    std::string line;
    for (int i = 0; i < argc; ++i) {
        if (i > 0) {
            line += ' ';
        }
        line += QuotedIfBlank(NativeToSystem(argv[i] != nullptr ? argv[i] : ""));
    }
    std::lock_guard<std::mutex> lock(gCommandLineMutex);
    gCommandLine = line;
    gCommandLineSet = true;
}

std::string CommandLine() {
    {
        std::lock_guard<std::mutex> lock(gCommandLineMutex);
        if (gCommandLineSet) {
            return gCommandLine;
        }
    }
    return QuotedIfBlank(ExecutablePath());
}

void RaiseFault() {
    // A real invalid write, as a faulty program makes: the first page is never mapped. Not
    // null, which the undefined-behaviour checks would catch before the processor does.
    volatile uintptr_t firstPage = 16;
    *reinterpret_cast<volatile int*>(firstPage) = 0;
    std::raise(SIGSEGV);
    // A handler that returned (or an ignored signal): end as the default action would.
    std::signal(SIGSEGV, SIG_DFL);
    std::raise(SIGSEGV);
    std::abort();
}

} // namespace Vuro::Platform
