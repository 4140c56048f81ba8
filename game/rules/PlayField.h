#pragma once
// The state of one level in play: trees, fruit, boxes, pests and birds, stones, pop-ups and
// effects, and the level's goals, time and counters. Each game board embeds one, fills it from
// the level file (LevelFile) after ResetLevel, forwards ticks and mouse input to it and polls
// its event code. Not a widget, and it draws nothing: the boards draw it through a
// PlayFieldView over the level's image set. Elements are plain values copied into and out of
// its vectors.
//
// ResetLevel clears the level's state (LevelState.h); the goals, the banner and the combo
// sequence outlast it, and the count toward the next golden fruit belongs to the run (RunState).
//
// One level plays through Update (every update tick; PlayFieldUpdate.cpp, with the time line in
// PlayFieldTimeLine.cpp, the fruit and ground actors in PlayFieldGround.cpp and the birds and
// stones in PlayFieldBirds.cpp) and MouseDown (PlayFieldMouse.cpp). Sounds, music and the cursor
// go through a PlayFieldHost. A penalty never takes the score below 0, and every score pop-up
// shows the points the score actually changed by.
//
// Whatever changes what the field draws sets the redraw flag (RedrawFlag.h): its objects' ticks,
// objects added or erased while drawn, the score, the once-a-second pass (the clock, the timers
// and the time line), the sky and the lightning, the aim at a bird, a press and the mouse
// position, a level reset and its pictures. The boards draw the field again only when it is set.

#include "game/rules/ComboSequence.h"
#include "game/rules/FieldGeometry.h"
#include "game/rules/LevelState.h"
#include "game/rules/PlayFieldHost.h"
#include "game/rules/RiseFade.h"
#include "game/rules/RunState.h"

#include <vector>

namespace Vuro {

class PlayField : private LevelState {
public:
    using LevelState::kCounterCount;
    using LevelState::kSkyLayerCount;
    using LevelState::kTimerCount;
    using LevelState::SkyLayer;
    using LevelState::TimeLineEntry;
    using LevelState::Timer;

    // Event codes polled by the boards.
    static constexpr int kEventNone = 0;
    static constexpr int kEventLeftButton = 1;
    static constexpr int kEventRightButton = 2;
    static constexpr int kEventHelpTip = 3;
    static constexpr int kEventNoFruitLeft = 4;

    // The timers, counted down once a second.
    static constexpr int kTimerDoubleShot = 0;
    static constexpr int kTimerStopPhase = 1;
    static constexpr int kTimerLightning = 2;
    static constexpr int kTimerSmoke = 4;

    // The help tip of the unripe-fruit warning (time-line tips are 100 and up too).
    static constexpr int kGreenPickTip = 100;

    // Sizes of the pictures the rules measure with, per fruit kind 1..4 (index kind - 1): a
    // fruit is picked within a fifth of its anim sheet's width and the sheet's height, and a
    // hedgehog sniffs by the width of the tree picture. SetImages takes them from the level's
    // image set; until then the sizes of the game's data set stand (sheets of six 20 x 20 cels,
    // trees 140 wide).
    struct PictureSizes {
        static constexpr int kSheetWidth = kFruitAnimCels * kFruitSize;
        int mFruitSheetWidth[kFruitKinds] = {kSheetWidth, kSheetWidth, kSheetWidth, kSheetWidth};
        int mFruitSheetHeight[kFruitKinds] = {kFruitSize, kFruitSize, kFruitSize, kFruitSize};
        int mTreeWidth[kFruitKinds] = {kTreeWidth, kTreeWidth, kTreeWidth, kTreeWidth};
    };

    PlayField();

    PlayField(const PlayField&) = delete;
    PlayField& operator=(const PlayField&) = delete;

    // Clears the level's state for the next level; the goals, the banner and the combo
    // sequence stay.
    void ResetLevel();

    // What the rules take of the level's image set, once the level number and mode are set:
    // the sizes of its pictures, and whether it holds the stage's ambient picture, which starts
    // the stage's ambient animation.
    void SetImages(const PictureSizes& sizes, bool hasAmbientPicture);

    // The stage whose pictures a level uses: story levels 1..43 map to stages 1..6 (a higher
    // level keeps its own number, a stage without pictures); in survival the level is the stage.
    static int GetStage(bool survival, int level);
    // Starts the stage's ambient animation; stages without one leave it stopped. Called when
    // the image set holds the stage's ambient picture.
    void StartAmbient(int stage);

    // Borrowed; null goes back to the application host without a profile manager.
    void SetHost(PlayFieldHost* host);
    // What outlasts levels and boards (borrowed); null goes back to the field's own.
    void SetRunState(RunState* run) { mRun = run != nullptr ? run : &mOwnRun; }
    const RunState& GetRunState() const { return *mRun; }
    const PictureSizes& GetPictureSizes() const { return mPictureSizes; }

    void AddTimeLineEntry(int second, int code);
    void AddTree(const FruitTree& tree);
    void AddFruitBox(const FruitBox& box);

    // ---- [Adding objects] ----
    // A grown fruit of kind 1..4: in survival it counts as collected at once, fills its box and
    // ripens only after 600 seconds; in story it ages normally. Inserted at the front (drawn
    // below the others).
    void AddFruit(Fruit fruit);
    // A caterpillar from where a fruit of the kind fell, to a random tree; none without trees.
    void AddCaterpillar(int fruitKind, int x);
    // A bird of kind 0..3 from a random side; counted as appeared.
    void AddBird(int kind);
    // A hedgehog from a random side.
    void AddHedgehog();
    // A bonus item at the point for 15 seconds, its kind drawn by mode and level; none on
    // survival levels outside 1..6.
    void AddBonusItem(int x, int y);
    // A rising score number or combo text (ComboSequence result) for one second.
    void AddNumberPopup(int x, int y, int value);
    void AddBonusPopup(int x, int y, int code);

    // ---- [Playing] ----
    // One update tick (PlayFieldUpdate.cpp); once the time is up only the banner moves.
    void Update(int tick);
    // A press at (x, y); clickCount is negative for the right button (PlayFieldMouse.cpp).
    void MouseDown(int x, int y, int clickCount);

    // Kinds 1..4; other kinds change nothing. A goal below 1 means no goal for that kind.
    void SetGoal(int kind, int n);
    // -1 for a kind outside 1..4.
    int GetGoal(int kind) const;

    void SetLevel(int n) { mLevel = n; }
    int GetLevel() const { return mLevel; }
    void SetLevelTime(int seconds) { mTimeLeft = seconds; }
    int GetLevelTime() const { return mTimeLeft; }
    void SetSurvival(bool survival);
    bool IsSurvival() const { return mSurvival; }
    void SetCustomCursors(bool on) { mCustomCursors = on; }
    bool GetCustomCursors() const { return mCustomCursors; }
    void SetDay(bool day) { mDay = day; }
    bool IsDay() const { return mDay; }

    int GetEvent() const { return mEvent; }
    void SetEvent(int code) { mEvent = code; }
    bool IsTimeUp() const { return mTimeUp; }
    int GetHelpTip() const { return mHelpTip; }
    int GetScore() const { return mScore; }
    int GetCurrentTick() const { return mCurrentTick; }
    int GetElapsedSeconds() const { return mElapsedSeconds; }
    // Wave banners seen in survival (the wave number the banner shows).
    int GetSurvivalBonusCount() const { return mSurvivalBonusCount; }
    // Fruit of kind 1..4 collected (in survival: grown less those the birds took) and grown
    // and not yet fallen; 0 for another kind.
    int GetCollected(int kind) const;
    int GetOnTrees(int kind) const;

    // Reached unless some kind has a goal of at least 1 and fewer collected than the goal.
    void CheckGoals();
    bool IsGoalReached();
    // The 16 counters; in survival the four collected counters are replaced by onTrees.
    void GetStats(int out[kCounterCount]) const;
    // Stores the position; the field is drawn again with it.
    void SetMousePos(int x, int y);
    int GetMouseX() const { return mMouseX; }
    int GetMouseY() const { return mMouseY; }

    const std::vector<FruitTree>& GetTrees() const { return mTrees; }
    const std::vector<FruitBox>& GetBoxes() const { return mBoxes; }
    const std::vector<TimeLineEntry>& GetTimeLine() const { return mTimeLine; }
    int GetTreeCount() const { return mTreeCount; }
    int GetBoxCount() const { return mBoxCount; }
    // Trees of fruit kind 1..4; 0 for another kind.
    int GetTreesOfKind(int kind) const;

    // Read by the drawing and update steps.
    const FrameAnim& GetAmbient() const { return mAmbient; }
    const FrameAnim& GetNightAnimation() const { return mNightAnimation; }
    const BobOffset& GetBob() const { return mBob; }
    const Drifter& GetSun() const { return mSun; }
    const WeatherStepper& GetRain() const { return mRain; }
    const SkyLayer& GetSkyLayer(int index) const { return mSkyLayers[index]; }
    const Timer& GetTimer(int index) const { return mTimers[index]; }
    bool IsStopPhase() const { return mTimers[kTimerStopPhase].mActive; }
    int GetLightningPeriod() const { return mLightningPeriod; }
    int GetLightningFrame() const { return mLightningFrame; }
    bool IsLightning() const { return mLightning; }
    bool IsSlingshotReady() const { return mSlingshotReady; }
    int GetShotsSinceReady() const { return mShotsSinceReady; }
    bool IsAimingAtBird() const { return mAimingAtBird != 0; }
    bool IsEffectActive() const { return mEffectActive; }
    int GetEffectStep() const { return mEffectStep; }
    const RiseFade& GetBanner() const { return mBanner; }
    const EdgeWalker& GetBroom() const { return mBroom; }
    const TargetWalker& GetAutocar() const { return mAutocar; }
    const std::vector<Fruit>& GetFruit() const { return mFruit; }
    const std::vector<Caterpillar>& GetCaterpillars() const { return mCaterpillars; }
    const std::vector<Bird>& GetBirds() const { return mBirds; }
    const std::vector<Mover>& GetStones() const { return mStones; }
    const std::vector<Hedgehog>& GetHedgehogs() const { return mHedgehogs; }
    const std::vector<Countdown>& GetNumberPopups() const { return mNumberPopups; }
    const std::vector<Countdown>& GetBonusPopups() const { return mBonusPopups; }
    const std::vector<Bouncer>& GetBonusItems() const { return mBonusItems; }
    const std::vector<LoopAnim>& GetSmoke() const { return mSmoke; }
    const std::vector<EffectAnim>& GetFlashes() const { return mFlashes; }
    const std::vector<EffectAnim>& GetMagicShots() const { return mMagicShots; }

private:
    // The autocar heads this far left of a falling fruit.
    static constexpr int kAutocarLeadX = 5;

    static bool IsFruitKind(int kind) { return kind >= 1 && kind <= kFruitKinds; }
    // Points of a fruit picked or collected in the state (0..9).
    static int PointsForState(int state);

    // ---- [Score and shared steps: PlayFieldAdd.cpp] ----
    // Adds points (a penalty stops at 0) and returns the change actually made.
    int AddScore(int points);
    // AddScore with a number pop-up of the change at the point.
    void AddScoreWithPopup(int points, int x, int y);
    // The box of the kind, or null.
    FruitBox* FindBox(int kind);
    // One fruit into the box of its kind, its gauge against the kind's goal.
    void AddToBox(int kind);
    // Frees the tree cell holding id; true when one held it.
    bool ReleaseCell(int id);
    // Birds aiming at the cell (not carrying) fly on without it.
    void BirdsGiveUpCell(int cellId);
    // The collected counter of the kind, by delta, never below 0.
    void CountCollected(int kind, int delta);
    // Counts a bird of kind 0..3 as appeared or as shot.
    void CountBird(int kind, bool appeared);
    void StartTimer(int index, int seconds);
    bool IsEasyModePlayer() { return mHost->IsEasyModePlayer(); }

    // ---- [Update steps: PlayFieldUpdate.cpp] ----
    void UpdateStopPhase(int tick);
    void UpdateEffects(int tick);
    void UpdateSky(int tick);
    void ReloadRule(int tick);
    void StepTimers();

    // ---- [Time line and growth: PlayFieldTimeLine.cpp] ----
    void RunTimeLine();
    // Acts on one entry; false when the pass stops after it (a help tip).
    bool RunTimeLineCode(int code);
    void GrowFruit(int kind);
    FruitTree* ChooseTreeToGrow(int kind);

    // ---- [Fruit and ground actors: PlayFieldGround.cpp] ----
    void UpdateFruit(int tick);
    // Acts on what one fruit's tick reported; true when it came off its tree.
    bool OnFruitTick(Fruit& fruit, int result);
    // A hedgehog, the broom or the autocar takes the fruit; true when it is gone.
    bool TakeFromGround(Fruit& fruit);
    void UpdateCaterpillars(int tick);
    void UpdateHedgehogs(int tick);
    // In survival, once no tree holds a fruit any more, the boards are told.
    void CheckTreesBare();

    // ---- [Birds and stones: PlayFieldBirds.cpp] ----
    void UpdateCursor();
    void UpdateBirds(int tick, bool stopPhase);
    // The first stone on the bird strikes it.
    void StrikeWithStone(Bird& bird, bool stopPhase);
    // Acts on the bird's tick; false when the bird is to be erased.
    bool OnBirdTick(Bird& bird, int result);
    void KamikazeStrikes(const Bird& bird);
    void BirdReachesFruit(Bird& bird);
    // Drops what the bird carries as a knocked-down fruit the autocar goes for.
    void DropFromBird(Bird& bird);
    // A fruit a bird took or knocked down leaves its tree cell; in survival it stops counting as
    // collected.
    void LoseFruitFromTree(const Fruit& fruit);
    // Lightning stuns every bird and hedgehog; its end lets them go.
    void StartLightningStrike();
    void EndLightningStrike();

    // ---- [Mouse: PlayFieldMouse.cpp] ----
    void MouseDownSurvival(int x, int y, int clickCount);
    void MouseDownStory(int x, int y);
    void PressSideButtons(int x, int y);
    void FireStone(int x);
    // A click on a clickable bonus item; true when one was taken.
    bool ClickBonusItem(int x, int y);
    void ApplyBonus(int kind);
    // The first caterpillar under the point is caught.
    void ClickCaterpillar(int x, int y);
    // The first fruit under the point is picked into its box.
    void PickFruit(int x, int y);

    // Outside the level's state: see LevelState.h.
    RiseFade mBanner;     // the level banner, started by time-line code 15
    ComboSequence mCombo; // the kinds of the ripe fruit picked one after another
    bool mCustomCursors = false;
    int mGoals[kFruitKinds] = {};
    int mCurrentTick = 0;
    int mMouseX = 0;
    int mMouseY = 0;
    PlayFieldAppHost mAppHost;
    PlayFieldHost* mHost = &mAppHost; // borrowed
    PictureSizes mPictureSizes;
    RunState mOwnRun;
    RunState* mRun = &mOwnRun; // borrowed
};

} // namespace Vuro
