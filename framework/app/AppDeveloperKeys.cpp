// Developer keys, asked with the virtual key while developer keys are on (Ctrl+Alt+D) or a
// demo plays back; shift and control are the widget manager's key states. A handled key
// answers true and does not reach the widgets.
//
// Alt+R reloads the tuning values and clicks (a failure lets go of every key, as its box took
// the focus); F2 stops the profiler and shows its results, or restarts the frame clock and
// starts it.
// Shift+F8 switches 3-D mode and says so; F10 runs one update and holds (single-step mode);
// Shift+F10 runs on and restarts the frame clock; Ctrl+F10 switches the game speed between 1
// and 1/4; F11 takes a screenshot, Shift+F11 writes the image report; F3 switches the
// developer overlay (Shift: on, and its other mode); F8 shows the "Video Stats" box.

#include "framework/app/VuroAppBase.h"

#include "framework/debug/ModVal.h"
#include "framework/debug/PerfProfiler.h"
#include "framework/widgets/WidgetManager.h"

#include <algorithm>

namespace Vuro {

namespace {
constexpr int kVkF2 = Platform::kVkF1 + 1;
constexpr int kVkF3 = Platform::kVkF1 + 2;
constexpr int kVkF8 = Platform::kVkF1 + 7;
constexpr int kVkF10 = Platform::kVkF1 + 9;
constexpr int kVkF11 = Platform::kVkF1 + 10;
constexpr double kSlowSpeed = 0.25;
} // namespace

bool VuroAppBase::DeveloperKeyDown(int key) {
    bool shift = mWidgetManager->mKeyDown[Platform::kVkShift] != 0;
    bool control = mWidgetManager->mKeyDown[Platform::kVkControl] != 0;
    bool alt = mWidgetManager->mKeyDown[Platform::kVkMenu] != 0;
    if (key == 'R' && alt) {
        if (ReparseModValues()) {
            PlayMenuCommandSound();
        } else {
            std::fill(std::begin(mWidgetManager->mKeyDown), std::end(mWidgetManager->mKeyDown), 0);
        }
        return true;
    }
    if (key == kVkF2) {
        if (PerfIsRunning()) {
            PerfStop();
            (void)MsgBox(PerfGetResults(), "Perf Results", Platform::kMbOk);
        } else {
            ResetFrameClock(false);
            PerfStart();
        }
        return true;
    }
    if (key == kVkF3) {
        ToggleDeveloperOverlay(shift);
        return true;
    }
    if (key == kVkF8 && shift) {
        Enable3D(!Is3DOn(), true);
        MsgBox(Is3DOn() ? "3D-Mode: ON" : "3D-Mode: OFF", "Mode Switch", Platform::kMbOk);
        return true;
    }
    if (key == kVkF8) {
        (void)MsgBox(VideoStatsText(), "Video Stats", Platform::kMbOk);
        return true;
    }
    if (key == kVkF11) {
        if (shift) {
            WriteImageReport();
        } else {
            TakeScreenshot();
        }
        return true;
    }
    if (key == kVkF10) {
        if (control) {
            mUpdateMultiplier = mUpdateMultiplier == 1.0 ? kSlowSpeed : 1.0;
        } else if (shift) {
            mSingleStepMode = 0;
            ResetFrameClock(false);
        } else {
            mSingleStepMode = 1;
        }
        return true;
    }
    return false;
}

} // namespace Vuro
