#include "framework/widgets/ListWidget.h"

#include "framework/fonts/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/widgets/ListListener.h"
#include "framework/widgets/ScrollbarWidget.h"
#include "framework/widgets/WidgetHost.h"
#include "framework/widgets/WidgetManager.h"

#include <algorithm>

namespace Vuro {

ListWidget::ListWidget(int id, Font* font, ListListener* listener)
    : mId(id), mFont(font), mListener(listener),
      mItemHeight(font != nullptr ? font->GetHeight() : -1) {
    mColors = {Color(255, 255, 255), Color(255, 255, 255), Color(0, 0, 0),
               Color(0, 192, 0),     Color(0, 0, 128),     Color(255, 255, 255)};
}

ListWidget::~ListWidget() {
    if (mParent != nullptr) {
        mParent->RemoveWidget(this);
    }
}

void ListWidget::ForEachInChain(const std::function<void(ListWidget&)>& fn) {
    ListWidget* list = this;
    while (list->mParentList != nullptr) {
        list = list->mParentList;
    }
    for (; list != nullptr; list = list->mChildList) {
        fn(*list);
    }
}

bool ListWidget::IsRow(int index) const {
    return index >= 0 && index < static_cast<int>(mLines.size());
}

int ListWidget::GetRowHeight() {
    if (mItemHeight != -1) {
        return mItemHeight;
    }
    return mFont != nullptr ? mFont->GetHeight() : 0;
}

// ---- [Rows] ----

std::string ListWidget::GetSortKey(int index) {
    std::string key = GetLine(index);
    if (static_cast<int>(key.size()) < mSortPadChars) {
        key.insert(0, static_cast<size_t>(mSortPadChars) - key.size(), '0');
    }
    if (mChildList != nullptr) {
        const std::string childKey = mChildList->GetSortKey(index);
        key = mChildKeyFirst ? childKey + key : key + childKey;
    }
    return key;
}

void ListWidget::SortLines(bool ascending) {
    const size_t count = mLines.size();
    std::vector<std::string> keys;
    std::vector<size_t> order;
    for (size_t i = 0; i < count; ++i) {
        keys.push_back(GetSortKey(static_cast<int>(i)));
        order.push_back(i);
    }
    // A bubble sort: stable, as equal keys must keep their order.
    for (size_t pass = 1; pass < count; ++pass) {
        for (size_t j = 0; j + 1 < count; ++j) {
            const bool swap = ascending ? keys[j] > keys[j + 1] : keys[j] < keys[j + 1];
            if (swap) {
                std::swap(keys[j], keys[j + 1]);
                std::swap(order[j], order[j + 1]);
            }
        }
    }
    ForEachInChain([&](ListWidget& list) {
        std::vector<std::string> lines;
        std::vector<Color> colors;
        for (size_t from : order) {
            lines.push_back(from < list.mLines.size() ? list.mLines[from] : std::string("-"));
            colors.push_back(from < list.mLineColors.size() ? list.mLineColors[from]
                                                            : list.GetColor(2));
        }
        list.mLines = std::move(lines);
        list.mLineColors = std::move(colors);
        list.Invalidate();
    });
}

std::string ListWidget::GetLine(int index) {
    return IsRow(index) ? mLines[static_cast<size_t>(index)] : std::string();
}

int ListWidget::AddLine(const std::string& text, bool sorted) {
    int index = static_cast<int>(mLines.size());
    if (sorted) {
        // The rows need not be in order: the first greater row counts.
        const auto at = std::find_if(mLines.begin(), mLines.end(),
                                     [&](const std::string& line) { return line > text; });
        index = static_cast<int>(at - mLines.begin());
    }
    const Color color = GetColor(2);
    ForEachInChain([&](ListWidget& list) {
        const size_t at = std::min(static_cast<size_t>(index), list.mLines.size());
        list.mLines.insert(list.mLines.begin() + static_cast<std::ptrdiff_t>(at),
                           &list == this ? text : std::string("-"));
        const size_t colorAt = std::min(static_cast<size_t>(index), list.mLineColors.size());
        list.mLineColors.insert(list.mLineColors.begin() + static_cast<std::ptrdiff_t>(colorAt),
                                color);
        list.Invalidate();
    });
    if (mScrollbar != nullptr) {
        mScrollbar->SetMaxValue(static_cast<double>(mLines.size()));
    }
    return index;
}

void ListWidget::SetLine(int index, const std::string& text) {
    if (IsRow(index)) {
        mLines[static_cast<size_t>(index)] = text;
        Invalidate();
    }
}

int ListWidget::GetLineCount() {
    return static_cast<int>(mLines.size());
}

int ListWidget::GetLineIndex(const std::string& text) {
    const auto it = std::find(mLines.begin(), mLines.end(), text);
    return it == mLines.end() ? -1 : static_cast<int>(it - mLines.begin());
}

void ListWidget::SetLineColor(const std::string& text, const Color& color) {
    const int index = GetLineIndex(text);
    if (index == -1) {
        return;
    }
    ForEachInChain([&](ListWidget& list) {
        if (static_cast<size_t>(index) < list.mLineColors.size()) {
            list.mLineColors[static_cast<size_t>(index)] = color;
        }
        list.Invalidate();
    });
}

void ListWidget::RemoveLine(int index) {
    if (!IsRow(index)) {
        return;
    }
    ForEachInChain([&](ListWidget& list) {
        if (list.IsRow(index)) {
            list.mLines.erase(list.mLines.begin() + index);
        }
        if (static_cast<size_t>(index) < list.mLineColors.size()) {
            list.mLineColors.erase(list.mLineColors.begin() + index);
        }
        list.Invalidate();
    });
    if (mScrollbar != nullptr) {
        mScrollbar->SetMaxValue(static_cast<double>(mLines.size()));
    }
}

void ListWidget::RemoveAll() {
    ForEachInChain([](ListWidget& list) {
        list.mLines.clear();
        list.mLineColors.clear();
        list.mHoverIdx = -1;
        list.mSelectIdx = -1;
        list.Invalidate();
    });
    if (mScrollbar != nullptr) {
        mScrollbar->SetMaxValue(0.0);
    }
}

int ListWidget::GetOptimalWidth() {
    int widest = 0;
    if (mFont != nullptr) {
        for (const std::string& line : mLines) {
            widest = std::max(widest, mFont->StringWidth(line));
        }
    }
    return widest + 16;
}

int ListWidget::GetOptimalHeight() {
    return GetLineCount() * GetRowHeight() + 8;
}

void ListWidget::SetSelect(int index) {
    ForEachInChain([&](ListWidget& list) {
        list.mSelectIdx = index;
        list.Invalidate();
    });
}

void ListWidget::SetHover(int index, bool notify) {
    const int old = mHoverIdx;
    mHoverIdx = index;
    if (notify && old != index && mListener != nullptr) {
        mListener->ListHoverChanged(mId, old, index);
    }
}

// ---- [Geometry, scrolling and the tree] ----

void ListWidget::Resize(int x, int y, int width, int height) {
    Widget::Resize(x, y, width, height);
    const int rowHeight = GetRowHeight();
    // A list without a row height (no font) counts one row per page rather than dividing by 0.
    mPageSize = rowHeight > 0 && height > rowHeight + 8 ? (height - 8.0) / rowHeight : 1.0;
    if (mScrollbar != nullptr) {
        mScrollbar->SetPageSize(mPageSize);
    }
}

void ListWidget::ScrollPositionChanged(int scrollId, double position) {
    if (mChildList != nullptr) {
        mChildList->ScrollPositionChanged(scrollId, position);
    }
    mPosition = position;
    Invalidate();
}

void ListWidget::OnDetached(WidgetManager* manager) {
    Widget::OnDetached(manager);
    if (mListener != nullptr) {
        mListener->ListRemoved(mId);
    }
}

void ListWidget::ZOrderChanged() {
    WidgetHost* host = WidgetHost::Current();
    WidgetManager* manager = host != nullptr ? host->GetWidgetManager() : mWidgetManager;
    if (manager == nullptr || mParent != manager) {
        return;
    }
    if (mChildList != nullptr && mChildList->mParent == manager) {
        manager->BringToFront(mChildList, this);
    }
    if (mScrollbar != nullptr && mScrollbar->mParent == manager) {
        manager->BringToFront(mScrollbar, this);
    }
}

// ---- [Mouse] ----

void ListWidget::MouseMove(int x, int y) {
    Widget::MouseMove(x, y);
    const int rowHeight = GetRowHeight();
    int row = -1;
    if (rowHeight > 0) {
        row = static_cast<int>((y - 4) / static_cast<double>(rowHeight) + mPosition);
        if (!IsRow(row)) {
            row = -1;
        }
    }
    if (row == mHoverIdx) {
        return;
    }
    ForEachInChain([&](ListWidget& list) {
        list.SetHover(row, true);
        list.Invalidate();
    });
    WidgetHost::ShowCursor(mHoverIdx != -1 && mHandCursorOverRows ? CursorKind::kHand
                                                                  : CursorKind::kArrow);
}

void ListWidget::MouseLeave() {
    Widget::MouseLeave();
    ForEachInChain([](ListWidget& list) {
        list.SetHover(-1, true);
        list.Invalidate();
    });
    WidgetHost::ShowCursor(CursorKind::kArrow);
}

void ListWidget::MouseDown(int x, int y, int clickCount) {
    Widget::MouseDown(x, y, clickCount);
    if (mHoverIdx != -1 && mListener != nullptr) {
        mListener->ListItemClicked(mId, mHoverIdx, clickCount);
    }
}

void ListWidget::MouseWheel(int delta) {
    Widget::MouseWheel(delta);
    if (mScrollbar == nullptr || delta == 0) {
        return;
    }
    const double page = mScrollbar->mPageSize;
    mScrollbar->SetValue(delta < 0 ? mScrollbar->mValue - page : mScrollbar->mValue + page);
}

// ---- [Drawing] ----

void ListWidget::Draw(Graphics* g) {
    g->SetColor(GetColor(0));
    g->FillRect(0, 0, mWidth, mHeight);

    Graphics text(*g);
    text.ClipRect(4, 4, mWidth - 8, mHeight - 8);
    text.SetFont(mFont);
    Graphics highlight(*g);
    highlight.ClipRect(0, 4, mWidth, mHeight - 8);

    const int rows = GetLineCount();
    const int first = static_cast<int>(mPosition);
    const int last = std::min(first + static_cast<int>(mPageSize) + 1, rows - 1);
    const int fontHeight = mFont != nullptr ? mFont->GetHeight() : 0;
    const int rowHeight = mItemHeight != -1 ? mItemHeight : fontHeight;
    const int textOffset = mItemHeight != -1 ? (mItemHeight - fontHeight) / 2 : 0;
    const int ascent = mFont != nullptr ? mFont->GetAscent() : 0;

    for (int i = std::max(first, 0); i <= last; ++i) {
        const int y = static_cast<int>((i - mPosition) * rowHeight) + 4;
        if (i == mSelectIdx || (mHoverAsSelection && i == mHoverIdx)) {
            highlight.SetColor(GetColor(4));
            highlight.FillRect(0, y, mWidth, rowHeight);
        }
        if (i == mHoverIdx) {
            text.SetColor(GetColor(3));
        } else if (i == mSelectIdx && mColors.size() > 5) {
            text.SetColor(GetColor(5));
        } else {
            text.SetColor(static_cast<size_t>(i) < mLineColors.size()
                              ? mLineColors[static_cast<size_t>(i)]
                              : GetColor(2));
        }
        if (mFont == nullptr) {
            continue;
        }
        const std::string& line = mLines[static_cast<size_t>(i)];
        const int width = mFont->StringWidth(line);
        int x = 4;
        if (mJustify == 1) {
            x = (mWidth - width) / 2;
        } else if (mJustify != 0) {
            x = mWidth - width - 4;
        }
        text.DrawString(line, x, y + ascent + textOffset);
    }

    if (mDrawOutline) {
        g->SetColor(GetColor(1));
        g->DrawRect(0, 0, mWidth - 1, mHeight - 1);
    }
}

} // namespace Vuro
