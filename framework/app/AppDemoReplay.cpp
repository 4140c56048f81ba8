// Playback of the recorded input: every record of the stream is acted on at the update tick it
// was recorded at, and the fixed update waits while a record is due, so the widgets see the
// same input at the same ticks as in the recorded run.
//
// Behaviour a reader might not expect:
// - Absolute mouse positions are read as signed 12-bit numbers, so a drag captured outside the
//   window to the left or above replays there, not near x or y = 4090 (0..2047 read the same
//   either way).
// - Fewer than 10 bits after the last record are the padding of the final byte, not a record:
//   read as one they would replay as a move to (0, 0).
// - A record nobody asked for at its tick (a value record, an unknown code) means playback
//   has lost step with the recording: the rest of the stream is dropped instead of being read
//   from the middle of a record.
// - Once the stream has ended, "fast-forward to the end" is over.

#include "framework/app/DemoRecord.h"
#include "framework/app/VuroAppBase.h"

#include "framework/widgets/WidgetManager.h"

namespace Vuro {

void VuroAppBase::ReplayDemoInput() {
    if (IsDemoControlOpen()) {
        return; // the records wait for the playback to go on
    }
    while (mPlayingDemoBuffer && !mShutdown && DemoRecordsLeft() && ReadDemoUpdateDelta()) {
        mDemoNeedsHeader = true;
        if (mDemoIsMouseRecord) {
            ReplayMouseRecord(mDemoRecordCode);
        } else {
            ReplayDemoRecord(mDemoRecordCode);
        }
    }
    if (mPlayingDemoBuffer && !DemoRecordsLeft()) {
        mFastForwardToEnd = false;
    }
}

void VuroAppBase::ReplayMouseRecord(int code) {
    if (code == DemoRecord::kMouseMoveBy) {
        int dx = mDemoBuffer.ReadBits(6, true);
        int dy = mDemoBuffer.ReadBits(6, true);
        mDemoMouseX += dx;
        mDemoMouseY += dy;
        mWidgetManager->MouseMove(mDemoMouseX, mDemoMouseY);
        return;
    }
    bool down = mDemoBuffer.ReadBits(1, false) != 0;
    int button = mDemoBuffer.ReadBits(3, true);
    if (down) {
        mWidgetManager->MouseDown(mDemoMouseX, mDemoMouseY, button);
    } else {
        mWidgetManager->MouseUp(mDemoMouseX, mDemoMouseY, button);
    }
}

void VuroAppBase::ReplayDemoRecord(int code) {
    using namespace DemoRecord;
    switch (code) {
    case kMouseMoveTo:
        mDemoMouseX = mDemoBuffer.ReadBits(12, true);
        mDemoMouseY = mDemoBuffer.ReadBits(12, true);
        mWidgetManager->MouseMove(mDemoMouseX, mDemoMouseY);
        break;
    case kActivate:
        mActive = mDemoBuffer.ReadBits(1, false) != 0;
        ApplyAppActivation();
        break;
    case kMinimize: {
        bool minimized = mDemoBuffer.ReadBoolean();
        if (minimized != mMinimized) {
            mMinimized = minimized;
            if (minimized) {
                Mute(true);
            } else {
                Unmute(true);
            }
            ProcessActivation();
        }
        break;
    }
    case kKeyDown:
        mWidgetManager->KeyDown(mDemoBuffer.ReadBits(8, false));
        break;
    case kKeyUp:
        mWidgetManager->KeyUp(mDemoBuffer.ReadBits(8, false));
        break;
    case kKeyChar:
        mWidgetManager->CharInput(static_cast<char>(mDemoBuffer.ReadBits(8, false)));
        break;
    case kWheel:
        mWidgetManager->MouseWheel(mDemoBuffer.ReadBits(8, true));
        break;
    case kClose:
        Shutdown();
        break;
    case kMouseEnter:
        mMouseIn = true;
        UpdateCursor();
        break;
    case kMouseLeave:
        mWidgetManager->MouseExit(mDemoMouseX, mDemoMouseY);
        mMouseIn = false;
        UpdateCursor();
        break;
    case kLoadingDone:
        mDemoLoadingComplete = true;
        break;
    case kScreenMode:
        ReadDemoScreenMode();
        break;
    case kFiller:
        break;
    default:
        EndDemoStream();
        break;
    }
}

void VuroAppBase::ReplayDemoScreenMode() {
    ReadDemoValueHeader(false);
    if (mDemoIsMouseRecord || mDemoRecordCode != DemoRecord::kScreenMode) {
        EndDemoStream();
        return;
    }
    ReadDemoScreenMode();
}

void VuroAppBase::ReadDemoScreenMode() {
    mIsWindowed = mDemoBuffer.ReadBoolean();
    mRefreshRate = mDemoBuffer.ReadByte();
}

bool VuroAppBase::IsDemoRecordDue() {
    return DemoRecordsLeft() && ReadDemoUpdateDelta();
}

void VuroAppBase::RecordLoadingDone() {
    WriteDemoRecordHeader(DemoRecord::kLoadingDone, false);
}

} // namespace Vuro
