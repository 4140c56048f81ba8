// The keys that steer a demo while it plays back (speed, pause, single tick, jumps, sound) and
// the two small windows that choose a jump: the marker list and the jump to a time before the
// end. A jump sets the target update count; the frame pass fast-forwards to it.
//
// Until the widget set has a list and an edit field, both windows are system message boxes:
// the marker list asks, marker by marker, whether to jump there; the jump to time offers the
// stored time ("DemoJumpTime") and jumps on OK.

#include "framework/app/VuroAppBase.h"

#include "framework/util/PathHelpers.h"
#include "framework/util/StringHelpers.h"
#include "platform/Registry.h"
#include "platform/Window.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace Vuro {

namespace {

constexpr const char* kJumpTimeValue = "DemoJumpTime";

// Jump keys "4".."9": this long before the end of the demo, in ms.
constexpr int kJumpBackMs[] = {120000, 90000, 60000, 30000, 10000, 5000};

// Jump times are cut to this many seconds, so the ms of a jump fit an int.
constexpr long long kMaxJumpSeconds = INT_MAX / 1000 - 1;

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
        mFastForwardTarget = mDemoEndTick;
        break;
    case '4':
    case '5':
    case '6':
    case '7':
    case '8':
    case '9':
        mFastForwardTarget = mDemoEndTick - kJumpBackMs[key - '4'] / mFrameTime;
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
    long long ms = static_cast<long long>(marker.update) * mFrameTime;
    int hours = static_cast<int>(ms / 3600000);
    int minutes = static_cast<int>(ms / 60000 % 60);
    int seconds = static_cast<int>(ms / 1000 % 60);
    return StrFormat("%s (%02d:%02d:%02d)", marker.name.c_str(), hours, minutes, seconds);
}

void VuroAppBase::ShowDemoMarkerList() {
    for (const DemoMarker& marker : mDemoMarkerList) {
        if (marker.update <= mUpdateCount) {
            continue;
        }
        int answer = MsgBox(DemoMarkerText(marker), "Marker List",
                            Platform::kMbYesNo | Platform::kMbIconQuestion);
        if (answer == Platform::kIdYes) {
            // Time passed while the box was up; the marker may be behind by now.
            if (marker.update > mUpdateCount) {
                mFastForwardTarget = marker.update;
            }
            return;
        }
    }
}

int VuroAppBase::ParseDemoJumpTime(const std::string& text) {
    long long seconds = 0;
    size_t start = 0;
    while (true) {
        size_t colon = text.find(':', start);
        std::string field = text.substr(start, colon == std::string::npos ? colon : colon - start);
        long long value =
            std::clamp(std::strtoll(field.c_str(), nullptr, 10), -kMaxJumpSeconds, kMaxJumpSeconds);
        seconds = std::clamp(seconds * 60 + value, -kMaxJumpSeconds, kMaxJumpSeconds);
        if (colon == std::string::npos) {
            return static_cast<int>(seconds);
        }
        start = colon + 1;
    }
}

void VuroAppBase::JumpBeforeEnd(const std::string& timeText) {
    long long ms = static_cast<long long>(ParseDemoJumpTime(timeText)) * 1000 + 1000;
    mFastForwardTarget =
        static_cast<int>(std::clamp(mDemoEndTick - ms / mFrameTime, static_cast<long long>(INT_MIN),
                                    static_cast<long long>(INT_MAX)));
}

void VuroAppBase::ShowDemoJumpTime() {
    std::string stored = ReadJumpTime(mRegKey);
    int answer = MsgBox("Jump to " + stored + " before the end?", "Jump To Time",
                        Platform::kMbOkCancel | Platform::kMbIconQuestion);
    if (answer != Platform::kIdOk) {
        return;
    }
    WriteJumpTime(mRegKey, stored);
    JumpBeforeEnd(stored);
}

} // namespace Vuro
