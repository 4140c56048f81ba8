#include "framework/app/DemoControlDialog.h"

#include "framework/app/VuroAppBase.h"
#include "framework/fonts/Font.h"
#include "framework/widgets/WidgetSysFont.h"

namespace Vuro {

namespace {

constexpr int kFontPointSize = 8;

} // namespace

DemoControlDialog::DemoControlDialog(VuroAppBase& app, int id, const std::string& title,
                                     const std::string& footer, int buttonMode)
    : Dialog(nullptr, nullptr, id, true, title, "", footer, buttonMode), mApp(app),
      mFont(MakeSysFont({"Tahoma", kFontPointSize, 0, false, false, false})) {
    // The buttons act on the playback here; the game's button handlers never see them.
    mDialogListener = nullptr;
    if (mFont != nullptr) {
        SetHeaderFont(mFont.get());
        SetLinesFont(mFont.get());
        SetButtonFont(mFont.get());
    }
}

DemoControlDialog::~DemoControlDialog() = default;

void DemoControlDialog::Centre(int width, int height) {
    Resize((mApp.mWidth - width) / 2, (mApp.mHeight - height) / 2, width, height);
}

int DemoControlDialog::TitleBottom() {
    int bottom = mBorderMargins.mTop + mContentMargins.mTop;
    if (mHeaderFont != nullptr) {
        bottom += mHeaderFont->GetHeight() - mHeaderFont->GetAscentPadding();
    }
    return bottom;
}

} // namespace Vuro
