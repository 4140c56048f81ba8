#pragma once
// The game's one-button message box: a header and a block of text in the menu's dialog look,
// and an OK button (labelled with help text 1). The click plays the click sound, answers 101
// to the caller's call-back and closes the box.
//
// Callers size it with Resize (120, 150, 400, H) and add it with the application's AddDialog
// under id 0. The box always stands at 120, 150 and is 400 wide; only H is the caller's; the
// button stands 60 pixels above the bottom edge.

#include "game/screens/MenuDialog.h"

#include <string>

namespace Vuro {

class BoardMenu;
class DialogButton;

class OKDialog : public MenuDialog {
public:
    static constexpr int kDialogId = 0;
    static constexpr int kOkButtonId = 1;
    static constexpr int kClosedState = 101;

    // The menu gives the look and the application.
    OKDialog(BoardMenu* owner, std::string header, std::string lines, StateCallback answer);
    ~OKDialog() override;

    void OnAttached(WidgetManager* manager) override;
    void OnDetached(WidgetManager* manager) override;
    // Only the height counts.
    void Resize(int x, int y, int width, int height) override;
    void ButtonClick(int id) override;

    BoardMenu* mOwner; // not owned
    StateCallback mAnswer;
    DialogButton* mOkButton;
};

} // namespace Vuro
