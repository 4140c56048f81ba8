#pragma once
// Lines of text, one per row, with a hovered row, a selected row, a colour per row, optional
// sorting and an optional scroll bar. Lists can be chained side by side (parentList,
// childList) as the columns of one table: adding, removing, colouring, selecting, hovering and
// sorting act on every list of the chain, and scrolling one list scrolls the lists after it.
//
// What a caller can rely on:
// - The owner sets mScrollbar (this list then being the bar's listener) and the chain fields
//   directly. The font is not owned. A null listener hears nothing.
// - A click reports the hovered row; the list does not select by itself (call SetSelect).
// - Indices outside the rows are ignored by GetLine (empty), SetLine and RemoveLine.
// - Deleting an attached list detaches it first, which tells the listener (the base's
//   destructor runs after the list's own part is gone, too late to say anything).
// - A wheel notch scrolls one page and leaves the bar at rest, not paging on as if its track
//   were held.

#include "framework/graphics/Color.h"
#include "framework/widgets/ScrollListener.h"
#include "framework/widgets/Widget.h"

#include <functional>
#include <string>
#include <vector>

namespace Vuro {

class Font;
class ListListener;
class ScrollbarWidget;

class ListWidget : public Widget, public ScrollListener {
public:
    ListWidget(int id, Font* font, ListListener* listener);
    // Leaves its parent while it is still a list, so the listener hears ListRemoved.
    ~ListWidget() override;

    // ---- [Virtual operations added, in their fixed order] ----
    // The row's text padded on the left with "0" to sortPadChars, joined with the child's key.
    virtual std::string GetSortKey(int index);
    virtual void SortLines(bool ascending);
    virtual std::string GetLine(int index);
    // Adds to every list of the chain ("-" in the others); answers the row index.
    virtual int AddLine(const std::string& text, bool sorted = false);
    // This list only.
    virtual void SetLine(int index, const std::string& text);
    virtual int GetLineCount();
    // The first row with exactly this text; -1 none.
    virtual int GetLineIndex(const std::string& text);
    virtual void SetLineColor(const std::string& text, const Color& color);
    virtual void RemoveLine(int index);
    virtual void RemoveAll();
    virtual int GetOptimalWidth();
    virtual int GetOptimalHeight();
    virtual void SetSelect(int index);

    // ---- [Overrides] ----
    void ZOrderChanged() override;
    void Resize(int x, int y, int width, int height) override;
    void OnDetached(WidgetManager* manager) override;
    void MouseMove(int x, int y) override;
    void MouseLeave() override;
    void MouseDown(int x, int y, int clickCount) override;
    void MouseWheel(int delta) override;
    void Draw(Graphics* g) override;
    void ScrollPositionChanged(int scrollId, double position) override;

    // ---- [Operations of the list] ----
    void SetHover(int index, bool notify);
    // itemHeight, or the font's height when it is -1 (0 without a font).
    int GetRowHeight();

    // ---- [Fields] ----
    int mId;
    Font* mFont; // not owned
    ScrollbarWidget* mScrollbar = nullptr;
    int mJustify = 0; // 0 left, 1 centred, else right-aligned
    std::vector<std::string> mLines;
    std::vector<Color> mLineColors;
    double mPosition = 0.0; // first visible row, fractional
    double mPageSize = 0.0; // rows that fit
    int mHoverIdx = -1;
    int mSelectIdx = -1;
    ListListener* mListener;
    ListWidget* mParentList = nullptr;
    ListWidget* mChildList = nullptr;
    bool mChildKeyFirst = false;
    bool mDrawOutline = true;
    int mSortPadChars = 0;
    int mItemHeight;
    bool mHoverAsSelection = false;
    bool mHandCursorOverRows = true;

private:
    // Calls fn for every list of the chain, from the one without a parent along childList.
    void ForEachInChain(const std::function<void(ListWidget&)>& fn);
    bool IsRow(int index) const;
};

} // namespace Vuro
