// The play field's drawing: a busy story level drawn with the generated data set against its
// reviewed golden picture, the picture sizes the field takes from the image set, the rain
// cloud, and the cels of the sheets that object frames run past.

#include "framework/app/StackApp.h"
#include "framework/display/DDInterface.h"
#include "framework/fonts/ImageFont.h"
#include "framework/graphics/Color.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/RecordingImage.h"
#include "game/rules/RedrawFlag.h"
#include "game/screens/PlayFieldPictures.h"
#include "game/screens/PlayFieldView.h"
#include "platform/TextEncoding.h"
#include "support/BusyPlayField.h"
#include "support/GoldenImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

namespace Vuro::Testing {
namespace {

using Vuro::Test::BusyPlayField;
using Vuro::Test::GoldenPath;
using Vuro::Test::MatchesGolden;

// Loads pictures through a display in memory; a missing file fails the load, not the program.
class DataSetApp : public VuroAppBase {
public:
    DataSetApp() { mDDInterface = new DDInterface(this); }
    void Popup(const std::string& text) override { ADD_FAILURE() << text; }
};

TEST(PlayFieldDrawTest, ABusyFieldDrawsAsItsGoldenPicture) {
    StackApp<DataSetApp> app;
    BusyPlayField busy(app, VURO_DATA_DIR);
    ASSERT_TRUE(busy.IsLoaded());

    // The rules measure with the pictures of the set: 20 x 20 fruit cels, trees 140 wide.
    const PlayField::PictureSizes& sizes = busy.Field().GetPictureSizes();
    for (int kind = 0; kind < kFruitKinds; ++kind) {
        EXPECT_EQ(sizes.mFruitSheetWidth[kind], 120);
        EXPECT_EQ(sizes.mFruitSheetHeight[kind], 20);
        EXPECT_EQ(sizes.mTreeWidth[kind], 140);
    }

    MemoryImage screen(&app);
    screen.Create(640, 480);
    Graphics g(&screen);
    busy.View().DrawAll(&g, true);
    EXPECT_TRUE(MatchesGolden(screen, GoldenPath("game/screens/golden/busy_field.png")));
}

// Plays the busy level, then playOn, drawing the field after every step from the update `from`
// up to `until`: a step that leaves the redraw flag clear must leave the drawing as it was, and
// even this busy level rests between its animations' steps. The drawing after the update before
// `from` is the first one compared with, so the step into `from` is checked too.
void ExpectEveryChangeFlagged(int from, int until,
                              const std::function<void(BusyPlayField&)>& playOn) {
    StackApp<DataSetApp> app;
    std::vector<RecordingImage::Call> last;
    int steps = 0;
    int resting = 0;
    int stale = 0;
    BusyPlayField busy(app, VURO_DATA_DIR, [&](const PlayField& field, const PlayFieldView& view) {
        if (field.GetCurrentTick() < from - 1 || field.GetCurrentTick() >= until) {
            return;
        }
        RecordingImage screen(640, 480);
        Graphics g(&screen);
        view.DrawAll(&g, true);
        if (steps++ > 0 && !IsRedrawNeeded()) {
            ++resting;
            if (screen.mCalls != last && stale++ == 0) {
                ADD_FAILURE() << "update " << field.GetCurrentTick() << " changed the drawing "
                              << "without the flag";
            }
        }
        last = std::move(screen.mCalls);
        ClearRedrawNeeded();
    });
    ASSERT_TRUE(busy.IsLoaded());
    playOn(busy);
    EXPECT_EQ(stale, 0);
    EXPECT_GT(resting, steps / 10) << resting << " of " << steps;
}

// A lightning strike and the stop phase, then on to the end of the level and past it, when only
// the banner may still move.
void PlayTheLightningTheStopAndTheEnd(BusyPlayField& busy) {
    busy.ClickBonus(3, 300, 330);
    for (int tick = 0; tick < 300; ++tick) {
        busy.Tick();
    }
    busy.ClickBonus(6, 300, 330);
    while (!busy.Field().IsTimeUp() && busy.GetTick() < 2 * BusyPlayField::kLevelSeconds * 60) {
        busy.Tick();
    }
    EXPECT_TRUE(busy.Field().IsTimeUp());
    for (int tick = 0; tick < 120; ++tick) {
        busy.Tick();
    }
}

// In three parts, drawing a part each, so that each stays short on a busy machine: playing on
// without drawing takes little.
constexpr int kEndOfPlay = std::numeric_limits<int>::max();
constexpr int kLaterTick = BusyPlayField::kCaptureTick + 10 * 60;

TEST(PlayFieldDrawTest, EveryStepUpToTheBusyMomentThatChangesTheDrawingSetsTheRedrawFlag) {
    ExpectEveryChangeFlagged(0, kEndOfPlay, [](BusyPlayField&) {});
}

TEST(PlayFieldDrawTest, EveryStepFromTheBusyMomentOnThatChangesTheDrawingSetsTheRedrawFlag) {
    ExpectEveryChangeFlagged(BusyPlayField::kCaptureTick, kLaterTick,
                             PlayTheLightningTheStopAndTheEnd);
}

TEST(PlayFieldDrawTest, EveryStepToTheEndAndPastItThatChangesTheDrawingSetsTheRedrawFlag) {
    ExpectEveryChangeFlagged(kLaterTick, kEndOfPlay, PlayTheLightningTheStopAndTheEnd);
}

// The time left as minutes and two-digit seconds, in blue with its shadow one pixel lower right:
// checked against the text drawn by hand with the same font.
TEST(PlayFieldDrawTest, TheTimeLeftShowsMinutesAndTwoDigitSeconds) {
    StackApp<DataSetApp> app;
    GameImages images;
    ASSERT_TRUE(Vuro::Test::LoadPlayImages(app, images, VURO_DATA_DIR, 1, true));
    PlayField field;
    PlayFieldPictures::SetFieldImages(field, images);
    PlayFieldView view(field);
    view.SetImages(&images);
    const struct {
        int seconds;
        const char* shown;
    } cases[] = {{150, "2:30"}, {60, "1:00"}, {59, "0:59"}, {10, "0:10"},
                 {9, "0:09"},   {0, "0:00"},  {-3, "0:00"}};
    for (const auto& c : cases) {
        field.SetLevelTime(c.seconds);
        MemoryImage drawn(&app);
        drawn.Create(120, 480);
        Graphics byField(&drawn);
        view.DrawTime(&byField);

        MemoryImage expected(&app);
        expected.Create(120, 480);
        Graphics byHand(&expected);
        byHand.SetFont(images.mHelpFont);
        for (const auto& [text, x, y] : {std::tuple{c.shown, 34, 444}, std::tuple{"0", 36, 471}}) {
            byHand.SetColor(Color::Black);
            byHand.DrawString(text, x + 1, y + 1);
            byHand.SetColor(Color(0, 0, 191));
            byHand.DrawString(text, x, y);
        }
        EXPECT_TRUE(std::equal(drawn.GetBits(), drawn.GetBits() + 120 * 480, expected.GetBits()))
            << c.seconds << " seconds should show " << c.shown;
    }
}

// In survival the banner (images/side, sliding in from above) names the wave the wave banners
// counted, in yellow with its shadow one pixel lower right; checked against the same drawn by hand.
TEST(PlayFieldDrawTest, TheSurvivalBannerShowsTheWaveCountOnTheSidePicture) {
    StackApp<DataSetApp> app;
    GameImages images;
    ASSERT_TRUE(Vuro::Test::LoadPlayImages(app, images, VURO_DATA_DIR, 1, true));
    Vuro::Test::SilentFieldHost host;
    PlayField field;
    field.SetHost(&host);
    field.SetSurvival(true);
    field.SetLevel(1);
    field.SetLevelTime(600);
    PlayFieldPictures::SetFieldImages(field, images);
    PlayFieldView view(field);
    view.SetImages(&images);
    for (int second : {2, 3, 4}) {
        field.AddTimeLineEntry(second, 15);
    }
    for (int tick = 1; tick <= 4 * 60; ++tick) {
        (void)field.Update(tick);
    }
    ASSERT_EQ(field.GetSurvivalBonusCount(), 3);
    ASSERT_TRUE(field.GetBanner().mActive);
    const int y = field.GetBanner().mOffset;
    ASSERT_GT(y, RiseFade::kHiddenOffset) << "the banner shows";

    MemoryImage drawn(&app);
    drawn.Create(640, 100);
    Graphics byField(&drawn);
    view.DrawBanner(&byField);

    MemoryImage expected(&app);
    expected.Create(640, 100);
    Graphics byHand(&expected);
    byHand.DrawImage(images.mSide, 0, y);
    byHand.SetFont(images.mHelpFont);
    const std::string caption = "Волна 3"_cp1251;
    byHand.SetColor(Color::Black);
    byHand.DrawString(caption, 42, y + 44);
    byHand.SetColor(Color(248, 255, 68));
    byHand.DrawString(caption, 41, y + 43);
    EXPECT_TRUE(std::equal(drawn.GetBits(), drawn.GetBits() + 640 * 100, expected.GetBits()));
}

TEST(PlayFieldDrawTest, TheRainCloudDrawsSixRainCelsBelowItThenItself) {
    Testing::RecordingImage screen(640, 480);
    Graphics g(&screen);
    Image rain;
    rain.mWidth = 90; // three cels of 30 x 40
    rain.mHeight = 40;
    rain.mNumCols = 3;
    Image cloudPicture;
    cloudPicture.mWidth = 246;
    cloudPicture.mHeight = 80;

    WeatherStepper cloud;
    cloud.SetPos(100, 35);
    cloud.SetTarget(-246, 35);
    cloud.mFrame = 2;
    PlayFieldView::DrawRainCloud(&g, cloud, &cloudPicture, &rain);

    std::vector<Testing::RecordingImage::Call> expected;
    for (int y : {105, 157, 209, 261, 313, 365}) {
        expected.push_back(
            {"Blt", &rain, Rect(60, 0, 30, 40), Rect(100, y, 0, 0), {}, Color::White, 0, false});
    }
    expected.push_back({"Blt",
                        &cloudPicture,
                        Rect(0, 0, 246, 80),
                        Rect(100, 35, 0, 0),
                        {},
                        Color::White,
                        0,
                        false});
    EXPECT_EQ(screen.mCalls, expected);

    screen.mCalls.clear();
    cloud.SetState(WeatherStepper::kGone);
    PlayFieldView::DrawRainCloud(&g, cloud, &cloudPicture, &rain);
    EXPECT_TRUE(screen.mCalls.empty());
}

// A frame past the end of its sheet shows a cel inside it, the one the look intends.
TEST(PlayFieldDrawTest, FramesPastTheirSheetShowTheCelTheLookIntends) {
    namespace Pictures = PlayFieldPictures;
    // The shot picture's two cels face right and left, as the flight frames' two halves do.
    struct ShotCase {
        int flightCels;
        int frame;
        int cel;
    };
    for (const ShotCase& c :
         {ShotCase{10, 0, 0}, ShotCase{10, 4, 0}, ShotCase{10, 5, 1}, ShotCase{10, 9, 1},
          ShotCase{8, 3, 0}, ShotCase{8, 4, 1}, ShotCase{8, 7, 1}, ShotCase{4, 1, 0},
          ShotCase{4, 2, 1}, ShotCase{4, 3, 1}}) {
        EXPECT_EQ(Pictures::ShotCel(c.frame, c.flightCels), c.cel)
            << c.flightCels << " flight cels, frame " << c.frame;
    }
    // Smoke frames 0..8 on eight cels: the last frame holds the last cel.
    for (int frame = 0; frame <= 7; ++frame) {
        EXPECT_EQ(Pictures::SmokeCel(frame, 8), frame);
    }
    EXPECT_EQ(Pictures::SmokeCel(8, 8), 7);
    // The flies' frames 0..3 on three cels go round.
    const int flyCels[] = {0, 1, 2, 0};
    for (int frame = 0; frame <= 3; ++frame) {
        EXPECT_EQ(Pictures::FruitFlyCel(frame, 3), flyCels[frame]);
    }
}

} // namespace
} // namespace Vuro::Testing
