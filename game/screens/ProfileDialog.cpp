#include "game/screens/ProfileDialog.h"

#include "framework/app/VuroAppBase.h"
#include "framework/fonts/ImageFont.h"
#include "framework/widgets/DialogButton.h"
#include "framework/widgets/ListWidget.h"
#include "framework/widgets/ScrollbarWidget.h"
#include "framework/widgets/WidgetManager.h"
#include "game/player/ProfileManager.h"
#include "game/rules/GameSounds.h"
#include "game/screens/BoardMenu.h"
#include "game/screens/GameHost.h"
#include "game/screens/OKDialog.h"
#include "game/screens/SimpleDialog.h"

#include <algorithm>
#include <utility>

namespace Vuro {

namespace {

constexpr int kX = 180;
constexpr int kY = 50;
constexpr int kWidth = 300;
constexpr int kHeight = 390;
constexpr int kHeaderSpacing = 30;
constexpr int kListOffsetX = 30; // from the dialog
constexpr int kListOffsetY = 60;
constexpr int kListWidth = 240;
constexpr int kListHeight = 200;
constexpr int kScrollbarWidth = 17;
constexpr int kButtonWidth = 110;
constexpr Point kNewButton{210, 320};
constexpr Point kDeleteButton{340, 320};
constexpr Point kOkButton{275, 370};
// Background, outline, text, hovered text, selection, selected text.
constexpr int kListColors[6][3] = {{198, 149, 61},  {10, 0, 10},    {248, 255, 68},
                                   {255, 255, 255}, {205, 166, 89}, {72, 158, 20}};
// The message and question boxes this dialog opens.
constexpr int kBoxHeight = 160;
constexpr int kRefusalHeight = 190;
constexpr int kBoxX = 120;
constexpr int kBoxY = 150;
constexpr int kBoxWidth = 400;

// Help texts.
constexpr int kOkText = 1;
constexpr int kNewText = 5;
constexpr int kDeleteText = 6;
constexpr int kMessageHeaderText = 12;
constexpr int kRefusedText = 13;
constexpr int kTooManyText = 14;
constexpr int kDeleteQuestionText = 16;
constexpr int kNameQuestionText = 17;

} // namespace

ProfileDialog::ProfileDialog(BoardMenu* owner, std::string header)
    : MenuDialog(LookOf(owner->mArt), nullptr, kDialogId, header, "", "", 0, kHeaderSpacing),
      mOwner(owner), mProfiles(&owner->mGame->GetProfileManager()) {
    const GameHost* game = owner->mGame;
    mNewButton = MakeButton(kNewButtonId, game->GetHelpText(kNewText));
    mDeleteButton = MakeButton(kDeleteButtonId, game->GetHelpText(kDeleteText));
    mOkButton = MakeButton(kOkButtonId, game->GetHelpText(kOkText));
}

ProfileDialog::~ProfileDialog() {
    delete mNewButton;
    delete mDeleteButton;
    delete mOkButton;
    delete mScrollbar;
    delete mList;
}

void ProfileDialog::OnAttached(WidgetManager* manager) {
    MenuDialog::OnAttached(manager);
    for (DialogButton* button : {mNewButton, mDeleteButton, mOkButton}) {
        manager->AddWidget(button);
    }
    delete mScrollbar;
    delete mList;
    mList = new ListWidget(kListId, mOwner->mArt.mMainFont, this);
    mList->mDrawOutline = true;
    mList->SetColorsRGB(kListColors, 6);
    mScrollbar = new ScrollbarWidget(kListId, mList);
    mScrollbar->SetAutoHide(true);
    mList->mScrollbar = mScrollbar;
    mList->Resize(mX + kListOffsetX, mY + kListOffsetY, kListWidth, kListHeight);
    mScrollbar->ResizeBar(mList->mX + mList->mWidth, mList->mY, kScrollbarWidth, mList->mHeight);
    manager->AddWidget(mList);
    manager->AddWidget(mScrollbar);

    if (mProfiles->GetCount() == 0) {
        mResultCode = kNoProfile;
        return;
    }
    std::string name;
    for (int i = 0; mProfiles->GetName(i, name); ++i) {
        mList->AddLine(name, false);
    }
    Select(0);
}

void ProfileDialog::OnDetached(WidgetManager* manager) {
    MenuDialog::OnDetached(manager);
    for (Widget* widget :
         std::initializer_list<Widget*>{mNewButton, mDeleteButton, mOkButton, mList, mScrollbar}) {
        if (widget != nullptr) {
            manager->RemoveWidget(widget);
        }
    }
}

void ProfileDialog::Resize(int, int, int, int) {
    MenuDialog::Resize(kX, kY, kWidth, kHeight);
    const int buttonHeight = ButtonHeight();
    mNewButton->Resize(kNewButton.mX, kNewButton.mY, kButtonWidth, buttonHeight);
    mDeleteButton->Resize(kDeleteButton.mX, kDeleteButton.mY, kButtonWidth, buttonHeight);
    mOkButton->Resize(kOkButton.mX, kOkButton.mY, kButtonWidth, buttonHeight);
    if (mList != nullptr) {
        mList->Move(kX + kListOffsetX, kY + kListOffsetY);
        mScrollbar->Move(mList->mX + mList->mWidth, mList->mY);
    }
}

void ProfileDialog::Select(int index) {
    mSelectedIndex = index;
    mList->SetSelect(index);
}

std::string ProfileDialog::SelectedLine() {
    return mList->GetLine(mSelectedIndex);
}

void ProfileDialog::ListItemClicked(int id, int index, int) {
    if (id != kListId) {
        return;
    }
    mOwner->mApp->PlaySampleAt(SampleId::kClick, 0);
    Select(index);
    mPendingName = mList->GetLine(index);
}

void ProfileDialog::AskForName(int mode) {
    auto* question = new SimpleDialog(mOwner, mOwner->mGame->GetHelpText(kNameQuestionText),
                                      &mPendingName, mode, StoreIn(mResultCode));
    question->Resize(kBoxX, kBoxY, kBoxWidth, kBoxHeight);
    mOwner->mApp->AddDialog(SimpleDialog::kDialogId, question);
}

void ProfileDialog::ShowMessage(const std::string& text, int height) {
    auto* message = new OKDialog(mOwner, mOwner->mGame->GetHelpText(kMessageHeaderText), text,
                                 StoreIn(mResultCode));
    message->Resize(kBoxX, kBoxY, kBoxWidth, height);
    mOwner->mApp->AddDialog(OKDialog::kDialogId, message);
}

void ProfileDialog::ButtonClick(int id) {
    MenuDialog::ButtonClick(id);
    VuroAppBase* app = mOwner->mApp;
    switch (id) {
    case kNewButtonId:
        if (mProfiles->GetCount() >= kMaxProfiles) {
            ShowMessage(mOwner->mGame->GetHelpText(kTooManyText), kBoxHeight);
            app->PlaySampleAt(SampleId::kMessage, 0);
        } else {
            app->PlaySampleAt(SampleId::kClick, 0);
            mPendingName.clear();
            AskForName(SimpleDialog::AskName);
        }
        break;
    case kDeleteButtonId:
        app->PlaySampleAt(SampleId::kClick, 0);
        if (mSelectedIndex >= 0) {
            mPendingName = SelectedLine();
            auto* question =
                new SimpleDialog(mOwner, mOwner->mGame->GetHelpText(kDeleteQuestionText),
                                 &mPendingName, SimpleDialog::Confirm, StoreIn(mResultCode));
            question->Resize(kBoxX, kBoxY, kBoxWidth, kBoxHeight);
            app->AddDialog(SimpleDialog::kDialogId, question);
        }
        break;
    case kOkButtonId:
        app->PlaySampleAt(SampleId::kClick, 0);
        if (mSelectedIndex >= 0) {
            std::string name = SelectedLine();
            if (!mProfiles->SelectProfile(name)) {
                (void)mProfiles->DeleteProfile(name); // its file does not load
            }
        }
        (void)mProfiles->SaveList();
        app->CloseDialogWidget(this);
        break;
    default:
        break;
    }
}

void ProfileDialog::AddPendingProfile() {
    int& menuState = mOwner->mState;
    const bool placeholderListed = menuState == BoardMenu::kStateLastProfileDeleted;
    // The placeholder line stands for no profile.
    const std::string placeholder = placeholderListed ? SelectedLine() : std::string();
    // Keeping the default name makes the placeholder's own profile rather than a refused
    // duplicate.
    const bool keepsPlaceholder = placeholderListed && ProfileManager::TextOf(placeholder) ==
                                                           ProfileManager::TextOf(mPendingName);
    if (!keepsPlaceholder && !mProfiles->AcceptsName(mPendingName)) {
        mPendingName = SelectedLine();
        ShowMessage(mOwner->mGame->GetHelpText(kRefusedText), kRefusalHeight);
        return;
    }
    // A name whose file cannot be written (a full disk, a folder that refuses writes) changes
    // nothing, and the message says why rather than blaming the name.
    if (!(keepsPlaceholder ? mProfiles->CreateProfile(mPendingName)
                           : mProfiles->AddProfile(mPendingName))) {
        mPendingName = SelectedLine();
        ShowMessage(std::string(kNotSavedText), kRefusalHeight);
        return;
    }
    if (placeholderListed) {
        menuState = BoardMenu::kStateIdle;
        if (keepsPlaceholder) {
            return;
        }
        // The placeholder goes only now that the new profile is added: removed first, the
        // profile manager (never left empty) would put it back, and the list file would keep a
        // "Player" without a file beside the new profile. A "Player" file with progress stays
        // for that name to take up.
        (void)mProfiles->RemovePlaceholder(placeholder);
        mList->RemoveLine(mSelectedIndex);
    }
    Select(mList->AddLine(mPendingName, false));
    (void)mProfiles->SelectProfile(mPendingName);
}

void ProfileDialog::DeleteSelectedProfile() {
    if (mSelectedIndex < 0) {
        return;
    }
    int& menuState = mOwner->mState;
    if (mList->GetLineCount() == 1) {
        menuState = BoardMenu::kStateLastProfileDeleted;
        mOwner->Invalidate();
    }
    if (mList->GetLineCount() > 0) {
        std::string name = SelectedLine();
        (void)mProfiles->RemoveProfile(name);
        mList->RemoveLine(mSelectedIndex);
    }
    --mSelectedIndex;
    if (mList->GetLineCount() > 0) {
        Select(std::max(mSelectedIndex, 0));
        (void)mProfiles->LoadProfile();
        return;
    }
    mPendingName.clear();
    if (menuState == BoardMenu::kStateLastProfileDeleted) {
        mPendingName = PlayerRecord().GetName();
        Select(mList->AddLine(mPendingName, false));
    }
    AskForName(SimpleDialog::AskNameNoCancel);
}

void ProfileDialog::Update() {
    MenuDialog::Update();
    switch (mResultCode) {
    case kAddProfile:
        mResultCode = 0;
        AddPendingProfile();
        break;
    case kDeleteProfile:
        mResultCode = 0;
        DeleteSelectedProfile();
        break;
    case kNoProfile:
        mResultCode = 0;
        mPendingName.clear();
        AskForName(SimpleDialog::AskNameNoCancel);
        break;
    case OKDialog::kClosedState:
        mResultCode = 0;
        // While there is no profile the question comes back, so a refused name never leaves the
        // player with none and only the new button to name one.
        if (mOwner->mState == BoardMenu::kStateLastProfileDeleted || mProfiles->GetCount() == 0) {
            AskForName(SimpleDialog::AskNameNoCancel);
        }
        break;
    default:
        mResultCode = 0;
        break;
    }
}

} // namespace Vuro
