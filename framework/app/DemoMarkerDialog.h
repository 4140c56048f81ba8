#pragma once
// The marker list of demo playback: a small modal dialog titled "Marker List" with one list
// filling its client area less 10 pixels on each side (a scroll bar at the list's right edge
// when the rows do not fit) and a "Close" button standing in for the close box.
//
// What a caller can rely on:
// - Rows are the markers still ahead of the update count when the dialog is made, in the
//   demo's order, as "name (hh:mm:ss)".
// - A double click on a row whose marker is still ahead sets the playback target to it and
//   closes the dialog; "Close" closes it without a jump. The application closes it by id.
// - Texts use one "Tahoma" system font; without one the rows have no height.

#include "framework/app/DemoControlDialog.h"
#include "framework/widgets/ListListener.h"

#include <vector>

namespace Vuro {

class ListWidget;
class ScrollbarWidget;
inline constexpr int kDemoMarkerDialogId = 32000;

class DemoMarkerDialog : public DemoControlDialog, public ListListener {
public:
    // Sized and placed in the middle of the application's screen.
    explicit DemoMarkerDialog(VuroAppBase& app);
    ~DemoMarkerDialog() override;

    void OnAttached(WidgetManager* manager) override;
    void OnDetached(WidgetManager* manager) override;
    void ZOrderChanged() override;
    void Resize(int x, int y, int width, int height) override;
    void ButtonClick(int id) override;
    void ListItemClicked(int id, int index, int clickCount) override;

    ListWidget* mList = nullptr;           // owned
    ScrollbarWidget* mScrollbar = nullptr; // owned

private:
    std::vector<int> mRowUpdates; // the marker's update number of each row
};

} // namespace Vuro
