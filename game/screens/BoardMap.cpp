// The stage map's screen: its buttons, the regions under the mouse, the drawing and the input.

#include "game/screens/BoardMap.h"

#include "framework/app/VuroAppBase.h"
#include "framework/fonts/ImageFont.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/util/StringHelpers.h"
#include "framework/widgets/ButtonWidget.h"
#include "framework/widgets/WidgetManager.h"
#include "game/player/ProfileManager.h"
#include "game/rules/GameSounds.h"
#include "game/screens/BoardMenu.h"
#include "game/screens/CaptionedButton.h"
#include "game/screens/GameHost.h"
#include "game/screens/StageTables.h"
#include "platform/TextEncoding.h"

#include <utility>

namespace Vuro {

namespace {

const Color kBlack(0, 0, 0);
const Color kWhite(255, 255, 255);
const Color kYellow(255, 255, 0);
const Color kTitleColor(60, 10, 255);

constexpr int kButtonY = 440;
constexpr int kButtonWidth = 110;
constexpr int kButtonHeight = 33;
constexpr int kBackButtonX = 10;
constexpr int kPlayButtonX = 520;
constexpr int kBackHelpText = 7;
constexpr int kPlayHelpText = 8;

// The difficulty caption: where it is hit, where it is written.
constexpr int kCaptionLeft = 490;
constexpr int kCaptionRight = 625;
constexpr int kCaptionTop = 394;
constexpr int kCaptionBottom = 415;
constexpr int kCaptionX = 473;
constexpr int kCaptionY = 410;

constexpr int kRegionNameY = 335;
constexpr int kRegionStatusY = 365;
constexpr int kOpenStatusX = 514;
constexpr int kPriceX = 489;
constexpr int kStage2PriceX = 494; // a four-digit price
constexpr int kClosedLabelX = 470;
constexpr int kClosedLabelText = 7;

constexpr int kCurrentPointInset = 2; // the current point's picture is 2 pixels larger a side

constexpr int kScoreX = 542;
constexpr int kScoreY = 35;
constexpr int kStoryTitleText = 8;
constexpr int kSurvivalTitleText = 9;
constexpr int kStoryTitleX = 260;
constexpr int kSurvivalTitleX = 250;
constexpr int kTitleY = 25;
constexpr int kTitleShadow = 2; // the coloured title stands up and left of its black shadow

bool Within(int value, int low, int high) {
    return value >= low && value <= high;
}

} // namespace

BoardMap::BoardMap(GameHost* game, BoardMenu* menu) : mApp(&game->App()), mGame(game), mMenu(menu) {
    game->GetProfileManager().GetRecord(&mRecord);
    ComputeOpenLimit();
}

BoardMap::~BoardMap() {
    delete mBackButton;
    delete mPlayButton;
}

int BoardMap::RegionAt(int x, int y) {
    return StageRegionAt(x, y);
}

bool BoardMap::OnCaption(int x, int y) {
    return Within(x, kCaptionLeft, kCaptionRight) && Within(y, kCaptionTop, kCaptionBottom);
}

ButtonWidget* BoardMap::MakeButton(int id, int x, int helpText) {
    const MenuArtSet& art = mMenu->mArt;
    ButtonWidget* button = MakeCaptionedButton(id, this, art.mButton, art.mButtonOver,
                                               art.mMainFont, mGame->GetHelpText(helpText));
    button->Resize(x, kButtonY, kButtonWidth, kButtonHeight);
    return button;
}

void BoardMap::OnAttached(WidgetManager* manager) {
    Widget::OnAttached(manager);
    if (mBackButton == nullptr) {
        mBackButton = MakeButton(kBackButtonId, kBackButtonX, kBackHelpText);
        mPlayButton = MakeButton(kPlayButtonId, kPlayButtonX, kPlayHelpText);
    }
    manager->AddWidget(mBackButton);
    manager->AddWidget(mPlayButton);
    // A level lost in hard mode asks whether to switch to easy; it replaces a stage message
    // due on this visit.
    if (mGame->GetMapMessage() == MapMessage::kDifficultyQuestion) {
        mMessageCode = kDifficultyQuestion;
        AskDifficulty(false);
        Invalidate();
    }
    mGame->SetMapMessage(MapMessage::kNone);
}

void BoardMap::OnDetached(WidgetManager* manager) {
    Widget::OnDetached(manager);
    manager->RemoveWidget(mBackButton);
    manager->RemoveWidget(mPlayButton);
}

void BoardMap::Update() {
    Widget::Update();
    if (!mApp->mHasFocus) {
        return;
    }
    mShip.Tick(mUpdateCount);
    mShip2.Tick(mUpdateCount);
    mOcti.Tick(mUpdateCount);
    HandleMessageCode();
    Invalidate();
}

void BoardMap::MouseMove(int x, int y) {
    mCaptionHovered = false;
    if (OnCaption(x, y)) {
        mCaptionHovered = true;
        return;
    }
    mHoveredRegion = RegionAt(x, y);
}

void BoardMap::MouseDown(int x, int y, int clickCount) {
    Widget::MouseDown(x, y, clickCount);
    mCaptionHovered = Within(y, kCaptionTop, kCaptionBottom) && x <= kCaptionRight;
    MouseMove(x, y);
    if (mStory) {
        if (!CheckStoryRegion()) {
            SelectStoryPoint(x, y);
        }
    } else if (!CheckSurvivalRegion()) {
        SelectSurvivalRegion();
    }
}

void BoardMap::MouseUpButton(int x, int y, int button, int clickCount) {
    Widget::MouseUpButton(x, y, button, clickCount);
    if (OnCaption(x, y)) {
        AskDifficulty(mRecord.easyMode != 0);
        mCaptionHovered = true;
    }
}

void BoardMap::Leave(int target) {
    mLeaving = true;
    StoreRecord();
    mGame->RequestSwitch({GameHost::kScreenMap, target});
}

void BoardMap::ButtonClick(int id) {
    if (mLeaving) {
        return;
    }
    mApp->PlaySampleAt(SampleId::kClick, 0);
    if (id == kBackButtonId) {
        Leave(GameHost::kScreenMenu);
    } else if (id == kPlayButtonId) {
        Leave(mStory ? GameHost::kScreenStory : GameHost::kScreenSurvive);
    }
}

void BoardMap::DrawRegion(Graphics* g, int region) {
    const StageLook& look = kStageLooks[region - 1];
    g->DrawImage(mMenu->mArt.LevelSelect(region), look.mHighlightX, look.mHighlightY);
    g->DrawString(mMapTexts[region - 1], look.mNameX, kRegionNameY);
    // A stage (story) or a survival level's story stage that is opened shows no price.
    if (IsStageOpened(region)) {
        g->DrawString("--/--", kOpenStatusX, kRegionStatusY);
    } else if (mStory) {
        const int x = region == 2 ? kStage2PriceX : kPriceX;
        g->DrawString(StrFormat("%d$", StagePrice(region, mRecord.easyMode != 0)), x,
                      kRegionStatusY);
    } else {
        g->DrawString(mMapTexts[kClosedLabelText - 1], kClosedLabelX, kRegionStatusY);
    }
}

void BoardMap::DrawPoints(Graphics* g) {
    const MenuArtSet& art = mMenu->mArt;
    for (int number = 0; number <= mOpenLimit; ++number) {
        auto found = mPoints.find(number);
        if (found == mPoints.end()) {
            continue;
        }
        const LevelPoint& point = found->second;
        switch (point.mState) {
        case LevelPoint::kLocked:
            g->DrawImage(art.mEmptyPoint, point.mX, point.mY);
            break;
        case LevelPoint::kReached:
            g->DrawImage(art.mFillPoint, point.mX, point.mY);
            break;
        default:
            g->DrawImage(art.mCurPoint, point.mX - kCurrentPointInset,
                         point.mY - kCurrentPointInset);
            break;
        }
    }
}

void BoardMap::Draw(Graphics* g) {
    const MenuArtSet& art = mMenu->mArt;
    g->DrawImage(art.mMap, 0, 0);

    const std::string caption = mRecord.easyMode != 0 ? std::string(" Легкий Режим"_cp1251)
                                                      : std::string("Сложный Режим"_cp1251);
    g->SetFont(art.mNumFont);
    g->SetColor(kBlack);
    g->DrawString(caption, kCaptionX, kCaptionY);
    g->SetColor(mCaptionHovered ? kWhite : kYellow);
    g->DrawString(caption, kCaptionX + 1, kCaptionY + 1);

    g->SetFont(art.mMainFont);
    g->SetColor(kBlack);
    if (mHoveredRegion >= 1 && mHoveredRegion <= kStageCount) {
        DrawRegion(g, mHoveredRegion);
    }
    DrawPoints(g);
    int firstLocked = 2;
    while (firstLocked <= kStageCount && IsStageOpened(firstLocked)) {
        ++firstLocked;
    }
    for (int stage = firstLocked; stage <= kStageCount; ++stage) {
        g->DrawImage(art.mLock, kStageLocks[stage - 2].mX, kStageLocks[stage - 2].mY);
    }
    const std::pair<const FrameAnim*, Image*> anims[] = {
        {&mShip2, art.mShip2}, {&mShip, art.mShip}, {&mOcti, art.mOcti}};
    for (const auto& [anim, image] : anims) {
        if (anim->mState != FrameAnim::kStopped) {
            g->DrawImageFrame(image, anim->mX, anim->mY, anim->mFrame);
        }
    }
    g->DrawString(StrFormat("%d", mRecord.totalScore), kScoreX, kScoreY);

    const std::string& title = mMapTexts[(mStory ? kStoryTitleText : kSurvivalTitleText) - 1];
    const int titleX = mStory ? kStoryTitleX : kSurvivalTitleX;
    g->DrawString(title, titleX, kTitleY);
    g->SetColor(kTitleColor);
    g->DrawString(title, titleX - kTitleShadow, kTitleY - kTitleShadow);
}

} // namespace Vuro
