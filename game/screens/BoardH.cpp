#include "game/screens/BoardH.h"

#include "framework/app/VuroAppBase.h"
#include "framework/fonts/ImageFont.h"
#include "framework/graphics/Graphics.h"
#include "framework/widgets/WidgetManager.h"
#include "game/rules/GameSounds.h"
#include "game/screens/GameImages.h"
#include "game/screens/LocalTexts.h"
#include "game/screens/PlayBoard.h"

#include <utility>

namespace Vuro {

namespace {

int gHelpDelay = 0; // one counter for every panel of the program

constexpr int kPictureX = 22;
constexpr int kPictureY = 110;
constexpr int kLineX = 40;
constexpr int kFirstLineY = 200;
constexpr int kLineStep = 20;

} // namespace

BoardH::BoardH(PlayBoard* owner, StateCallback answer) : mOwner(owner), mAnswer(std::move(answer)) {
    gHelpDelay = 0;
    // The panel covers the whole field but its picture only part of it, with soft edges: the
    // field must be drawn again under every redraw of the panel, or those edges are blended
    // over their own last frame until they turn hard and dark.
    mTranslucent = true;
}

int BoardH::GetDelay() {
    return gHelpDelay;
}

void BoardH::ReadTexts(int tipNumber) {
    (void)ReadLocalTexts(LocalTextFile(tipNumber), mLines, kLineCount); // a missing file: no tip
}

void BoardH::OnAttached(WidgetManager* manager) {
    Widget::OnAttached(manager);
    gHelpDelay = 0;
    mUpdateCount = 0;
}

void BoardH::Update() {
    Widget::Update();
    if (mUpdateCount % kDelayUpdates == 0) {
        ++gHelpDelay;
    }
    Invalidate();
}

void BoardH::Draw(Graphics* g) {
    GameImages& images = mOwner->GetImages();
    if (images.mHelpPanel != nullptr) {
        g->DrawImage(images.mHelpPanel, kPictureX, kPictureY);
    }
    g->SetFont(images.mHelpFont);
    g->SetColor(Color(0, 0, 0));
    for (int line = 0; line < kLineCount; ++line) {
        g->DrawString(mLines[line], kLineX, kFirstLineY + line * kLineStep);
    }
}

void BoardH::LostFocus() {
    Widget::LostFocus();
    Close(false);
}

void BoardH::MouseMove(int x, int y) {
    mMouseX = x;
    mMouseY = y;
}

void BoardH::MouseDown(int x, int y, int clickCount) {
    Widget::MouseDown(x, y, clickCount);
    mMouseX = x;
    mMouseY = y;
    bool inside = x >= kCloseLeft && x <= kCloseRight && y >= kCloseTop && y <= kCloseBottom;
    if (inside && gHelpDelay >= 1) {
        Close(true);
        gHelpDelay = 0;
    }
}

void BoardH::ButtonClick(int) {
    Close(true);
}

void BoardH::Close(bool withSound) {
    if (mClosed) {
        return;
    }
    // Set first: leaving the manager takes the focus, which calls LostFocus again.
    mClosed = true;
    if (withSound && gVuroApp != nullptr) {
        gVuroApp->PlaySampleAt(SampleId::kClick, 0);
    }
    if (mWidgetManager != nullptr) {
        mWidgetManager->RemoveWidget(this);
    }
    mAnswer(PlayBoard::kResume);
}

} // namespace Vuro
