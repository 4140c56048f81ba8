#include "platform/LocalTime.h"

#include <time.h>

namespace Vuro::Platform {

namespace {

std::string FormatNow(const char* format) {
    time_t now = time(nullptr);
    struct tm local {};
    char text[64];
    if (localtime_r(&now, &local) == nullptr || strftime(text, sizeof text, format, &local) == 0) {
        return std::string();
    }
    return text;
}

} // namespace

std::string LocalTimeOfDay() {
    return FormatNow("%H:%M:%S");
}

std::string LocalDateTime() {
    // Names come from the C locale: the program never changes its locale.
    return FormatNow("%a %b %e %H:%M:%S %Y\n");
}

} // namespace Vuro::Platform
