#pragma once
// A story level in full swing, drawn with the data set the asset tool made beside the program:
// four trees (one of each kind) with fruit growing, ripening, ripe, falling, on the ground and
// rotting, caterpillars crawling and smoked out, a hedgehog, birds of the four kinds (one hit
// by a stone, two carrying fruit off, one flying), a stone in flight and the slingshot under the
// mouse, the broom and the autocar with their magic shots, bonus items, the rain cloud, score and
// combo pop-ups, the level banner and the panel with its status icons.
//
// The level is played through the field's own operations (time line, mouse presses, bonus
// items), from a fixed seed, up to kCaptureTick; the image set is read from the data set folder
// (the working folder is that folder while the pictures load). A watch, when given, is called
// after every step the level takes (a tick, a mouse move or press, an object added), with the
// field and its view. Shared by the field's golden image and redraw tests and its benchmark.

#include "framework/app/VuroAppBase.h"
#include "framework/util/MersenneTwister.h"
#include "game/rules/FruitStateDurations.h"
#include "game/rules/PlayField.h"
#include "game/rules/PlayFieldHost.h"
#include "game/screens/GameImages.h"
#include "game/screens/PlayFieldPictures.h"
#include "game/screens/PlayFieldView.h"

#include <filesystem>
#include <functional>
#include <string>
#include <utility>

namespace Vuro::Test {

// Plays nothing; the field's sounds and cursor changes go nowhere.
class SilentFieldHost : public PlayFieldHost {
public:
    void PlaySample(int) override {}
    void PlayMusic(int) override {}
    void StopMusic(int) override {}
    bool IsMusicPlaying(int) override { return false; }
    void SetCursor(int) override {}
    bool IsEasyModePlayer() override { return false; }
};

// The field's pictures and fonts, then the scenery of the story level, from the data set
// folder (the working folder while they load). False at the first file missing.
inline bool LoadPlayImages(VuroAppBase& app, GameImages& images, const std::string& dataDir,
                           int level, bool day) {
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dataDir);
    const bool ok = images.LoadSprites(&app) && images.LoadScenery(&app, level, day);
    std::filesystem::current_path(previous);
    return ok;
}

class BusyPlayField {
public:
    static constexpr int kLevel = 21;
    static constexpr int kLevelSeconds = 150;
    static constexpr int kCaptureSecond = 70;
    // A little after a second's start, so the smoke puffs and the caterpillars they smoke out
    // both show.
    static constexpr int kCaptureTick = kCaptureSecond * 60 + 30;

    using Watch = std::function<void(const PlayField&, const PlayFieldView&)>;

    // Loads the image set and plays the level up to kCaptureTick.
    BusyPlayField(VuroAppBase& app, const std::string& dataDir, Watch watch = {})
        : mWatch(std::move(watch)) {
        mLoaded = LoadPlayImages(app, mImages, dataDir, kLevel, true);
        Restart();
    }

    bool IsLoaded() const { return mLoaded; }
    PlayField& Field() { return mField; }
    const PlayFieldView& View() const { return mView; }
    GameImages& Images() { return mImages; }
    int GetTick() const { return mTick; }

    // The level from its start again, played up to kCaptureTick.
    void Restart() {
        SRand(2024);
        SetEasyMode(false);
        mField.ResetLevel();
        mField.SetHost(&mHost);
        SetUpLevel();
        PlayFieldPictures::SetFieldImages(mField, mImages);
        mView.SetImages(&mImages);
        mTick = 0;
        PlayToCapture();
    }
    // One more update tick.
    void Tick() {
        Step([&] { mField.Update(++mTick); });
    }
    // Adds an item of the kind (0..6), lets it age until it can be taken, and clicks where it
    // will be.
    void ClickBonus(int kind, int x, int y) {
        AddBonus(kind, x, y);
        RunTo(mTick + 29);
        const Bouncer& item = mField.GetBonusItems().back();
        Press(item.mX + 16, item.mY + 20);
    }

private:
    static constexpr int kSecond = 60;
    static constexpr int kCapture = kCaptureTick;
    static constexpr int kLateCaterpillarX[] = {180, 300, 610};

    void SetUpLevel() {
        mField.SetLevel(kLevel);
        mField.SetSurvival(false);
        mField.SetLevelTime(kLevelSeconds);
        mField.SetCustomCursors(true);
        // Trees of the data set's size, feet on the ground, 5 x 4 cells centred in the crown.
        static constexpr int kTreeX[] = {160, 0, 320, 480};
        static constexpr int kTreeY[] = {186, 190, 190, 186};
        static constexpr int kGoals[] = {8, 6, 5, 0};
        for (int kind = 1; kind <= 4; ++kind) {
            const int x = kTreeX[kind - 1];
            const int y = kTreeY[kind - 1];
            FruitTree tree;
            tree.Set(kind, x, y, x + 18, y + 22, 5, 4);
            (void)tree.Release(0);
            mField.AddTree(tree);
            FruitBox box;
            box.Set(kind, -1, -1, -1, -1);
            mField.AddFruitBox(box);
            mField.SetGoal(kind, kGoals[kind - 1]);
        }
        // The banner all level long, a fruit of each kind in turn every two seconds, the rain cloud
        // half way across by the capture, a hedgehog and the birds.
        mField.AddTimeLineEntry(1, 15);
        for (int second = 2; second < kCaptureSecond; second += 2) {
            mField.AddTimeLineEntry(second, second / 2 % 4 + 1);
        }
        // More of each kind ripe for the combo picks, should birds take some.
        for (int second = kCaptureSecond - 13; second < kCaptureSecond - 10; ++second) {
            for (int kind = 1; kind <= 4; ++kind) {
                mField.AddTimeLineEntry(second, kind);
            }
        }
        mField.AddTimeLineEntry(kCaptureSecond - 62, 5);
        mField.AddTimeLineEntry(kCaptureSecond - 3, 6);
        mField.AddTimeLineEntry(kCaptureSecond - 9, 7);
        mField.AddTimeLineEntry(kCaptureSecond - 7, 9);
        mField.AddTimeLineEntry(kCaptureSecond - 5, 8);
        mField.AddTimeLineEntry(kCaptureSecond - 3, 10);
    }

    void PlayToCapture() {
        RunTo(kCapture - 14 * kSecond);
        ClickBonus(1, 320, 330); // double shot
        RunTo(kCapture - 6 * kSecond);
        ClickBonus(5, 100, 330); // autocar
        RunTo(kCapture - 2 * kSecond);
        AddBonus(0, 420, 250);
        AddBonus(3, 180, 160);
        RunTo(kCapture - 100);
        ClickBonus(4, 560, 330); // broom; its magic shot still runs at the capture
        RunTo(kCapture - 60);
        ClickBonus(2, 500, 330); // smoke, taken on a second's first tick
        ShootAtBird(0, 20);
        RunTo(kCapture - 50);
        // Fruit landing after the smoke: caterpillars crawl on, clear of the puffs.
        for (const int x : kLateCaterpillarX) {
            // Any fruit kind: the caterpillar draws its tree.
            Step([&] { mField.AddCaterpillar(1, x); });
        }
        RunTo(kCapture - 10);
        PickComboOfFourKinds(); // a press by a bird fires a stone, still rising at the capture
        RunTo(kCapture - 1);
        AimAtBird(0);
        RunTo(kCapture);
    }

    template <typename Action> void Step(Action action) {
        action();
        if (mWatch) {
            mWatch(mField, mView);
        }
    }

    void RunTo(int tick) {
        while (mTick < tick) {
            Tick();
        }
    }

    // A bonus item of the kind, as on a level where every kind may come; the level stays.
    void AddBonus(int kind, int x, int y) {
        for (uint32_t seed = 1;; ++seed) {
            SRand(seed);
            if (Rand() % 7 == kind) {
                SRand(seed);
                break;
            }
        }
        Step([&] {
            mField.SetLevel(28);
            mField.AddBonusItem(x, y);
            mField.SetLevel(kLevel);
        });
    }
    // The mouse moves to the point for a tick, then presses there.
    void Press(int x, int y) {
        Step([&] { mField.SetMousePos(x, y); });
        Tick();
        Step([&] { mField.MouseDown(x, y, 1); });
    }

    // Picks a ripe fruit of kinds 1, 2, 3 and 4 in turn: all four kinds in a row.
    void PickComboOfFourKinds() {
        for (int kind = 1; kind <= 4; ++kind) {
            for (const Fruit& fruit : mField.GetFruit()) {
                if (fruit.GetKind() == kind && fruit.GetState() == Fruit::Ripe) {
                    Press(fruit.GetX() + 10, fruit.GetY() + 10);
                    break;
                }
            }
        }
    }
    // The index'th bird still flying, or null.
    const Bird* FlyingBird(int index) const {
        for (const Bird& bird : mField.GetBirds()) {
            if (!bird.IsHit() && !bird.IsStunned() && index-- == 0) {
                return &bird;
            }
        }
        return nullptr;
    }
    // Puts the mouse over the bird, where it will be once a stone has risen to it.
    void AimAtBird(int index, int lead = 0) {
        if (const Bird* bird = FlyingBird(index)) {
            const int ahead = bird->IsFacingRight() ? lead : -lead;
            Step([&] { mField.SetMousePos(bird->GetX() + 30 + ahead, bird->GetY() + 20); });
        }
    }
    void ShootAtBird(int index, int lead) {
        AimAtBird(index, lead);
        Press(mField.GetMouseX(), mField.GetMouseY());
    }

    Watch mWatch;
    bool mLoaded = false;
    GameImages mImages;
    SilentFieldHost mHost;
    PlayField mField;
    PlayFieldView mView{mField};
    int mTick = 0;
};

} // namespace Vuro::Test
