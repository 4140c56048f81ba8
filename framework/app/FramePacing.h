#pragma once
// The frame pacing of the application: the clock that turns elapsed time into time owed to
// fixed updates, the cap on updates between two draws, the spacing of presents, the frame
// counters and the check of vertical-blank pacing. The application is built on it, so its
// fields keep the names the game and the tests read on the application; the main loop asks it
// and forwards its clock operations here. Times are the platform clock's ms (wrapping).
//
// What callers can rely on:
// - Accumulate adds the time since the last call, owing at most 200 ms; while the start delay
//   runs it counts down by the same time. Restart forgets what is owed.
// - TakeUpdateSlot allows exactly ceil(speed x 10) updates between draws once loading is done.
// - CheckPacing marks vertical-blank pacing broken after three checks in a row that came back
//   within 800 ms (each about a second of updates at normal speed).

#include <atomic>
#include <cstdint>

namespace Vuro {

class FramePacing {
public:
    // Starts every clock of the pacing at now.
    void StartClocks(uint32_t now);
    void Accumulate(uint32_t now);
    // With addDelay the start delay runs again (owed time is dropped after each update).
    void Restart(uint32_t now, bool addDelay);
    double MsPerUpdate() const { return mFrameTime / mUpdateMultiplier; }
    // Counts an update towards the cap; false when the cap is reached (the pass draws).
    bool TakeUpdateSlot(bool loaded);
    // After an update ran: its time is paid, all of it during the start delay.
    void PayUpdate(double msPerUpdate);
    // Ms until the next update is owed (0 or less: owed now).
    int AheadMs(double msPerUpdate) const {
        return static_cast<int>(msPerUpdate - mUpdateFTimeAcc);
    }
    void CheckPacing(uint32_t now);
    // After a present at end of a pass that started at start: while loading, presents are
    // spaced out to leave the loading thread the processor.
    void SpacePresents(uint32_t start, uint32_t end, bool loading);

    // ---- [Fields] ----
    int mStartDelay = 0;            // ms; while above 0 owed time is dropped after each update
    int mUpdateCount = 0;           // updates since start: the demo's time base
    std::atomic<int> mDrawCount{0}; // frames presented
    int mSleepCount = 0;
    double mUpdateMultiplier = 1.0;      // game speed
    int mFrameTime = 10;                 // ms per update tick
    int mRefreshRate = 100;              // Hz
    bool mRefreshRateUnreliable = false; // the display could not measure a rate of 60..100 Hz
    double mUpdateFTimeAcc = 0.0;        // ms owed to updates, at most 200
    uint32_t mLastTimeCheck = 0;         // clock at the last accumulation; 0 not started
    uint32_t mStartTime = 0;             // clock when the main loop started
    std::atomic<uint32_t> mLastPresentTime{0};
    uint32_t mNextPresentTime = 0;
    int mUpdatesThisFrame = 0;
    bool mUpdatedSinceDraw = true;
    bool mFrameSkipped = false; // the last DrawDirtyWidgets presented nothing
    bool mForcePresent = false;
    int mDrawTime = 0; // ms, statistics
    int mScreenBltTime = 0;
    int mChangedUpdates = 0;            // updates after which the tree was dirty
    bool mVSyncPacingAvailable = false; // nothing sets it: pacing is by the frame time
    bool mVSyncPacingBroken = false;
    int mPacingCheckCount = 0;
    uint32_t mPacingCheckTime = 0;
    int mPacingFailures = 0;
};

} // namespace Vuro
