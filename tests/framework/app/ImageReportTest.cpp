// The image report: bytes counted per buffer, the point-sampled thumbnail, the exact page for a
// few images including an empty one, and the folder rebuilt by the application.

#include "framework/app/ImageReport.h"

#include "TestApp.h"

#include "framework/display/TextureData.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/util/StringHelpers.h"
#include "support/DisplayRig.h"
#include "support/TempWorkingFolder.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <sstream>
#include <thread>

namespace Vuro::Test {
namespace {

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// width x height pixels, each with its own value.
std::vector<uint32_t> NumberedPixels(int width, int height) {
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    for (size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = 0xFF000000u | static_cast<uint32_t>(i * 0x010203);
    }
    return pixels;
}

// Two colours in halves: a picture that palettises exactly.
std::vector<uint32_t> TwoColours(int width, int height) {
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height, 0xFF20A040u);
    std::fill(pixels.begin(), pixels.begin() + pixels.size() / 2, 0x80FF0000u);
    return pixels;
}

void ClearFlags(MemoryImage& image) {
    image.mIsVolatile = false;
    image.mForcedMode = false;
    image.mHasAlpha = false;
    image.mHasTrans = false;
}

class ImageReportTest : public AppFixture {};

// An image that calls a hook whenever its pixels are read.
class HookedImage : public MemoryImage {
public:
    HookedImage(VuroAppBase* app, std::function<void()> hook)
        : MemoryImage(app), mHook(std::move(hook)) {}
    uint32_t* GetBits() override {
        mHook();
        return MemoryImage::GetBits();
    }

    std::function<void()> mHook;
};

TEST_F(ImageReportTest, EachBufferIsCountedAtItsSize) {
    MemoryImage withNative(&mApp);
    auto pixels = NumberedPixels(10, 10);
    withNative.SetBits(pixels.data(), 10, 10);
    withNative.GetNativeAlphaData(withNative.GetDisplayLayout());
    ImageReport::Allocation a = ImageReport::Measure(withNative);
    EXPECT_EQ(a.mBits, 400);
    EXPECT_EQ(a.mNativeAlpha, 400);
    EXPECT_EQ(a.Total(), 800);

    MemoryImage palettised(&mApp);
    auto colours = TwoColours(10, 10);
    palettised.SetBits(colours.data(), 10, 10);
    ASSERT_TRUE(palettised.Palletize());
    palettised.GetNativeAlphaData(palettised.GetDisplayLayout());
    a = ImageReport::Measure(palettised);
    EXPECT_EQ(a.mBits, 0);
    EXPECT_EQ(a.mPalettised, 100 + 1024);
    EXPECT_EQ(a.mNativeAlpha, 1024) << "a palettised image keeps 256 native words";
    EXPECT_EQ(a.Total(), 100 + 1024 + 1024);

    MemoryImage runs(&mApp);
    runs.SetBits(pixels.data(), 10, 10);
    runs.GetRLAlphaData();
    runs.GetRLAdditiveData(runs.GetDisplayLayout());
    a = ImageReport::Measure(runs);
    EXPECT_EQ(a.mRLAlpha, 100);
    EXPECT_EQ(a.mRLAdditive, 100);

    MemoryImage empty(&mApp);
    EXPECT_EQ(ImageReport::Measure(empty).Total(), 0);
}

TEST_F(ImageReportTest, TheThumbnailSamplesPointsAtTheCentresOfItsPixels) {
    // 32 x 16: every source column twice, every source row four times.
    auto small = NumberedPixels(32, 16);
    auto thumb = ImageReport::Thumbnail(small.data(), 32, 16);
    ASSERT_EQ(thumb->mWidth, 64);
    ASSERT_EQ(thumb->mHeight, 64);
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            ASSERT_EQ(thumb->mBits[y * 64 + x], small[(y / 4) * 32 + x / 2]) << x << "," << y;
        }
    }
    // 100 x 300: column trunc((x + 0.5) * 100) / 64, row trunc((y + 0.5) * 300) / 64.
    auto large = NumberedPixels(100, 300);
    thumb = ImageReport::Thumbnail(large.data(), 100, 300);
    EXPECT_EQ(thumb->mBits[0], large[2 * 100 + 0]);          // (0, 0) <- column 0, row 2
    EXPECT_EQ(thumb->mBits[1 * 64 + 1], large[7 * 100 + 2]); // (1, 1) <- column 2, row 7
    EXPECT_EQ(thumb->mBits[10 * 64 + 10], large[49 * 100 + 16]);
    EXPECT_EQ(thumb->mBits[63 * 64 + 63], large[297 * 100 + 99]);
}

TEST_F(ImageReportTest, ThePageListsTheImagesLargestFirstWithTheirFiles) {
    TempWorkingFolder folder;
    std::filesystem::create_directory("report");

    MemoryImage numbered(&mApp); // 2,048 bits + 512 run lengths = 2,560
    auto pixels = NumberedPixels(32, 16);
    numbered.SetBits(pixels.data(), 32, 16);
    numbered.GetRLAlphaData();
    MemoryImage palettised(&mApp); // 100 + 1,024 palette + 1,024 native = 2,148
    auto colours = TwoColours(10, 10);
    palettised.SetBits(colours.data(), 10, 10);
    ASSERT_TRUE(palettised.Palletize());
    palettised.GetNativeAlphaData(palettised.GetDisplayLayout());
    MemoryImage native(&mApp); // 400 bits + 400 native = 800
    native.SetBits(pixels.data(), 10, 10);
    native.GetNativeAlphaData(native.GetDisplayLayout());
    MemoryImage empty(&mApp); // no pixels at all
    empty.Create(0, 5);
    ClearFlags(numbered);
    ClearFlags(palettised);
    ClearFlags(native);
    ClearFlags(empty);
    numbered.mForcedMode = true;
    numbered.mHasAlpha = true;
    numbered.mHasTrans = true;
    palettised.mIsVolatile = true;

    ImageReport::Write("report", {&native, &empty, &palettised, &numbered},
                       "Mon Jan  5 10:20:30 2026\n");

    const std::string none = "<TD>&nbsp;</TD>\n";
    std::string expected =
        "<HTML><BODY BGCOLOR=EEEEFF><CENTER><FONT SIZE=+2><B>Mon Jan  5 10:20:30 2026\n"
        "</B></FONT><BR>\n"
        "Total Image Allocation: 5,508 bytes<BR>\n"
        "<TABLE BORDER=1 CELLSPACING=0 CELLPADDING=4>\n"
        // 32 x 16
        "<TR>\n"
        "<TD><A HREF=img0000.png><IMG SRC=thumb0000.jpg WIDTH=64 HEIGHT=64></A></TD>\n"
        "<TD ALIGN=RIGHT>32 x 16<BR>2,560 bytes</TD>\n"
        "<TD>mBits<BR>2,048</TD>\n" +
        none + none + none + none + "<TD>Forced</TD>\n<TD>HasAlpha</TD>\n<TD>HasTrans</TD>\n" +
        none + "<TD>RLAlpha<BR>512</TD>\n" + none +
        "</TR>\n"
        // palettised 10 x 10
        "<TR>\n"
        "<TD><A HREF=img0001.png><IMG SRC=thumb0001.jpg WIDTH=64 HEIGHT=64></A></TD>\n"
        "<TD ALIGN=RIGHT>10 x 10<BR>2,148 bytes</TD>\n" +
        none + "<TD>Palletized<BR>1,124</TD>\n" + none + none + "<TD>Volatile</TD>\n" + none +
        none + none + "<TD>NativeAlpha<BR>1,024</TD>\n" + none + none +
        "</TR>\n"
        // 10 x 10 with its native copy
        "<TR>\n"
        "<TD><A HREF=img0002.png><IMG SRC=thumb0002.jpg WIDTH=64 HEIGHT=64></A></TD>\n"
        "<TD ALIGN=RIGHT>10 x 10<BR>800 bytes</TD>\n"
        "<TD>mBits<BR>400</TD>\n" +
        none + none + none + none + none + none + none + "<TD>NativeAlpha<BR>400</TD>\n" + none +
        none +
        "</TR>\n"
        // 0 x 5: no pixels, no files
        "<TR>\n" +
        none + "<TD ALIGN=RIGHT>0 x 5<BR>0 bytes</TD>\n" + none + none + none + none + none + none +
        none + none + none + none + none +
        "</TR>\n"
        "<TD>Totals</TD>\n"
        "<TD>5,508</TD>\n<TD>2,448</TD>\n<TD>1,124</TD>\n<TD>0</TD>\n<TD>0</TD>\n" +
        none + none + none + none + "<TD>1,424</TD>\n<TD>512</TD>\n<TD>0</TD>\n" +
        "</TABLE></CENTER></BODY></HTML>\n";
    EXPECT_EQ(ReadFile("report/imagelist.html"), expected);

    // Full copies are exact; thumbnails are 64 x 64 pictures.
    auto copy = ImageLib::GetPNGImage("report/img0000.png");
    ASSERT_NE(copy, nullptr);
    ASSERT_EQ(copy->mWidth, 32);
    EXPECT_TRUE(std::equal(pixels.begin(), pixels.begin() + 32 * 16, copy->mBits.get()));
    copy = ImageLib::GetPNGImage("report/img0001.png");
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(std::equal(colours.begin(), colours.end(), copy->mBits.get()))
        << "the palettised image is written with its colours";
    for (const char* thumbName : {"report/thumb0000.jpg", "report/thumb0002.jpg"}) {
        auto thumb = ImageLib::GetJPEGImage(thumbName);
        ASSERT_NE(thumb, nullptr) << thumbName;
        EXPECT_EQ(thumb->mWidth, 64);
        EXPECT_EQ(thumb->mHeight, 64);
    }
    EXPECT_FALSE(std::filesystem::exists("report/img0003.png"));
    EXPECT_FALSE(std::filesystem::exists("report/thumb0003.jpg"));

    // The registered images are as they were.
    EXPECT_TRUE(palettised.IsPalettised());
    EXPECT_EQ(palettised.mBits, nullptr);
    EXPECT_EQ(empty.mBits, nullptr);
}

// A display image in its surface and an image with 3-D textures: their cells, and the totals
// and order they change.
TEST(ImageReportDisplayTest, SurfacesAndTexturesAreCounted) {
    TempWorkingFolder folder;
    std::filesystem::create_directory("report");
    DisplayRig rig(Platform::kFormat888);
    ASSERT_EQ(rig.Init(), DDInterface::RESULT_OK);
    auto pixels = NumberedPixels(16, 8);
    auto surfaced = MakeImage(rig.display, 16, 8, pixels); // 512 bits + 512 surface = 1,024
    ASSERT_NE(surfaced->GetSurface(), nullptr);
    DDImage inSurfaceOnly(rig.display); // 4 x 4: 64 surface bytes
    inSurfaceOnly.SetBits(pixels.data(), 4, 4);
    ASSERT_NE(inSurfaceOnly.GetSurface(), nullptr);
    inSurfaceOnly.DeleteMemoryBuffers();
    MemoryImage textured(&rig.app); // 256 bits + 2,048 texture = 2,304
    textured.SetBits(pixels.data(), 8, 8);
    TextureData texture;
    texture.mTexMemSize = 2048;
    texture.mPixelFormat = TextureData::kFormatA4R4G4B4;
    textured.mTextureData = &texture;
    for (MemoryImage* image : {static_cast<MemoryImage*>(surfaced.get()),
                               static_cast<MemoryImage*>(&inSurfaceOnly), &textured}) {
        ClearFlags(*image);
    }

    ImageReport::Write("report", {&inSurfaceOnly, surfaced.get(), &textured}, "date\n");
    textured.mTextureData = nullptr;

    const std::string none = "<TD>&nbsp;</TD>\n";
    auto thumbCell = [](int i) {
        return StrFormat("<TD><A HREF=img%04d.png><IMG SRC=thumb%04d.jpg WIDTH=64 HEIGHT=64>"
                         "</A></TD>\n",
                         i, i);
    };
    const std::string expected =
        "<HTML><BODY BGCOLOR=EEEEFF><CENTER><FONT SIZE=+2><B>date\n</B></FONT><BR>\n"
        "Total Image Allocation: 3,392 bytes<BR>\n"
        "<TABLE BORDER=1 CELLSPACING=0 CELLPADDING=4>\n"
        "<TR>\n" +
        thumbCell(0) + "<TD ALIGN=RIGHT>8 x 8<BR>2,304 bytes</TD>\n<TD>mBits<BR>256</TD>\n" + none +
        none + "<TD>Texture<BR>A4R4G4B4<BR>2,048</TD>\n" + none + none + none + none + none + none +
        none + "</TR>\n<TR>\n" + thumbCell(1) +
        "<TD ALIGN=RIGHT>16 x 8<BR>1,024 bytes</TD>\n<TD>mBits<BR>512</TD>\n" + none +
        "<TD>DDSurface<BR>512</TD>\n" + none + none + none + none + none + none + none + none +
        "</TR>\n<TR>\n" + thumbCell(2) + "<TD ALIGN=RIGHT>4 x 4<BR>64 bytes</TD>\n" + none + none +
        "<TD>DDSurface<BR>64</TD>\n" + none + none + none + none + none + none + none + none +
        "</TR>\n"
        "<TD>Totals</TD>\n"
        "<TD>3,392</TD>\n<TD>768</TD>\n<TD>0</TD>\n<TD>576</TD>\n<TD>2,048</TD>\n" +
        none + none + none + none + "<TD>0</TD>\n<TD>0</TD>\n<TD>0</TD>\n" +
        "</TABLE></CENTER></BODY></HTML>\n";
    EXPECT_EQ(ReadFile("report/imagelist.html"), expected);
    EXPECT_EQ(inSurfaceOnly.mBits, nullptr) << "the report read a copy";
}

TEST_F(ImageReportTest, AnImageWithoutRowsGetsARowWithoutFiles) {
    TempWorkingFolder folder;
    std::filesystem::create_directory("report");
    MemoryImage noRows(&mApp);
    noRows.Create(7, 0);
    noRows.GetBits(); // a buffer of no pixels, only its end mark

    ImageReport::Write("report", {&noRows}, "date\n");

    std::string page = ReadFile("report/imagelist.html");
    EXPECT_NE(page.find("<TR>\n<TD>&nbsp;</TD>\n<TD ALIGN=RIGHT>7 x 0<BR>0 bytes</TD>\n"
                        "<TD>mBits<BR>0</TD>\n"),
              std::string::npos)
        << page;
    EXPECT_FALSE(std::filesystem::exists("report/img0000.png"));
    EXPECT_FALSE(std::filesystem::exists("report/thumb0000.jpg"));
}

TEST_F(ImageReportTest, TheReportHoldsTheImageSetLockForItsWholeWalk) {
    TempWorkingFolder folder;
    // The first read of an image's pixels starts a thread that takes the image-set lock (as
    // a thread making or deleting an image does) and notes how many reads it let happen first.
    std::atomic<int> reads{0};
    std::atomic<int> readsBeforeLock{-1};
    std::thread other;
    auto hook = [&] {
        if (reads++ == 0) {
            other = std::thread([&] {
                ScopedLock lock(mApp.ImageSetLock());
                readsBeforeLock = reads.load();
            });
        }
    };
    std::vector<std::unique_ptr<HookedImage>> images;
    for (int i = 0; i < 3; ++i) {
        images.push_back(std::make_unique<HookedImage>(&mApp, hook));
        images.back()->Create(4 + i, 4); // no pixels yet: the report's copy reads them
    }

    mApp.WriteImageReport();
    other.join();

    EXPECT_EQ(reads, 3);
    EXPECT_EQ(readsBeforeLock, 3) << "the other thread got the lock only after the walk";
}

TEST_F(ImageReportTest, TheApplicationRebuildsTheDumpFolderForItsLiveImages) {
    TempWorkingFolder folder;
    std::filesystem::create_directories("_dump/old");
    std::ofstream("_dump/old/stale.txt") << "from before";
    MemoryImage image(&mApp);
    auto pixels = NumberedPixels(8, 8);
    image.SetBits(pixels.data(), 8, 8);

    mApp.WriteImageReport();

    EXPECT_FALSE(std::filesystem::exists("_dump/old"));
    EXPECT_EQ(mClock.SleptMs(), 100u) << "one wait, then the folder is known to be there";
    std::string page = ReadFile("_dump/imagelist.html");
    std::smatch head;
    ASSERT_TRUE(std::regex_search(
        page, head,
        std::regex(R"(^<HTML><BODY BGCOLOR=EEEEFF><CENTER><FONT SIZE=\+2><B>)"
                   R"(\w{3} \w{3} [ \d]\d \d\d:\d\d:\d\d \d{4}\n</B></FONT><BR>\n)")))
        << page;
    EXPECT_NE(page.find("Total Image Allocation: 256 bytes<BR>\n"), std::string::npos) << page;
    EXPECT_TRUE(std::filesystem::exists("_dump/img0000.png"));
    EXPECT_TRUE(std::filesystem::exists("_dump/thumb0000.jpg"));
    EXPECT_FALSE(std::filesystem::exists("_dump/img0001.png")) << "only the one live image";
}

} // namespace
} // namespace Vuro::Test
