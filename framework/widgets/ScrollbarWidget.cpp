#include "framework/widgets/ScrollbarWidget.h"

#include "framework/graphics/Graphics.h"
#include "framework/widgets/ScrollListener.h"
#include "framework/widgets/ScrollbuttonWidget.h"

namespace Vuro {

namespace {

constexpr int kRepeatDelay = 25;        // updates a press is held before it repeats
constexpr int kTrackRepeatRestart = 20; // then a page every 5 updates
const Color kTrackColor(232, 232, 232);
const Color kTrackHeldColor(48, 48, 48);

} // namespace

ScrollbarWidget::ScrollbarWidget(int id, ScrollListener* listener)
    : mUpButton(new ScrollbuttonWidget(0, this, 0)),
      mDownButton(new ScrollbuttonWidget(1, this, 0)), mId(id), mListener(listener) {
    mDisabled = true;
    mUpButton->SetDisabled(true);
    mDownButton->SetDisabled(true);
    AddWidget(mUpButton);
    AddWidget(mDownButton);
}

ScrollbarWidget::~ScrollbarWidget() {
    RemoveWidget(mUpButton);
    RemoveWidget(mDownButton);
    delete mUpButton;
    delete mDownButton;
}

int ScrollbarWidget::ArrowSize() const {
    return mUpButton->mWidth;
}

// ---- [Range and value] ----

void ScrollbarWidget::SetAutoHide(bool autoHide) {
    mAutoHide = autoHide;
    if (autoHide) {
        SetVisible(false);
        mUpButton->SetVisible(false);
        mDownButton->SetVisible(false);
    }
}

void ScrollbarWidget::SetMaxValue(double maxValue) {
    mMaxValue = maxValue;
    ClampValue();
    Invalidate();
}

void ScrollbarWidget::SetPageSize(double pageSize) {
    mPageSize = pageSize;
    ClampValue();
    Invalidate();
}

void ScrollbarWidget::SetValue(double value) {
    mValue = value;
    ClampValue();
    mListener->ScrollPositionChanged(mId, mValue);
    Invalidate();
}

void ScrollbarWidget::SetHorizontal(bool horizontal) {
    mHorizontal = horizontal;
    mUpButton->mHorizontal = horizontal;
    mDownButton->mHorizontal = horizontal;
}

void ScrollbarWidget::ResizeBar(int x, int y, int width, int height) {
    Resize(x, y, width, height);
    if (mHorizontal) {
        mUpButton->Resize(0, 0, height, height);
        mDownButton->Resize(width - height, 0, height, height);
    } else {
        mUpButton->Resize(0, 0, width, width);
        mDownButton->Resize(0, height - width, width, width);
    }
}

bool ScrollbarWidget::IsAtEnd() {
    return mMaxValue - mPageSize - mValue <= 1.0;
}

void ScrollbarWidget::ScrollToEnd() {
    mValue = mMaxValue - mPageSize;
    ClampValue();
    SetValue(mValue);
}

void ScrollbarWidget::ClampValue() {
    const double oldValue = mValue;
    if (!(mValue <= mMaxValue - mPageSize)) {
        mValue = mMaxValue - mPageSize;
    }
    if (!(mValue >= 0.0)) {
        mValue = 0.0;
    }
    const bool canScroll = mPageSize < mMaxValue;
    SetDisabled(!canScroll);
    mUpButton->SetDisabled(!canScroll);
    mDownButton->SetDisabled(!canScroll);
    if (mAutoHide) {
        SetVisible(canScroll);
        mDownButton->SetVisible(canScroll);
        mUpButton->SetVisible(canScroll);
    }
    if (mValue != oldValue) {
        mListener->ScrollPositionChanged(mId, mValue);
    }
}

// ---- [Thumb geometry] ----

int ScrollbarWidget::GetTrackLength() {
    return (mHorizontal ? mWidth : mHeight) - 2 * ArrowSize();
}

int ScrollbarWidget::GetThumbLength() {
    if (mPageSize > mMaxValue || mMaxValue <= 0.0) {
        return 0;
    }
    const int length = static_cast<int>(GetTrackLength() * mPageSize / mMaxValue + 0.5);
    return length < 8 ? 8 : length;
}

int ScrollbarWidget::GetThumbOffset() {
    const double range = mMaxValue - mPageSize;
    if (range <= 0.0) {
        return ArrowSize();
    }
    return static_cast<int>((GetTrackLength() - GetThumbLength()) * mValue / range + 0.5) +
           ArrowSize();
}

void ScrollbarWidget::SetThumbOffset(int offset) {
    const int free = GetTrackLength() - GetThumbLength();
    SetValue(free > 0 ? (mMaxValue - mPageSize) * (offset - ArrowSize()) / free : 0.0);
}

int ScrollbarWidget::HitThumb(int x, int y) {
    const int c = mHorizontal ? x : y;
    const int offset = GetThumbOffset();
    if (c < offset) {
        return -1;
    }
    return c >= offset + GetThumbLength() ? 1 : 0;
}

// ---- [Input] ----

void ScrollbarWidget::StepBy(int buttonId) {
    if (buttonId == 1) {
        SetValue(mValue + 1.0);
    } else if (buttonId == 0) {
        SetValue(mValue - 1.0);
    }
}

void ScrollbarWidget::ButtonPress(int buttonId) {
    mArrowRepeatCount = 0;
    StepBy(buttonId);
}

void ScrollbarWidget::ButtonHeld(int buttonId) {
    if (++mArrowRepeatCount == kRepeatDelay) {
        StepBy(buttonId);
        mArrowRepeatCount = kRepeatDelay - 1;
    }
}

void ScrollbarWidget::MouseDown(int x, int y, int clickCount) {
    Widget::MouseDown(x, y, clickCount);
    if (!mDisabled) {
        switch (HitThumb(x, y)) {
        case -1:
            SetValue(mValue - mPageSize);
            mPressZone = 1;
            mRepeatCount = 0;
            break;
        case 1:
            SetValue(mValue + mPageSize);
            mPressZone = 2;
            mRepeatCount = 0;
            break;
        default:
            mThumbDragging = true;
            mDragStartThumb = GetThumbOffset();
            mPressX = x;
            mPressY = y;
            break;
        }
    }
    mLastX = x;
    mLastY = y;
}

void ScrollbarWidget::MouseDrag(int x, int y) {
    if (mThumbDragging) {
        SetThumbOffset(mHorizontal ? mDragStartThumb + x - mPressX : mDragStartThumb + y - mPressY);
    }
    mLastX = x;
    mLastY = y;
}

void ScrollbarWidget::MouseRelease(int x, int y) {
    Widget::MouseRelease(x, y);
    mPressZone = 0;
    mThumbDragging = false;
    Invalidate();
}

void ScrollbarWidget::RepeatTrackPress(int side, double step) {
    if (HitThumb(mLastX, mLastY) != side) {
        mPressZone = 0;
        Invalidate();
        return;
    }
    if (++mRepeatCount == kRepeatDelay) {
        SetValue(mValue + step);
        mRepeatCount = kTrackRepeatRestart;
    }
}

void ScrollbarWidget::Update() {
    Widget::Update();
    if (mPressZone == 1) {
        RepeatTrackPress(-1, -mPageSize);
    } else if (mPressZone == 2) {
        RepeatTrackPress(1, mPageSize);
    }
}

// ---- [Drawing] ----

void ScrollbarWidget::DrawThumb(Graphics* g, int x, int y, int width, int height) {
    g->SetColor(Color(212, 212, 212));
    g->FillRect(x, y, width, height);
    g->SetColor(Color(255, 255, 255));
    g->FillRect(x + 1, y + 1, width - 2, 1);
    g->FillRect(x + 1, y + 1, 1, height - 2);
    g->SetColor(Color(0, 0, 0));
    g->FillRect(x, y + height - 1, width, 1);
    g->FillRect(x + width - 1, y, 1, height);
    g->SetColor(Color(132, 132, 132));
    g->FillRect(x + 1, y + height - 2, width - 2, 1);
    g->FillRect(x + width - 2, y + 1, 1, height - 2);
}

void ScrollbarWidget::Draw(Graphics* g) {
    const int thumbLength = GetThumbLength();
    const int thumbOffset = GetThumbOffset();
    const int thumbEnd = thumbOffset + thumbLength;
    g->SetColor(mPressZone == 1 ? kTrackHeldColor : kTrackColor);
    if (mHorizontal) {
        g->FillRect(0, 0, thumbOffset, mHeight);
    } else {
        g->FillRect(0, 0, mWidth, thumbOffset);
    }
    if (thumbLength > 0) {
        if (mHorizontal) {
            DrawThumb(g, thumbOffset, 0, thumbLength, mHeight);
        } else {
            DrawThumb(g, 0, thumbOffset, mWidth, thumbLength);
        }
    }
    g->SetColor(mPressZone == 2 ? kTrackHeldColor : kTrackColor);
    if (mHorizontal) {
        g->FillRect(thumbEnd, 0, mWidth - thumbEnd, mHeight);
    } else {
        g->FillRect(0, thumbEnd, mWidth, mHeight - thumbEnd);
    }
}

} // namespace Vuro
