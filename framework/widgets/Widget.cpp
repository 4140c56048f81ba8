#include "framework/widgets/Widget.h"

#include "framework/widgets/WidgetHost.h"
#include "framework/widgets/WidgetManager.h"
#include "platform/Messages.h"

#include <cstdint>

namespace Vuro {

namespace {

// Click count to button: 0 left, 1 right, 2 middle, with the count the button reports.
void MapClick(int clickCount, int& button, int& count) {
    if (clickCount == 3) {
        button = 2;
        count = 1;
    } else if (clickCount < 0) {
        button = 1;
        count = -clickCount;
    } else {
        button = 0;
        count = clickCount;
    }
}

} // namespace

Widget::~Widget() {
    // Detached first, so neither its parent's list nor the manager keeps a pointer to it.
    if (mParent != nullptr) {
        mParent->RemoveWidget(this);
    }
    RemoveAllWidgets(false, false);
}

void Widget::Update() {
    WidgetContainer::Update();
}

void Widget::ZOrderChanged() {}

void Widget::SetVisible(bool visible) {
    if (visible == mVisible) {
        return;
    }
    mVisible = visible;
    if (visible) {
        // A dirty flag kept while hidden would make Invalidate skip the redraw.
        mDirty = false;
        Invalidate();
    } else {
        InvalidateArea();
    }
    if (mWidgetManager != nullptr) {
        mWidgetManager->RefreshMouseState();
    }
}

void Widget::SetColorsRGBA(const int (*colors)[4], int count) {
    mColors.clear();
    for (int i = 0; i < count; ++i) {
        SetColor(i, Color(colors[i][0], colors[i][1], colors[i][2], colors[i][3]));
    }
    Invalidate();
}

void Widget::SetColorsRGB(const int (*colors)[3], int count) {
    mColors.clear();
    for (int i = 0; i < count; ++i) {
        SetColor(i, Color(colors[i][0], colors[i][1], colors[i][2]));
    }
    Invalidate();
}

void Widget::SetColor(int index, const Color& color) {
    if (index < 0) {
        return;
    }
    if (static_cast<size_t>(index) >= mColors.size()) {
        mColors.resize(static_cast<size_t>(index) + 1, Color(0, 0, 0, 255));
    }
    mColors[static_cast<size_t>(index)] = color;
    Invalidate();
}

Color Widget::GetColorOr(int index, const Color& fallback) {
    if (index < 0 || static_cast<size_t>(index) >= mColors.size()) {
        return fallback;
    }
    return mColors[static_cast<size_t>(index)];
}

const Color& Widget::GetColor(int index) {
    static const Color kMissing(0, 0, 0, 255);
    if (index < 0 || static_cast<size_t>(index) >= mColors.size()) {
        return kMissing;
    }
    return mColors[static_cast<size_t>(index)];
}

void Widget::SetDisabled(bool disabled) {
    if (disabled == mDisabled) {
        return;
    }
    mDisabled = disabled;
    if (disabled && mWidgetManager != nullptr) {
        mWidgetManager->ForgetWidget(this);
    }
    Invalidate();
    if (!disabled && mWidgetManager != nullptr) {
        WidgetManager* manager = mWidgetManager;
        // The mouse point is on the screen; Contains wants the parent's coordinates.
        int localX = 0;
        int localY = 0;
        ToLocal(manager->mLastMouseX, manager->mLastMouseY, &localX, &localY);
        if (Contains(localX + mX, localY + mY)) {
            manager->MousePosition(manager->mLastMouseX, manager->mLastMouseY);
        }
    }
}

void Widget::ShowHandCursor(bool show) {
    WidgetHost::ShowCursor(show ? CursorKind::kHand : CursorKind::kArrow);
}

void Widget::ResizeTo(const Rect& rect) {
    Resize(rect.mX, rect.mY, rect.mWidth, rect.mHeight);
}

void Widget::Resize(int x, int y, int width, int height) {
    if (x == mX && y == mY && width == mWidth && height == mHeight) {
        return;
    }
    InvalidateArea();
    mX = x;
    mY = y;
    mWidth = width;
    mHeight = height;
    // Still dirty from the old place, Invalidate would skip the widgets above the new one.
    mDirty = false;
    Invalidate();
    if (mWidgetManager != nullptr) {
        mWidgetManager->RefreshMouseState();
    }
}

void Widget::Move(int x, int y) {
    Resize(x, y, mWidth, mHeight);
}

void Widget::ToAbsolute(int x, int y, int* outX, int* outY) {
    for (WidgetContainer* c = this; c != nullptr; c = c->mParent) {
        x += c->mX;
        y += c->mY;
    }
    *outX = x;
    *outY = y;
}

void Widget::ToLocal(int x, int y, int* outX, int* outY) {
    for (WidgetContainer* c = this; c != nullptr; c = c->mParent) {
        x -= c->mX;
        y -= c->mY;
    }
    *outX = x;
    *outY = y;
}

bool Widget::AcceptsFocus() {
    return false;
}

void Widget::DrawOnTop(Graphics* /*g*/) {}

void Widget::GotFocus() {
    mHasFocus = true;
}

void Widget::LostFocus() {
    mHasFocus = false;
}

void Widget::CharInput(char /*c*/) {}

void Widget::KeyDown(int key) {
    if (key != Platform::kVkTab || mWidgetManager == nullptr) {
        return;
    }
    if (mWidgetManager->mKeyDown[Platform::kVkShift]) {
        if (mTabPrev != nullptr) {
            mWidgetManager->SetFocus(mTabPrev);
        }
    } else if (mTabNext != nullptr) {
        mWidgetManager->SetFocus(mTabNext);
    }
}

void Widget::KeyUp(int /*key*/) {}

void Widget::MouseEnter() {}

void Widget::MouseLeave() {}

void Widget::MouseMove(int /*x*/, int /*y*/) {}

void Widget::MouseDownButton(int /*x*/, int /*y*/, int /*button*/, int /*clickCount*/) {}

void Widget::MouseDown(int x, int y, int clickCount) {
    int button = 0;
    int count = 0;
    MapClick(clickCount, button, count);
    MouseDownButton(x, y, button, count);
}

void Widget::MouseUpButton(int /*x*/, int /*y*/, int /*button*/, int /*clickCount*/) {}

void Widget::MouseUp(int x, int y, int clickCount) {
    MouseRelease(x, y);
    int button = 0;
    int count = 0;
    MapClick(clickCount, button, count);
    MouseUpButton(x, y, button, count);
}

void Widget::MouseRelease(int /*x*/, int /*y*/) {}

void Widget::MouseDrag(int /*x*/, int /*y*/) {}

void Widget::MouseWheel(int /*delta*/) {}

bool Widget::IsPointVisible(int /*x*/, int /*y*/) {
    return true;
}

int Widget::CountDigits(int n) {
    int count = 1;
    for (int64_t power = 10; power <= n; power *= 10) {
        ++count;
    }
    return count;
}

bool Widget::Contains(int x, int y) {
    return x >= mX && x < mX + mWidth && y >= mY && y < mY + mHeight;
}

Rect Widget::GetMarginRect() {
    return Rect(mX + mMargins.mLeft, mY + mMargins.mTop, mWidth - mMargins.mLeft - mMargins.mRight,
                mHeight - mMargins.mTop - mMargins.mBottom);
}

void Widget::Layout(int flags, WidgetContainer* other, int dx, int dy, int dw, int dh) {
    int x = mX;
    int y = mY;
    int width = mWidth;
    int height = mHeight;
    const bool isParent = other == mParent;
    const int ox = isParent ? 0 : other->mX;
    const int oy = isParent ? 0 : other->mY;
    const int ow = other->mWidth;
    const int oh = other->mHeight;
    // Ascending bit order: a flag sees the values the lower flags left.
    if (flags & LayoutMatchWidth) {
        width = ow + dw;
    }
    if (flags & LayoutMatchHeight) {
        height = oh + dh;
    }
    if (flags & LayoutSetX) {
        x = dx;
    }
    if (flags & LayoutSetY) {
        y = dy;
    }
    if (flags & LayoutSetWidth) {
        width = dw;
    }
    if (flags & LayoutSetHeight) {
        height = dh;
    }
    if (flags & LayoutPlaceAbove) {
        y = oy - height + dy;
    }
    if (flags & LayoutPlaceBelow) {
        y = oy + oh + dy;
    }
    if (flags & LayoutPlaceRightOf) {
        x = ox + ow + dx;
    }
    if (flags & LayoutPlaceLeftOf) {
        x = ox - width + dx;
    }
    if (flags & LayoutAlignLeft) {
        x = ox + dx;
    }
    if (flags & LayoutAlignRight) {
        x = ox + ow - width + dx;
    }
    if (flags & LayoutAlignTop) {
        y = oy + dy;
    }
    if (flags & LayoutAlignBottom) {
        y = oy + oh - height + dy;
    }
    if (flags & LayoutStretchToRight) {
        width = ox + ow - x + dw;
    }
    if (flags & LayoutStretchToLeft) {
        width = ox - x + dw;
    }
    if (flags & LayoutStretchToTop) {
        height = oy - y + dh;
    }
    if (flags & LayoutStretchToBottom) {
        height = oy + oh - y + dh;
    }
    if (flags & LayoutCenterX) {
        x = ox + (ow - width) / 2 + dx;
    }
    if (flags & LayoutCenterY) {
        y = oy + (oh - height) / 2 + dy;
    }
    Resize(x, y, width, height);
}

} // namespace Vuro
