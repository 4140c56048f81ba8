// Wall-clock texts for logs and reports.

#include "platform/LocalTime.h"

#include <gtest/gtest.h>

#include <regex>

namespace Vuro::Platform {
namespace {

TEST(LocalTimeTest, TimeOfDayAndDateTimeHaveTheirFixedForms) {
    std::string time = LocalTimeOfDay();
    EXPECT_TRUE(std::regex_match(time, std::regex(R"(([01]\d|2[0-3]):[0-5]\d:[0-6]\d)"))) << time;
    std::string date = LocalDateTime();
    // asctime's form: day of the month padded to two places with a blank.
    EXPECT_TRUE(
        std::regex_match(date, std::regex(R"((Sun|Mon|Tue|Wed|Thu|Fri|Sat) )"
                                          R"((Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) )"
                                          R"(( [1-9]|[12]\d|3[01]) \d\d:\d\d:\d\d \d{4}\n)")))
        << date;
}

} // namespace
} // namespace Vuro::Platform
