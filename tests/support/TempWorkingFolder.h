#pragma once
// A fresh, empty folder that is the working folder for one test (for code that writes beside
// the program: screenshots, reports, logs), named for the test and the process. The old working
// folder comes back and the folder is removed afterwards.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>

namespace Vuro::Test {

class TempWorkingFolder {
public:
    TempWorkingFolder() : mPrevious(std::filesystem::current_path()) {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        // The process id keeps apart runs of the same test from several work trees at once.
        mPath = std::filesystem::temp_directory_path() /
                (std::string("vuro_cwd_") + info->test_suite_name() + "_" + info->name() + "_" +
                 std::to_string(::getpid()));
        std::filesystem::remove_all(mPath);
        std::filesystem::create_directories(mPath);
        std::filesystem::current_path(mPath);
    }
    ~TempWorkingFolder() {
        std::filesystem::current_path(mPrevious);
        std::filesystem::remove_all(mPath);
    }
    TempWorkingFolder(const TempWorkingFolder&) = delete;
    TempWorkingFolder& operator=(const TempWorkingFolder&) = delete;

    const std::filesystem::path& Path() const { return mPath; }

private:
    std::filesystem::path mPrevious;
    std::filesystem::path mPath;
};

} // namespace Vuro::Test
