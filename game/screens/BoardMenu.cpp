#include "game/screens/BoardMenu.h"

#include "framework/app/VuroAppBase.h"
#include "framework/fonts/ImageFont.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/widgets/WidgetManager.h"
#include "game/player/ProfileManager.h"
#include "game/rules/FieldGeometry.h"
#include "game/rules/GameSounds.h"
#include "game/screens/BoardScores.h"
#include "game/screens/GameHost.h"
#include "game/screens/LocalTexts.h"
#include "game/screens/MenuDialog.h"
#include "game/screens/OptionsDialog.h"
#include "game/screens/ProfileDialog.h"
#include "game/screens/SimpleDialog.h"
#include "platform/FileSystem.h"
#include "platform/TextEncoding.h"

#include <cstdio>
#include <list>

namespace Vuro {

namespace {

// A button of the menu: its hot region (inclusive), its picture and its highlight, which sits
// one pixel lower while the button is pressed.
struct MenuButton {
    int mNumber;
    int mLeft, mTop, mRight, mBottom;
    Point mPicture;
    Point mHighlight;
    Image* MenuArtSet::*mImage;
    Image* MenuArtSet::*mOverImage;
};

using A = MenuArtSet;
constexpr int kColumnLeft = 249;
constexpr int kColumnRight = 358;
constexpr MenuButton kButtons[] = {
    {3,
     kColumnLeft,
     156,
     kColumnRight,
     203,
     {258, 158},
     {251, 141},
     &A::mButton3,
     &A::mButtonOver3},
    {4,
     kColumnLeft,
     214,
     kColumnRight,
     259,
     {253, 215},
     {239, 204},
     &A::mButton4,
     &A::mButtonOver4},
    {5,
     kColumnLeft,
     270,
     kColumnRight,
     306,
     {254, 271},
     {236, 256},
     &A::mButton5,
     &A::mButtonOver5},
    {6,
     kColumnLeft,
     315,
     kColumnRight,
     355,
     {247, 316},
     {242, 307},
     &A::mButton6,
     &A::mButtonOver6},
    {7,
     kColumnLeft,
     361,
     kColumnRight,
     400,
     {257, 359},
     {243, 351},
     &A::mButton7,
     &A::mButtonOver7},
    {2, 530, 406, 612, 451, {533, 407}, {528, 392}, &A::mButton2, &A::mButtonOver2},
};
constexpr const MenuButton& kExit = kButtons[5];

// The profile icon's region, and where the name stands beside it.
constexpr int kIconRight = 222;
constexpr int kIconTop = 1;
constexpr int kIconBottom = 78;
constexpr Point kName{50, 46};

constexpr Point kLogo{10, 340};
constexpr Point kSun{480, 40};
constexpr int kSkyWrap = kFieldWidth;
constexpr int kNoticeY = 473;

// The information page: where it starts, how it scrolls, and its lines from the top.
constexpr int kInfoStart = 200;
constexpr int kInfoStepTicks = 10;
constexpr int kInfoLastLine = 650;
constexpr int kInfoEndY = -19;
constexpr int kInfoX = 10;
struct InfoLine {
    int mY;
    int mText; // information text 1..10; 0 the notice line
    Color mColor;
};
constexpr Color kGreen{0, 255, 0};
constexpr Color kBlue{0, 0, 255};
constexpr Color kWhite{255, 255, 255};
constexpr InfoLine kInfoLines[] = {
    {10, 1, kGreen},  {80, 2, kBlue},
    {110, 3, kWhite}, {190, 4, kBlue},
    {220, 5, kWhite}, {300, 6, kBlue},
    {330, 7, kWhite}, {360, 3, kWhite}, // text 3 again: texts 8 and 9 are read but not shown
    {473, 0, kWhite}, {kInfoLastLine, 10, kGreen},
};

// Where the exit question stands.
constexpr int kQuestionX = 120;
constexpr int kQuestionY = 150;
constexpr int kQuestionWidth = 400;
constexpr int kQuestionHeight = 280;
constexpr int kProfileX = 180;
constexpr int kProfileY = 50;
constexpr int kProfileWidth = 300;
constexpr int kProfileHeight = 390;

bool Within(int value, int low, int high) {
    return value >= low && value <= high;
}

bool InButton(const MenuButton& button, int x, int y) {
    return Within(x, button.mLeft, button.mRight) && Within(y, button.mTop, button.mBottom);
}

const MenuButton* FindButton(int number) {
    for (const MenuButton& button : kButtons) {
        if (button.mNumber == number) {
            return &button;
        }
    }
    return nullptr;
}

// The maker of the game, at the foot of the menu and of the information page.
const std::string& NoticeLine() {
    static const std::string kNotice = "Квандреллис — игра студии Kelmontrave"_cp1251;
    return kNotice;
}

} // namespace

BoardMenu::BoardMenu(GameHost* game)
    : mApp(&game->App()), mGame(game), mProfiles(&game->GetProfileManager()) {}

BoardMenu::~BoardMenu() {
    // A dialog drawn with the menu's art closes with the menu, so it never draws deleted pictures.
    const std::list<Dialog*> dialogs = mApp->mDialogList;
    for (Dialog* dialog : dialogs) {
        auto* menuDialog = dynamic_cast<MenuDialog*>(dialog);
        if (menuDialog != nullptr && menuDialog->mLook.mFrame == mArt.mDialog) {
            mApp->CloseDialogWidget(dialog);
        }
    }
    if (mScoreBoard != nullptr) {
        if (mWidgetManager != nullptr) {
            mWidgetManager->RemoveWidget(mScoreBoard);
        }
        delete mScoreBoard;
    }
}

// ---- [Loading] ----

bool BoardMenu::ReadMenuTexts() {
    return ReadLocalTexts(kMenuTextFile, mMenuTexts, kMenuTextCount);
}

bool BoardMenu::ReadTexts(int number) {
    return ReadLocalTexts(LocalTextFile(number), mInfoTexts, kInfoTextCount);
}

void BoardMenu::LoadResources() {
    if (!ReadMenuTexts()) {
        mApp->Popup(std::string("There was an error loading the file: ") + kMenuTextFile);
        return;
    }
    mHoveredButton = 0;
    mSun.Start(kSun.mX, kSun.mY, 0);
    mSun.SetHeld(true);
    if (!mArt.Load(mApp)) {
        return;
    }
    mGame->LoadSounds();
    ++mApp->mCompletedLoadingThreadTasks;
}

void BoardMenu::OnAttached(WidgetManager* manager) {
    Widget::OnAttached(manager);
    // No profile list yet (a first start): the profile dialog asks for a name at once.
    if (mArt.mMainFont != nullptr && !mProfiles->LoadList()) {
        DoAction(1, 1, kMouseRelease);
    }
    EndBusy();
}

// ---- [Busy] ----

void BoardMenu::SetBusy(BusyWith what, int dialogId) {
    mBusy = true;
    mBusyWith = what;
    mBusyDialogId = dialogId;
}

void BoardMenu::EndBusy() {
    mBusy = false;
    mBusyWith = BusyWith::Nothing;
    mBusyDialogId = -1;
}

void BoardMenu::CheckBusy() {
    if (!mBusy) {
        return;
    }
    switch (mBusyWith) {
    case BusyWith::Switch:
        // The switch is over and the menu is still in front: it did not happen.
        if (mApp->mLoaded && mGame->GetCurrentScreen() == this) {
            EndBusy();
        }
        break;
    case BusyWith::Dialog:
        if (mApp->GetDialog(mBusyDialogId) == nullptr) {
            EndBusy();
        }
        break;
    case BusyWith::ScoreBoard:
        if (mScoreBoard == nullptr) {
            EndBusy();
        }
        break;
    case BusyWith::InfoPage:
        if (mState != kStateInfoPage) {
            EndBusy();
        }
        break;
    case BusyWith::Nothing:
        break;
    }
}

// ---- [Mouse] ----

bool BoardMenu::InLogo(int x, int y) const {
    Image* logo = mArt.mLogo;
    return logo != nullptr && Within(x, kLogo.mX, kLogo.mX + logo->GetWidth() / 2) &&
           Within(y, kLogo.mY, kLogo.mY + logo->GetHeight() / 2);
}

void BoardMenu::DoAction(int x, int y, int kind) {
    if (mBusy) {
        return;
    }
    mLogoHover = false;
    mIconHover = false;
    mIconPressed = false;
    mHoveredButton = 0;
    mPressedButton = 0;

    if (Within(x, 0, kIconRight) && Within(y, kIconTop, kIconBottom)) {
        mIconHover = kind != kMouseRelease;
        mIconPressed = kind == kMousePress;
        if (kind == kMouseRelease) {
            mApp->PlaySampleAt(SampleId::kClick, 0);
            OpenProfileDialog();
        }
        return;
    }
    const MenuButton* hit = nullptr;
    if (Within(x, kColumnLeft, kColumnRight)) {
        for (const MenuButton& button : kButtons) {
            if (&button != &kExit && InButton(button, x, y)) {
                hit = &button;
            }
        }
    } else {
        if (InLogo(x, y)) {
            mLogoHover = true;
            if (kind == kMouseRelease) {
                if (FILE* link = Platform::OpenFile(kWebsiteLink, "r")) {
                    std::fclose(link);
                    (void)mApp->OpenURL(kWebsiteLink, false);
                }
            }
        }
        if (InButton(kExit, x, y)) {
            hit = &kExit;
        }
    }
    if (hit == nullptr) {
        return;
    }
    mHoveredButton = hit->mNumber;
    mPressedButton = kind == kMousePress ? hit->mNumber : 0;
    if (kind == kMouseRelease) {
        ReleaseButton(hit->mNumber);
    }
}

void BoardMenu::ReleaseButton(int button) {
    mApp->PlaySampleAt(SampleId::kClick, 0);
    switch (button) {
    case kStoryButton: {
        PlayerRecord record;
        const bool begun = mProfiles->GetRecord(&record)->storyLevelMax != 0;
        // A story not begun starts with its prologue.
        SwitchTo(begun ? GameHost::kScreenMap : GameHost::kScreenTitres, GameHost::kMapModeStory);
        break;
    }
    case kSurvivalButton:
        SwitchTo(GameHost::kScreenMap, GameHost::kMapModeSurvival);
        break;
    case kOptionsButton:
        SetBusy(BusyWith::Dialog, kOptionsDialogId);
        mApp->AddDialog(kOptionsDialogId, new OptionsDialog(this, StoreIn(mState), ""));
        break;
    case kInfoButton:
        OpenInfoPage();
        break;
    case kScoresButton:
        OpenScoreBoard();
        break;
    case kExitButton: {
        SetBusy(BusyWith::Dialog, kExitDialogId);
        auto* question = new SimpleDialog(this, mMenuTexts[0], &mMenuTexts[1],
                                          SimpleDialog::Question, StoreIn(mState));
        question->Resize(kQuestionX, kQuestionY, kQuestionWidth, kQuestionHeight);
        mApp->AddDialog(kExitDialogId, question);
        break;
    }
    default:
        break;
    }
}

void BoardMenu::SwitchTo(int target, int mapMode) {
    SetBusy(BusyWith::Switch);
    mGame->RequestSwitch({GameHost::kScreenMenu, target, mapMode});
}

void BoardMenu::OpenProfileDialog() {
    auto* dialog = new ProfileDialog(this, mMenuTexts[2]);
    dialog->Resize(kProfileX, kProfileY, kProfileWidth, kProfileHeight);
    mApp->AddDialog(kProfileDialogId, dialog);
}

void BoardMenu::OpenInfoPage() {
    SetBusy(BusyWith::InfoPage);
    mInfoScroll = kInfoStart;
    mState = kStateInfoPage;
    mInfoStartTick = mApp->mUpdateCount;
    if (!ReadTexts(kInfoTextFile)) {
        mHoveredButton = kInfoButton;
        mPressedButton = 0;
        EndBusy();
        mState = kStateIdle;
    }
}

void BoardMenu::OpenScoreBoard() {
    SetBusy(BusyWith::ScoreBoard);
    mScoreBoard = new BoardScores(this, StoreIn(mState));
    mScoreBoard->Resize(0, 0, mApp->mWidth, mApp->mHeight);
    mWidgetManager->AddWidget(mScoreBoard);
    mWidgetManager->SetFocus(mScoreBoard);
}

void BoardMenu::CloseScoreBoard() {
    if (mScoreBoard != nullptr) {
        mWidgetManager->RemoveWidget(mScoreBoard);
        delete mScoreBoard;
        mScoreBoard = nullptr;
    }
}

void BoardMenu::MouseMove(int x, int y) {
    DoAction(x, y, kMouseMove);
}

void BoardMenu::MouseDown(int x, int y, int clickCount) {
    Widget::MouseDown(x, y, clickCount);
    DoAction(x, y, kMousePress);
}

void BoardMenu::MouseUp(int x, int y, int clickCount) {
    Widget::MouseUp(x, y, clickCount);
    if (mState == kStateInfoPage) {
        // Any release ends the information page.
        mApp->PlaySampleAt(SampleId::kClick, 0);
        mState = kStateIdle;
        EndBusy();
        return;
    }
    DoAction(x, y, kMouseRelease);
}

// ---- [Update] ----

void BoardMenu::ActOnState() {
    switch (mState) {
    case kStateCloseScores:
        CloseScoreBoard();
        mState = kStateIdle;
        EndBusy();
        break;
    case kStateDialogClosed:
        mState = kStateIdle;
        EndBusy();
        break;
    case kStateInfoPage:
        if ((mApp->mUpdateCount - mInfoStartTick) % kInfoStepTicks == 0) {
            --mInfoScroll;
        }
        if (mInfoScroll + kInfoLastLine < kInfoEndY) {
            mState = kStateIdle;
            EndBusy();
        }
        break;
    default:
        break;
    }
}

void BoardMenu::Update() {
    Widget::Update();
    if (!mApp->mHasFocus) {
        return;
    }
    const int tick = mApp->mUpdateCount;
    mSun.Tick(tick);
    if (tick % mSkyStrips[0].mPeriod == 0) {
        for (SkyStrip& strip : mSkyStrips) {
            if (--strip.mX <= -kSkyWrap) {
                strip.mX = kSkyWrap;
            }
        }
    }
    if (mState == kStateQuit) {
        mState = kStateIdle;
        mGame->RequestQuit();
        return;
    }
    ActOnState();
    CheckBusy();
    Invalidate();
}

// ---- [Drawing] ----

std::string BoardMenu::DisplayedName() const {
    if (mState == kStateLastProfileDeleted) {
        return PlayerRecord().GetName();
    }
    PlayerRecord record;
    return mProfiles->GetRecord(&record)->GetName();
}

void BoardMenu::DrawInfoPage(Graphics* g) {
    g->DrawImage(mArt.mBlack, 0, 0);
    g->SetFont(mArt.mMainFont);
    for (const InfoLine& line : kInfoLines) {
        g->SetColor(line.mColor);
        const std::string& text = line.mText == 0 ? NoticeLine() : mInfoTexts[line.mText - 1];
        g->DrawColoredString(text, kInfoX, mInfoScroll + line.mY);
    }
}

void BoardMenu::DrawProfile(Graphics* g) {
    const bool pressed = mIconHover && mIconPressed;
    g->DrawImage(mIconHover ? mArt.mProfileIconOver : mArt.mProfileIcon, 0, pressed ? 2 : 1);
    g->SetColor(kMenuYellow);
    g->DrawString(DisplayedName(), kName.mX, kName.mY + (pressed ? 1 : 0));
}

void BoardMenu::Draw(Graphics* g) {
    if (mState == kStateInfoPage) {
        DrawInfoPage(g);
        return;
    }
    g->DrawImage(mArt.mBackgroundMenu, 0, 0);
    g->DrawImageFrame(mArt.mSun, mSun.mX, mSun.mY, mSun.mFrame);
    for (const SkyStrip& strip : mSkyStrips) {
        g->DrawImage(mArt.mSky, strip.mX, strip.mY);
    }
    g->DrawImage(mArt.mMenu, 0, 0);
    if (mArt.mLogo != nullptr) {
        g->DrawImageFrame(mArt.mLogo, kLogo.mX, kLogo.mY, mLogoHover ? 1 : 0);
    }
    g->SetFont(mArt.mMainFont);
    g->SetColor(Color(0, 0, 0));
    g->DrawString(NoticeLine(), 55, kNoticeY);
    g->SetColor(kWhite);
    g->DrawString(NoticeLine(), 53, kNoticeY - 2);
    if (mState == kStateIdle || mState == kStateLastProfileDeleted) {
        DrawProfile(g);
    }
    for (const MenuButton& button : kButtons) {
        g->DrawImage(mArt.*button.mImage, button.mPicture.mX, button.mPicture.mY);
    }
    if (mHoveredButton != 0) {
        const bool pressed = mPressedButton != 0;
        const MenuButton* lit = FindButton(pressed ? mPressedButton : mHoveredButton);
        if (lit != nullptr) {
            g->DrawImage(mArt.*lit->mOverImage, lit->mHighlight.mX,
                         lit->mHighlight.mY + (pressed ? 1 : 0));
        }
    }
}

} // namespace Vuro
