#pragma once
// The button of a dialog: a component image stretched as a 3 x 3 box (or, with source
// rectangles, the part of it for the state), its label centred and shifted while pressed.
// Without a component image it draws as a plain ButtonWidget. The component image is not
// owned; a non-empty label with no font gets a 12-point system font on the first draw.

#include "framework/widgets/ButtonWidget.h"

namespace Vuro {

class DialogButton : public ButtonWidget {
public:
    DialogButton(Image* componentImage, int id, ButtonListener* listener);

    void Draw(Graphics* g) override;

    Image* mComponentImage; // not owned
    int mTranslateX = 1;    // shift of the pressed look
    int mTranslateY = 1;
    int mTextOffsetX = 0; // added to the label position
    int mTextOffsetY = 0;
};

} // namespace Vuro
