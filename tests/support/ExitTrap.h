#pragma once
// Catches the end of the process in a test: while an ExitTrap lives, Platform::ExitProcess
// throws ExitCalled with the exit code instead of ending the process.

#include "platform/Process.h"

namespace Vuro::Test {

struct ExitCalled {
    int code;
};

class ExitTrap {
public:
    ExitTrap() : mPrevious(Platform::SetExitHandler(&Throw)) {}
    ~ExitTrap() { Platform::SetExitHandler(mPrevious); }
    ExitTrap(const ExitTrap&) = delete;
    ExitTrap& operator=(const ExitTrap&) = delete;

private:
    [[noreturn]] static void Throw(int code) { throw ExitCalled{code}; }
    Platform::ExitHandler mPrevious;
};

} // namespace Vuro::Test
