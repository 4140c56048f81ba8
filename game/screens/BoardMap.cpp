#include "game/screens/BoardMap.h"

#include "platform/TextEncoding.h"

namespace Vuro {

BoardMap::BoardMap(GameApp* app, BoardMenu* menu)
    : StandInBoard(app, Color(120, 100, 50), "Карта"_cp1251), mMenu(menu) {}

} // namespace Vuro
