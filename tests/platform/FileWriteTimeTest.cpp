#include "support/TempFolder.h"

#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

namespace Vuro {
namespace {

TEST(FileWriteTime, IsInHundredNanosecondStepsSince1601) {
    Vuro::Test::TempFolder folder("writetime");
    const std::string path = folder.Path("a.ogg");
    folder.Write("a.ogg", "x");
    using namespace std::chrono;
    const auto written = sys_seconds{seconds{1'000'000'000}} + microseconds{250};
    std::filesystem::last_write_time(path, file_clock::from_sys(written));

    uint64_t time = 1;
    ASSERT_TRUE(Platform::GetFileWriteTime(path, time));
    // (1e9 s + 11644473600 s from 1601 to 1970) x 1e7, plus 2500 steps of 100 ns.
    EXPECT_EQ(time, 126444736000002500ull);

    time = 1;
    EXPECT_FALSE(Platform::GetFileWriteTime(folder.Path("missing.ogg"), time));
    EXPECT_EQ(time, 0u);
}

} // namespace
} // namespace Vuro
