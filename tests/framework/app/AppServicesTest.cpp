// The application's small services: string properties, the clipboard, the product version,
// the crash text and crash hook, and opening links with the later judgement of their success.

#include "TestApp.h"

#include "framework/sound/MusicInterface.h"
#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "platform/TextEncoding.h"
#include "platform/Threads.h"
#include "support/FakeClipboard.h"
#include "support/FakeLinkOpener.h"
#include "support/RecordingSoundManager.h"

namespace Vuro::Test {
namespace {

class AppServicesTest : public AppFixture {
protected:
    FakeClipboard mClipboard;
    FakeLinkOpener mLinks;
};

TEST_F(AppServicesTest, StringPropertiesAnswerTheirDefaultUntilSet) {
    const std::string garden = "Сад"_cp1251;
    const std::string fruitGarden = "Фруктовый сад"_cp1251;
    EXPECT_EQ(mApp.GetString("NEW_VERSION_TITLE", "?"), "New Version");
    EXPECT_EQ(mApp.GetString("GAME_TITLE", garden), garden);
    mApp.SetString("GAME_TITLE", fruitGarden);
    mApp.SetString("EMPTY", "");
    EXPECT_EQ(mApp.GetString("GAME_TITLE", "?"), fruitGarden);
    EXPECT_EQ(mApp.GetString("EMPTY", "?"), "") << "an empty value is a value";
}

TEST_F(AppServicesTest, ClipboardTextKeepsItsCodePage1251Bytes) {
    EXPECT_EQ(mApp.GetClipboard(), "");
    const std::string text = "Яблоко № 5 — «груша»"_cp1251;
    mApp.CopyToClipboard(text);
    EXPECT_EQ(mClipboard.mText, text);
    EXPECT_EQ(mApp.GetClipboard(), text);
    mClipboard.mText = "pasted from elsewhere";
    EXPECT_EQ(mApp.GetClipboard(), "pasted from elsewhere");
}

TEST_F(AppServicesTest, OnlyThisProgramHasAProductVersion) {
    EXPECT_EQ(mApp.GetProductVersion(Platform::ExecutablePath()), Platform::ProductVersion());
    EXPECT_EQ(mApp.GetProductVersion("/bin/sh"), "");
}

TEST_F(AppServicesTest, TheCrashTextNamesProductVersionRunTimeModeAndThread) {
    mApp.mProdName = "Garden";
    mApp.mProductVersion = "1.2.3";
    mApp.mPrimaryThreadId = 0x1A2B;
    mClock.Set(mApp.mLoadTime + ((3 * 60 + 25) * 60 + 7) * 1000 + 999);
    EXPECT_EQ(mApp.GetCrashInfo(), "Product: Garden\r\n"
                                   "Version: 1.2.3\r\n"
                                   "Time Loaded: 03:25:07\r\n"
                                   "Fullscreen: No\r\n"
                                   "Primary ThreadId: 1A2B\r\n");
    // The line tells the screen mode asked for, not the mode the window is in at the moment.
    mApp.mIsWindowed = false;
    mApp.mIsPhysWindowed = true;
    mClock.Set(mApp.mLoadTime + 100 * 3600 * 1000);
    std::string info = mApp.GetCrashInfo();
    EXPECT_NE(info.find("Time Loaded: 100:00:00\r\n"), std::string::npos) << info;
    EXPECT_NE(info.find("Fullscreen: Yes\r\n"), std::string::npos) << info;
    mApp.mIsWindowed = true;
    mApp.mIsPhysWindowed = false;
    info = mApp.GetCrashInfo();
    EXPECT_NE(info.find("Fullscreen: No\r\n"), std::string::npos) << info;
    EXPECT_EQ(mApp.GetExtraCrashText(), "");
}

TEST_F(AppServicesTest, AWebLinkOpensOnceWhileItIsPending) {
    mApp.Init();
    mClock.Set(500000);
    EXPECT_TRUE(mApp.OpenURL("https://example.org/garden", false));
    EXPECT_EQ(mLinks.mOpened, std::vector<std::string>{"https://example.org/garden"});
    EXPECT_TRUE(mApp.mIsOpeningURL);
    EXPECT_EQ(mApp.mOpeningURL, "https://example.org/garden");
    EXPECT_EQ(mApp.mOpeningURLTime, 500000u);

    mClock.Advance(300);
    EXPECT_TRUE(mApp.OpenURL("https://example.org/garden", true)) << "a second click";
    EXPECT_EQ(mLinks.mOpened.size(), 1u) << "no second browser";
    EXPECT_EQ(mApp.mOpeningURLTime, 500000u);
    EXPECT_FALSE(mApp.mShutdownOnURLOpen);

    // Another link replaces the pending one.
    EXPECT_TRUE(mApp.OpenURL("http://example.org/help", false));
    EXPECT_EQ(mLinks.mOpened.size(), 2u);
    EXPECT_EQ(mApp.mOpeningURL, "http://example.org/help");

    mApp.OnUrlOpened("http://example.org/help");
    EXPECT_FALSE(mApp.mIsOpeningURL);
    EXPECT_FALSE(mApp.mShutdown);
    EXPECT_TRUE(mApp.OpenURL("http://example.org/help", false)) << "opened again once done";
    EXPECT_EQ(mLinks.mOpened.size(), 3u);
}

TEST_F(AppServicesTest, AnOpenedLinkShutsDownWhenAskedAndAFailedOneLeavesNothingPending) {
    mApp.Init();
    EXPECT_TRUE(mApp.OpenURL("http://example.org/buy", true));
    mApp.OnUrlOpenFailed("http://example.org/buy");
    EXPECT_FALSE(mApp.mIsOpeningURL);
    EXPECT_FALSE(mApp.mShutdown) << "nothing opened, nothing to shut down for";

    EXPECT_TRUE(mApp.OpenURL("http://example.org/buy", true));
    mApp.OnUrlOpened("http://example.org/buy");
    EXPECT_TRUE(mApp.mShutdown);
}

TEST_F(AppServicesTest, AnAddressTheBrowserMayNotOpenFailsAtOnce) {
    mApp.Init();
    EXPECT_FALSE(mApp.OpenURL("file:///etc/passwd", false));
    EXPECT_FALSE(mApp.OpenURL("/usr/bin/xterm", false));
    EXPECT_FALSE(mApp.mIsOpeningURL);
    EXPECT_TRUE(mLinks.mOpened.empty()) << "refused before any opener is asked";

    mLinks.mSucceeds = false;
    EXPECT_FALSE(mApp.OpenURL("http://example.org/", true));
    EXPECT_EQ(mLinks.mOpened.size(), 1u);
    EXPECT_FALSE(mApp.mIsOpeningURL) << "a failed start leaves no link pending";
    EXPECT_FALSE(mApp.mShutdown);
}

} // namespace
} // namespace Vuro::Test
