// The hosts the lower layers ask through: how they find the one application object without
// seeing it, and what the application answers beyond its own operations.

#include "framework/app/VuroAppBase.h"

namespace Vuro {

FontHost* FontHost::Current() {
    return gVuroApp;
}

WidgetHost* WidgetHost::Current() {
    return gVuroApp;
}

NativeDisplay* VuroAppBase::GetDisplayLayout() {
    static NativeDisplay argbLayout;
    return mDDInterface != nullptr ? mDDInterface : &argbLayout;
}

} // namespace Vuro
