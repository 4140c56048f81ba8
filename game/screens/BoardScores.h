#pragma once
// The score board over the main menu: one of the two high-score tables at a time, story first,
// with a button that switches between them and one that goes back to the menu. Drawn with the
// menu's art and font; captions are help texts (7 back, 9 switch, 21 level, 22 score, 23 and
// 24 the tables' titles).
//
// What a caller can rely on:
// - Making it sorts both tables; deleting it saves them to data/scores.dat (also when nothing
//   changed). A table that cannot be saved stays as it is in memory.
// - The back button removes the screen from the widget manager and answers kClosed (1) to the
//   menu's call-back; the menu deletes it.
// - Rows are drawn 40 pixels apart from a baseline of 160: the name (at most 7 characters), the
//   level and the score.

#include "framework/widgets/ButtonListener.h"
#include "framework/widgets/Widget.h"
#include "game/screens/StateCallback.h"

namespace Vuro {

class BoardMenu;
class ButtonWidget;

class BoardScores : public Widget, public ButtonListener {
public:
    static constexpr int kClosed = 1;
    static constexpr int kBackButtonId = 1;
    static constexpr int kSwitchButtonId = 2;

    BoardScores(BoardMenu* owner, StateCallback answer);
    ~BoardScores() override;

    void OnAttached(WidgetManager* manager) override;
    void OnDetached(WidgetManager* manager) override;
    void Update() override;
    void Draw(Graphics* g) override;
    void ButtonClick(int id) override;

    BoardMenu* mOwner; // not owned
    StateCallback mAnswer;
    ButtonWidget* mBackButton = nullptr;
    ButtonWidget* mSwitchButton = nullptr;
    bool mShowStory = true;
};

} // namespace Vuro
