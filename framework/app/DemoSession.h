#pragma once
// The demo session of the application: whether a demo is recorded or played back, its record
// stream and file name, the replayed mouse, the markers and end tick, and the playback's speed,
// pause and jump state. The application is built on it, so its fields keep the names the game
// and the tests read on the application; the application's demo operations forward here.
//
// What callers can rely on:
// - Framing: a record header written at update count n (WriteRecordHeader) is due at n when
//   read back (ReadUpdateDelta); gaps of more than 15 updates are bridged by filler records,
//   and a count that went back is written as no gap.
// - RecordsLeft ignores the padding of the stream's last byte; BytesLeft ends the stream when
//   a value would run past it (the demo is damaged).
// - Jump targets are update counts; frameTime is the ms per update.
// - Numbered demo files lie in the program's folder (an absolute prefix stays as it is).

#include "framework/app/DemoFile.h"
#include "framework/util/Buffer.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

namespace Vuro {

class DemoSession {
public:
    // ---- [Record stream] ----
    // Recording: the update delta of a record about to be written at updateCount.
    void WriteUpdateDelta(int updateCount);
    // Recording: delta, mouse flag and code of a record (DemoRecord.h).
    void WriteRecordHeader(int updateCount, int code, bool mouse);
    // Recording: the move and button records of a mouse message at (x, y); button is the
    // click count's button number (0 none), up whether it was released.
    void WriteMouseRecords(int updateCount, int x, int y, int button, bool up);
    // Playback: reads the next header when one is pending; answers whether it is due now.
    bool ReadUpdateDelta(int updateCount);
    bool RecordsLeft() const;
    [[nodiscard]] bool BytesLeft(uint32_t count);
    void EndStream();

    // ---- [Demo file] ----
    // Takes the markers, end tick and records of a file read.
    void TakeFile(DemoFile& demo);
    // The file of the recording so far.
    DemoFile MakeFile(uint32_t seed, const std::string& productVersion, int updateCount) const;
    // Numbered files prefix + "<n>.dmo": the largest n (0 when there is none); with deleteOld
    // the smallest-numbered one is deleted when at least count exist.
    static int NextFileNumber(const std::string& prefix, int count, bool deleteOld);
    static std::string NumberedFileName(const std::string& prefix, int number);

    // ---- [Jumps] ----
    // "h:m:s", "m:s" or "s" in seconds; each field adds to the total so far times 60.
    static int ParseJumpTime(const std::string& text);
    // "name (hh:mm:ss)".
    static std::string MarkerText(const DemoMarker& marker, int frameTime);
    // The target becomes update while it is still ahead of updateCount; answers whether.
    bool JumpToMarker(int update, int updateCount);
    // The target becomes ms before the end of the demo.
    void JumpBeforeEnd(long long ms, int frameTime);
    // Whether playback still has to catch up to its target.
    bool FastForwardDue(int updateCount) const {
        return updateCount < mFastForwardTarget || mFastForwardToEnd;
    }

    // ---- [Fields] ----
    std::atomic<bool> mRecordingDemoBuffer{false};
    std::atomic<bool> mPlayingDemoBuffer{false};
    std::string mDemoPrefix = "vuroapp";
    std::string mDemoFileName;
    Buffer mDemoBuffer;
    std::atomic<int> mDemoMouseX{0}; // last recorded or replayed mouse position
    std::atomic<int> mDemoMouseY{0};
    int mDemoNextUpdate = 0;         // update number of the last record (due of the next)
    bool mDemoNeedsHeader = true;    // playback: the next record's header is still unread
    bool mDemoIsMouseRecord = false; // playback: mouse flag and code of the current record
    int mDemoRecordCode = 0;
    bool mDemoLoadingComplete = false;       // playback: the recorded run finished loading
    std::vector<DemoMarker> mDemoMarkerList; // written with the demo, read back for jumps
    int mDemoEndTick = 0;                    // update count when the played demo was written
    bool mClosedByUser = false;              // playback: the user closed the window
    double mDemoMusicVolume = 0.0;           // the user's volumes kept while sound is off
    double mDemoSfxVolume = 0.0;
    bool mFastForwarding = false; // catching up to the target, muted
    bool mFastForwardToEnd = false;
    bool mDrawNow = false; // the single-tick key: draw after the next update
    int mFastForwardTarget = 0;
    uint32_t mLastFastForwardDraw = 0;
    bool mPaused = false; // the pause key: no update runs
};

} // namespace Vuro
