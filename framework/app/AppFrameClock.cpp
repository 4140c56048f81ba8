// The frame clock, which turns elapsed time into time owed to updates, and the safe-delete
// queue, which deletes widgets only once no step that might still use them is running.

#include "framework/app/VuroAppBase.h"

#include "framework/util/MersenneTwister.h"
#include "framework/widgets/Widget.h"
#include "platform/Clock.h"

#include <algorithm>

namespace Vuro {

namespace {
constexpr double kMaxOwedMs = 200.0;
constexpr int kStartDelayMs = 1000;
} // namespace

void VuroAppBase::UpdateFrameTime() {
    uint32_t now = Platform::GetClock().TickMs();
    if (mLastTimeCheck != 0) {
        // Unsigned difference: right across the clock's wrap.
        uint32_t elapsed = now - mLastTimeCheck;
        mUpdateFTimeAcc = std::min(mUpdateFTimeAcc + elapsed, kMaxOwedMs);
        if (mStartDelay > 0) {
            int64_t rest = int64_t{mStartDelay} - elapsed;
            mStartDelay = rest < 1 ? 0 : static_cast<int>(rest);
        }
    }
    mLastTimeCheck = now;
}

void VuroAppBase::ResetFrameClock(bool addDelay) {
    mLastTimeCheck = Platform::GetClock().TickMs();
    mUpdateFTimeAcc = 0.0;
    if (addDelay) {
        mStartDelay = kStartDelayMs;
    }
}

void VuroAppBase::QueueWidgetDeletion(Widget* widget) {
    // A widget queued twice would be deleted twice.
    for (const auto& entry : mSafeDeleteQueue) {
        if (entry.second == widget) {
            return;
        }
    }
    mSafeDeleteQueue.emplace_back(mStepDepth, widget);
}

void VuroAppBase::DeleteQueuedWidgets() {
    MersenneTwister::AdjustRandGuard(false);
    // Start over after each deletion: a destructor may queue or delete other widgets.
    for (;;) {
        auto due = std::find_if(mSafeDeleteQueue.begin(), mSafeDeleteQueue.end(),
                                [this](const auto& entry) { return entry.first >= mStepDepth; });
        if (due == mSafeDeleteQueue.end()) {
            break;
        }
        Widget* widget = due->second;
        mSafeDeleteQueue.erase(due);
        delete widget;
    }
    MersenneTwister::AdjustRandGuard(true);
}

} // namespace Vuro
