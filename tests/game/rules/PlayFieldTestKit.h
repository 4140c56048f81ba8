#pragma once
// A play field driven tick by tick with a host that records every sound, song and cursor, and
// helpers that set a level up in code: trees whose cells put fruit at known points, bonus items
// of a chosen kind and birds and hedgehogs from a chosen side.

#include "framework/util/MersenneTwister.h"
#include "game/rules/FruitStateDurations.h"
#include "game/rules/PlayField.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

namespace Vuro::Testing {

class RecordingFieldHost : public PlayFieldHost {
public:
    void PlaySample(int id) override { mSamples.push_back(id); }
    void PlayMusic(int songId) override {
        mMusic.push_back(songId);
        mPlaying.insert(songId);
    }
    void StopMusic(int songId) override {
        mMusic.push_back(-songId);
        mPlaying.erase(songId);
    }
    bool IsMusicPlaying(int songId) override { return mPlaying.count(songId) != 0; }
    void SetCursor(int cursorNum) override { mCursor = cursorNum; }
    bool IsEasyModePlayer() override { return mEasy; }

    void Clear() {
        mSamples.clear();
        mMusic.clear();
        mPlaying.clear();
        mCursor = -1;
        mEasy = false;
    }
    bool Played(int id) const { return std::count(mSamples.begin(), mSamples.end(), id) != 0; }

    std::vector<int> mSamples;
    std::vector<int> mMusic; // song ids played, negated when stopped
    std::set<int> mPlaying;
    int mCursor = -1;
    bool mEasy = false;
};

class PlayFieldPlay : public ::testing::Test {
protected:
    void SetUp() override {
        SRand(7);
        SetEasyMode(false);
        mField.SetHost(&mHost);
        NewLevel();
    }

    // An empty level of 600 seconds from tick 0, with nothing heard yet.
    void NewLevel(bool survival = false, int level = 1) {
        mField.ResetLevel();
        mField.SetSurvival(survival);
        mField.SetLevel(level);
        mField.SetLevelTime(600);
        mTick = 0;
        mHost.Clear();
    }
    // A tree whose nx cells lie in a row from (cellX, cellY), 21 pixels apart; while fewer than
    // four are free they fill from the left, so a one-cell tree grows its fruit exactly there.
    void AddTree(int kind, int cellX, int cellY, int nx = 1, int treeX = 0) {
        FruitTree tree;
        tree.Set(kind, treeX, 0, cellX, cellY, nx, 1);
        (void)tree.Release(0);
        mField.AddTree(tree);
    }
    void AddBox(int kind) {
        FruitBox box;
        box.Set(kind, 0, 0, 0, 0);
        mField.AddFruitBox(box);
    }

    // Runs n update ticks after the last one run.
    void Run(int n) {
        for (int i = 0; i < n; ++i) {
            mField.Update(++mTick);
        }
    }
    // Runs ticks until the condition holds (at most limit); false when it never did.
    template <typename Condition> bool RunUntil(Condition condition, int limit = 20000) {
        for (int i = 0; i < limit && !condition(); ++i) {
            mField.Update(++mTick);
        }
        return condition();
    }
    bool RunUntilFruitState(int state, int limit = 20000) {
        return RunUntil(
            [&] { return !mField.GetFruit().empty() && OnlyFruit().GetState() == state; }, limit);
    }
    // Runs up to the end of the current game second (the next multiple of 60).
    void RunToSecond() { Run(60 - mTick % 60); }

    // Seeds the generator so that the next draw % n gives value.
    static void SeedFirstDraw(int n, int value) {
        for (uint32_t seed = 1;; ++seed) {
            SRand(seed);
            if (Rand() % n == value) {
                SRand(seed);
                return;
            }
        }
    }
    // A bird of the kind entering from the left (flying right) or the right.
    void AddBirdFrom(int kind, bool fromLeft) {
        for (uint32_t seed = 1;; ++seed) {
            SRand(seed);
            Rand(); // its height
            if (((Rand() & 1) != 0) == fromLeft) {
                SRand(seed);
                mField.AddBird(kind);
                return;
            }
        }
    }
    void AddHedgehogFrom(bool fromLeft) {
        SeedFirstDraw(2, fromLeft ? 1 : 0);
        mField.AddHedgehog();
    }
    // A bonus item of the kind at (x, y), drawn as on a story level 28 or survival level 5
    // (every kind may come); the level stays as it was.
    void AddBonusItemOfKind(int kind, int x, int y) {
        const int level = mField.GetLevel();
        mField.SetLevel(mField.IsSurvival() ? 5 : 28);
        SeedFirstDraw(7, kind);
        mField.AddBonusItem(x, y);
        mField.SetLevel(level);
        ASSERT_EQ(mField.GetBonusItems().back().mKind, kind);
    }
    // Lets the newest bonus item age until it can be clicked, then clicks it.
    void ClickNewestBonusItem() {
        Run(30);
        const Bouncer& item = mField.GetBonusItems().back();
        mField.MouseDown(item.mX + 5, item.mY + 5, 1);
    }

    const Fruit& OnlyFruit() const {
        EXPECT_EQ(mField.GetFruit().size(), 1u);
        return mField.GetFruit().front();
    }
    const Countdown& LastNumberPopup() const { return mField.GetNumberPopups().back(); }

    PlayField mField;
    RecordingFieldHost mHost;
    int mTick = 0;
};

} // namespace Vuro::Testing
