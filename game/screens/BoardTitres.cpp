#include "game/screens/BoardTitres.h"

#include "platform/TextEncoding.h"

namespace Vuro {

BoardTitres::BoardTitres(GameApp* app, BoardMenu* menu)
    : StandInBoard(app, Color(60, 40, 90), "Титры"_cp1251), mMenu(menu) {}

} // namespace Vuro
