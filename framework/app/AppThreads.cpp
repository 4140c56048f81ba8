// The two workers beside the main thread: the loading thread runs RunLoadingWork once per
// start; the cursor thread moves the display's software cursor every 10 ms until shut-down.
// Both are joined before the application lets go of what they use; loading work that is still
// under way half a second after the main loop ended ends the process instead, once a demo
// being recorded is written.

#include "framework/app/VuroAppBase.h"

#include "framework/debug/CrashDemo.h"
#include "framework/util/StringHelpers.h"
#include "platform/Clock.h"
#include "platform/EventSource.h"
#include "platform/Process.h"

#include <system_error>
#include <typeinfo>

namespace Vuro {

namespace {
constexpr uint32_t kCursorTickMs = 10;
// The cursor is moved at once only when no present is due this soon.
constexpr uint32_t kCursorPresentSlackMs = 5;
} // namespace

void VuroAppBase::StartLoadingThread() {
    if (mLoadingThreadStarted) {
        return;
    }
    // A thread of an earlier start has finished its work; let it go first.
    WaitForLoadingThread();
    mLoadingThreadRunning = true;
    mLoadingThreadStarted = true;
    mLoadingWorkOfProduct = typeid(*this) != typeid(VuroAppBase);
    try {
        mLoadingThread = std::thread(&VuroAppBase::LoadingThreadProc, this);
    } catch (const std::system_error&) {
        LoadingThreadProc(); // no thread to be had: do the work here
    }
}

void VuroAppBase::LoadingThreadProc() {
    RunLoadingWork();
    uint32_t loadingMs = Platform::GetClock().TickMs() - mLoadTime;
    Platform::DebugOutput(StrFormat("Resource Loading Time: %d\r\n", static_cast<int>(loadingMs)));
    mLoadingThreadCompleted = true;
}

void VuroAppBase::WaitForLoadingThread() {
    if (mLoadingThread.joinable() && mLoadingThread.get_id() != std::this_thread::get_id()) {
        mLoadingThread.join();
    }
}

void VuroAppBase::StopLoadingThread() {
    if (mLoadingThread.joinable()) {
        mShutdownRequested = true;
    }
    WaitForLoadingThread();
}

void VuroAppBase::EndLoadingThreadForExit() {
    Platform::Clock& clock = Platform::GetClock();
    const uint32_t start = clock.TickMs();
    auto underWay = [this] { return mLoadingThread.joinable() && !mLoadingThreadCompleted; };
    while (underWay() && clock.TickMs() - start < kExitLoadingWaitMs) {
        clock.SleepMs(kCursorTickMs);
    }
    if (!underWay()) {
        WaitForLoadingThread();
        return;
    }
    // Waiting for the whole loading work after a quit request could take tens of seconds.
    // Shutdown has written the settings. A demo being recorded is closed at the update count
    // reached and written the way a crash writes it; the work, which may still be running,
    // records nothing more into it.
    CrashDemo demo;
    PrepareCrashDemo(*this, demo);
    mRecordingDemoBuffer = false;
    (void)WriteCrashDemo(demo, *this);
    Platform::DebugOutput("Loading work still under way at exit: ending without it\r\n");
    Platform::ExitProcess(0);
}

void VuroAppBase::StartCursorThread() {
    if (mCursorThreadRunning) {
        return;
    }
    if (mCursorThread.joinable()) {
        mCursorThread.join();
    }
    mCursorThreadRunning = true;
    try {
        mCursorThread = std::thread(&VuroAppBase::CursorThreadProc, this);
    } catch (const std::system_error&) {
        mCursorThreadRunning = false;
    }
}

void VuroAppBase::CursorThreadProc() {
    int lastX = 0;
    int lastY = 0;
    while (!mShutdown) {
        Platform::GetClock().SleepMs(kCursorTickMs);
        DDInterface* display = mDDInterface;
        if (mShutdown || display == nullptr) {
            continue;
        }
        int x = 0;
        int y = 0;
        if (mPlayingDemoBuffer) {
            x = mDemoMouseX;
            y = mDemoMouseY;
        } else {
            Platform::GetEventSource().GetMousePosition(x, y);
        }
        ScopedLock lock(display->mCritSect);
        if (mDrawCount > 0) {
            lastX = display->mCursorDrawnX;
            lastY = display->mCursorDrawnY;
        }
        if (x != lastX || y != lastY) {
            uint32_t sincePresent = Platform::GetClock().TickMs() - mLastPresentTime;
            if (sincePresent >
                static_cast<uint32_t>(display->mMillisecondsPerFrame) + kCursorPresentSlackMs) {
                display->SetCursorPos(x, y);
            } else {
                // A present is near: it draws the cursor at the new place.
                display->mCursorX = x;
                display->mCursorY = y;
            }
        }
        lastX = x;
        lastY = y;
    }
    mCursorThreadRunning = false;
}

void VuroAppBase::StopCursorThread() {
    while (mCursorThreadRunning) {
        Platform::GetClock().SleepMs(kCursorTickMs);
    }
    if (mCursorThread.joinable()) {
        mCursorThread.join();
    }
}

} // namespace Vuro
