#include "framework/widgets/Slider.h"

#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/widgets/SliderListener.h"
#include "framework/widgets/WidgetHost.h"

namespace Vuro {

Slider::Slider(Image* trackImage, Image* thumbImage, int id, SliderListener* listener)
    : mSliderListener(listener), mId(id), mTrackImage(trackImage), mThumbImage(thumbImage) {}

int Slider::ThumbWidth() {
    return mThumbImage != nullptr ? mThumbImage->GetWidth() : 0;
}

int Slider::ThumbX() {
    return static_cast<int>((mWidth - ThumbWidth()) * mValue);
}

bool Slider::OnThumb(int x) {
    const int thumbX = ThumbX();
    return mThumbImage != nullptr && x >= thumbX && x < thumbX + ThumbWidth();
}

void Slider::Report() {
    if (mSliderListener != nullptr) {
        mSliderListener->SliderMoved(mId, mValue);
    }
}

void Slider::SetValue(double value) {
    mValue = value;
    InvalidateArea();
}

void Slider::MouseMove(int x, int /*y*/) {
    WidgetHost::ShowCursor(OnThumb(x) ? CursorKind::kDrag : CursorKind::kArrow);
}

void Slider::MouseLeave() {
    if (!mDragging) {
        WidgetHost::ShowCursor(CursorKind::kArrow);
    }
}

void Slider::MouseDown(int x, int /*y*/, int /*clickCount*/) {
    if (OnThumb(x)) {
        WidgetHost::ShowCursor(CursorKind::kDrag);
        mDragging = true;
        mGrabOffset = x - ThumbX();
    }
}

void Slider::MouseDrag(int x, int /*y*/) {
    if (!mDragging) {
        return;
    }
    const int offset = x - mGrabOffset;
    const int room = mWidth - ThumbWidth();
    // Without room the quotient is infinite (or undefined at 0): it pins to an end.
    double value = room != 0 ? static_cast<double>(offset) / room : (offset > 0 ? 1.0 : 0.0);
    if (!(value >= 0.0)) {
        value = 0.0;
    } else if (value > 1.0) {
        value = 1.0;
    }
    if (value != mValue) {
        mValue = value;
        Report();
        InvalidateArea();
    }
}

void Slider::MouseRelease(int /*x*/, int /*y*/) {
    mDragging = false;
    WidgetHost::ShowCursor(CursorKind::kArrow);
    Report();
}

void Slider::Draw(Graphics* g) {
    const int cell = mTrackImage != nullptr ? mTrackImage->GetWidth() / 3 : 0;
    if (cell > 0) {
        const int h = mTrackImage->GetHeight();
        const int ty = (mHeight - h) / 2;
        g->DrawImageSrc(mTrackImage, 0, ty, Rect(0, 0, cell, h));
        Graphics middle(*g);
        middle.ClipRect(cell, ty, mWidth - 2 * cell, h);
        const int tiles = (mWidth - cell - 1) / cell;
        for (int i = 1; i <= tiles; ++i) {
            middle.DrawImageSrc(mTrackImage, i * cell, ty, Rect(cell, 0, cell, h));
        }
        g->DrawImageSrc(mTrackImage, mWidth - cell, ty, Rect(2 * cell, 0, cell, h));
    }
    if (mThumbImage != nullptr) {
        g->DrawImage(mThumbImage, ThumbX(), (mHeight - mThumbImage->GetHeight()) / 2);
    }
}

} // namespace Vuro
