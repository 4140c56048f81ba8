// The rules every stored file is rewritten by: a file that would be lost is kept aside under a
// new name first, the temporary files of ended processes go with the next save, and a mapped
// folder leads its paths elsewhere.

#include "platform/FileSystem.h"
#include "platform/TextEncoding.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace Vuro::Platform {
namespace {

using Test::TempFolder;

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The id of a process that has ended (and been waited for); -1 when none could be made.
long EndedProcessId() {
    const pid_t child = fork();
    if (child == 0) {
        _exit(0);
    }
    if (child > 0) {
        waitpid(child, nullptr, 0);
    }
    return child;
}

bool WriteText(const std::string& path, const std::string& text) {
    return WriteFileReplacing(path, [&text](FILE* file) {
        return std::fwrite(text.data(), 1, text.size(), file) == text.size();
    });
}

TEST(KeepFileAside, MovesTheFileToTheFirstFreeNameAndSaysSo) {
    TempFolder folder("keep_aside");
    folder.Write("scores.dat", "first");
    testing::internal::CaptureStderr();
    EXPECT_EQ(KeepFileAside(folder.Path("scores.dat"), "is damaged"),
              folder.Path("scores.dat.kept"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), folder.Path("scores.dat") +
                                                          " is damaged; it is kept as " +
                                                          folder.Path("scores.dat.kept") + "\n");
    folder.Write("scores.dat", "second");
    EXPECT_EQ(KeepFileAside(folder.Path("scores.dat"), "x"), folder.Path("scores.dat.kept.2"));
    EXPECT_EQ(ReadAll(folder.Path("scores.dat.kept")), "first");
    EXPECT_EQ(ReadAll(folder.Path("scores.dat.kept.2")), "second");
    EXPECT_FALSE(folder.Exists("scores.dat"));
    // Nothing to move, or no free name left: empty, and nothing changes.
    EXPECT_EQ(KeepFileAside(folder.Path("scores.dat"), "x"), "");
    folder.Write("scores.dat", "third");
    for (int n = 3; n <= 100; ++n) {
        folder.Write("scores.dat.kept." + std::to_string(n), "");
    }
    EXPECT_EQ(KeepFileAside(folder.Path("scores.dat"), "x"), "");
    EXPECT_EQ(ReadAll(folder.Path("scores.dat")), "third");
    EXPECT_EQ(ReadAll(folder.Path("scores.dat.kept")), "first");
}

TEST(StaleTemporaries, TheNextSaveRemovesThoseOfEndedProcessesOnly) {
    TempFolder folder("stale_temporaries");
    const long endedId = EndedProcessId();
    ASSERT_GT(endedId, 0);
    const std::string ended = std::to_string(endedId);
    const std::string running = std::to_string(getpid());
    const std::vector<std::string> stale = {"Kim.pf.tmp." + ended + ".7",
                                            "Kim.pf.tmp." + ended + ".4026531839"};
    const std::vector<std::string> kept = {
        "Kim.pf.tmp." + running + ".3", // a save of a process that runs
        "Kim.pf.tmp." + ended,          // not a name the save makes
        "Kim.pf.tmp." + ended + ".x",
        "Kim.pf.tmp.-" + ended + ".1",
        "Kim.pf.tmp." + ended + ".",
        "Ann.pf.tmp." + ended + ".1", // another file's: its own save removes it
        "Kim.pf.kept",
    };
    for (const std::string& name : stale) {
        folder.Write(name, "half");
    }
    for (const std::string& name : kept) {
        folder.Write(name, "half");
    }
    ASSERT_TRUE(WriteText(folder.Path("Kim.pf"), "whole"));
    std::vector<std::string> expected = kept;
    expected.push_back("Kim.pf");
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Names(folder.Folder()), expected);
}

TEST(CopyFile, CopiesWholeOrFails) {
    TempFolder folder("copy_file");
    std::string bytes(40000, '\0');
    for (size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(i * 7);
    }
    folder.Write("from", bytes);
    ASSERT_TRUE(CopyFile(folder.Path("from"), folder.Path("to")));
    EXPECT_EQ(ReadAll(folder.Path("to")), bytes);
    EXPECT_FALSE(CopyFile(folder.Path("missing"), folder.Path("other")));
    EXPECT_FALSE(folder.Exists("other"));
}

TEST(MapFolder, PathsOfTheMappedFolderLeadIntoItAndOthersStay) {
    TempFolder folder("map_folder");
    MapFolder("data", folder.Folder());
    EXPECT_EQ(NativePath("data\\Ann.pf"), folder.Path("Ann.pf"));
    EXPECT_EQ(NativePath("data/profile.dat"), folder.Path("profile.dat"));
    EXPECT_EQ(NativePath("data"), folder.Folder());
    EXPECT_EQ(NativePath("database\\x"), "database/x");
    EXPECT_EQ(NativePath("images\\data\\x"), "images/data/x");
    EXPECT_EQ(NativePath("/data/x"), "/data/x");
    ASSERT_TRUE(WriteText("data\\scores.dat", "rows"));
    EXPECT_EQ(ReadAll(folder.Path("scores.dat")), "rows");
    EXPECT_TRUE(FileExists("data\\scores.dat"));
    MapFolder("data", "");
    EXPECT_EQ(NativePath("data\\Ann.pf"), "data/Ann.pf");
}

TEST(MapFolder, ACyrillicPlayersFileHasItsUtf8NameInAFolderOfAnyName) {
    // The user's folder holds characters the code page has not: it comes into the system as
    // the environment gives it, and every file call leads back to those bytes.
    TempFolder folder("utf8_names");
    const std::string home = folder.Path("дом 张");
    std::filesystem::create_directories(home);
    MapFolder("data", NativeToSystem(home));
    const std::string name = Utf8ToCp1251("вашавах") + ".pf";
    ASSERT_TRUE(WriteText("data\\" + name, "record"));
    EXPECT_EQ(Names(home), (std::vector<std::string>{"вашавах.pf"}));
    std::vector<FileEntry> entries;
    ASSERT_TRUE(FindFiles("data\\???????.pf", entries));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, name);
    FILE* file = OpenFile("data\\" + entries[0].name, "rb");
    ASSERT_NE(file, nullptr);
    std::fclose(file);
    EXPECT_TRUE(RemoveFile("data\\" + name));
    EXPECT_TRUE(Names(home).empty());
    MapFolder("data", "");
}

TEST(MakeFolders, MakesEveryFolderOnTheWay) {
    TempFolder folder("make_folders");
    EXPECT_TRUE(MakeFolders(folder.Path("a/b/c")));
    EXPECT_TRUE(IsDirectory(folder.Path("a/b/c")));
    EXPECT_TRUE(MakeFolders(folder.Path("a/b/c")));
    folder.Write("file", "");
    EXPECT_FALSE(MakeFolders(folder.Path("file/d")));
}

} // namespace
} // namespace Vuro::Platform
