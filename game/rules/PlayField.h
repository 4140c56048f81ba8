#pragma once
// The state of one level in play: trees, fruit, boxes, pests and birds, stones, pop-ups and
// effects, and the level's goals, time and counters. Each game board embeds one, fills it from
// the level file (LevelFile) after ResetLevel, forwards ticks and mouse input to it and polls
// its event code. Not a widget; elements are plain values copied into and out of its vectors.
//
// ResetLevel clears everything except the goals, which the next level file sets again.
//
// One level plays through Update (every update tick; PlayFieldUpdate.cpp, with the time line in
// PlayFieldTimeLine.cpp, the fruit and ground actors in PlayFieldGround.cpp and the birds and
// stones in PlayFieldBirds.cpp) and MouseDown (PlayFieldMouse.cpp). Sounds, music and the cursor
// go through a PlayFieldHost. A penalty never takes the score below 0, and every score pop-up
// shows the points the score actually changed by.

#include "game/rules/Bird.h"
#include "game/rules/BobOffset.h"
#include "game/rules/Bouncer.h"
#include "game/rules/Caterpillar.h"
#include "game/rules/ComboSequence.h"
#include "game/rules/Countdown.h"
#include "game/rules/Drifter.h"
#include "game/rules/EdgeWalker.h"
#include "game/rules/EffectAnim.h"
#include "game/rules/FieldGeometry.h"
#include "game/rules/FrameAnim.h"
#include "game/rules/Fruit.h"
#include "game/rules/FruitBox.h"
#include "game/rules/FruitTree.h"
#include "game/rules/Hedgehog.h"
#include "game/rules/LoopAnim.h"
#include "game/rules/Mover.h"
#include "game/rules/PlayFieldHost.h"
#include "game/rules/RiseFade.h"
#include "game/rules/TargetWalker.h"
#include "game/rules/WeatherStepper.h"

#include <vector>

namespace Vuro {

class GameApp;
class GameImages;
class Graphics;

class PlayField {
public:
    static constexpr int kFruitKinds = 4;
    static constexpr int kCounterCount = 16;
    static constexpr int kTimerCount = 5;

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

    // A timed effect counted down once a second.
    struct Timer {
        int mSeconds = 0;
        bool mActive = false;
    };

    // A sky picture that scrolls left; only x, y and the period are used.
    struct SkyLayer {
        int mX = 0;
        int mY = 0;
        int mPeriod = 0;
        int mUnused[3] = {};
    };

    struct TimeLineEntry {
        int mSecond; // second of the level at which it fires
        int mCode;   // what happens
    };

    // Sizes of the pictures the rules measure with, per fruit kind 1..4 (index kind - 1): a
    // fruit is picked within a fifth of its anim sheet's width and the sheet's height, and a
    // hedgehog sniffs by the width of the tree picture. SetImages takes them from the pictures
    // the image set holds; until then the sizes of the game's data set stand (sheets of six
    // 20 x 20 cels, trees 140 wide).
    struct PictureSizes {
        static constexpr int kSheetWidth = kFruitAnimCels * kFruitSize;
        int mFruitSheetWidth[kFruitKinds] = {kSheetWidth, kSheetWidth, kSheetWidth, kSheetWidth};
        int mFruitSheetHeight[kFruitKinds] = {kFruitSize, kFruitSize, kFruitSize, kFruitSize};
        int mTreeWidth[kFruitKinds] = {kTreeWidth, kTreeWidth, kTreeWidth, kTreeWidth};
    };

    // app is borrowed (may be null in tests).
    explicit PlayField(GameApp* app);

    PlayField(const PlayField&) = delete;
    PlayField& operator=(const PlayField&) = delete;

    // Clears the field for the next level; the goals stay.
    void ResetLevel();

    // Stores the level's image set (borrowed), takes the picture sizes from the fruit anim
    // sheets and trees it holds, and starts the stage's ambient animation when the set holds
    // its picture. Called once the level number and mode are set.
    void SetImages(GameImages* images);
    GameImages* GetImages() const { return mImages; }

    // The stage whose pictures a level uses: story levels 1..43 map to stages 1..6 (a higher
    // level keeps its own number, a stage without pictures); in survival the level is the stage.
    static int GetStage(bool survival, int level);
    // Starts the stage's ambient animation; stages without one leave it stopped. Called when
    // the image set holds the stage's ambient picture.
    void StartAmbient(int stage);

    // Borrowed; null goes back to the application host without a profile manager.
    void SetHost(PlayFieldHost* host);
    void SetPictureSizes(const PictureSizes& sizes) { mPictureSizes = sizes; }
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
    // One update tick (PlayFieldUpdate.cpp); answers whether the field must be drawn again:
    // after every tick of play, and once the time is up (when only the banner moves) when the
    // banner moved.
    bool Update(int tick);
    // A press at (x, y); clickCount is negative for the right button (PlayFieldMouse.cpp).
    void MouseDown(int x, int y, int clickCount);

    // ---- [Drawing] ----
    // Each part draws one layer from the field's state with the pictures of the image set;
    // without an image set nothing is drawn. The boards call the parts in the order listed,
    // DrawSmoke twice (before the slingshot and after the weather); DrawAll does exactly that.
    // The parts that write text use the image set's help font (images/fonts/Help14Bold.txt)
    // and leave it set on the context; a shadow is the text in black, lower right. A frame
    // past the end of its sheet is brought into the sheet (PlayFieldPictures.h).
    // PlayFieldDraw.cpp holds the order and the scenery, PlayFieldDrawSprites.cpp the
    // creatures, helpers and effects, PlayFieldDrawPanel.cpp the panel, icons and texts.
    //
    // Every part in order; drawSlingshot is false while the boards hide it (the curtain).
    void DrawAll(Graphics* g, bool drawSlingshot);
    void DrawBackground(Graphics* g);
    void DrawSunMoon(Graphics* g);
    void DrawSky(Graphics* g);
    void DrawStagePicture(Graphics* g);
    void DrawAmbient(Graphics* g);
    void DrawTrees(Graphics* g);
    void DrawCaterpillars(Graphics* g);
    void DrawFruit(Graphics* g);
    void DrawBirds(Graphics* g);
    void DrawAutocar(Graphics* g);
    void DrawHedgehogs(Graphics* g);
    void DrawMenuButton(Graphics* g);
    void DrawHud(Graphics* g);
    void DrawTime(Graphics* g);
    void DrawBroom(Graphics* g);
    void DrawBonusItems(Graphics* g);
    void DrawSmoke(Graphics* g);
    // The slingshot while aiming at a bird (always in survival), and the stones in flight.
    void DrawSlingshot(Graphics* g);
    void DrawCircles(Graphics* g);
    void DrawMagicShots(Graphics* g);
    void DrawShots(Graphics* g);
    void DrawWeather(Graphics* g);
    void DrawNumberPopups(Graphics* g);
    void DrawBonusPopups(Graphics* g);
    // While the banner shows: images/side sliding in from above with "Уровень <level>" in
    // story or "Волна <wave>" in survival.
    void DrawBanner(Graphics* g);

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
    // Stores the position; the next tick draws the field with it.
    void SetMousePos(int x, int y);
    int GetMouseX() const { return mMouseX; }
    int GetMouseY() const { return mMouseY; }
    GameApp* GetApp() const { return mApp; }

    const std::vector<FruitTree>& GetTrees() const { return mTrees; }
    const std::vector<FruitBox>& GetBoxes() const { return mBoxes; }
    const std::vector<TimeLineEntry>& GetTimeLine() const { return mTimeLine; }
    int GetTreeCount() const { return mTreeCount; }
    int GetBoxCount() const { return mBoxCount; }
    // Trees of fruit kind 1..4; 0 for another kind.
    int GetTreesOfKind(int kind) const;

    // Read by the drawing and update steps.
    const FrameAnim& GetAmbient() const { return mAmbient; }
    const FrameAnim& GetAmbient2() const { return mAmbient2; }
    const BobOffset& GetBob() const { return mBob; }
    const Drifter& GetSun() const { return mSun; }
    const WeatherStepper& GetRain() const { return mRain; }
    const SkyLayer& GetSkyLayer(int index) const { return mSkyLayers[index]; }
    const Timer& GetTimer(int index) const { return mTimers[index]; }
    int GetLightningPeriod() const { return mLightningPeriod; }
    int GetLightningFrame() const { return mLightningFrame; }
    bool IsLightning() const { return mLightning; }
    bool IsSlingshotReady() const { return mSlingshotReady; }
    int GetShotsSinceReady() const { return mShotsSinceReady; }
    bool IsAimingAtBird() const { return mAimingAtBird != 0; }
    bool IsEffectActive() const { return mEffectActive; }
    int GetEffectStep() const { return mEffectStep; }
    const RiseFade& GetScoreFade() const { return mScoreFade; }
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
    bool IsStopPhase() const { return mTimers[kTimerStopPhase].mActive; }
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
    // A fruit a bird took or knocked down leaves its tree cell; in survival it is no longer
    // counted as collected.
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

    bool mDay = true;
    bool mGoalReached = false;
    GameImages* mImages = nullptr; // not owned
    GameApp* mApp;
    int mHelpTip = 0;
    // Collected and grown per fruit kind 1..4, then shot and appeared per bird kind 0, 2, 1, 3.
    int mCounters[kCounterCount] = {};
    RiseFade mScoreFade;
    ComboSequence mCombo;
    bool mCustomCursors = false;
    int mAimingAtBird = 0;
    bool mSurvival = false;
    int mShotsSinceReady = 0;
    int mLastShotTick = 0;
    bool mSlingshotReady = true;
    // Double shot, stop phase, lightning, (unused), smoke.
    Timer mTimers[kTimerCount];
    int mEvent = kEventNone;
    bool mTimeUp = false;
    int mLevel = 0;
    int mSurvivalBonusCount = 0;
    int mTreesOfKind[kFruitKinds] = {};
    int mTreeCount = 0;
    int mBoxCount = 0;
    int mTimeLeft = 0;
    int mGoals[kFruitKinds] = {};
    int mOnTrees[kFruitKinds] = {}; // grown and not yet fallen
    int mElapsedSeconds = 0;
    int mCurrentTick = 0;
    int mScore = 0;
    bool mEffectActive = false;
    int mEffectStep = 0;
    int mNextFruitId = 0;
    int mGreenPicks = 0;
    EdgeWalker mBroom;
    TargetWalker mAutocar;
    EffectAnim mEffect;
    WeatherStepper mRain;
    SkyLayer mSkyLayers[2];
    Drifter mSun;
    int mLightningPeriod = 0;
    int mLightningFrame = 0;
    bool mLightning = false;
    int mMouseX = 0;
    int mMouseY = 0;
    std::vector<FruitTree> mTrees;
    std::vector<Fruit> mFruit;
    std::vector<FruitBox> mBoxes;
    std::vector<Caterpillar> mCaterpillars;
    std::vector<Bird> mBirds;
    std::vector<Mover> mStones;
    std::vector<Hedgehog> mHedgehogs;
    std::vector<Countdown> mNumberPopups;
    std::vector<Countdown> mBonusPopups;
    std::vector<Bouncer> mBonusItems;
    std::vector<LoopAnim> mSmoke;
    std::vector<EffectAnim> mFlashes;
    std::vector<EffectAnim> mMagicShots;
    std::vector<TimeLineEntry> mTimeLine;
    BobOffset mBob;
    FrameAnim mAmbient;
    FrameAnim mAmbient2; // the night animation
    PlayFieldAppHost mAppHost;
    PlayFieldHost* mHost = &mAppHost; // borrowed
    PictureSizes mPictureSizes;
};

} // namespace Vuro
