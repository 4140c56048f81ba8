#include "game/screens/BoardLoading.h"

#include "framework/app/VuroAppBase.h"
#include "framework/display/DDImage.h"
#include "framework/graphics/Graphics.h"
#include "framework/util/MersenneTwister.h"

namespace Vuro {

namespace {
constexpr BoardLoading::PicturePair kPairs[] = {
    {"images/load_1x", "images/load_1"},
    {"images/load_2x", "images/load_2"},
    {"images/load_4x", "images/load_4"},
    {"images/load_4x", "images/load_4"},
};
} // namespace

BoardLoading::BoardLoading(VuroAppBase* app, int) : mApp(app) {}

BoardLoading::~BoardLoading() {
    delete mFrame;
    delete mFill;
}

std::span<const BoardLoading::PicturePair> BoardLoading::Pairs() {
    return kPairs;
}

void BoardLoading::LoadImages() {
    const PicturePair& pair = kPairs[Rand() % std::size(kPairs)];
    for (auto [file, member] : {std::pair{pair.mFrame, &mFrame}, std::pair{pair.mFill, &mFill}}) {
        *member = mApp->GetImage(file);
        if (*member == nullptr) {
            mApp->Popup(std::string("There was an error loading the file: ") + file);
            return;
        }
    }
}

void BoardLoading::Update() {
    if (!mApp->mHasFocus) {
        return;
    }
    Widget::Update();
    Invalidate();
}

void BoardLoading::Draw(Graphics* g) {
    const int remaining =
        std::max(mApp->mNumLoadingThreadTasks - mApp->mCompletedLoadingThreadTasks, 1);
    g->SetColor(Color(0, 0, 0));
    g->FillRect(0, 0, mWidth, mHeight);
    g->DrawImage(mFrame, kX, kY);
    g->DrawImageSrc(mFill, kX, kY, Rect(0, 0, mFill->GetWidth() / remaining, mFill->GetHeight()));
}

} // namespace Vuro
