// The main loop: a state machine of loop steps that turns wall-clock time into fixed update
// ticks of the frame time (10 ms), draws only after something was updated, sleeps when ahead,
// and counts updates rather than time so that demo playback repeats a run exactly.
//
// Loop states: 0 pump messages and dispatch one queued input record -> 1 run an update when
// time allows -> 2 finish the update -> 3 idle (draw or sleep) -> 0.
//
// Behaviour a reader might not expect:
// - A frame pass that runs no update (paused, speed 0, a refused update, a fast-forward that
//   could not move on) ends in state 3, so the next step pumps messages; pause and speed 0
//   sleep one frame time, and so does a pass held by the screensaver, instead of spinning.
// - The per-draw update cap is compared before counting, so it allows exactly ceil(speed x 10)
//   updates between draws (10, 15 and 7 at speeds 1, 1.5 and 2/3).
// - A fast-forward replays the records due at a tick before each update, and ends its pass in
//   state 3 after each of its once-a-second draws so that input is pumped meanwhile.
// - The loading-yield sleep is computed with signed arithmetic, so a pass that slept more than
//   it worked yields nothing.

#include "framework/app/VuroAppBase.h"

#include "framework/debug/CrashHandler.h"

#include "framework/sound/MusicInterface.h"
#include "framework/sound/SoundManager.h"
#include "framework/util/MersenneTwister.h"
#include "framework/util/StringHelpers.h"
#include "framework/widgets/WidgetManager.h"
#include "platform/Clock.h"
#include "platform/EventSource.h"
#include "platform/InstanceLock.h"
#include "platform/Process.h"

namespace Vuro {

namespace {

// A present is forced after this long without one.
constexpr uint32_t kMaxPresentGapMs = 1000;
// A fast-forward draws at most this often.
constexpr uint32_t kFastForwardDrawMs = 1000;
// The loading yield never sleeps longer than this.
constexpr int kMaxLoadingYieldMs = 250;
// Fixed updates of 10 ms.
constexpr int kUpdatesPerSecond = 100;

uint32_t Now() {
    return Platform::GetClock().TickMs();
}
void SleepMs(int ms) {
    Platform::GetClock().SleepMs(static_cast<uint32_t>(ms));
}

} // namespace

void VuroAppBase::Start() {
    if (mShutdown) {
        // A loading thread started before Start must not outlive the loop's owner.
        EndLoadingThreadForExit();
        return;
    }
    StartCursorThread();
    if (mAutoStartLoadingThread) {
        StartLoadingThread();
    }
    if (mMainWindow != nullptr) {
        mMainWindow->Show();
        mMainWindow->Focus();
    }
    uint32_t startTime = Now();
    mInMainLoop = true;
    mLastInputTime = startTime;
    mLastTimerTick = startTime;
    mStartTime = startTime;

    RunMainLoop();
    DeleteQueuedWidgets();
    mInMainLoop = false;
    EndLoadingThreadForExit();

    uint32_t elapsed = Now() - startTime;
    Platform::DebugOutput(StrFormat("Seconds       = %g\r\n", elapsed * 0.001));
    Platform::DebugOutput(StrFormat("Sleep Count   = %d\r\n", mSleepCount));
    Platform::DebugOutput(StrFormat("Update Count  = %d\r\n", mUpdateCount));
    Platform::DebugOutput(StrFormat("Draw Count    = %d\r\n", mDrawCount.load()));
    Platform::DebugOutput(StrFormat("Draw Time     = %d\r\n", mDrawTime));
    Platform::DebugOutput(StrFormat("Screen Blt    = %d\r\n", mScreenBltTime));
    if (mDrawTime + mScreenBltTime > 0) {
        Platform::DebugOutput(
            StrFormat("Avg FPS       = %d\r\n", mDrawCount * 1000 / (mDrawTime + mScreenBltTime)));
    }
    AfterMainLoop();
    WriteSettings();
}

void VuroAppBase::RunMainLoop() {
    while (!mShutdown) {
        mStepAbort = false;
        (void)StepUntilUpdated();
    }
}

bool VuroAppBase::StepUntilUpdated() {
    bool updated = false;
    while (!updated) {
        if (!RunLoopStep(&updated)) {
            return false;
        }
    }
    return true;
}

bool VuroAppBase::RunLoopStep(bool* updated) {
    *updated = false;
    if (mStepAbort) {
        return false;
    }
    if (mLoopState == 3) {
        mLoopState = 0;
    }
    ++mStepDepth;
    if (mLoopState == 0) {
        PumpMessages();
        ReplayDemoInput();
        if (!DispatchQueuedInput(true)) {
            mLoopState = 1;
        }
    } else if (mSingleStepMode == 0) {
        int before = mUpdateCount;
        (void)Process(true);
        *updated = mUpdateCount != before;
    } else if (mSingleStepMode == 1) {
        mSingleStepMode = 2;
        (void)RunFixedUpdate();
        UpdateWidgetsSmooth(1.0f);
        DrawDirtyWidgets();
    } else {
        SleepMs(mFrameTime);
        mLoopState = 3;
    }
    --mStepDepth;
    return true;
}

void VuroAppBase::PumpMessages() {
    Platform::EventSource& source = Platform::GetEventSource();
    Platform::Message message;
    while (!mShutdown && source.PeekMessage(message)) {
        WindowProc(message);
    }
    if (!mShutdown && mInstanceLock != nullptr && mInstanceLock->TakeNotification() &&
        mMainWindow != nullptr) {
        WindowProc(Platform::Message{mMainWindow->Id(), mNotifyMessage, 0, 0});
    }
}

bool VuroAppBase::Process(bool allowSleep) {
    if (mShutdownRequested) {
        Shutdown();
    }
    ApplyCursorRequests();
    if (mPlayingDemoBuffer && IsDemoControlOpen()) {
        // A playback window is up: the game holds still, the window is drawn.
        DrawDirtyWidgets();
        DeleteQueuedWidgets();
        return IdleFrame(allowSleep);
    }
    if (mPlayingDemoBuffer && FastForwardPass()) {
        return true;
    }
    if (mPaused || mUpdateMultiplier <= 0.0) {
        DeleteQueuedWidgets();
        return IdleFrame(allowSleep);
    }

    uint32_t now = Now();
    int slept = 0;
    UpdateFrameTime();
    double msPerUpdate = MsPerUpdate();
    if (mLoopState == 1) {
        if (!TakeUpdateSlot(mLoaded) || mUpdateFTimeAcc < msPerUpdate) {
            if (!DrawOrSleep(allowSleep, msPerUpdate, slept)) {
                return false;
            }
        } else {
            if (!mPlayingDemoBuffer && mUpdateMultiplier == 1.0) {
                CheckPacing(now);
            }
            if (RunFixedUpdate()) {
                mLoopState = 2;
                mUpdatedSinceDraw = true;
            } else if (mScreenSaverHold) {
                DeleteQueuedWidgets();
                return IdleFrame(allowSleep);
            } else {
                // Refused (a demo record is due, or loading must catch up): pump, then retry.
                mLoopState = 3;
            }
        }
    } else if (mLoopState == 2) {
        // The fractional catch-up updates of vertical-blank pacing never run here: nothing
        // makes that pacing available, so each pass owes exactly one update.
        mLoopState = 3;
        UpdateWidgetsSmooth(1.0f);
        DeleteQueuedWidgets();
        PayUpdate(msPerUpdate);
    } else if (!DrawOrSleep(allowSleep, msPerUpdate, slept)) {
        return false;
    }
    if (!YieldToLoadingThread(allowSleep, now, slept)) {
        return false;
    }
    DeleteQueuedWidgets();
    return true;
}

bool VuroAppBase::FastForwardPass() {
    while (mPlayingDemoBuffer && !mShutdown && FastForwardDue(mUpdateCount)) {
        if (!mFastForwarding && !mDrawNow) {
            mFastForwarding = true;
            Mute(true);
        }
        ResetFrameClock(false);
        int before = mUpdateCount;
        ReplayDemoInput();
        if (RunFixedUpdate()) {
            DeleteQueuedWidgets();
            UpdateWidgetsSmooth(1.0f);
            DeleteQueuedWidgets();
        }
        if (mUpdateCount == before) {
            mLoopState = 3;
            return true;
        }
        uint32_t now = Now();
        if (now - mLastFastForwardDraw >= kFastForwardDrawMs || mDrawNow) {
            mDrawNow = false;
            mLastFastForwardDraw = now;
            DrawDirtyWidgets();
            mLoopState = 3;
            return true;
        }
    }
    if (mFastForwarding) {
        mFastForwarding = false;
        if (mSoundManager != nullptr) {
            mSoundManager->StopAllSounds();
        }
        Unmute(true);
    }
    return false;
}

bool VuroAppBase::IdleFrame(bool allowSleep) {
    mLoopState = 3;
    if (!allowSleep) {
        return false;
    }
    ++mSleepCount;
    SleepMs(mFrameTime);
    return true;
}

bool VuroAppBase::DrawOrSleep(bool allowSleep, double msPerUpdate, int& slept) {
    mLoopState = 3;
    mUpdatesThisFrame = 0;
    if (mUpdatedSinceDraw) {
        DrawDirtyWidgets();
        return true;
    }
    int ahead = AheadMs(msPerUpdate);
    if (ahead > 0) {
        if (!allowSleep) {
            return false;
        }
        ++mSleepCount;
        SleepMs(ahead);
        slept = ahead;
    }
    return true;
}

bool VuroAppBase::YieldToLoadingThread(bool allowSleep, uint32_t now, int slept) {
    if (!mLoadingThreadRunning) {
        return true;
    }
    // About twice the pass's own working time goes to the loading thread.
    int worked = static_cast<int>(static_cast<int32_t>(Now() - now)) - slept;
    int yield = std::min(2 * worked - slept, kMaxLoadingYieldMs);
    if (yield >= 0) {
        if (!allowSleep) {
            return false;
        }
        SleepMs(yield);
    }
    return true;
}

bool VuroAppBase::RunFixedUpdate() {
    if (mScreenSaverHold) {
        return false;
    }
    if (mPlayingDemoBuffer) {
        if (mLoadingThreadCompleted && !mLoaded && mDemoLoadingComplete) {
            CompleteLoading();
        }
        if (mLoaded != mDemoLoadingComplete || IsDemoRecordDue()) {
            return false;
        }
    } else if (mLoadingThreadCompleted && !mLoaded) {
        CompleteLoading();
        if (mRecordingDemoBuffer) {
            RecordLoadingDone();
        }
    }
    UpdateWidgets();
    return true;
}

void VuroAppBase::CompleteLoading() {
    mLoaded = true;
    mLoadingThreadRunning = false;
    OnLoadingDone();
}

void VuroAppBase::UpdateWidgets() {
    ++mUpdateCount;
    // A crash report shows the application's state as of at most a second ago; the loop's
    // counters go to the debug output as often, so a run can be measured while it goes on.
    if (mUpdateCount % kUpdatesPerSecond == 0) {
        CrashHandler::PublishCrashInfo(*this);
        Platform::DebugOutput(StrFormat("Loop Stats: %u ms, %d updates, %d presents, %d sleeps\r\n",
                                        Now() - mStartTime, mUpdateCount, mDrawCount.load(),
                                        mSleepCount));
    }
    if (!mMinimized && mWidgetManager->UpdateFrame()) {
        ++mChangedUpdates;
    }
    if (mMusicInterface != nullptr) {
        mMusicInterface->Update();
    }
}

void VuroAppBase::UpdateWidgetsSmooth(float fraction) {
    if (mVSyncPacingAvailable && !mMinimized) {
        (void)mWidgetManager->UpdateFrameSmooth(fraction);
    }
}

uint32_t VuroAppBase::WaitForRefreshPeriod(uint32_t now) {
    const int sincePresent = static_cast<int>(static_cast<int32_t>(now - mLastPresentTime));
    const int wait = mDDInterface->mMillisecondsPerFrame - sincePresent;
    if (wait <= 0) {
        return now;
    }
    SleepMs(wait);
    return Now();
}

void VuroAppBase::DrawDirtyWidgets() {
    // Drawing must not draw random numbers: a demo would diverge.
    MersenneTwister::AdjustRandGuard(false);
    uint32_t start = Now();
    bool presented = false;
    if (mSurfaceLost) {
        Redraw(nullptr);
    } else {
        CheckScreenSaverIdleDue(start);
        if (!mScreenSaverHold) {
            mIsDrawing = true;
            bool drew = mWidgetManager->DrawScreen();
            mIsDrawing = false;
            uint32_t now = Now();
            // The overlay's text changes by itself (rate, mouse, demo time): it presents too.
            bool due =
                drew || mForcePresent || mShowOverlay || now - mLastPresentTime >= kMaxPresentGapMs;
            if (due && static_cast<int32_t>(now - mNextPresentTime) >= 0) {
                DrawDeveloperOverlay();
                if (mShowOverlay) {
                    CountOverlayFrame(now);
                }
                mFrameSkipped = false;
                ++mDrawCount;
                mDrawTime += static_cast<int>(now - start);
                if ((mWaitForVSync || !mIsPhysWindowed) && mDDInterface != nullptr) {
                    // A window with vertical sync asked for presents at most once a refresh
                    // period (the display's own flag for this is set and nothing clears it);
                    // so does full screen, whose flip waits for the vertical blank.
                    now = WaitForRefreshPeriod(now);
                }
                mLastPresentTime = now;
                Redraw(nullptr);
                UpdateFrameTime();
                uint32_t end = Now();
                mScreenBltTime += static_cast<int>(end - now);
                if (mDrawCount == 1) {
                    // From the application's construction to the first frame shown.
                    Platform::DebugOutput(
                        StrFormat("First Frame Time: %d\r\n", static_cast<int>(end - mLoadTime)));
                }
                presented = true;
                // While the loading thread works, presents are spaced out to leave it the
                // processor.
                SpacePresents(start, end, mLoadingThreadStarted && !mLoadingThreadCompleted);
            }
        }
    }
    mUpdatedSinceDraw = false;
    mForcePresent = false;
    if (!presented) {
        mFrameSkipped = true;
    }
    MersenneTwister::AdjustRandGuard(true);
}

} // namespace Vuro
