// The stage map's model: its points, the selection rules, buying stages and the difficulty
// switch.

#include "framework/app/VuroAppBase.h"
#include "game/player/ProfileManager.h"
#include "game/rules/GameSounds.h"
#include "game/screens/BoardMap.h"
#include "game/screens/GameHost.h"
#include "game/screens/LocalTexts.h"
#include "game/screens/StageTables.h"

#include <algorithm>
#include <span>

namespace Vuro {

namespace {

// The failure text writes the folder with a backslash, as the map's message files are named.
constexpr const char* kMapTextFailure = "There was an error loading the file: local\\682.xml";

constexpr int kOpenableStages = kStageCount - 1; // stages 2..6, one flag each

struct AnimPlace {
    int mX;
    int mY;
    int mPeriod;
    int mMaxFrame;
};
constexpr AnimPlace kShip{410, 377, 48, 3};
constexpr AnimPlace kShip2{5, 268, 53, 3};
constexpr AnimPlace kOcti{385, 15, 50, 1};

void StartLooping(FrameAnim& anim, const AnimPlace& place) {
    anim.Start(place.mX, place.mY, true, place.mPeriod, place.mMaxFrame);
}

} // namespace

bool BoardMap::ReadMapTexts() {
    return ReadLocalTexts(kMapTextFile, mMapTexts, kMapTextCount);
}

bool BoardMap::IsStageOpened(int stage) const {
    return stage <= 1 || (stage <= kStageCount && mRecord.stageUnlocked[stage - 2] != 0);
}

void BoardMap::Setup(bool story) {
    if (!ReadMapTexts()) {
        mApp->Popup(kMapTextFailure);
        return;
    }
    StartLooping(mShip, kShip);
    StartLooping(mShip2, kShip2);
    StartLooping(mOcti, kOcti);
    mStory = story;
    std::span<const PointPlace> places = story ? std::span<const PointPlace>(kStoryPoints)
                                               : std::span<const PointPlace>(kSurvivalPoints);
    for (int number = 0; number < static_cast<int>(places.size()); ++number) {
        mPoints[number] =
            LevelPoint{number, places[number].mX, places[number].mY, LevelPoint::kLocked};
    }
    mGame->GetProfileManager().GetRecord(&mRecord);
    ClampProgress();
    ApplyPointStates();
    TakeVisitMessage();
    ComputeOpenLimit();
}

void BoardMap::ClampProgress() {
    mRecord.storyLevelMax = std::clamp(mRecord.storyLevelMax, 0, kLastStoryIndex);
    mRecord.storyLevel = std::clamp(mRecord.storyLevel, 0, mRecord.storyLevelMax);
    mRecord.survivalLevelMax = std::clamp(mRecord.survivalLevelMax, 0, kLastSurvivalIndex);
    mRecord.survivalLevel = std::clamp(mRecord.survivalLevel, 0, mRecord.survivalLevelMax);
}

void BoardMap::TakeVisitMessage() {
    if (!mStory) {
        if (mGame->GetMapMessage() == MapMessage::kSurvivalAdvanced) {
            mMessageCode = mRecord.survivalLevelMax;
        } else if (mGame->GetMapMessage() == MapMessage::kSurvivalWaiting) {
            mMessageCode = mRecord.survivalLevelMax + 1;
        }
        return;
    }
    // Standing on the first level of a stage not bought: the stage before it was finished.
    for (int stage = 2; stage <= kStageCount; ++stage) {
        if (mRecord.storyLevelMax == StageFirstIndex(stage) && !IsStageOpened(stage)) {
            mMessageCode = stage - 1;
        }
    }
}

void BoardMap::ComputeOpenLimit() {
    int opened = 0;
    while (opened < kOpenableStages && mRecord.stageUnlocked[opened] != 0) {
        ++opened;
    }
    mOpenLimit = mStory ? StageLastIndex(opened + 1) : opened;
}

void BoardMap::SetPointState(int number, int state) {
    auto point = mPoints.find(number);
    if (point != mPoints.end()) {
        point->second.mState = state;
    }
}

void BoardMap::ApplyPointStates() {
    const int highest = mStory ? mRecord.storyLevelMax : mRecord.survivalLevelMax;
    for (auto& [number, point] : mPoints) {
        point.mState = number <= highest ? LevelPoint::kReached : LevelPoint::kLocked;
    }
    SetPointState(mStory ? mRecord.storyLevel : mRecord.survivalLevel, LevelPoint::kCurrent);
}

void BoardMap::MoveCurrentPoint(int32_t& current, int level) {
    SetPointState(current, LevelPoint::kReached);
    current = level;
    SetPointState(current, LevelPoint::kCurrent);
}

void BoardMap::SelectStoryPoint(int x, int y) {
    if (mRecord.storyLevelMax == 0) {
        return;
    }
    mApp->PlaySampleAt(SampleId::kSelect, 0);
    auto hit = std::find_if(mPoints.begin(), mPoints.end(),
                            [&](const auto& entry) { return entry.second.Contains(x, y); });
    if (hit == mPoints.end()) {
        return;
    }
    if (hit->first > mRecord.storyLevelMax) {
        SelectHighestStoryPoint();
        return;
    }
    mRecord.storyLevel = hit->first;
    ApplyPointStates();
}

void BoardMap::SelectHighestStoryPoint() {
    const int highest = mRecord.storyLevelMax;
    if (mPoints[highest].mState == LevelPoint::kCurrent) {
        return;
    }
    for (int number = 0; number < highest; ++number) {
        if (mPoints[number].mState == LevelPoint::kCurrent) {
            mPoints[number].mState = LevelPoint::kReached;
            mPoints[highest].mState = LevelPoint::kCurrent;
            mRecord.storyLevel = highest;
            return;
        }
    }
}

void BoardMap::SelectSurvivalRegion() {
    const int highest = mRecord.survivalLevelMax;
    if (highest == 0) {
        return;
    }
    mApp->PlaySampleAt(SampleId::kSelect, 0);
    const int level = mHoveredRegion - 1;
    if (level > highest) {
        MoveCurrentPoint(mRecord.survivalLevel, highest);
    } else if (level >= 0 && level != mRecord.survivalLevel && mRecord.survivalLevel <= highest) {
        MoveCurrentPoint(mRecord.survivalLevel, level);
    }
}

void BoardMap::StoreRecord() {
    mGame->GetProfileManager().SetRecord(mRecord);
    (void)mGame->GetProfileManager().SaveCurrent(); // a failed save keeps the copy for the next
}

void BoardMap::BuyNextStage() {
    const int before = mRecord.totalScore;
    for (int flag = 0; flag < kOpenableStages; ++flag) {
        if (mRecord.stageUnlocked[flag] == 0) {
            mRecord.stageUnlocked[flag] = 1;
            mRecord.totalScore -= StagePriceTaken(flag + 2, mRecord.easyMode != 0);
            break;
        }
    }
    mRecord.totalScore = std::max(mRecord.totalScore, 0);
    if (mRecord.totalScore != before) {
        mApp->PlaySampleAt(SampleId::kCashRegister, 0);
    }
    mRecord.storyLevel = mRecord.storyLevelMax;
    StoreRecord();
    ComputeOpenLimit();
    ApplyPointStates();
    mMessageCode = kNoMessage;
}

void BoardMap::SwitchDifficulty() {
    mMessageCode = kNoMessage;
    mRecord.easyMode = mRecord.easyMode == 0 ? 1 : 0;
}

} // namespace Vuro
