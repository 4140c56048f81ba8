#include "LayerRules.h"

namespace Vuro::LayerCheck {

// Each entry is a place where the code reaches up past its layer, and why it stays.
// Graphics, fonts, widgets and the 2-D display ask the application only through the hosts it
// implements (ImageRegistry, FontHost, WidgetHost, DisplayHost); the game's screens ask the game
// application only through GameHost. An entry that no longer occurs is reported.
const std::vector<Exception>& KnownExceptions() {
    static const std::vector<Exception> kExceptions = {
        // The application owns the crash hook (registered at construction, published every
        // second), the report-only mode, the resource manager and the developer keys' profiler
        // and tuning values; an end that cannot wait for the loading work writes the demo the way
        // a crash does. These are debug tools that read the whole application in turn, so a host
        // interface for them would only mirror the application back to itself.
        {"framework/app/AppDeveloperKeys.cpp", "framework/debug/ModVal.h", "Alt+R reloads tuning"},
        {"framework/app/AppDeveloperKeys.cpp", "framework/debug/PerfProfiler.h", "F2 profiler"},
        {"framework/app/AppMainLoop.cpp", "framework/debug/CrashHandler.h", "publishes crash info"},
        {"framework/app/AppThreads.cpp", "framework/debug/CrashDemo.h", "demo of a stuck exit"},
        {"framework/app/VuroAppBase.cpp", "framework/debug/CrashHandler.h", "registers the app"},
        {"framework/app/VuroAppBase.cpp", "framework/debug/CrashReporter.h", "-crashreport mode"},
        {"framework/app/VuroAppBase.cpp", "framework/debug/ResourceManager.h", "owns it"},
        // The 3-D device records its failures in the settings (not while a demo runs) and reads
        // the window; the 3-D test keeps its verdict under the application's key and passes it
        // through the demo.
        {"framework/display/D3DInterface.cpp", "framework/app/VuroAppBase.h", "3-D failure text"},
        {"framework/display/D3DTester.cpp", "framework/app/VuroAppBase.h", "settings, demo"},
        // The drawing context draws text through the font interface it is handed
        // (Graphics::DrawString hands the text to the font). That interface is the fonts' base
        // class and needs nothing above graphics; it stays with the fonts that derive from it.
        {"framework/graphics/Graphics.cpp", "framework/fonts/Font.h", "text drawing"},
        {"framework/graphics/GraphicsText.cpp", "framework/fonts/Font.h", "text drawing"},
    };
    return kExceptions;
}

} // namespace Vuro::LayerCheck
