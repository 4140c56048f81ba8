#include "LayerRules.h"

namespace Vuro::LayerCheck {

// Each entry is a place where today's code reaches up past its layer. Graphics, fonts and
// widgets ask the application only through the hosts it implements (ImageRegistry, FontHost,
// WidgetHost); the entries left go the same way. An entry that no longer occurs is reported.
const std::vector<Exception>& KnownExceptions() {
    static const std::vector<Exception> kExceptions = {
        // The application owns the crash hook, the crash report mode, the resource manager and
        // the developer keys' profiler and tuning values.
        {"framework/app/AppCommandLine.cpp", "framework/debug/CrashHandler.h",
         "crash hook options"},
        {"framework/app/AppDeveloperKeys.cpp", "framework/debug/ModVal.h", "Alt+R reloads tuning"},
        {"framework/app/AppDeveloperKeys.cpp", "framework/debug/PerfProfiler.h", "F2 profiler"},
        {"framework/app/AppMainLoop.cpp", "framework/debug/CrashHandler.h", "publishes crash info"},
        {"framework/app/VuroAppBase.cpp", "framework/debug/CrashHandler.h", "registers the app"},
        {"framework/app/VuroAppBase.cpp", "framework/debug/CrashReporter.h", "-crashreport mode"},
        {"framework/app/VuroAppBase.cpp", "framework/debug/ResourceManager.h", "owns it"},
        // The display reads the window's size and depth and the popup flag of the application,
        // and registers its surfaces as the application's images.
        {"framework/display/DDImage.cpp", "framework/app/VuroAppBase.h", "3-D mode, images"},
        {"framework/display/DDImageDraw.cpp", "framework/app/VuroAppBase.h", "image registry"},
        {"framework/display/DDInterface.cpp", "framework/app/VuroAppBase.h", "window settings"},
        {"framework/display/DDInterface.cpp", "framework/debug/CrashHandler.h", "driver info"},
        {"framework/display/DDInterfacePresent.cpp", "framework/app/VuroAppBase.h", "popup flag"},
        // The 3-D device records its failures in the settings (not while a demo runs) and reads
        // the window; the 3-D test keeps its verdict under the application's key and passes it
        // through the demo. Both write result codes as the crash report does.
        {"framework/display/D3DInterface.cpp", "framework/app/VuroAppBase.h", "3-D failure text"},
        {"framework/display/D3DInterface.cpp", "framework/debug/CrashHandler.h", "hex codes"},
        {"framework/display/D3DTester.cpp", "framework/app/VuroAppBase.h", "settings, demo"},
        {"framework/display/D3DTester.cpp", "framework/debug/CrashHandler.h", "hex codes"},
        // The drawing context draws text through the font interface it is handed
        // (Graphics::DrawString hands the text to the font); the interface stays with the fonts.
        {"framework/graphics/Graphics.cpp", "framework/fonts/Font.h", "text drawing"},
        {"framework/graphics/GraphicsText.cpp", "framework/fonts/Font.h", "text drawing"},
    };
    return kExceptions;
}

} // namespace Vuro::LayerCheck
