#include "framework/widgets/WidgetSysFont.h"

namespace Vuro {

namespace {

SysFontMaker gSysFontMaker = nullptr;

} // namespace

SysFontMaker SetSysFontMaker(SysFontMaker maker) {
    SysFontMaker old = gSysFontMaker;
    gSysFontMaker = maker;
    return old;
}

Font* MakeSysFont(const SysFontRequest& request) {
    return gSysFontMaker != nullptr ? gSysFontMaker(request) : nullptr;
}

} // namespace Vuro
