// Which targets the link opener accepts, internet-shortcut files, and starting a program
// without a shell. No browser is started: the tests' main refuses every link, and these tests
// install their own opener.

#include "platform/LinkOpener.h"
#include "platform/Process.h"
#include "support/BoundedWait.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace Vuro::Platform {
namespace {

std::vector<std::string> gOpened;

bool RecordLink(const std::string& address) {
    gOpened.push_back(address);
    return true;
}

class LinkOpenerTest : public ::testing::Test {
protected:
    LinkOpenerTest() : mPrevious(SetLinkOpener(&RecordLink)) {
        gOpened.clear();
        mFolder = std::filesystem::temp_directory_path() /
                  (std::string("vuro_links_") +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name() + "_" +
                   std::to_string(::getpid()));
        std::filesystem::remove_all(mFolder);
        std::filesystem::create_directories(mFolder);
    }
    ~LinkOpenerTest() override {
        SetLinkOpener(mPrevious);
        std::filesystem::remove_all(mFolder);
    }

    std::string WriteShortcut(const std::string& name, const std::string& content) {
        std::filesystem::path path = mFolder / name;
        std::ofstream(path, std::ios::binary) << content;
        return path.string();
    }

    LinkOpener mPrevious;
    std::filesystem::path mFolder;
};

TEST_F(LinkOpenerTest, OnlyWebAddressesAreOpened) {
    EXPECT_EQ(LinkAddress("http://example.org/a b?c=d"), "http://example.org/a b?c=d");
    EXPECT_EQ(LinkAddress("HTTPS://Example.org"), "HTTPS://Example.org");
    EXPECT_EQ(LinkAddress("https://example.org/page.url"), "https://example.org/page.url");
    for (const char* refused :
         {"", "http:/example.org", "ftp://example.org", "file:///etc/passwd", "javascript:alert(1)",
          "/usr/bin/xterm", "xterm", "--help http://example.org", " http://example.org",
          "http://example.org/\nsecond line"}) {
        EXPECT_EQ(LinkAddress(refused), "") << refused;
        EXPECT_FALSE(OpenLink(refused)) << refused;
    }
    EXPECT_TRUE(gOpened.empty()) << "refused before the opener is asked";

    EXPECT_TRUE(OpenLink("https://example.org/garden"));
    EXPECT_EQ(gOpened, std::vector<std::string>{"https://example.org/garden"});
}

TEST_F(LinkOpenerTest, AnInternetShortcutOpensTheAddressOnItsUrlLine) {
    std::string shortcut = WriteShortcut(
        "Garden.URL", "[InternetShortcut]\r\nIconIndex=0\r\nURL=https://example.org/shop\r\n");
    EXPECT_EQ(LinkAddress(shortcut), "https://example.org/shop");
    EXPECT_TRUE(OpenLink(shortcut));
    EXPECT_EQ(gOpened, std::vector<std::string>{"https://example.org/shop"});

    EXPECT_EQ(LinkAddress(WriteShortcut("local.url", "[InternetShortcut]\nURL=file:///bin/sh\n")),
              "")
        << "the address inside must be a web address too";
    EXPECT_EQ(LinkAddress(WriteShortcut("none.url", "[InternetShortcut]\nIconIndex=0\n")), "");
    EXPECT_EQ(LinkAddress((mFolder / "missing.url").string()), "");
    EXPECT_EQ(gOpened.size(), 1u);
}

TEST(StartProgramTest, AProgramOnThePathStartsAndAMissingOneIsReported) {
    EXPECT_TRUE(StartProgram("true", {"http://example.org/?a=1&b=2"}));
    EXPECT_FALSE(StartProgram("vuro-no-such-program", {"http://example.org"}));
}

TEST_F(LinkOpenerTest, AProgramNamedByAWindowsPathStartsFromTheMappedPath) {
    namespace fs = std::filesystem;
    fs::create_directories(mFolder / "tools");
    const fs::path program = mFolder / "tools" / "run.exe";
    // The program writes a mark into a pipe in the folder; reading it waits (within a bound)
    // until the program is done with the folder, which goes with the test.
    const fs::path mark = mFolder / "ran";
    const Vuro::Test::NamedPipe marks(mark.string());
    ASSERT_TRUE(marks.IsOpen());
    std::ofstream(program) << "#!/bin/sh\necho run > '" << mark.string() << "'\n";
    fs::permissions(program, fs::perms::owner_all);
    const std::string windowsPath = mFolder.string() + "\\tools\\run.exe";
    EXPECT_TRUE(StartProgram(windowsPath, {}));
    EXPECT_FALSE(StartProgram(mFolder.string() + "\\tools\\missing.exe", {}));
    EXPECT_EQ(marks.Read(), "run\n");
}

} // namespace
} // namespace Vuro::Platform
