// Where a user's files live (the XDG folders under the application key), the one move of an
// earlier version's folder from beside the program, and the copies a demo's playback works on.

#include "platform/UserFolders.h"
#include "platform/FileSystem.h"
#include "platform/TextEncoding.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace Vuro::Platform {
namespace {

using Test::TempFolder;
namespace fs = std::filesystem;

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Sets environment variables for one scope and puts the old values back.
class ScopedEnvironment {
public:
    // Null unsets the variable.
    ScopedEnvironment(std::initializer_list<std::pair<const char*, const char*>> values) {
        for (const auto& [name, value] : values) {
            const char* old = std::getenv(name);
            mSaved.push_back({name, old != nullptr, old != nullptr ? old : ""});
            if (value != nullptr) {
                setenv(name, value, 1);
            } else {
                unsetenv(name);
            }
        }
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
    ~ScopedEnvironment() {
        for (const Saved& saved : mSaved) {
            if (saved.set) {
                setenv(saved.name.c_str(), saved.value.c_str(), 1);
            } else {
                unsetenv(saved.name.c_str());
            }
        }
    }

private:
    struct Saved {
        std::string name;
        bool set;
        std::string value;
    };
    std::vector<Saved> mSaved;
};

TEST(UserFolders, TheKeysPartsAreFoldersUnderTheXdgFolders) {
    TempFolder folder("user_folders");
    {
        ScopedEnvironment env({{"XDG_DATA_HOME", folder.Path("share").c_str()},
                               {"XDG_CONFIG_HOME", folder.Path("config").c_str()}});
        EXPECT_EQ(UserDataFolder("Kelmontrave\\Quandrellis"),
                  folder.Path("share/Kelmontrave/Quandrellis"));
        EXPECT_EQ(ConfigHome(), folder.Path("config"));
    }
    // Unset or not absolute: under the home folder.
    ScopedEnvironment env({{"XDG_DATA_HOME", "relative/share"},
                           {"XDG_CONFIG_HOME", nullptr},
                           {"HOME", folder.Folder().c_str()}});
    EXPECT_EQ(UserDataFolder("A/B\\"), folder.Path(".local/share/A/B"));
    EXPECT_EQ(ConfigHome(), folder.Path(".config"));
    EXPECT_EQ(UserDataFolder(""), "");
    EXPECT_EQ(UserDataFolder("A\\..\\B"), "");
    // A home folder of any name leads back to itself.
    ScopedEnvironment named({{"XDG_DATA_HOME", nullptr}, {"HOME", folder.Path("дом 张").c_str()}});
    EXPECT_EQ(NativePath(UserDataFolder("A")), folder.Path("дом 张/.local/share/A"));
}

TEST(UserFolders, FilesAnEarlierVersionNamedInCodePageBytesGetTheirUtf8Names) {
    TempFolder folder("code_page_names");
    folder.Write("\xE2\xE0\xF1\xFF.pf", "Vasya");  // "вася" as code page bytes
    folder.Write("\xC0\xED\xFF.pf", "older Anya"); // "Аня", whose new file exists
    folder.Write("Аня.pf", "Anya");
    folder.Write("张.pf", "UTF-8 already");
    fs::create_directories(folder.Path("\xEF\xE0\xEF\xEA\xE0")); // a folder is no player
    testing::internal::CaptureStderr();
    EXPECT_EQ(RenameCodePageNames(NativeToSystem(folder.Folder())), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              folder.Path("\xC0\xED\xFF.pf") + " keeps its name: " + folder.Path("Аня.pf") +
                  " cannot be used (File exists)\n");
    EXPECT_EQ(ReadAll(folder.Path("вася.pf")), "Vasya");
    EXPECT_EQ(ReadAll(folder.Path("Аня.pf")), "Anya");
    EXPECT_EQ(ReadAll(folder.Path("\xC0\xED\xFF.pf")), "older Anya");
    EXPECT_EQ(ReadAll(folder.Path("张.pf")), "UTF-8 already");
    EXPECT_TRUE(fs::is_directory(folder.Path("\xEF\xE0\xEF\xEA\xE0")));
    testing::internal::CaptureStderr();
    EXPECT_EQ(RenameCodePageNames(NativeToSystem(folder.Folder())), 0) << "renamed once";
    testing::internal::GetCapturedStderr();
}

TEST(UserFolders, AnEarlierVersionsFolderIsMovedOnceAndNotAgain) {
    TempFolder folder("adopt_folder");
    const std::string beside = folder.Path("bin/data");
    const std::string home = folder.Path("share/Kelmontrave/Quandrellis");
    fs::create_directories(beside);
    folder.Write("bin/data/profile.dat", "list");
    folder.Write("bin/data/Ann.pf", "record");
    testing::internal::CaptureStderr();
    EXPECT_TRUE(AdoptFolder(beside, home));
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said, "2 files moved from " + beside + " to " + home + "\n");
    EXPECT_EQ(ReadAll(home + "/profile.dat"), "list");
    EXPECT_EQ(ReadAll(home + "/Ann.pf"), "record");
    EXPECT_FALSE(fs::exists(beside));

    // An earlier version run again makes its folder anew: the files that live in the user's
    // folder now are not replaced by them.
    fs::create_directories(beside);
    folder.Write("bin/data/Ann.pf", "older");
    EXPECT_FALSE(AdoptFolder(beside, home));
    EXPECT_EQ(ReadAll(home + "/Ann.pf"), "record");
    EXPECT_EQ(ReadAll(beside + "/Ann.pf"), "older");
    EXPECT_FALSE(AdoptFolder(folder.Path("none"), home));
}

TEST(UserFolders, APlaybackCopyHoldsTheFilesAndEndedRunsCopiesGo) {
    TempFolder folder("playback_copy");
    const std::string tmp = folder.Path("tmp 张");
    fs::create_directories(tmp);
    fs::create_directories(folder.Path("home"));
    folder.Write("home/Ann.pf", "record");
    folder.Write("home/scores.dat", "rows");
    const pid_t child = fork();
    ASSERT_GT(child, -1);
    if (child == 0) {
        _exit(0);
    }
    waitpid(child, nullptr, 0);
    const std::string ended = tmp + "/Quandrellis-playback-" + std::to_string(child) + "-aaaaaa";
    const std::string running = tmp + "/Quandrellis-playback-1-bbbbbb";
    const std::string other = tmp + "/Other-playback-" + std::to_string(child) + "-c";
    for (const std::string& left : {ended, running, other}) {
        fs::create_directories(left);
        std::ofstream(left + "/Ann.pf") << "old";
    }
    ScopedEnvironment env({{"TMPDIR", tmp.c_str()}});
    // The copy is the system's text of a folder in $TMPDIR, whatever its name holds.
    const std::string copy = NativePath(CopyFolderForPlayback(folder.Path("home"), "Quandrellis"));
    ASSERT_FALSE(copy.empty());
    EXPECT_EQ(fs::path(copy).parent_path(), fs::path(tmp));
    EXPECT_EQ(fs::path(copy).filename().string().rfind(
                  "Quandrellis-playback-" + std::to_string(getpid()) + "-", 0),
              0u);
    EXPECT_EQ(ReadAll(copy + "/Ann.pf"), "record");
    EXPECT_EQ(ReadAll(copy + "/scores.dat"), "rows");
    EXPECT_FALSE(fs::exists(ended));
    EXPECT_TRUE(fs::exists(running)) << "process 1 runs";
    EXPECT_TRUE(fs::exists(other));
    // A second copy is a new folder; this process's first stays while it runs.
    const std::string again = NativePath(CopyFolderForPlayback(folder.Path("home"), "Quandrellis"));
    EXPECT_NE(again, copy);
    EXPECT_TRUE(fs::exists(copy));
}

} // namespace
} // namespace Vuro::Platform
