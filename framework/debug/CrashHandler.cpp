#include "framework/debug/CrashHandler.h"

#include <atomic>

namespace Vuro {

namespace {
std::atomic<VuroAppBase*> gRegisteredApp{nullptr};
}

void CrashHandler::RegisterApp(VuroAppBase* app) {
    gRegisteredApp.store(app);
}

void CrashHandler::UnregisterApp(VuroAppBase* app) {
    gRegisteredApp.compare_exchange_strong(app, nullptr);
}

VuroAppBase* CrashHandler::GetRegisteredApp() {
    return gRegisteredApp.load();
}

} // namespace Vuro
