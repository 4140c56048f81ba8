#pragma once
// The statistics screen a play board shows once its curtain has closed: the level's counters
// as count-of-total pairs beside the four fruit icons and four flapping birds, the level's
// score and the player's total, and an OK button. It draws with the board's image set.
//
// What a caller can rely on:
// - Made when the level ends: it takes the field's counters, the level's score and the
//   player's total then, and enters a won level's result (the player's name, the score, the
//   level) in the score table of the level's mode, which it saves. A lost level records
//   nothing.
// - The score shown and entered is the play field's score of the level.
// - The OK button removes the screen from the widget manager, gives the focus back to the
//   board and answers StatsClosed (100) to the board's call-back; the board owns the screen
//   and deletes it. Clicks elsewhere do nothing.
// - While the application is inactive (without the focus or minimised) the birds stand still
//   and the screen does not redraw itself.

#include "framework/widgets/ButtonListener.h"
#include "framework/widgets/Widget.h"
#include "game/rules/Bird.h"
#include "game/rules/PlayField.h"
#include "game/screens/StateCallback.h"

namespace Vuro {

class ButtonWidget;
class PlayBoard;

class BoardStat : public Widget, public ButtonListener {
public:
    static constexpr int kStatsClosed = 100;
    static constexpr int kOkButtonId = 1;
    static constexpr int kBirdCount = 4;

    // board is not owned.
    BoardStat(PlayBoard* board, StateCallback answer);
    ~BoardStat() override;

    void Update() override;
    void Draw(Graphics* g) override;
    void OnAttached(WidgetManager* manager) override;
    void OnDetached(WidgetManager* manager) override;
    // Music goes on, as when the application gets the focus.
    void GotFocus() override;
    void ButtonClick(int id) override;

    ButtonWidget* GetOkButton() const { return mOkButton; }
    int GetLevelScore() const { return mLevelScore; }
    int GetTotalSum() const { return mTotalSum; }
    const Bird& GetBird(int index) const { return mBirds[index]; }

private:
    bool mIsStory;
    PlayBoard* mBoard;
    StateCallback mAnswer;
    ButtonWidget* mOkButton = nullptr;            // owned
    Bird mBirds[kBirdCount];                      // decoration, held
    int mCounters[PlayField::kCounterCount] = {}; // eight pairs: count, out of
    int mLevelScore;
    int mTotalSum;
};

} // namespace Vuro
