// The stage map's messages: which one is due after a visit, on a click on a stage not opened
// and on the difficulty caption, and the dialogs that show them.

#include "framework/app/VuroAppBase.h"
#include "game/rules/GameSounds.h"
#include "game/screens/BoardMap.h"
#include "game/screens/LocalTexts.h"
#include "game/screens/OKDialog.h"
#include "game/screens/SimpleDialog.h"
#include "game/screens/StageTables.h"

namespace Vuro {

namespace {

// Message files local\<base + N>.xml, N = 1..5 for stage N + 1 or survival level N.
constexpr int kStageFinishedFiles = 600;   // a story stage finished, the next one not bought
constexpr int kSurvivalOpenedFiles = 610;  // a survival level opened
constexpr int kSurvivalWaitingFiles = 620; // a survival level waits for its story stage
constexpr int kEasyTooPoorFiles = 640;     // easy price not reached
constexpr int kEasyOfferFiles = 650;       // easy price reached: buy?
constexpr int kNormalTooPoorFiles = 660;
constexpr int kNormalOfferFiles = 670;
constexpr int kStageNotReachedFiles = 690; // the stage's first level not reached yet
constexpr int kToHardQuestionFile = 680;
constexpr int kToEasyQuestionFile = 681;

constexpr int kMessageX = 120;
constexpr int kMessageY = 150;
constexpr int kMessageWidth = 400;
constexpr int kMessageHeight = 300;
constexpr int kMessageDialogId = 0;

// The file as the game names it, in the failure text too.
std::string MessageFile(int number) {
    return "local\\" + std::to_string(number) + ".xml";
}

} // namespace

bool BoardMap::ReadMessage(const std::string& file) {
    return ReadLocalTextPair(file, mMessageHeader, mMessageBody);
}

void BoardMap::ShowMessage(int number, bool question, int sound) {
    const std::string file = MessageFile(number);
    if (!ReadMessage(file)) {
        mApp->Popup("There was an error loading the file: " + file);
        return;
    }
    Dialog* dialog = nullptr;
    if (question) {
        // The difficulty question wants a plain yes or no.
        dialog = new SimpleDialog(mMenu, mMessageHeader, &mMessageBody, SimpleDialog::Question,
                                  StoreIn(mMessageCode),
                                  [this] { return mMessageCode == kDifficultyQuestion; });
    } else {
        dialog = new OKDialog(mMenu, mMessageHeader, mMessageBody, StoreIn(mMessageCode));
    }
    dialog->Resize(kMessageX, kMessageY, kMessageWidth, kMessageHeight);
    mApp->AddDialog(kMessageDialogId, dialog);
    if (sound != 0) {
        mApp->PlaySampleAt(sound, 0);
    }
}

void BoardMap::HandleMessageCode() {
    const int code = mMessageCode;
    if (code == kDifficultySwitch) {
        SwitchDifficulty();
        return;
    }
    if (mStory) {
        if (code >= 1 && code <= kStageCount - 1) {
            ShowMessage(kStageFinishedFiles + code, false, SampleId::kQuestion);
            mMessageCode = kNoMessage;
        } else if (code == kBuyAccepted) {
            BuyNextStage();
        }
        return;
    }
    if (code >= 1 && code <= kStageCount - 1) {
        if (IsStageOpened(code + 1)) {
            ShowMessage(kSurvivalOpenedFiles + code, false, 0);
        } else {
            ShowMessage(kSurvivalWaitingFiles + code, false, SampleId::kMessage);
        }
        mMessageCode = kNoMessage;
    }
}

BoardMap::RegionClick BoardMap::ClassifyRegionClick() const {
    const int region = mHoveredRegion;
    if (region < 1 || region > kStageCount) {
        return RegionClick::Outside;
    }
    return IsStageOpened(region) ? RegionClick::Opened : RegionClick::Closed;
}

bool BoardMap::CheckStoryRegion() {
    const RegionClick click = ClassifyRegionClick();
    if (click != RegionClick::Closed) {
        return click == RegionClick::Outside;
    }
    const int stage = mHoveredRegion;
    const int n = stage - 1;
    const bool easy = mRecord.easyMode != 0;
    if (mRecord.storyLevelMax < StageFirstIndex(stage)) {
        ShowMessage(kStageNotReachedFiles + n, false, SampleId::kMessage);
    } else if (mRecord.totalScore < StagePrice(stage, easy)) {
        ShowMessage((easy ? kEasyTooPoorFiles : kNormalTooPoorFiles) + n, false,
                    SampleId::kMessage);
    } else {
        ShowMessage((easy ? kEasyOfferFiles : kNormalOfferFiles) + n, true, SampleId::kQuestion);
    }
    return true;
}

bool BoardMap::CheckSurvivalRegion() {
    const RegionClick click = ClassifyRegionClick();
    if (click != RegionClick::Closed) {
        return click == RegionClick::Outside;
    }
    ShowMessage(kSurvivalWaitingFiles + mHoveredRegion - 1, false, SampleId::kMessage);
    return true;
}

void BoardMap::AskDifficulty(bool easy) {
    mMessageCode = kDifficultyQuestion;
    ShowMessage(easy ? kToHardQuestionFile : kToEasyQuestionFile, true, SampleId::kQuestion);
}

} // namespace Vuro
