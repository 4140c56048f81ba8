#include "game/screens/OptionsDialog.h"

#include "framework/app/VuroAppBase.h"
#include "framework/fonts/ImageFont.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "framework/widgets/Checkbox.h"
#include "framework/widgets/DialogButton.h"
#include "framework/widgets/Slider.h"
#include "game/rules/GameSounds.h"
#include "game/screens/BoardMenu.h"
#include "game/screens/GameHost.h"
#include "game/screens/LocalTexts.h"
#include "game/screens/OKDialog.h"

#include <utility>

namespace Vuro {

namespace {
constexpr int kX = 145;
constexpr int kY = 50;
constexpr int kWidth = 364;
constexpr int kHeight = 409;
constexpr Point kButton{275, 390};
constexpr Margins kMargins{30, 20, 30, 20};
constexpr int kHeaderSpacing = 30;
constexpr int kSliderY = 160;
constexpr int kSliderHeight = 31;
constexpr int kSliderGap = 40;
constexpr Point k3DBox{175, 270};
constexpr Point kFullScreenBox{325, 270};
constexpr Point kCursorBox{245, 330};

// Menu texts.
constexpr int kTitleText = 4;
constexpr int kMusicText = 5;
constexpr int kSoundText = 6;
constexpr int k3DText = 7;
constexpr int kFullScreenText = 8;
constexpr int kCursorText = 9;
constexpr int kOkText = 1; // of the help texts

constexpr const char* kNo3DFile = "local\\3.xml";
constexpr const char* kSlow3DFile = "local\\4.xml";
constexpr const char* kFullScreenFile = "local\\5.xml";
constexpr int kMessageHeight = 300;
constexpr int kFullScreenMessageHeight = 270;
} // namespace

OptionsDialog::OptionsDialog(BoardMenu* owner, StateCallback answer, std::string header,
                             std::string lines)
    : MenuDialog(LookOf(owner->mArt), owner->mArt.mDlgButton, kDialogId, header, lines, "CLOSE", 3,
                 kHeaderSpacing, kMargins),
      mOwner(owner), mAnswer(std::move(answer)) {
    const MenuArtSet& art = owner->mArt;
    ApplyButtonLook(mYesButton, mLook, owner->mGame->GetHelpText(kOkText));
    mMusicSlider = AddControl(new Slider(art.mSlider, art.mSliderThumb, kMusicSliderId, this));
    mMusicSlider->SetValue(gVuroApp->GetMusicVolume());
    mSoundSlider = AddControl(new Slider(art.mSlider, art.mSliderThumb, kSoundSliderId, this));
    mSoundSlider->SetValue(gVuroApp->GetSfxVolume());
    m3DBox = AddControl(new Checkbox(art.mCheckbox, art.mCheckbox, k3DBoxId, this));
    mFullScreenBox = AddControl(new Checkbox(art.mCheckbox, art.mCheckbox, kFullScreenBoxId, this));
    mCursorBox = AddControl(new Checkbox(art.mCheckbox, art.mCheckbox, kCursorBoxId, this));
}

void OptionsDialog::OnAttached(WidgetManager* manager) {
    const Image* light = mOwner->mArt.mCheckbox;
    const int half = light->GetWidth() / 2;
    for (Checkbox* box : {m3DBox, mFullScreenBox, mCursorBox}) {
        box->mUncheckedRect = Rect(0, 0, half, light->GetHeight());
        box->mCheckedRect = Rect(half, 0, half, light->GetHeight());
    }
    m3DBox->mChecked = gVuroApp->Is3DOn();
    mFullScreenBox->mChecked = !gVuroApp->mIsWindowed;
    mCursorBox->mChecked = gVuroApp->mCustomCursorsEnabled;
    MenuDialog::OnAttached(manager);
}

void OptionsDialog::Resize(int, int, int, int) {
    MenuDialog::Resize(kX, kY, kWidth, kHeight);
    const MenuArtSet& art = mOwner->mArt;
    mYesButton->Resize(kButton.mX, kButton.mY, art.mButton->GetWidth(), art.mButton->GetHeight());
    mMusicSlider->Resize(kX + mContentMargins.mLeft, kSliderY,
                         mWidth - mContentMargins.mRight - mContentMargins.mLeft, kSliderHeight);
    mSoundSlider->Layout(LayoutMatchWidth | LayoutMatchHeight | LayoutPlaceBelow | LayoutAlignLeft,
                         mMusicSlider, 0, kSliderGap, 0, 0);
    const int boxWidth = art.mCheckbox->GetWidth() / 2;
    const int boxHeight = art.mCheckbox->GetHeight();
    m3DBox->Resize(k3DBox.mX, k3DBox.mY, boxWidth, boxHeight);
    mFullScreenBox->Resize(kFullScreenBox.mX, kFullScreenBox.mY, boxWidth, boxHeight);
    mCursorBox->Resize(kCursorBox.mX, kCursorBox.mY, boxWidth, boxHeight);
}

void OptionsDialog::Draw(Graphics* g) {
    MenuDialog::Draw(g);
    const std::string* texts = mOwner->mMenuTexts;
    g->SetFont(mOwner->mArt.mMainFont);
    g->SetColor(kMenuYellow);
    g->DrawString(texts[kTitleText - 1], mX - 10, mY + 9);
    g->DrawString(texts[kMusicText - 1], mMusicSlider->mX - mX,
                  mMusicSlider->mY - mMusicSlider->mHeight - mY + 20);
    g->DrawString(texts[kSoundText - 1], mSoundSlider->mX - mX,
                  mSoundSlider->mY - mSoundSlider->mHeight - mY + 25);
    // Every caption stands right of its box, as far as the 3-D box is wide.
    const int boxWidth = m3DBox->mWidth;
    const std::pair<Checkbox*, int> captions[] = {
        {m3DBox, k3DText}, {mFullScreenBox, kFullScreenText}, {mCursorBox, kCursorText}};
    for (const auto& [box, text] : captions) {
        g->DrawString(texts[text - 1], box->mX + boxWidth - mX + 8, box->mY - mY + 38);
    }
}

void OptionsDialog::SliderMoved(int id, double value) {
    if (id == kMusicSliderId) {
        gVuroApp->SetMusicVolume(value);
    } else if (id == kSoundSliderId) {
        gVuroApp->SetSfxVolume(value);
        if (!mSoundSlider->mDragging) {
            gVuroApp->PlaySample(SampleId::kClick);
        }
    }
}

void OptionsDialog::CheckboxToggled(int id, bool checked) {
    gVuroApp->PlaySampleAt(SampleId::kToggle, 0);
    if (id == k3DBoxId && checked) {
        if (!gVuroApp->Is3DSupported()) {
            m3DBox->SetChecked(false, true);
            Explain(kNo3DFile, kMessageHeight);
        } else if (!gVuroApp->Is3DRecommended()) {
            Explain(kSlow3DFile, kMessageHeight);
        }
    } else if (id == kFullScreenBoxId) {
        // Read on every toggle, so a missing file is reported whether or not it is shown.
        if (!ReadTexts(kFullScreenFile)) {
            mOwner->mApp->Popup(std::string("There was an error loading the file: ") +
                                kFullScreenFile);
        } else if (gVuroApp->mForceFullscreen && !checked) {
            Explain(kFullScreenFile, kFullScreenMessageHeight);
        }
    }
}

void OptionsDialog::Explain(const std::string& fileName, int height) {
    if (!ReadTexts(fileName)) {
        mOwner->mApp->Popup("There was an error loading the file: " + fileName);
        return;
    }
    auto* message = new OKDialog(mOwner, mMessageHeader, mMessageLines, StoreIn(mMessageState));
    message->Resize(120, 150, 400, height);
    gVuroApp->AddDialog(OKDialog::kDialogId, message);
    gVuroApp->PlaySampleAt(SampleId::kMessage, 0);
}

bool OptionsDialog::ReadTexts(const std::string& fileName) {
    return ReadLocalTextPair(fileName, mMessageHeader, mMessageLines);
}

void OptionsDialog::ButtonClick(int id) {
    MenuDialog::ButtonClick(id);
    if (id != DialogButtonYes) {
        return;
    }
    VuroAppBase* app = mOwner->mApp;
    app->SetWindowedModeEx(!mFullScreenBox->IsChecked(), m3DBox->IsChecked(), false);
    mOwner->mGame->SetCustomCursors(mCursorBox->IsChecked());
    app->UseCustomCursors(mCursorBox->IsChecked());
    app->WriteSettings();
    app->CloseDialogWidget(this);
    PlayClick();
    mAnswer(BoardMenu::kStateDialogClosed);
}

} // namespace Vuro
