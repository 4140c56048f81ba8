#pragma once
// The base of the game's own dialogs: a frame drawn as a 3 x 3 box, one font for header, body
// and buttons, yellow texts, and buttons cut from a three-cel strip (normal, over, down side by
// side, each a third of the strip's width). The menu's dialogs take their look from the menu
// art set (LookOf); a play board's dialog from the board's own pictures.
//
// What a subclass can rely on:
// - Buttons made here are top-level widgets of the manager once the subclass adds them; the
//   subclass owns them, adds them in OnAttached and removes them in OnDetached. Controls handed
//   to AddControl instead are the dialog's: added to the manager with it, in the order given,
//   removed with it and deleted with it.
// - Answer hands the answer to the caller's call-back, then asks the application to close the
//   dialog; the application deletes it later, so the dialog may still be used meanwhile.

#include "framework/graphics/Color.h"
#include "framework/widgets/Dialog.h"
#include "framework/widgets/Margins.h"
#include "game/screens/StateCallback.h"

#include <string>
#include <vector>

namespace Vuro {

class DialogButton;
class Font;
class Image;
class MenuArtSet;

inline constexpr Color kMenuYellow{248, 255, 68};
inline constexpr Margins kMenuDialogMargins{23, 30, 23, 20};

// What a game dialog is drawn with; nothing here is owned by the dialog.
struct DialogLook {
    Image* mFrame = nullptr;       // the box behind the dialog
    Image* mButtonStrip = nullptr; // three button cels side by side
    Font* mFont = nullptr;         // header, lines and button captions
};

class MenuDialog : public Dialog {
public:
    // As Dialog's, drawn with the look; buttonImage is the Dialog's own button image (the strip
    // or null: only the buttons of button modes 1-3 use it).
    MenuDialog(const DialogLook& look, Image* buttonImage, int dialogId, const std::string& header,
               const std::string& lines, const std::string& footer, int buttonMode,
               int headerSpacing, const Margins& margins = kMenuDialogMargins);

    // The look of the menu's dialogs: its dialog frame, dialog button strip and menu font.
    static DialogLook LookOf(const MenuArtSet& art);

    // A new button on the strip with the look's font and yellow captions (owned by the caller).
    DialogButton* MakeButton(int id, const std::string& label);
    // Gives a button the strip's cels, the look's font and yellow captions.
    static void ApplyButtonLook(DialogButton* button, const DialogLook& look,
                                const std::string& label);
    // The two-button question's place, whatever size it is given: 400 x 200 at 120, 150, the
    // answer on the left at 200, 280 and the other on the right at 330, 280, each 110 wide.
    static constexpr int kQuestionHeaderSpacing = 25;
    void PlaceAsQuestion(DialogButton* left, DialogButton* right);
    // The height of the strip: the height of every button made here.
    int ButtonHeight() const;

    // Takes control; it comes and goes with the dialog. Answers control.
    template <typename W> W* AddControl(W* control) {
        mControls.push_back(control);
        return control;
    }
    ~MenuDialog() override;
    void OnAttached(WidgetManager* manager) override;
    void OnDetached(WidgetManager* manager) override;

    // The click every button of these dialogs makes.
    static void PlayClick();
    // Hands state to the caller's call-back, then has the application close the dialog.
    void Answer(const StateCallback& answer, int state);

    DialogLook mLook;

private:
    std::vector<Widget*> mControls; // owned
};

} // namespace Vuro
