#include "game/screens/CaptionedButton.h"

#include "framework/widgets/ButtonWidget.h"
#include "game/screens/MenuDialog.h"

namespace Vuro {

ButtonWidget* MakeCaptionedButton(int id, ButtonListener* listener, Image* face, Image* litFace,
                                  Font* font, const std::string& caption) {
    auto* button = new ButtonWidget(id, listener);
    button->mNormalImage = face;
    button->mOverImage = litFace;
    button->SetFont(font);
    button->SetColor(0, kMenuYellow);
    button->SetColor(1, kMenuYellow);
    button->mLabel = caption;
    return button;
}

} // namespace Vuro
