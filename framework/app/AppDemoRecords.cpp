// The framing of the demo's record stream (record headers, update deltas, fillers) and the
// records that input and screen-mode changes write while a demo is recorded. Readers of the
// stream (input replay, value records) take headers through ReadDemoUpdateDelta.

#include "framework/app/DemoRecord.h"
#include "framework/app/VuroAppBase.h"

#include "platform/Messages.h"

#include <algorithm>
#include <cstdlib>

namespace Vuro {

void VuroAppBase::WriteDemoUpdateDelta() {
    // A count that went back (a screen may reset it) is recorded as no gap.
    int delta = std::max(0, mUpdateCount - mDemoNextUpdate);
    while (delta > DemoRecord::kMaxDelta) {
        mDemoBuffer.WriteBits(DemoRecord::kMaxDelta, 4);
        mDemoBuffer.WriteBits(0, 1);
        mDemoBuffer.WriteBits(DemoRecord::kFiller, 5);
        delta -= DemoRecord::kMaxDelta;
    }
    mDemoBuffer.WriteBits(delta, 4);
    mDemoNextUpdate = mUpdateCount;
}

void VuroAppBase::WriteDemoRecordHeader(int code, bool mouse) {
    WriteDemoUpdateDelta();
    mDemoBuffer.WriteBits(mouse ? 1 : 0, 1);
    mDemoBuffer.WriteBits(code, mouse ? 1 : 5);
}

bool VuroAppBase::ReadDemoUpdateDelta() {
    if (mDemoNeedsHeader) {
        int delta = mDemoBuffer.ReadBits(4, false);
        mDemoIsMouseRecord = mDemoBuffer.ReadBits(1, false) != 0;
        mDemoRecordCode = mDemoBuffer.ReadBits(mDemoIsMouseRecord ? 1 : 5, false);
        mDemoNextUpdate += delta;
        mDemoNeedsHeader = false;
    }
    return mUpdateCount == mDemoNextUpdate;
}

void VuroAppBase::ReadDemoValueHeader(bool passScreenModes) {
    // A value is asked for at its own tick; fillers before it only bridge time. A screen mode
    // before it was written when the window was made again outside the main loop's input replay
    // (the game's start going to full screen re-creates it before the first update): nothing
    // else reads that record, so it is applied on the way (mended: the value was read from it).
    for (;;) {
        (void)ReadDemoUpdateDelta();
        mDemoNeedsHeader = true;
        bool filler = !mDemoIsMouseRecord && mDemoRecordCode == DemoRecord::kFiller;
        bool screenMode = !mDemoIsMouseRecord && mDemoRecordCode == DemoRecord::kScreenMode;
        if (!(filler || (screenMode && passScreenModes)) || mDemoBuffer.AtEnd()) {
            return;
        }
        if (screenMode) {
            ReadDemoScreenMode();
        }
    }
}

void VuroAppBase::RecordDemoInput(const Platform::Message& message) {
    using namespace Platform;
    using namespace DemoRecord;
    if (IsMouseMessage(message.message)) {
        int x = PointParamX(message.lParam);
        int y = PointParamY(message.lParam);
        int dx = x - mDemoMouseX;
        int dy = y - mDemoMouseY;
        if (std::abs(dx) >= kRelativeMoveLimit || std::abs(dy) >= kRelativeMoveLimit) {
            WriteDemoRecordHeader(kMouseMoveTo, false);
            // A captured mouse can leave the window: the record holds -2048..2047 (playback reads
            // it signed), so a drag to the left of or above the window replays there.
            mDemoBuffer.WriteBits(std::clamp(x, -2048, 2047), 12);
            mDemoBuffer.WriteBits(std::clamp(y, -2048, 2047), 12);
        } else if (dx != 0 || dy != 0) {
            WriteDemoRecordHeader(kMouseMoveBy, true);
            mDemoBuffer.WriteBits(dx, 6);
            mDemoBuffer.WriteBits(dy, 6);
        }
        int button = MouseClickCount(message.message);
        if (button != 0) {
            WriteDemoRecordHeader(kMouseButton, true);
            mDemoBuffer.WriteBits(IsMouseButtonUp(message.message) ? 0 : 1, 1);
            mDemoBuffer.WriteBits(button, 3);
        }
        mDemoMouseX = x;
        mDemoMouseY = y;
        return;
    }
    bool isMain = mMainWindow != nullptr && message.window == mMainWindow->Id();
    switch (message.message) {
    case kWmMouseWheel:
        WriteDemoRecordHeader(kWheel, false);
        mDemoBuffer.WriteBits(WheelParamDelta(message.wParam) / kWheelDelta, 8);
        break;
    case kWmKeyDown:
    case kWmSysKeyDown:
        WriteDemoRecordHeader(kKeyDown, false);
        mDemoBuffer.WriteBits(static_cast<int32_t>(message.wParam), 8);
        break;
    case kWmKeyUp:
    case kWmSysKeyUp:
        WriteDemoRecordHeader(kKeyUp, false);
        mDemoBuffer.WriteBits(static_cast<int32_t>(message.wParam), 8);
        break;
    case kWmChar:
        WriteDemoRecordHeader(kKeyChar, false);
        mDemoBuffer.WriteBits(static_cast<int32_t>(message.wParam), 8);
        break;
    case kWmSize:
        WriteDemoRecordHeader(kMinimize, false);
        mDemoBuffer.WriteBoolean(message.wParam == kSizeMinimized);
        break;
    case kWmClose:
        WriteDemoRecordHeader(kClose, false);
        break;
    case kWmActivateApp:
        if (isMain) {
            WriteDemoRecordHeader(kActivate, false);
            mDemoBuffer.WriteBits(message.wParam != 0 ? 1 : 0, 1);
        }
        break;
    default:
        break;
    }
}

void VuroAppBase::RecordScreenMode() {
    if (mDDInterface != nullptr) {
        mRefreshRate = mDDInterface->mRefreshRate;
    }
    if (mRecordingDemoBuffer) {
        WriteDemoRecordHeader(DemoRecord::kScreenMode, false);
        mDemoBuffer.WriteBoolean(mIsWindowed);
        mDemoBuffer.WriteByte(static_cast<uint8_t>(mRefreshRate));
    }
}

} // namespace Vuro
