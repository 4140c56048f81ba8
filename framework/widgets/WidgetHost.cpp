#include "framework/widgets/WidgetHost.h"

namespace Vuro {

void WidgetHost::ShowCursor(CursorKind kind) {
    if (WidgetHost* host = Current()) {
        host->SetCursor(static_cast<int>(kind));
    }
}

} // namespace Vuro
