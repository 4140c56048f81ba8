#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Vuro::Platform {
namespace {

class FileSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        mRoot = std::filesystem::temp_directory_path() /
                ("vuro_fs_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" +
                 std::to_string(::getpid()));
        std::filesystem::remove_all(mRoot);
        std::filesystem::create_directories(mRoot);
    }
    void TearDown() override { std::filesystem::remove_all(mRoot); }
    std::string Path(const std::string& rel) const { return (mRoot / rel).string(); }
    void Touch(const std::string& rel) {
        FILE* f = OpenFile(Path(rel), "wb");
        ASSERT_NE(f, nullptr);
        std::fclose(f);
    }

    std::filesystem::path mRoot;
};

TEST_F(FileSystemTest, BackslashPathsReachTheSameFile) {
    Touch("a.txt");
    std::string windowsStyle = mRoot.string() + "\\a.txt";
    FILE* f = OpenFile(windowsStyle, "rb");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    EXPECT_EQ(NativePath("a\\b\\c.png"), "a/b/c.png");
}

TEST_F(FileSystemTest, OnlyARegularFileOpensForReading) {
    // A FIFO or a device in place of a level, text or font file would wait for a writer or
    // read for ever. The FIFO has a writer here, so a plain open would not wait but would hand
    // out a stream whose first read would.
    Touch("level1.xml");
    ASSERT_TRUE(MakeDirectory(Path("folder.xml")));
    ASSERT_EQ(mkfifo(Path("fifo.xml").c_str(), 0600), 0);
    const int writer = open(Path("fifo.xml").c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(writer, 0);
    struct Case {
        std::string path;
        const char* mode;
        bool opens;
    };
    const Case cases[] = {
        {Path("level1.xml"), "r", true},   {Path("level1.xml"), "rb", true},
        {Path("fifo.xml"), "r", false},    {Path("fifo.xml"), "rb", false},
        {Path("folder.xml"), "r", false},  {"/dev/zero", "rb", false},
        {Path("missing.xml"), "r", false},
    };
    for (const Case& c : cases) {
        FILE* file = OpenFile(c.path, c.mode);
        EXPECT_EQ(file != nullptr, c.opens) << c.path << " " << c.mode;
        if (file != nullptr) {
            std::fclose(file);
        }
    }
    close(writer);
}

TEST_F(FileSystemTest, FindFilesMatchesWildcardsAndSkipsDotEntries) {
    Touch("demo1.dmo");
    Touch("demo12.dmo");
    Touch("other.txt");
    Touch("noext");
    ASSERT_TRUE(MakeDirectory(Path("sub")));

    std::vector<FileEntry> entries;
    ASSERT_TRUE(FindFiles(Path("demo*.dmo"), entries));
    std::vector<std::string> names;
    for (auto& e : entries) {
        names.push_back(e.name);
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"demo1.dmo", "demo12.dmo"}));

    ASSERT_TRUE(FindFiles(Path("*.*"), entries));
    EXPECT_EQ(entries.size(), 5u); // "*.*" also matches names without a dot
    EXPECT_FALSE(FindFiles(Path("missing/*"), entries));
    EXPECT_FALSE(FindFiles(Path("*.xyz"), entries));
}

TEST_F(FileSystemTest, FolderLifecycle) {
    EXPECT_TRUE(MakeDirectory(Path("x")));
    EXPECT_FALSE(MakeDirectory(Path("x")));
    EXPECT_TRUE(IsDirectory(Path("x")));
    Touch("x/f");
    EXPECT_FALSE(RemoveDirectory(Path("x")));
    EXPECT_TRUE(RemoveFile(Path("x/f")));
    EXPECT_TRUE(RemoveDirectory(Path("x")));
    EXPECT_FALSE(FileExists(Path("x")));
}

TEST_F(FileSystemTest, FindFileNoCaseFindsOtherCase) {
    Touch("Images.PNG");
    EXPECT_EQ(FindFileNoCase(Path("Images.PNG")), Path("Images.PNG"));
    EXPECT_EQ(FindFileNoCase(Path("images.png")), Path("Images.PNG"));
    EXPECT_EQ(FindFileNoCase(Path("nothing.png")), "");
}

TEST_F(FileSystemTest, RenameReplacesTarget) {
    Touch("new");
    Touch("old");
    EXPECT_TRUE(RenameFile(Path("new"), Path("old")));
    EXPECT_FALSE(FileExists(Path("new")));
    EXPECT_TRUE(FileExists(Path("old")));
}

TEST_F(FileSystemTest, AReplacingWriteCommitsWholeOrLeavesTheOldFile) {
    auto writeText = [](const std::string& text) {
        return [text](FILE* file) {
            return std::fwrite(text.data(), 1, text.size(), file) == text.size();
        };
    };
    auto content = [this](const std::string& rel) {
        std::string text(64, '\0');
        FILE* file = OpenFile(Path(rel), "rb");
        text.resize(file ? std::fread(text.data(), 1, text.size(), file) : 0);
        if (file) {
            std::fclose(file);
        }
        return text;
    };
    ASSERT_TRUE(WriteFileReplacing(Path("saved"), writeText("old")));
    EXPECT_FALSE(WriteFileReplacing(Path("saved"), [](FILE* file) {
        std::fputs("half", file);
        return false; // a short write
    }));
    EXPECT_EQ(content("saved"), "old");
    ASSERT_TRUE(WriteFileReplacing(Path("saved"), writeText("new")));
    EXPECT_EQ(content("saved"), "new");
    EXPECT_FALSE(WriteFileReplacing(Path("missing/saved"), writeText("x")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(mRoot),
                            std::filesystem::directory_iterator()),
              1)
        << "no temporary file is left behind";
}

TEST_F(FileSystemTest, FindFilesListsHiddenNamesAndMarksLinks) {
    Touch(".hidden");
    ASSERT_TRUE(MakeDirectory(Path("target")));
    std::filesystem::create_directory_symlink(Path("target"), Path("link"));
    std::filesystem::create_symlink(Path("nowhere"), Path("dangling"));

    std::vector<FileEntry> entries;
    ASSERT_TRUE(FindFiles(Path("*.*"), entries));
    std::sort(entries.begin(), entries.end(),
              [](const FileEntry& a, const FileEntry& b) { return a.name < b.name; });
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].name, ".hidden");
    EXPECT_FALSE(entries[0].isLink);
    EXPECT_EQ(entries[1].name, "dangling");
    EXPECT_TRUE(entries[1].isLink);
    EXPECT_FALSE(entries[1].isDirectory);
    EXPECT_EQ(entries[2].name, "link");
    EXPECT_TRUE(entries[2].isLink);
    EXPECT_TRUE(entries[2].isDirectory);
    EXPECT_EQ(entries[3].name, "target");
    EXPECT_FALSE(entries[3].isLink);
}

} // namespace
} // namespace Vuro::Platform
