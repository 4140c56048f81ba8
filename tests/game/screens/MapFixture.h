#pragma once
// A game application on the fakes at its menu with a player "Tester" (BoardFixture), and a
// stage map made for a record the test chooses: set up on the main thread, or shown through
// the screen switch. The map's message files are headed by their numbers.

#include "game/screens/BoardFixture.h"

#include "framework/graphics/MemoryImage.h"
#include "framework/widgets/DialogButton.h"
#include "framework/widgets/WidgetManager.h"
#include "game/screens/BoardMap.h"
#include "game/screens/OKDialog.h"
#include "game/screens/SimpleDialog.h"

#include <memory>

namespace Vuro::Test {

class MapFixture : public BoardFixture {
protected:
    // The current record with its progress replaced: story level and highest level, the
    // stages opened (flags 0..n-1), the balance and the difficulty.
    struct Progress {
        int storyLevel = 0;
        int storyLevelMax = 0;
        int stagesOpened = 0;
        int totalScore = 0;
        bool easy = false;
        int survivalLevel = 0;
        int survivalLevelMax = 0;
    };
    void SetProgress(const Progress& progress) {
        PlayerRecord record = Record();
        record.storyLevel = progress.storyLevel;
        record.storyLevelMax = progress.storyLevelMax;
        for (int flag = 0; flag < 5; ++flag) {
            record.stageUnlocked[flag] = flag < progress.stagesOpened ? 1 : 0;
        }
        record.totalScore = progress.totalScore;
        record.easyMode = progress.easy ? 1 : 0;
        record.survivalLevel = progress.survivalLevel;
        record.survivalLevelMax = progress.survivalLevelMax;
        SetRecord(record);
    }
    // A map of the record as it stands, set up for story or survival.
    BoardMap& MakeMap(bool story) {
        mMap = std::make_unique<BoardMap>(mApp.get(), mApp->mMenu);
        mMap->Setup(story);
        SamplesSince();
        return *mMap;
    }
    // The map shown through the screen switch from the menu, after its first update; the
    // samples played since are those of that update.
    BoardMap* ShowMap(bool story) {
        mApp->mMapMode = story ? GameApp::kMapModeStory : GameApp::kMapModeSurvival;
        mApp->mPreviousScreenId = GameApp::kScreenMenu;
        mApp->mTargetScreenId = GameApp::kScreenMap;
        SamplesSince();
        mApp->SwitchScreen();
        EXPECT_TRUE(StepUntilLoaded());
        StepUpdates(1);
        return mApp->mMap;
    }
    void StepUpdates(int count) {
        const int target = mApp->mUpdateCount + count;
        StepUntil([&] { return mApp->mUpdateCount >= target; });
    }
    // Every widget of the screen drawn afresh onto image (640 x 480), bottom to top.
    void DrawWholeScreen(MemoryImage& image) {
        image.Create(640, 480);
        WidgetManager& manager = *mApp->mWidgetManager;
        Image* screen = manager.mImage;
        manager.mImage = &image;
        for (Widget* widget : manager.mWidgets) {
            widget->InvalidateAll();
        }
        manager.DrawScreen();
        manager.mImage = screen;
    }
    // The dialog shown: "ok <header>" or "question <header>"; "none".
    std::string Shown() const {
        Dialog* dialog = mApp->GetDialog(0);
        if (dialog == nullptr) {
            return "none";
        }
        const char* kind = dynamic_cast<SimpleDialog*>(dialog) != nullptr ? "question " : "ok ";
        return kind + dialog->mDialogHeader;
    }
    // Clicks the shown dialog's button: OK, or yes / no of a question.
    void Answer(bool yes) {
        Dialog* dialog = mApp->GetDialog(0);
        ASSERT_NE(dialog, nullptr);
        Widget* button = nullptr;
        if (auto* question = dynamic_cast<SimpleDialog*>(dialog)) {
            button = yes ? question->mAcceptButton : question->mCancelButton;
        } else {
            button = static_cast<OKDialog*>(dialog)->mOkButton;
        }
        Click(button->mX, button->mY);
        StepUpdates(1); // the dialog goes
    }
    // The states of points 0..count-1 as digits.
    std::string States() const {
        std::string states;
        for (const auto& [number, point] : mMap->mPoints) {
            states += static_cast<char>('0' + point.mState);
        }
        return states;
    }

    std::unique_ptr<BoardMap> mMap;
};

} // namespace Vuro::Test
