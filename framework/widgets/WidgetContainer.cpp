#include "framework/widgets/WidgetContainer.h"

#include "framework/widgets/Widget.h"
#include "framework/widgets/WidgetManager.h"

#include <algorithm>
#include <vector>

namespace Vuro {

void WidgetContainer::Invalidate() {
    for (WidgetContainer* c = this; c != nullptr; c = c->mParent) {
        c->mDirty = true;
    }
}

namespace {

// Applies a container's adjustment to both flag words for the length of its walk.
class AdjustedFlags {
public:
    AdjustedFlags(TraversalFlags* flags, const FlagAdjust& adjust)
        : mFlags(flags), mAtModal(flags->mFlagsAtModal), mBelowModal(flags->mFlagsBelowModal) {
        flags->mFlagsAtModal = adjust.Apply(mAtModal);
        flags->mFlagsBelowModal = adjust.Apply(mBelowModal);
    }
    ~AdjustedFlags() {
        mFlags->mFlagsAtModal = mAtModal;
        mFlags->mFlagsBelowModal = mBelowModal;
    }
    AdjustedFlags(const AdjustedFlags&) = delete;
    AdjustedFlags& operator=(const AdjustedFlags&) = delete;

private:
    TraversalFlags* mFlags;
    int mAtModal;
    int mBelowModal;
};

void SetManager(Widget* w, WidgetManager* manager) {
    w->mWidgetManager = manager;
    for (Widget* child : w->mWidgets) {
        SetManager(child, manager);
    }
}

} // namespace

void WidgetContainer::UpdateAll(TraversalFlags* flags) {
    AdjustedFlags adjusted(flags, mFlagAdjust);
    int current = flags->Current();
    if (current & WidgetFlagMarkDirty) {
        Invalidate();
    }
    if ((current & WidgetFlagUpdate) && mWidgetManager != nullptr &&
        mLastUpdateCount != mWidgetManager->mUpdateCount) {
        mLastUpdateCount = mWidgetManager->mUpdateCount;
        Update();
    }
    // A copy: an update may take children out of the list.
    std::vector<Widget*> children(mWidgets.begin(), mWidgets.end());
    for (Widget* child : children) {
        if (child->mParent == this) {
            if (mWidgetManager != nullptr && child == mWidgetManager->mModalWidget) {
                flags->mPastModal = true;
            }
            child->UpdateAll(flags);
        }
    }
}

void WidgetContainer::UpdateSmoothAll(TraversalFlags* flags, float fraction) {
    AdjustedFlags adjusted(flags, mFlagAdjust);
    if (flags->Current() & WidgetFlagUpdate) {
        UpdateSmooth(fraction);
    }
    std::vector<Widget*> children(mWidgets.begin(), mWidgets.end());
    for (Widget* child : children) {
        if (child->mParent == this) {
            child->UpdateSmoothAll(flags, fraction);
        }
    }
}

void WidgetContainer::AddWidget(Widget* w) {
    if (std::find(mWidgets.begin(), mWidgets.end(), w) != mWidgets.end()) {
        return;
    }
    mWidgets.push_back(w);
    SetManager(w, mWidgetManager);
    w->mParent = this;
    w->Invalidate();
}

void WidgetContainer::RemoveWidget(Widget* w) {
    auto it = std::find(mWidgets.begin(), mWidgets.end(), w);
    if (it == mWidgets.end()) {
        return;
    }
    if (mWidgetManager != nullptr) {
        mWidgetManager->ForgetWidget(w);
        for (WidgetManager::ModalState& state : mWidgetManager->mModalStack) {
            if (state.mPreviousModal == w) {
                state.mPreviousModal = nullptr;
            }
            if (state.mPreviousFocus == w) {
                state.mPreviousFocus = nullptr;
            }
        }
    }
    mWidgets.erase(it);
    SetManager(w, nullptr);
    w->mParent = nullptr;
    Invalidate();
}

bool WidgetContainer::IsBelow(Widget* a, Widget* b) {
    bool found = false;
    return IsBelowRecursive(a, b, &found);
}

bool WidgetContainer::IsBelowRecursive(Widget* a, Widget* b, bool* found) {
    for (Widget* child : mWidgets) {
        if (child == a || child == b) {
            *found = true;
            return child == a;
        }
        bool below = child->IsBelowRecursive(a, b, found);
        if (*found) {
            return below;
        }
    }
    return false;
}

void WidgetContainer::InvalidateAll() {
    Invalidate();
    for (Widget* child : mWidgets) {
        child->mDirty = true;
        child->InvalidateAll();
    }
}

} // namespace Vuro
