// The frame clock, which turns elapsed time into time owed to updates, and the safe-delete
// queue, which deletes widgets only once no step that might still use them is running.

#include "framework/app/VuroAppBase.h"

#include "framework/util/MersenneTwister.h"
#include "framework/widgets/Widget.h"
#include "platform/Clock.h"

#include <algorithm>

namespace Vuro {

void VuroAppBase::UpdateFrameTime() {
    Accumulate(Platform::GetClock().TickMs());
}

void VuroAppBase::ResetFrameClock(bool addDelay) {
    Restart(Platform::GetClock().TickMs(), addDelay);
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
