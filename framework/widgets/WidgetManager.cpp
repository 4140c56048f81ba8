#include "framework/widgets/WidgetManager.h"

#include "framework/widgets/Widget.h"
#include "platform/Messages.h"

namespace Vuro {

namespace {

constexpr int kLeftBit = 1;
constexpr int kRightBit = 2;
constexpr int kMiddleBit = 4;

int ButtonBit(int clickCount) {
    return clickCount == 3 ? kMiddleBit : clickCount < 0 ? kRightBit : kLeftBit;
}

bool IsRecordedKey(int key) {
    return key >= 0 && key < WidgetManager::kKeyCount;
}

} // namespace

WidgetManager::WidgetManager(WidgetHost* app) : mApp(app) {
    mWidgetManager = this;
}

WidgetManager::~WidgetManager() {
    // The top-level widgets outlive the manager: let them go detached.
    RemoveAllWidgets(false, false);
}

// ---- [Input entry points] ----

void WidgetManager::NoteInput() {
    mLastInputUpdate = mUpdateCount;
}

bool WidgetManager::MouseMove(int x, int y) {
    NoteInput();
    if (mHeldButtons == 0) {
        mMouseIn = true;
        MousePosition(x, y);
    } else {
        MouseDrag(x, y);
    }
    return true;
}

bool WidgetManager::MouseDown(int x, int y, int clickCount) {
    NoteInput();
    const int bit = ButtonBit(clickCount);
    mPressedButtons |= bit;
    MousePosition(x, y);
    if (mPopupWidget != nullptr && !mPopupWidget->Contains(x, y)) {
        RemovePopupWidget();
    }
    int localX = x;
    int localY = y;
    Widget* hit = GetWidgetAt(x, y, &localX, &localY);
    // A second button pressed while another is held goes to the same widget.
    Widget* target = mHeldWidget != nullptr ? mHeldWidget : hit;
    mLastDownCode = bit == kRightBit ? -1 : bit == kMiddleBit ? 2 : 1;
    mHeldButtons |= bit;
    mHeldWidget = target;
    if (target == nullptr) {
        return true;
    }
    if (target->AcceptsFocus()) {
        SetFocus(target);
    }
    if (target != hit) {
        // The held widget gets the point local to itself, not to the widget under the mouse.
        target->ToLocal(x, y, &localX, &localY);
    }
    target->mIsDown = true;
    target->MouseDown(localX, localY, clickCount);
    return true;
}

bool WidgetManager::MouseUp(int x, int y, int clickCount) {
    NoteInput();
    const int bit = ButtonBit(clickCount);
    mPressedButtons &= ~bit;
    if (mHeldWidget != nullptr && (mHeldButtons & bit)) {
        mHeldButtons &= ~bit;
        Widget* w = mHeldWidget;
        if (mHeldButtons == 0) {
            mHeldWidget = nullptr;
        }
        w->mIsDown = false;
        // Local to the widget through all its ancestors, not its own offset alone.
        int localX = 0;
        int localY = 0;
        w->ToLocal(x, y, &localX, &localY);
        w->MouseUp(localX, localY, clickCount);
    } else {
        mHeldButtons &= ~bit;
    }
    MousePosition(x, y);
    return true;
}

bool WidgetManager::MouseExit(int /*x*/, int /*y*/) {
    NoteInput();
    mMouseIn = false;
    ClearOver();
    return true;
}

bool WidgetManager::MouseWheel(int delta) {
    NoteInput();
    if (mFocusWidget != nullptr) {
        mFocusWidget->MouseWheel(delta);
    }
    return true;
}

bool WidgetManager::CharInput(char c) {
    NoteInput();
    if (c == Platform::kVkTab && mKeyDown[Platform::kVkControl]) {
        if (mCtrlTabWidget != nullptr) {
            mCtrlTabWidget->CharInput(c);
        }
    } else if (mFocusWidget != nullptr) {
        mFocusWidget->CharInput(c);
    }
    return true;
}

bool WidgetManager::KeyDown(int key) {
    NoteInput();
    if (IsRecordedKey(key)) {
        mKeyDown[key] = 1;
    }
    if (mFocusWidget != nullptr) {
        mFocusWidget->KeyDown(key);
    }
    return true;
}

bool WidgetManager::KeyUp(int key) {
    NoteInput();
    if (IsRecordedKey(key)) {
        mKeyDown[key] = 0;
    }
    if (key == Platform::kVkTab && mKeyDown[Platform::kVkControl]) {
        return true;
    }
    if (mFocusWidget != nullptr) {
        mFocusWidget->KeyUp(key);
    }
    return true;
}

// ---- [Application focus] ----

void WidgetManager::GotAppFocus() {
    if (mHasAppFocus) {
        return;
    }
    mHasAppFocus = true;
    if (mFocusWidget != nullptr) {
        mFocusWidget->GotFocus();
    }
}

void WidgetManager::LostAppFocus() {
    if (!mHasAppFocus) {
        return;
    }
    mPressedButtons = 0;
    for (int key = 0; key < kKeyCount; ++key) {
        if (mKeyDown[key]) {
            KeyUp(key);
        }
    }
    mHasAppFocus = false;
    if (mFocusWidget != nullptr) {
        mFocusWidget->LostFocus();
    }
}

void WidgetManager::ReleaseHeldMouse() {
    if (mHeldWidget == nullptr || mHeldButtons == 0) {
        return;
    }
    Widget* w = mHeldWidget;
    int buttons = mHeldButtons;
    mHeldButtons = 0;
    mHeldWidget = nullptr;
    ReleaseButtons(w, buttons);
}

// ---- [Per-frame work] ----

bool WidgetManager::UpdateFrame() {
    TraversalFlags flags;
    InitTraversalFlags(&flags);
    ++mUpdateCount;
    mLastUpdateCount = mUpdateCount;
    UpdateAll(&flags);
    return mDirty;
}

bool WidgetManager::UpdateFrameSmooth(float fraction) {
    TraversalFlags flags;
    InitTraversalFlags(&flags);
    UpdateSmoothAll(&flags, fraction);
    return mDirty;
}

// ---- [Focus and modality] ----

void WidgetManager::SetFocus(Widget* w) {
    if (w == mFocusWidget) {
        return;
    }
    if (mFocusWidget != nullptr) {
        mFocusWidget->LostFocus();
    }
    if (w != nullptr && w->mWidgetManager == this) {
        mFocusWidget = w;
        if (mHasAppFocus) {
            w->GotFocus();
        }
    } else {
        mFocusWidget = nullptr;
    }
}

void WidgetManager::PushModal(Widget* w) {
    PushModalWith(w, mDefaultBelowModalAdjust);
}

void WidgetManager::PushModalWith(Widget* w, const FlagAdjust& belowModal) {
    mModalStack.push_back({w, mModalWidget, mFocusWidget, mBelowModalAdjust});
    SetModal(w, belowModal);
}

void WidgetManager::PopModal(Widget* w) {
    if (mModalStack.empty() || mModalStack.back().mModalWidget != w) {
        return;
    }
    for (;;) {
        const size_t entriesBefore = mModalStack.size();
        const ModalState entry = mModalStack.back();
        SetModal(entry.mPreviousModal, entry.mPreviousBelowModal);
        if (mFocusWidget == nullptr) {
            mFocusWidget = entry.mPreviousFocus;
            if (mFocusWidget != nullptr) {
                mFocusWidget->GotFocus();
            }
        }
        mModalStack.pop_back();
        // An entry whose modal widget was removed meanwhile names no previous modal widget:
        // it is popped along.
        if (entry.mPreviousModal != nullptr || mModalStack.empty() || entriesBefore <= 1) {
            return;
        }
    }
}

void WidgetManager::SetModal(Widget* w, const FlagAdjust& belowModal) {
    mModalWidget = w;
    mBelowModalAdjust = belowModal;
    if (belowModal.mRemoveFlags & WidgetFlagAllowMouse) {
        if (mOverWidget != nullptr && IsBelow(mOverWidget, w)) {
            ClearOver();
        }
        if (mHeldWidget != nullptr && IsBelow(mHeldWidget, w)) {
            ReleaseHeldMouse();
        }
    }
    if ((belowModal.mRemoveFlags & WidgetFlagAllowFocus) && mFocusWidget != nullptr &&
        IsBelow(mFocusWidget, w)) {
        Widget* focus = mFocusWidget;
        mFocusWidget = nullptr;
        focus->LostFocus();
    }
}

void WidgetManager::ForgetWidget(Widget* w) {
    if (mOverWidget == w) {
        ClearOver();
    }
    if (mHeldWidget == w) {
        int buttons = mHeldButtons;
        mHeldWidget = nullptr;
        mHeldButtons = 0;
        ReleaseButtons(w, buttons);
    }
    if (mFocusWidget == w) {
        mFocusWidget = nullptr;
        w->LostFocus();
    }
    if (mModalWidget == w) {
        mModalWidget = nullptr;
    }
}

void WidgetManager::ForgetLeavingWidget(Widget* w) {
    for (ModalState& entry : mModalStack) {
        if (entry.mPreviousModal == w) {
            entry.mPreviousModal = nullptr;
        }
        if (entry.mPreviousFocus == w) {
            entry.mPreviousFocus = nullptr;
        }
    }
    if (mCtrlTabWidget == w) {
        mCtrlTabWidget = nullptr;
    }
    for (QueuedOverlay& overlay : mOverlays) {
        if (overlay.mWidget == w) {
            overlay.mWidget = nullptr;
        }
    }
}

// ---- [Queries and helpers] ----

int WidgetManager::GetWidgetFlags() const {
    return mHasAppFocus ? mDefaultFlags : mUnfocusedAdjust.Apply(mDefaultFlags);
}

void WidgetManager::InitTraversalFlags(TraversalFlags* flags) const {
    flags->mPastModal = mModalWidget == nullptr;
    flags->mFlagsAtModal = GetWidgetFlags();
    flags->mFlagsBelowModal = mBelowModalAdjust.Apply(flags->mFlagsAtModal);
}

Widget* WidgetManager::GetWidgetAt(int x, int y, int* localX, int* localY) {
    bool found = false;
    return FindWidgetAtRecursive(x, y, GetWidgetFlags(), &found, localX, localY);
}

void WidgetManager::SetScreenSize(int width, int height) {
    if (width != mScreenWidth || height != mScreenHeight) {
        mScreenWidth = width;
        mScreenHeight = height;
    }
}

void WidgetManager::RemovePopupWidget() {
    if (Widget* popup = mPopupWidget) {
        mPopupWidget = nullptr;
        RemoveWidget(popup);
    }
}

void WidgetManager::RefreshMouseState() {
    if (mHeldWidget != nullptr) {
        if (mOverWidget != nullptr &&
            GetWidgetAt(mLastMouseX, mLastMouseY, nullptr, nullptr) != mHeldWidget) {
            ClearOver();
        }
    } else if (mMouseIn) {
        MousePosition(mLastMouseX, mLastMouseY);
    }
}

void WidgetManager::MousePosition(int x, int y) {
    const bool moved = x != mLastMouseX || y != mLastMouseY;
    mLastMouseX = x;
    mLastMouseY = y;
    int localX = 0;
    int localY = 0;
    Widget* w = GetWidgetAt(x, y, &localX, &localY);
    if (w == mOverWidget) {
        if (moved && w != nullptr) {
            w->MouseMove(localX, localY);
        }
        return;
    }
    ClearOver();
    mOverWidget = w;
    if (w != nullptr) {
        EnterWidget(w);
        w->MouseMove(localX, localY);
    }
}

void WidgetManager::AddOverlay(Widget* w, int priority) {
    mOverlays.push_back({w, priority});
    if (priority < mLowestOverlayPriority) {
        mLowestOverlayPriority = priority;
    }
}

// ---- [Mouse tracking] ----

void WidgetManager::MouseDrag(int x, int y) {
    mMouseIn = true;
    mLastMouseX = x;
    mLastMouseY = y;
    if (mOverWidget != nullptr && mOverWidget != mHeldWidget) {
        ClearOver();
    }
    if (mHeldWidget == nullptr) {
        return;
    }
    int localX = 0;
    int localY = 0;
    mHeldWidget->ToLocal(x, y, &localX, &localY);
    mHeldWidget->MouseDrag(localX, localY);
    // The drag may have let the widget go.
    Widget* held = mHeldWidget;
    if (held == nullptr) {
        return;
    }
    if (GetWidgetAt(x, y, nullptr, nullptr) != held) {
        ClearOver();
    } else if (mOverWidget == nullptr) {
        mOverWidget = held;
        EnterWidget(held);
    }
}

void WidgetManager::EnterWidget(Widget* w) {
    w->mIsOver = true;
    w->MouseEnter();
    if (w->mWantsHandCursor) {
        w->ShowHandCursor(true);
    }
}

void WidgetManager::LeaveWidget(Widget* w) {
    w->mIsOver = false;
    w->MouseLeave();
    if (w->mWantsHandCursor) {
        w->ShowHandCursor(false);
    }
}

void WidgetManager::ClearOver() {
    if (Widget* over = mOverWidget) {
        mOverWidget = nullptr;
        LeaveWidget(over);
    }
}

void WidgetManager::ReleaseButtons(Widget* w, int buttons) {
    static constexpr struct {
        int bit;
        int code;
    } kButtons[] = {{kLeftBit, 1}, {kRightBit, -1}, {kMiddleBit, 3}};
    for (const auto& button : kButtons) {
        if (buttons & button.bit) {
            w->mIsDown = false;
            // Local to the widget through all its ancestors.
            int localX = 0;
            int localY = 0;
            w->ToLocal(mLastMouseX, mLastMouseY, &localX, &localY);
            w->MouseUp(localX, localY, button.code);
        }
    }
}

} // namespace Vuro
