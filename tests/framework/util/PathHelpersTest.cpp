#include "framework/util/PathHelpers.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace Vuro {
namespace {

namespace fs = std::filesystem;

TEST(PathHelpers, GetPathFromTable) {
    struct Case {
        const char* relative;
        const char* base;
        const char* expected;
    };
    const Case cases[] = {
        {"..\\images\\a.png", "C:\\game\\data", "C:\\game\\images\\a.png"},
        {"sub/x.txt", "base/", "base/sub/x.txt"},
        {"D:\\x\\y.png", "C:\\game", "D:\\x\\y.png"},
        {"a.png", "dir", "dir/a.png"},
        {"a.png", "", "a.png"},
        {"./x/y.png", "base", "base/x/y.png"},
        {"../a.png", "data/", "a.png"},
        {"../../a.png", "..", "../../../a.png"},
        {"..\\..\\fonts\\f.txt", "C:\\game\\data\\sub\\", "C:\\game\\fonts\\f.txt"},
        {"/abs/y.png", "base", "/abs/y.png"},
        {"../x.png", "/", "/x.png"},
        {"../x.png", "C:\\", "C:\\x.png"},
        // Mixed separators come out as "\"; components after the first ordinary one stay.
        {"sub\\x.txt", "base/", "base\\sub\\x.txt"},
        {"sub/../x", "base", "base/sub/../x"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GetPathFrom(c.relative, c.base), c.expected)
            << '"' << c.relative << "\" against \"" << c.base << '"';
    }
}

TEST(PathHelpers, SlashHelpersTable) {
    struct DirCase {
        const char* path;
        bool withSlash;
        const char* expected;
    };
    const DirCase dirs[] = {
        {"a/b\\c.txt", false, "a/b"},
        {"a/b\\c.txt", true, "a/b\\"},
        {"a\\b/c", false, "a\\b"},
        {"name.txt", false, ""},
        {"name.txt", true, ""},
        {"/x", false, ""},
        {"/x", true, "/"},
        {"dir/", false, "dir"},
    };
    for (const DirCase& c : dirs) {
        EXPECT_EQ(GetFileDir(c.path, c.withSlash), c.expected) << c.path << ' ' << c.withSlash;
    }

    const std::pair<const char*, const char*> removes[] = {
        {"a/", "a"}, {"a\\", "a"}, {"a", "a"}, {"", ""}, {"/", ""}, {"a//", "a/"}};
    for (auto [path, expected] : removes) {
        EXPECT_EQ(RemoveTrailingSlash(path), expected) << path;
    }

    struct AddCase {
        const char* path;
        bool backSlash;
        const char* expected;
    };
    const AddCase adds[] = {{"", false, ""},    {"", true, ""},     {"a", false, "a/"},
                            {"a", true, "a\\"}, {"a/", true, "a/"}, {"a\\", false, "a\\"}};
    for (const AddCase& c : adds) {
        EXPECT_EQ(AddTrailingSlash(c.path, c.backSlash), c.expected) << c.path;
    }
}

class PathHelpersFiles : public ::testing::Test {
protected:
    void SetUp() override {
        mRoot = fs::temp_directory_path() /
                ("vuro_path_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" +
                 std::to_string(::getpid()));
        fs::remove_all(mRoot);
        fs::create_directories(mRoot);
    }
    void TearDown() override { fs::remove_all(mRoot); }

    std::string Path(const std::string& relative) const { return (mRoot / relative).string(); }
    void Write(const std::string& relative) { std::ofstream(Path(relative)) << "data"; }
    void SetTime(const std::string& relative, long long seconds) {
        fs::last_write_time(Path(relative),
                            std::chrono::file_clock::from_sys(
                                std::chrono::sys_seconds(std::chrono::seconds(seconds))));
    }

    fs::path mRoot;
};

TEST_F(PathHelpersFiles, MkDirCreatesEveryFolderWithEitherSeparator) {
    MkDir(mRoot.string() + "\\one/two\\three");
    EXPECT_TRUE(fs::is_directory(Path("one/two/three")));
    MkDir(mRoot.string() + "/one/four/");
    EXPECT_TRUE(fs::is_directory(Path("one/four")));
    MkDir(mRoot.string() + "\\one/two\\three"); // all there already: nothing happens
    EXPECT_TRUE(fs::is_directory(Path("one/two/three")));
}

TEST_F(PathHelpersFiles, DeleteTreeRemovesEverythingButFollowsNoLink) {
    fs::create_directories(Path("tree/a/b"));
    fs::create_directories(Path("tree/empty"));
    fs::create_directories(Path("outside"));
    Write("tree/top.txt");
    Write("tree/.hidden");
    Write("tree/a/one");
    Write("tree/a/b/two.dat");
    Write("outside/keep.txt");
    fs::create_directory_symlink(Path("outside"), Path("tree/a/link"));
    fs::create_symlink(Path("nowhere"), Path("tree/dangling"));

    EXPECT_TRUE(DeleteTree(Path("tree")));
    EXPECT_FALSE(fs::exists(Path("tree")));
    EXPECT_TRUE(fs::exists(Path("outside/keep.txt")));

    fs::create_directories(Path("empty"));
    EXPECT_TRUE(DeleteTree(mRoot.string() + "\\empty\\"));
    EXPECT_FALSE(fs::exists(Path("empty")));

    EXPECT_FALSE(DeleteTree(Path("missing")));
    EXPECT_FALSE(DeleteTree("a"));
    EXPECT_FALSE(DeleteTree(""));
}

TEST_F(PathHelpersFiles, GetFileDateReadsTheWriteTime) {
    Write("b.dat");
    Write("a.dat");
    SetTime("b.dat", 1000000000); // 2001-09-09 01:46:40 UTC
    SetTime("a.dat", 1234567890);
    EXPECT_EQ(GetFileDate(Path("b.dat")), 1000000000u);
    EXPECT_EQ(GetFileDate(mRoot.string() + "\\a.dat"), 1234567890u);
    EXPECT_EQ(GetFileDate(Path("*.dat")), 1234567890u); // "a.dat" comes first by name
    EXPECT_EQ(GetFileDate(Path("?.dat")), 1234567890u);
    EXPECT_EQ(GetFileDate(Path("missing.dat")), 0u);
    EXPECT_EQ(GetFileDate(Path("nofolder/b.dat")), 0u);
}

} // namespace
} // namespace Vuro
