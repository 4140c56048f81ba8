#include "framework/widgets/WidgetSysFont.h"

#include "framework/fonts/SysFont.h"
#include "framework/widgets/WidgetHost.h"

namespace Vuro {

namespace {

Font* MakeSystemFont(const SysFontRequest& request) {
    return new SysFont(WidgetHost::Current(), request.mFace, request.mPointSize, request.mCharSet,
                       request.mBold, request.mItalic, request.mUnderline);
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
