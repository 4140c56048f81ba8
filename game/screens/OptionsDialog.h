#pragma once
// The options dialog in its least form: the menu's dialog with its title and one button that
// closes it and writes 777 into the menu's state word. Replaced by the real options with the
// volume sliders and the check boxes.

#include "game/screens/MenuDialog.h"

#include <string>

namespace Vuro {

class BoardMenu;

class OptionsDialog : public MenuDialog {
public:
    static constexpr int kDialogId = 6;

    OptionsDialog(BoardMenu* owner, std::string header, std::string lines = std::string());

    // Ignores its arguments.
    void Resize(int x, int y, int width, int height) override;
    void Draw(Graphics* g) override;
    void ButtonClick(int id) override;

    BoardMenu* mOwner; // not owned
};

} // namespace Vuro
