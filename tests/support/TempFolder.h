#pragma once
// A fresh, empty folder under the system's temporary folder for one test, removed with
// everything in it when the object goes. The name holds the test's name, the run's seed and the
// process id, so parallel test programs (of this and other work trees) do not meet.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace Vuro::Test {

class TempFolder {
public:
    explicit TempFolder(const std::string& tag) {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = "vuro_" + tag + "_" +
                           std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                           std::to_string(::getpid()) + "_" +
                           (info != nullptr ? info->name() : "none");
        mPath = std::filesystem::temp_directory_path() / name;
        std::filesystem::remove_all(mPath);
        std::filesystem::create_directories(mPath);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(mPath, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The path of name inside the folder.
    std::string Path(const std::string& name) const { return (mPath / name).string(); }
    std::string Folder() const { return mPath.string(); }
    // Creates (or empties) a file holding bytes.
    void Write(const std::string& name, const std::string& bytes) const {
        FILE* file = std::fopen(Path(name).c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    bool Exists(const std::string& name) const { return std::filesystem::exists(mPath / name); }

private:
    std::filesystem::path mPath;
};

} // namespace Vuro::Test
