#include "game/screens/BoardScores.h"

#include "framework/widgets/WidgetManager.h"
#include "game/screens/BoardMenu.h"
#include "platform/TextEncoding.h"

namespace Vuro {

BoardScores::BoardScores(BoardMenu* owner, int* stateWord)
    : StandInBoard(owner->mGameApp, Color(40, 70, 40), "Рекорды"_cp1251), mOwner(owner),
      mStateWord(stateWord) {}

void BoardScores::MouseUp(int x, int y, int clickCount) {
    StandInBoard::MouseUp(x, y, clickCount);
    mWidgetManager->RemoveWidget(this);
    *mStateWord = kClosed;
}

} // namespace Vuro
