#include "framework/widgets/Checkbox.h"

#include "framework/graphics/Graphics.h"
#include "framework/widgets/CheckboxListener.h"

namespace Vuro {

Checkbox::Checkbox(Image* uncheckedImage, Image* checkedImage, int id, CheckboxListener* listener)
    : mCheckboxListener(listener), mId(id), mUncheckedImage(uncheckedImage),
      mCheckedImage(checkedImage) {
    mWantsHandCursor = true;
}

void Checkbox::SetChecked(bool checked, bool notify) {
    mChecked = checked;
    if (notify && mCheckboxListener != nullptr) {
        mCheckboxListener->CheckboxToggled(mId, mChecked);
    }
    Invalidate();
}

bool Checkbox::IsChecked() {
    return mChecked;
}

void Checkbox::MouseDown(int x, int y, int clickCount) {
    Widget::MouseDown(x, y, clickCount);
    mChecked = !mChecked;
    if (mCheckboxListener != nullptr) {
        mCheckboxListener->CheckboxToggled(mId, mChecked);
    }
    Invalidate();
}

void Checkbox::Draw(Graphics* g) {
    if (mCheckedRect.mWidth != 0) {
        if (mUncheckedImage != nullptr) {
            g->DrawImageSrc(mUncheckedImage, 0, 0, mChecked ? mCheckedRect : mUncheckedRect);
        }
        return;
    }
    Image* image = mChecked ? mCheckedImage : mUncheckedImage;
    if (image != nullptr) {
        g->DrawImage(image, 0, 0);
    }
}

} // namespace Vuro
