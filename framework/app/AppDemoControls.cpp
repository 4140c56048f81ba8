// The keys that steer a demo while it plays back (speed, pause, single tick, jumps, sound) and
// the two small windows that choose a jump: the marker list and the jump to a time before the
// end. A jump sets the target update count; the frame pass fast-forwards to it.
//
// The windows are dialogs among the application's widgets, not nested loops: the main loop
// keeps running while one is open, but the playback holds still (no update, no replayed
// record), so the demo's input never reaches the window and the window's never the game.

#include "framework/app/VuroAppBase.h"

#include "framework/app/DemoJumpDialog.h"
#include "framework/app/DemoMarkerDialog.h"

#include "framework/util/PathHelpers.h"
#include "framework/widgets/EditWidget.h"
#include "framework/widgets/WidgetManager.h"
#include "platform/Registry.h"

namespace Vuro {

namespace {

constexpr const char* kJumpTimeValue = "DemoJumpTime";

// Jump keys "4".."9": this long before the end of the demo, in ms.
constexpr int kJumpBackMs[] = {120000, 90000, 60000, 30000, 10000, 5000};

// The stored jump time: a string value read and written directly, outside the demo.
std::string ReadJumpTime(const std::string& regKey) {
    if (regKey.empty()) {
        return std::string();
    }
    uint8_t data[256];
    uint32_t type = 0;
    uint32_t length = sizeof data;
    Platform::RegResult result = Platform::GetRegistry().QueryValue(
        RemoveTrailingSlash(regKey), "", kJumpTimeValue, type, data, length);
    if (result != Platform::RegResult::Ok || type != Platform::kRegSz) {
        return std::string();
    }
    std::string text(reinterpret_cast<const char*>(data), length);
    return text.substr(0, text.find('\0'));
}

void WriteJumpTime(const std::string& regKey, const std::string& text) {
    if (regKey.empty()) {
        return;
    }
    Platform::Registry& registry = Platform::GetRegistry();
    std::string appKey = RemoveTrailingSlash(regKey);
    if (registry.KeyExists(appKey, "") || registry.CreateKey(appKey, "")) {
        (void)registry.SetValue(appKey, "", kJumpTimeValue, Platform::kRegSz,
                                reinterpret_cast<const uint8_t*>(text.data()),
                                static_cast<uint32_t>(text.size()));
    }
}

} // namespace

void VuroAppBase::DemoPlaybackKey(char key) {
    if (IsDemoControlOpen()) {
        return; // the keys are typed into the window
    }
    switch (key) {
    case '+':
        mUpdateMultiplier *= 1.5;
        break;
    case '-':
        mUpdateMultiplier *= 2.0 / 3.0;
        break;
    case '=':
        mUpdateMultiplier = 1.0;
        break;
    case '0':
        JumpBeforeEnd(0, mFrameTime);
        break;
    case '4':
    case '5':
    case '6':
    case '7':
    case '8':
    case '9':
        JumpBeforeEnd(kJumpBackMs[key - '4'], mFrameTime);
        break;
    case 'J':
    case 'j':
        ShowDemoJumpTime();
        break;
    case 'L':
    case 'l':
        ShowDemoMarkerList();
        break;
    case 'M':
    case 'm':
        mFastForwardToEnd = true;
        break;
    case 'N':
    case 'n':
        mDrawNow = true;
        mFastForwardTarget = mUpdateCount + 1;
        break;
    case 'P':
    case 'p':
        mPaused = !mPaused;
        ResetFrameClock(false);
        break;
    case 'S':
    case 's':
        ToggleDemoSound();
        break;
    default:
        break;
    }
}

void VuroAppBase::ToggleDemoSound() {
    if (GetMusicVolume() != 0.0) {
        mDemoMusicVolume = GetMusicVolume();
        SetMusicVolume(0.0);
    } else {
        SetMusicVolume(mDemoMusicVolume);
    }
    if (GetSfxVolume() != 0.0) {
        mDemoSfxVolume = GetSfxVolume();
        SetSfxVolume(0.0);
    } else {
        SetSfxVolume(mDemoSfxVolume);
    }
}

std::string VuroAppBase::DemoMarkerText(const DemoMarker& marker) const {
    return MarkerText(marker, mFrameTime);
}

bool VuroAppBase::IsDemoControlOpen() {
    return GetDialog(kDemoMarkerDialogId) != nullptr || GetDialog(kDemoJumpDialogId) != nullptr;
}

void VuroAppBase::ShowDemoMarkerList() {
    AddDialog(kDemoMarkerDialogId, new DemoMarkerDialog(*this));
}

bool VuroAppBase::JumpToDemoMarker(int update) {
    return JumpToMarker(update, mUpdateCount);
}

int VuroAppBase::ParseDemoJumpTime(const std::string& text) {
    return ParseJumpTime(text);
}

void VuroAppBase::ShowDemoJumpTime() {
    auto* dialog = new DemoJumpDialog(*this, ReadJumpTime(mRegKey));
    AddDialog(kDemoJumpDialogId, dialog);
    // After the dialog became modal, which takes the focus from the widgets below it.
    mWidgetManager->SetFocus(dialog->mEdit);
}

void VuroAppBase::JumpToDemoTime(const std::string& text) {
    WriteJumpTime(mRegKey, text);
    // A second more than asked, so the jump lands before the moment named.
    JumpBeforeEnd(static_cast<long long>(ParseJumpTime(text)) * 1000 + 1000, mFrameTime);
}

void VuroAppBase::CloseDemoControl(int id) {
    if (!CloseDialog(id)) {
        return;
    }
    // The real mouse moved the manager's pointer while the window was up; the game's widgets
    // go on from the replayed one.
    if (mPlayingDemoBuffer && mMouseIn) {
        mWidgetManager->MouseMove(mDemoMouseX, mDemoMouseY);
    }
    // As after a pause: the time the window was up is not caught up.
    ResetFrameClock(false);
}

} // namespace Vuro
