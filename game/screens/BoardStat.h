#pragma once
// The statistics screen a play board shows once its curtain has closed. In its least form a
// full-screen panel with the level's score, the player's total and an OK button; a won level's
// result is entered in the score table of its mode, which is saved. The OK button removes the
// screen from the widget manager and writes StatsClosed (100) into the board's state word; the
// board owns the screen and deletes it. Replaced by the real screen with its counters and
// birds.

#include "framework/widgets/ButtonListener.h"
#include "framework/widgets/Widget.h"

namespace Vuro {

class ButtonWidget;
class PlayBoard;

class BoardStat : public Widget, public ButtonListener {
public:
    static constexpr int kStatsClosed = 100;
    static constexpr int kOkButtonId = 1;

    // board and stateWord are not owned.
    BoardStat(PlayBoard* board, int* stateWord);
    ~BoardStat() override;

    void OnAttached(WidgetManager* manager) override;
    void OnDetached(WidgetManager* manager) override;
    void Draw(Graphics* g) override;
    void ButtonClick(int id) override;

    ButtonWidget* GetOkButton() const { return mOkButton; }

private:
    PlayBoard* mBoard;
    int* mStateWord;
    ButtonWidget* mOkButton = nullptr; // owned
    int mStageSum;
    int mTotalSum;
};

} // namespace Vuro
