#pragma once
// The drivers behind the window and the sound output, for a crash report: the name of each
// driver in use and the version of the library that runs it ("x11 (SDL 2.26.5)"); "none" for
// a driver not started.

#include <string>

namespace Vuro::Platform {

std::string VideoDriverVersion();
std::string AudioDriverVersion();

} // namespace Vuro::Platform
