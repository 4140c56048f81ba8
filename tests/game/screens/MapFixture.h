#pragma once
// A game application on the fakes at its menu with a player "Tester" (BoardFixture), and a
// stage map made for a record the test chooses, set up on the main thread.

#include "game/core/BoardFixture.h"
#include "game/screens/BoardMap.h"

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
