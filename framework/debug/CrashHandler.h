#pragma once
// The crash reporter's hold on the application: the application registers itself at the end
// of its construction and leaves at its destruction, so a report made on any thread can ask it
// for its part (OnCrash, GetCrashInfo). Safe from any thread.

namespace Vuro {

class VuroAppBase;

class CrashHandler {
public:
    static void RegisterApp(VuroAppBase* app);
    // Forgets app when it is the registered one.
    static void UnregisterApp(VuroAppBase* app);
    // Null when none is registered.
    static VuroAppBase* GetRegisteredApp();
};

} // namespace Vuro
