#include "framework/widgets/WidgetSysFont.h"

#include "framework/app/VuroAppBase.h"
#include "framework/fonts/SysFont.h"

namespace Vuro {

namespace {

Font* MakeSystemFont(const SysFontRequest& request) {
    return new SysFont(gVuroApp, request.mFace, request.mPointSize, request.mCharSet, request.mBold,
                       request.mItalic, request.mUnderline);
}

SysFontMaker gSysFontMaker = &MakeSystemFont;

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
