// Developer keys, asked with the virtual key while developer keys are on (Ctrl+Alt+D) or a
// demo plays back; shift and control are the widget manager's key states. A handled key
// answers true and does not reach the widgets.
//
// F10 runs one update and holds (single-step mode); Shift+F10 runs on and restarts the frame
// clock; Ctrl+F10 switches the game speed between 1 and 1/4. The profiler (F2), the overlay
// (F3), the video statistics (F8), screenshots (F11) and reloading tuning values (Alt+R) come
// with the services they drive.

#include "framework/app/VuroAppBase.h"

#include "framework/widgets/WidgetManager.h"

namespace Vuro {

namespace {
constexpr int kVkF10 = Platform::kVkF1 + 9;
constexpr double kSlowSpeed = 0.25;
} // namespace

bool VuroAppBase::DeveloperKeyDown(int key) {
    bool shift = mWidgetManager->mKeyDown[Platform::kVkShift] != 0;
    bool control = mWidgetManager->mKeyDown[Platform::kVkControl] != 0;
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
