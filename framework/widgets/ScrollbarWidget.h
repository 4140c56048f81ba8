#pragma once
// A vertical (or horizontal) scroll bar: an arrow button at each end, a track between them and
// a thumb whose length shows the visible part of the range. The value runs from 0 to
// maxValue - pageSize; an arrow moves it by 1, a press on the track by a page, and dragging the
// thumb follows the mouse. Holding an arrow or the track repeats the move.
//
// What a caller can rely on:
// - Every SetValue reports the value to the listener, changed or not; clamping that changes
//   the value reports it too. The listener must be set.
// - The bar and its arrows are disabled while there is nothing to scroll (and hidden then with
//   autoHide).
// - The arrow buttons are the bar's own children, made and deleted by it.
// - An empty range (maxValue 0, or pageSize equal to maxValue) gives no division by zero: the
//   thumb then sits at the start.

#include "framework/widgets/ButtonListener.h"
#include "framework/widgets/Widget.h"

namespace Vuro {

class ScrollbuttonWidget;
class ScrollListener;

class ScrollbarWidget : public Widget, public ButtonListener {
public:
    ScrollbarWidget(int id, ScrollListener* listener);
    ~ScrollbarWidget() override;

    // ---- [Virtual operations added, in their fixed order] ----
    virtual void SetAutoHide(bool autoHide);
    virtual void SetMaxValue(double maxValue);
    virtual void SetPageSize(double pageSize);
    virtual void SetValue(double value);
    virtual void SetHorizontal(bool horizontal);
    // Resizes the bar and puts the arrows, square, at its two ends.
    virtual void ResizeBar(int x, int y, int width, int height);
    virtual bool IsAtEnd();
    virtual void ScrollToEnd();
    // A raised grey box.
    virtual void DrawThumb(Graphics* g, int x, int y, int width, int height);
    virtual int GetTrackLength();
    virtual int GetThumbLength();
    // From the bar's start, the up arrow included.
    virtual int GetThumbOffset();
    virtual void ClampValue();
    virtual void SetThumbOffset(int offset);
    // -1 before the thumb, 1 after it, 0 on it.
    virtual int HitThumb(int x, int y);

    // ---- [Overrides] ----
    void Update() override;
    void Draw(Graphics* g) override;
    void MouseDown(int x, int y, int clickCount) override;
    void MouseRelease(int x, int y) override;
    void MouseDrag(int x, int y) override;
    void ButtonPress(int buttonId) override;
    void ButtonHeld(int buttonId) override;

    // ---- [Fields] ----
    ScrollbuttonWidget* mUpButton;   // owned; id 0
    ScrollbuttonWidget* mDownButton; // owned; id 1
    bool mAutoHide = false;
    int mId;
    double mValue = 0.0;
    double mMaxValue = 0.0;
    double mPageSize = 0.0;
    bool mHorizontal = false;
    bool mThumbDragging = false;
    int mDragStartThumb = 0;
    int mPressX = 0;
    int mPressY = 0;
    int mPressZone = 0; // 0 none, 1 the track before the thumb is held, 2 the track after it
    int mRepeatCount = 0;
    int mArrowRepeatCount = 0;
    int mLastX = 0;
    int mLastY = 0;
    ScrollListener* mListener;

private:
    int ArrowSize() const;
    // An arrow's move: 1 back for the up arrow (id 0), 1 on for the down arrow (id 1).
    void StepBy(int buttonId);
    // Keeps paging while the track stays held on one side of the thumb.
    void RepeatTrackPress(int side, double step);
};

} // namespace Vuro
