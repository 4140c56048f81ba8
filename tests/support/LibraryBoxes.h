#pragma once
// For the death tests of the music libraries' records: the end of the program is seen in a
// child process, which prints the box it was shown and the exit code as
// "[text|caption|flags|code]" and leaves with code 7 (1 when the program did not end).

#include "support/ExitTrap.h"
#include "support/FakeWindowSystem.h"

#include "platform/Library.h"

#include <cstdio>
#include <cstdlib>

namespace Vuro::Test {

// Installs `module` under `name` (null hides the library), then calls `load`.
template <typename Load>
[[noreturn]] void ShowsBoxAndEnds(const char* name, const Platform::LibraryModule* module,
                                  Load load) {
    FakeWindowSystem windows;
    ExitTrap trap;
    if (module != nullptr) {
        Platform::InstallLibrary(name, module);
    } else {
        Platform::HideLibrary(name);
    }
    try {
        (void)load();
    } catch (const ExitCalled& exit) {
        const auto& box = windows.mBoxes.at(0);
        std::fprintf(stderr, "[%s|%s|%u|%d]", box.text.c_str(), box.title.c_str(), box.flags,
                     exit.code);
        std::_Exit(7);
    }
    std::_Exit(1);
}

} // namespace Vuro::Test
