#pragma once
// The wall-clock time of day in the user's time zone, as text for logs and reports. (Timing
// and waiting go through Clock.h; these are for people to read.)

#include <string>

namespace Vuro::Platform {

// "HH:MM:SS", 24-hour.
std::string LocalTimeOfDay();
// The C library's asctime form, line feed included: "Wed Jun 30 21:49:08 1993\n".
std::string LocalDateTime();

} // namespace Vuro::Platform
