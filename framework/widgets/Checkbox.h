#pragma once
// A two-state toggle drawn from two images, or from two rectangles of the unchecked image.
// Every press on it (any button, each press of a double click) inverts the state and reports
// the new state to the listener, when there is one. Images are not owned.

#include "framework/graphics/Rect.h"
#include "framework/widgets/Widget.h"

namespace Vuro {

class CheckboxListener;
class Image;

class Checkbox : public Widget {
public:
    Checkbox(Image* uncheckedImage, Image* checkedImage, int id, CheckboxListener* listener);

    void Draw(Graphics* g) override;
    void MouseDown(int x, int y, int clickCount) override;

    // ---- [Added virtual operations, in their fixed order] ----
    // With notify, the listener hears the state stored (also when unchanged).
    virtual void SetChecked(bool checked, bool notify);
    virtual bool IsChecked();

    CheckboxListener* mCheckboxListener; // not owned; may be null
    int mId;
    bool mChecked = false;
    Image* mUncheckedImage; // not owned
    Image* mCheckedImage;   // not owned
    // Cut from the unchecked image; used when checkedRect has a width.
    Rect mCheckedRect;
    Rect mUncheckedRect;
};

} // namespace Vuro
