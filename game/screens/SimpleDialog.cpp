#include "game/screens/SimpleDialog.h"

#include "framework/app/VuroAppBase.h"
#include "framework/fonts/ImageFont.h"
#include "framework/widgets/DialogButton.h"
#include "framework/widgets/EditWidget.h"
#include "framework/widgets/WidgetManager.h"
#include "game/rules/GameSounds.h"
#include "game/screens/BoardMenu.h"
#include "game/screens/GameHost.h"
#include "platform/Messages.h"

#include <algorithm>
#include <utility>

namespace Vuro {

namespace {
constexpr int kEditX = 220; // where Resize puts the field
constexpr int kEditY = 210;
constexpr int kEditOffsetX = 100; // where attaching puts it, from the dialog
constexpr int kEditOffsetY = 80;
constexpr Color kEditText{198, 149, 61};
constexpr Color kEditSelection{255, 255, 255};
constexpr int kOkText = 1;
constexpr int kCancelText = 2;

// One input of a kind every few updates, shared by every dialog: input is refused up to the
// next allowed update, which starts one update before the application's count when first used.
class InputPacing {
public:
    bool IsDue() {
        const int now = gVuroApp->mUpdateCount;
        // A count behind the turn taken belongs to an application started since (or one whose
        // count was set back), which would otherwise wait for the old count to come round.
        if (!mStarted || mNextUpdate > now + SimpleDialog::kInputPacing) {
            mNextUpdate = now - 1;
            mStarted = true;
        }
        return now > mNextUpdate;
    }
    void TakeTurn() { mNextUpdate = gVuroApp->mUpdateCount + SimpleDialog::kInputPacing; }

private:
    bool mStarted = false;
    int mNextUpdate = 0; // input is refused up to this update
};

InputPacing gKeyPacing;
InputPacing gCharPacing;
} // namespace

SimpleDialog::SimpleDialog(BoardMenu* owner, std::string header, std::string* text, int mode,
                           StateCallback answer, std::function<bool()> asksPlainly)
    : MenuDialog(LookOf(owner->mArt), owner->mArt.mDlgButton, kDialogId, header, "", "", 0,
                 kQuestionHeaderSpacing),
      mMode(mode), mOwner(owner), mAnswer(std::move(answer)), mAsksPlainly(std::move(asksPlainly)),
      mHeaderCopy(std::move(header)), mText(text) {
    if (mode == Confirm || mode == Question) {
        mDialogLines = *text;
    }
    const GameHost* game = owner->mGame;
    mCancelButton = MakeButton(kCancelButtonId, game->GetHelpText(kCancelText));
    mAcceptButton = MakeButton(kAcceptButtonId, game->GetHelpText(kOkText));
}

SimpleDialog::~SimpleDialog() {
    delete mCancelButton;
    delete mAcceptButton;
    delete mEdit;
}

bool SimpleDialog::HasNameField() const {
    return mMode == AskName || mMode == AskAnyName || mMode == AskNameNoCancel;
}

void SimpleDialog::OnAttached(WidgetManager* manager) {
    MenuDialog::OnAttached(manager);
    manager->AddWidget(mCancelButton);
    manager->AddWidget(mAcceptButton);
    if (!HasNameField()) {
        return;
    }
    delete mEdit;
    mEdit = new EditWidget(kEditId, this);
    mEdit->SetFont(mLook.mFont, nullptr);
    mEdit->mMaxChars = kMaxNameLength;
    mEdit->Resize(10, 300, 200, 30);
    mEdit->mX = mX + kEditOffsetX;
    mEdit->mY = mY + kEditOffsetY;
    mEdit->SetColor(0, kEditText);
    mEdit->SetColor(2, kEditSelection);
    mEdit->SetText(*mText, false);
    mEdit->GotFocus();
    manager->AddWidget(mEdit);
    manager->SetFocus(mEdit);
}

void SimpleDialog::OnDetached(WidgetManager* manager) {
    MenuDialog::OnDetached(manager);
    manager->RemoveWidget(mCancelButton);
    manager->RemoveWidget(mAcceptButton);
    if (mEdit != nullptr) {
        manager->RemoveWidget(mEdit);
    }
}

void SimpleDialog::Resize(int, int, int, int) {
    PlaceAsQuestion(mAcceptButton, mCancelButton);
    if (mEdit != nullptr) {
        mEdit->Move(kEditX, kEditY);
    }
}

void SimpleDialog::ButtonClick(int id) {
    MenuDialog::ButtonClick(id);
    PlayClick();
    const bool plain = mAsksPlainly && mAsksPlainly();
    if (id == kAcceptButtonId) {
        if (plain) {
            Answer(mAnswer, kPlainYes);
            return;
        }
        const std::string name = mEdit != nullptr ? mEdit->mText : std::string();
        switch (mMode) {
        case AskName:
        case AskNameNoCancel:
            if (!name.empty()) {
                *mText = name;
                Answer(mAnswer, kNameGiven);
            }
            break;
        case AskAnyName:
            *mText = name;
            Answer(mAnswer, kAnyNameGiven);
            break;
        case Confirm:
            Answer(mAnswer, kConfirmed);
            break;
        case Question:
            Answer(mAnswer, kYes);
            break;
        default:
            gVuroApp->CloseDialogWidget(this);
            break;
        }
    } else if (id == kCancelButtonId) {
        if (plain) {
            Answer(mAnswer, kPlainNo);
        } else if (mMode != AskNameNoCancel) {
            Answer(mAnswer, kCancelled);
        }
    }
}

void SimpleDialog::EditTextEntered(int, const std::string& text) {
    if (!HasNameField() || text.empty()) {
        return;
    }
    *mText = text;
    Answer(mAnswer, mMode == AskAnyName ? kAnyNameGiven : kNameGiven);
}

bool SimpleDialog::EditAllowKey(int, int key) {
    if (!gKeyPacing.IsDue()) {
        return false;
    }
    if (key != Platform::kVkBack && key != Platform::kVkReturn) {
        return false;
    }
    gVuroApp->PlaySampleAt(SampleId::kKey, 0);
    gKeyPacing.TakeTurn();
    return true;
}

bool SimpleDialog::EditAllowChar(int, char c) {
    if (!gCharPacing.IsDue()) {
        return false;
    }
    // A refused character uses up its turn all the same.
    gCharPacing.TakeTurn();
    if (!IsNameChar(c)) {
        return false;
    }
    gVuroApp->PlaySampleAt(SampleId::kKey, 0);
    return true;
}

bool SimpleDialog::EditAllowText(int, const std::string& text) {
    return IsStorableName(text);
}

bool SimpleDialog::IsNameChar(char c) {
    const auto code = static_cast<unsigned char>(c);
    const bool punctuation = (code >= 34 && code <= 47) || (code >= 58 && code <= 62) ||
                             code == 64 || (code >= 91 && code <= 96) ||
                             (code >= 123 && code <= 126);
    // Control characters, the zero byte and DEL must not reach the profile's file name.
    const bool control = code < 32 || code == 127;
    return !punctuation && !control;
}

bool SimpleDialog::IsStorableName(const std::string& text) {
    return std::all_of(text.begin(), text.end(), IsNameChar);
}

} // namespace Vuro
