#pragma once
// A horizontal track with a thumb the user drags; its value runs from 0 (thumb at the left)
// to 1 (at the right). Only a press on the thumb starts a drag (no jumping or paging). The
// listener hears each change while dragging and the value on every release. Images are not
// owned.
//
// What a caller can rely on:
// - SetValue stores any value as it is (the thumb may then lie beyond the track); a drag
//   clamps to 0..1, also when the track leaves the thumb no room to move.
// - A track image narrower than 3 pixels draws no track; without a thumb image nothing can be
//   dragged and no thumb is drawn.

#include "framework/widgets/Widget.h"

namespace Vuro {

class Image;
class SliderListener;

class Slider : public Widget {
public:
    Slider(Image* trackImage, Image* thumbImage, int id, SliderListener* listener);

    void Draw(Graphics* g) override;
    void MouseMove(int x, int y) override;
    void MouseLeave() override;
    void MouseDown(int x, int y, int clickCount) override;
    void MouseDrag(int x, int y) override;
    void MouseRelease(int x, int y) override;

    // ---- [Added virtual operations, in their fixed order] ----
    virtual void SetValue(double value);
    // Always true: a widget answering it is a slider.
    virtual bool IsSlider() { return true; }

    // Left edge of the thumb, local.
    int ThumbX();

    SliderListener* mSliderListener; // not owned
    double mValue = 0.0;
    int mId;
    Image* mTrackImage; // may be null: no track is drawn
    Image* mThumbImage;
    bool mDragging = false;
    int mGrabOffset = 0; // press point relative to the thumb's left edge

private:
    int ThumbWidth();
    bool OnThumb(int x);
    void Report();
};

} // namespace Vuro
