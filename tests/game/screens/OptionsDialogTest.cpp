// The options dialog: its layout, what each check box answers, the volumes applied while the
// sliders move, and the choices written to the settings by its button and read back by the
// next start.

#include "game/screens/OptionsDialog.h"
#include "MenuDialogFixture.h"
#include "framework/display/D3DTester.h"
#include "framework/widgets/Checkbox.h"
#include "framework/widgets/DialogButton.h"
#include "framework/widgets/Slider.h"
#include "game/screens/OKDialog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace Vuro::Test {
namespace {

std::vector<int> Bounds(const Widget* widget) {
    return {widget->mX, widget->mY, widget->mWidth, widget->mHeight};
}

class OptionsDialogTest : public MenuDialogFixture {
protected:
    OptionsDialogTest() {
        for (uint32_t sample : {1u, 3u}) {
            mSounds->mLoaded.insert(sample);
        }
        WriteText("local/3.xml", "<HelpText><Text1 value=\"No 3-D\"/><Text2 value=\"sorry\"/>"
                                 "</HelpText>\n");
        WriteText("local/5.xml", "<HelpText><Text1 value=\"Forced\"/><Text2 value=\"why\"/>"
                                 "</HelpText>\n");
    }
    OptionsDialog* Open() {
        mOptions = new OptionsDialog(mMenu.get(), StoreIn(mMenu->mState), "");
        mApp->AddDialog(OptionsDialog::kDialogId, mOptions);
        mOptions->Resize(0, 0, 0, 0);
        return mOptions;
    }

    OptionsDialog* mOptions = nullptr;
};

TEST_F(OptionsDialogTest, ControlsStandInTheirPlacesWithTheApplicationsChoices) {
    mApp->SetMusicVolume(0.4);
    mApp->SetSfxVolume(0.6);
    mApp->mIsWindowed = false;
    mApp->UseCustomCursors(true);
    Open();
    EXPECT_EQ(Bounds(mOptions), (std::vector<int>{145, 50, 364, 409}));
    EXPECT_EQ(Bounds(mOptions->mMusicSlider), (std::vector<int>{175, 160, 304, 31}));
    EXPECT_EQ(Bounds(mOptions->mSoundSlider), (std::vector<int>{175, 231, 304, 31}));
    // Half the check box picture wide: the fixture's is 1 x 2 pixels.
    EXPECT_EQ(Bounds(mOptions->m3DBox), (std::vector<int>{175, 270, 0, 2}));
    EXPECT_EQ(Bounds(mOptions->mFullScreenBox), (std::vector<int>{325, 270, 0, 2}));
    EXPECT_EQ(Bounds(mOptions->mCursorBox), (std::vector<int>{245, 330, 0, 2}));
    EXPECT_EQ(mOptions->mYesButton->mX, 275);
    EXPECT_EQ(mOptions->mYesButton->mY, 390);
    EXPECT_EQ(mOptions->mYesButton->mLabel, mApp->GetHelpText(1));
    EXPECT_DOUBLE_EQ(mOptions->mMusicSlider->mValue, 0.4);
    EXPECT_DOUBLE_EQ(mOptions->mSoundSlider->mValue, 0.6);
    EXPECT_FALSE(mOptions->m3DBox->mChecked);
    EXPECT_TRUE(mOptions->mFullScreenBox->mChecked);
    EXPECT_TRUE(mOptions->mCursorBox->mChecked);
}

TEST_F(OptionsDialogTest, EachCheckBoxExplainsWhatItCannotDo) {
    struct Case {
        const char* name;
        int box;
        bool forced; // full screen forced on the application
        bool checkedAfter;
        std::string shown; // the message box's header; empty: none
        int shownHeight;
        std::vector<uint32_t> samples;
    };
    const Case cases[] = {
        // No 3-D on this machine: the box unchecks itself (a second toggle sound) and says why.
        {"3-D", OptionsDialog::k3DBoxId, false, false, "No 3-D", 300, {3, 3, 1}},
        {"full screen, not forced", OptionsDialog::kFullScreenBoxId, false, false, "", 0, {3}},
        {"full screen, forced",
         OptionsDialog::kFullScreenBoxId,
         true,
         false,
         "Forced",
         270,
         {3, 1}},
        {"cursors", OptionsDialog::kCursorBoxId, false, true, "", 0, {3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        mApp->mIsWindowed = false;
        mApp->mForceFullscreen = c.forced;
        mApp->UseCustomCursors(false);
        // No 3-D test verdict: 3-D counts as unsupported.
        mApp->mDDInterface->mD3DTester.reset();
        Open();
        const size_t before = Played().size();
        Checkbox* box = c.box == OptionsDialog::k3DBoxId           ? mOptions->m3DBox
                        : c.box == OptionsDialog::kFullScreenBoxId ? mOptions->mFullScreenBox
                                                                   : mOptions->mCursorBox;
        box->MouseDown(0, 0, 1);
        EXPECT_EQ(box->mChecked, c.checkedAfter);
        const std::vector<uint32_t> played = Played();
        EXPECT_EQ(std::vector<uint32_t>(played.begin() + static_cast<long>(before), played.end()),
                  c.samples);
        auto* message = dynamic_cast<OKDialog*>(mApp->GetDialog(OKDialog::kDialogId));
        EXPECT_EQ(message != nullptr ? message->mDialogHeader : "", c.shown);
        if (message != nullptr) {
            EXPECT_EQ(message->mHeight, c.shownHeight);
            mApp->CloseDialogWidget(message);
        }
        mApp->CloseDialogWidget(mOptions);
        mApp->DeleteQueuedWidgets();
    }
}

TEST_F(OptionsDialogTest, AMissingExplanationEndsInTheErrorPopupOnEveryToggle) {
    std::filesystem::remove("local/5.xml");
    Open();
    ExitTrap trap;
    for (int toggle = 0; toggle < 2; ++toggle) {
        try {
            mOptions->mFullScreenBox->MouseDown(0, 0, 1);
            FAIL() << "no exit";
        } catch (const ExitCalled& exit) {
            EXPECT_EQ(exit.code, 1);
        }
    }
    EXPECT_EQ(Boxes().front(), "Error: There was an error loading the file: local\\5.xml");
    EXPECT_EQ(Boxes().size(), 4u) << "the error and the reinstall note, twice";
}

TEST_F(OptionsDialogTest, VolumesApplyWhileMovingAndTheSoundSliderClicksWhenLetGo) {
    Open();
    mOptions->SliderMoved(OptionsDialog::kMusicSliderId, 0.25);
    EXPECT_DOUBLE_EQ(mApp->GetMusicVolume(), 0.25);
    Slider* sound = mOptions->mSoundSlider;
    const size_t before = Played().size();
    sound->MouseDown(sound->ThumbX(), 5, 1);
    ASSERT_TRUE(sound->mDragging);
    sound->MouseDrag(101, 5);
    EXPECT_NEAR(mApp->GetSfxVolume(), 101.0 / 303, 1e-9);
    sound->MouseDrag(0, 5);
    EXPECT_DOUBLE_EQ(mApp->GetSfxVolume(), 0.0);
    EXPECT_EQ(Played().size(), before) << "silent while dragged";
    sound->MouseRelease(0, 5);
    EXPECT_EQ(Played().size(), before + 1);
    EXPECT_EQ(Played().back(), 2u);
}

TEST_F(OptionsDialogTest, TheButtonWritesTheChoicesWhichTheNextStartReadsBack) {
    mApp->mIsWindowed = false;
    mApp->UseCustomCursors(false);
    Open();
    mOptions->SliderMoved(OptionsDialog::kMusicSliderId, 0.25);
    mOptions->SliderMoved(OptionsDialog::kSoundSliderId, 0.5);
    mOptions->mFullScreenBox->MouseDown(0, 0, 1);
    mOptions->mCursorBox->MouseDown(0, 0, 1);
    EXPECT_FALSE(mApp->mIsWindowed) << "the screen mode waits for the button";
    mMenu->mState = BoardMenu::kStateIdle;
    mOptions->ButtonClick(DialogButtonYes);
    EXPECT_TRUE(mApp->mIsWindowed);
    EXPECT_TRUE(mApp->mCustomCursors);
    EXPECT_TRUE(mApp->mCustomCursorsEnabled);
    EXPECT_EQ(mMenu->mState, BoardMenu::kStateDialogClosed);
    EXPECT_FALSE(IsOpen(mOptions));
    EXPECT_EQ(Played().back(), 2u);

    // The next start, on the same settings store.
    mApp->DeleteQueuedWidgets();
    mMenu.reset();
    mApp.reset();
    mApp = std::make_unique<TestGameApp>();
    mApp->Init();
    EXPECT_DOUBLE_EQ(mApp->GetMusicVolume(), 0.25);
    EXPECT_DOUBLE_EQ(mApp->GetSfxVolume(), 0.5);
    EXPECT_TRUE(mApp->mIsWindowed);
    EXPECT_TRUE(mApp->mCustomCursorsEnabled);
}

} // namespace
} // namespace Vuro::Test
