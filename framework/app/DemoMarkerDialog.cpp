#include "framework/app/DemoMarkerDialog.h"

#include "framework/app/VuroAppBase.h"
#include "framework/widgets/ListWidget.h"
#include "framework/widgets/ScrollbarWidget.h"
#include "framework/widgets/WidgetManager.h"

namespace Vuro {

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;
// The client area lies inside the box's frame, between the title and the button row.
constexpr int kFrameInset = 13;
constexpr int kListInset = 10;
constexpr int kScrollbarWidth = 16;
constexpr int kListId = 0;
constexpr int kScrollbarId = 0;

} // namespace

DemoMarkerDialog::DemoMarkerDialog(VuroAppBase& app)
    : DemoControlDialog(app, kDemoMarkerDialogId, "Marker List", "Close", 3) {
    mList = new ListWidget(kListId, mFont.get(), this);
    mScrollbar = new ScrollbarWidget(kScrollbarId, mList);
    mScrollbar->SetAutoHide(true);
    mList->mScrollbar = mScrollbar;
    for (const DemoMarker& marker : mApp.mDemoMarkerList) {
        if (marker.update > mApp.mUpdateCount) {
            mList->AddLine(mApp.DemoMarkerText(marker), false);
            mRowUpdates.push_back(marker.update);
        }
    }
    Centre(kWidth, kHeight);
}

DemoMarkerDialog::~DemoMarkerDialog() {
    delete mScrollbar;
    delete mList;
}

void DemoMarkerDialog::OnAttached(WidgetManager* manager) {
    Dialog::OnAttached(manager);
    manager->AddWidget(mList);
    manager->AddWidget(mScrollbar);
}

void DemoMarkerDialog::OnDetached(WidgetManager* manager) {
    Dialog::OnDetached(manager);
    manager->RemoveWidget(mScrollbar);
    manager->RemoveWidget(mList);
}

void DemoMarkerDialog::ZOrderChanged() {
    Dialog::ZOrderChanged();
    if (mWidgetManager != nullptr) {
        mWidgetManager->BringToFront(mList, this);
        mWidgetManager->BringToFront(mScrollbar, mList);
    }
}

void DemoMarkerDialog::Resize(int x, int y, int width, int height) {
    Dialog::Resize(x, y, width, height);
    if (mList == nullptr) {
        return; // the base class places itself before the list exists
    }
    const int top = TitleBottom() + kListInset;
    const int bottom =
        height - mContentMargins.mBottom - mBorderMargins.mBottom - mButtonHeight - kListInset;
    const int areaWidth = width - 2 * (kFrameInset + kListInset);
    const int left = x + kFrameInset + kListInset;
    mList->Resize(left, y + top, areaWidth - kScrollbarWidth, bottom - top);
    mScrollbar->ResizeBar(left + areaWidth - kScrollbarWidth, y + top, kScrollbarWidth,
                          bottom - top);
}

void DemoMarkerDialog::ButtonClick(int id) {
    Dialog::ButtonClick(id);
    if (id == DialogButtonYes) {
        mApp.CloseDemoControl(mId);
    }
}

void DemoMarkerDialog::ListItemClicked(int /*id*/, int index, int clickCount) {
    if (clickCount != 2 || index < 0 || index >= static_cast<int>(mRowUpdates.size())) {
        return;
    }
    if (mApp.JumpToDemoMarker(mRowUpdates[static_cast<size_t>(index)])) {
        mApp.CloseDemoControl(mId);
    }
}

} // namespace Vuro
