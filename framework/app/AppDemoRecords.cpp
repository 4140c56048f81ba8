// The framing of the demo's record stream (record headers, update deltas, fillers) and the
// records that input and screen-mode changes write while a demo is recorded. Readers of the
// stream (input replay, value records) take headers through ReadDemoUpdateDelta.

#include "framework/app/DemoRecord.h"
#include "framework/app/VuroAppBase.h"

#include "platform/Messages.h"

namespace Vuro {

void VuroAppBase::WriteDemoUpdateDelta() {
    WriteUpdateDelta(mUpdateCount);
}

void VuroAppBase::WriteDemoRecordHeader(int code, bool mouse) {
    WriteRecordHeader(mUpdateCount, code, mouse);
}

bool VuroAppBase::ReadDemoUpdateDelta() {
    return ReadUpdateDelta(mUpdateCount);
}

void VuroAppBase::ReadDemoValueHeader(bool passScreenModes) {
    // A value is asked for at its own tick; fillers before it only bridge time. A screen mode
    // before it was written when the window was made again outside the main loop's input replay
    // (the game's start going to full screen re-creates it before the first update): nothing
    // else reads that record, so it is applied on the way rather than taken for the value.
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
        WriteMouseRecords(mUpdateCount, PointParamX(message.lParam), PointParamY(message.lParam),
                          MouseClickCount(message.message), IsMouseButtonUp(message.message));
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
