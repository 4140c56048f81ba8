#include "framework/widgets/WidgetManager.h"

#include "framework/widgets/Widget.h"

#include <vector>

namespace Vuro {

namespace {

int ButtonBit(int clickCount) {
    return clickCount == 3 ? 4 : clickCount < 0 ? 2 : 1;
}

} // namespace

WidgetManager::WidgetManager(VuroAppBase* app) : mApp(app) {
    mWidgetManager = this;
}

int WidgetManager::GetWidgetFlags() const {
    return mHasFocus ? mDefaultFlags : mUnfocusedAdjust.Apply(mDefaultFlags);
}

void WidgetManager::InitTraversalFlags(TraversalFlags* flags) const {
    flags->mPastModal = mModalWidget == nullptr;
    flags->mFlagsAtModal = GetWidgetFlags();
    flags->mFlagsBelowModal = mBelowModalAdjust.Apply(flags->mFlagsAtModal);
}

bool WidgetManager::UpdateFrame() {
    TraversalFlags flags;
    InitTraversalFlags(&flags);
    ++mUpdateCount;
    mLastUpdateCount = mUpdateCount;
    // The root itself was updated by the count above; the walk covers the widgets.
    std::vector<Widget*> children(mWidgets.begin(), mWidgets.end());
    for (Widget* child : children) {
        if (child->mParent == this) {
            if (child == mModalWidget) {
                flags.mPastModal = true;
            }
            child->UpdateAll(&flags);
        }
    }
    return mDirty;
}

bool WidgetManager::UpdateFrameSmooth(float fraction) {
    TraversalFlags flags;
    InitTraversalFlags(&flags);
    UpdateSmoothAll(&flags, fraction);
    return mDirty;
}

bool WidgetManager::DrawScreen() {
    bool drew = false;
    for (Widget* w : mWidgets) {
        if (w->mDirty && w->mVisible) {
            w->mDirty = false;
            drew = true;
        }
    }
    return drew;
}

void WidgetManager::SetScreenSize(int width, int height) {
    if (width != mScreenWidth || height != mScreenHeight) {
        mScreenWidth = width;
        mScreenHeight = height;
    }
}

void WidgetManager::NoteInput() {
    mLastInputUpdate = mUpdateCount;
}

bool WidgetManager::MouseMove(int x, int y) {
    NoteInput();
    mMouseIn = true;
    mLastMouseX = x;
    mLastMouseY = y;
    return true;
}

bool WidgetManager::MouseDown(int x, int y, int clickCount) {
    NoteInput();
    mPressedButtons |= ButtonBit(clickCount);
    mLastMouseX = x;
    mLastMouseY = y;
    return true;
}

bool WidgetManager::MouseUp(int x, int y, int clickCount) {
    NoteInput();
    mPressedButtons &= ~ButtonBit(clickCount);
    mLastMouseX = x;
    mLastMouseY = y;
    return true;
}

bool WidgetManager::MouseExit(int, int) {
    NoteInput();
    mMouseIn = false;
    return true;
}

bool WidgetManager::MouseWheel(int delta) {
    NoteInput();
    if (mFocusWidget != nullptr) {
        mFocusWidget->MouseWheel(delta);
    }
    return true;
}

bool WidgetManager::KeyChar(char c) {
    NoteInput();
    if (mFocusWidget != nullptr) {
        mFocusWidget->KeyChar(c);
    }
    return true;
}

bool WidgetManager::KeyDown(int key) {
    NoteInput();
    if (key >= 0 && key < kKeyCount) {
        mKeyDown[key] = 1;
    }
    if (mFocusWidget != nullptr) {
        mFocusWidget->KeyDown(key);
    }
    return true;
}

bool WidgetManager::KeyUp(int key) {
    NoteInput();
    if (key >= 0 && key < kKeyCount) {
        mKeyDown[key] = 0;
    }
    if (mFocusWidget != nullptr) {
        mFocusWidget->KeyUp(key);
    }
    return true;
}

void WidgetManager::GotAppFocus() {
    if (!mHasFocus) {
        mHasFocus = true;
        if (mFocusWidget != nullptr) {
            mFocusWidget->GotFocus();
        }
    }
}

void WidgetManager::LostAppFocus() {
    if (mHasFocus) {
        mPressedButtons = 0;
        for (int key = 0; key < kKeyCount; ++key) {
            if (mKeyDown[key]) {
                KeyUp(key);
            }
        }
        mHasFocus = false;
        if (mFocusWidget != nullptr) {
            mFocusWidget->LostFocus();
        }
    }
}

void WidgetManager::SetFocus(Widget* w) {
    if (w == mFocusWidget) {
        return;
    }
    if (mFocusWidget != nullptr) {
        mFocusWidget->LostFocus();
    }
    if (w != nullptr && w->mWidgetManager == this) {
        mFocusWidget = w;
        if (mHasFocus) {
            w->GotFocus();
        }
    } else {
        mFocusWidget = nullptr;
    }
}

void WidgetManager::ForgetWidget(Widget* w) {
    if (mFocusWidget == w) {
        mFocusWidget = nullptr;
        w->LostFocus();
    }
    if (mModalWidget == w) {
        mModalWidget = nullptr;
    }
}

void WidgetManager::PushModal(Widget* w) {
    PushModalWith(w, mDefaultBelowModalAdjust);
}

void WidgetManager::PushModalWith(Widget* w, const FlagAdjust& adjust) {
    mModalStack.push_back({w, mModalWidget, mFocusWidget, mBelowModalAdjust});
    SetModal(w, adjust);
}

void WidgetManager::SetModal(Widget* w, const FlagAdjust& adjust) {
    mModalWidget = w;
    mBelowModalAdjust = adjust;
    if ((adjust.mRemoveFlags & WidgetFlagAllowFocus) && mFocusWidget != nullptr &&
        IsBelow(mFocusWidget, w)) {
        Widget* focus = mFocusWidget;
        focus->LostFocus();
        mFocusWidget = nullptr;
    }
}

void WidgetManager::PopModal(Widget* w) {
    if (mModalStack.empty() || mModalStack.back().mModalWidget != w) {
        return;
    }
    bool goOn = true;
    while (goOn) {
        const size_t entries = mModalStack.size();
        ModalState state = mModalStack.back();
        SetModal(state.mPreviousModal, state.mPreviousBelowModal);
        if (mFocusWidget == nullptr) {
            mFocusWidget = state.mPreviousFocus;
            if (mFocusWidget != nullptr) {
                mFocusWidget->GotFocus();
            }
        }
        mModalStack.pop_back();
        // Entries of modal widgets removed meanwhile restore nothing; pass over them.
        goOn = state.mPreviousModal == nullptr && !mModalStack.empty() && entries > 1;
    }
}

} // namespace Vuro
