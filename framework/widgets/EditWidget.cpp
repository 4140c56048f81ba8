#include "framework/widgets/EditWidget.h"

#include "framework/fonts/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/widgets/EditListener.h"
#include "framework/widgets/WidgetHost.h"
#include "framework/widgets/WidgetManager.h"
#include "framework/widgets/WidgetSysFont.h"
#include "platform/Messages.h"

#include <algorithm>
#include <cstdlib>

namespace Vuro {

namespace {

constexpr char kCharCopy = 3;
constexpr char kCharPaste = 22;
constexpr char kCharCut = 24;
constexpr char kCharUndo = 26;

} // namespace

EditWidget::EditWidget(int id, EditListener* listener) : mId(id), mListener(listener) {
    mColors = {Color(255, 255, 255), Color(0, 0, 0), Color(0, 0, 0), Color(0, 0, 0),
               Color(255, 255, 255)};
}

EditWidget::~EditWidget() {
    delete mFont;
    for (WidthCheckFont& entry : mWidthCheckFonts) {
        delete entry.mFont;
    }
}

// ---- [Fonts and text] ----

void EditWidget::SetFont(Font* font, Font* widthCheckFont) {
    delete mFont;
    mFont = font != nullptr ? font->Duplicate() : nullptr;
    for (WidthCheckFont& entry : mWidthCheckFonts) {
        delete entry.mFont;
    }
    mWidthCheckFonts.clear();
    if (widthCheckFont != nullptr) {
        AddWidthCheckFont(widthCheckFont, -1);
    }
}

void EditWidget::AddWidthCheckFont(Font* font, int maxWidth) {
    mWidthCheckFonts.push_back({font->Duplicate(), maxWidth});
}

void EditWidget::SetText(const std::string& text, bool scrollToStart) {
    mText = text;
    mCursorPos = static_cast<int>(mText.size());
    mHighlightPos = -1;
    if (scrollToStart) {
        mLeftPos = 0;
    } else {
        FocusCursor(true);
    }
    Invalidate();
}

const std::string& EditWidget::GetDisplayString() {
    if (mPasswordChar == 0) {
        return mText;
    }
    mDisplayText.assign(mText.size(), mPasswordChar);
    return mDisplayText;
}

bool EditWidget::IsPartOfWord(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

int EditWidget::DisplayWidth(int count) {
    const std::string& display = GetDisplayString();
    const size_t n = static_cast<size_t>(std::clamp(count, 0, static_cast<int>(display.size())));
    return mFont != nullptr ? mFont->StringWidth(display.substr(0, n)) : 0;
}

bool EditWidget::IsTypedChar(char c) {
    // Everything from 32 up but DEL is typed, so the letters of code page 1251 above 127
    // (Russian names) can be typed as well as pasted.
    const auto code = static_cast<unsigned char>(c);
    return code >= 32 && code != 127;
}

bool EditWidget::IsDrawable(char c) {
    return mFont == nullptr || mFont->CharWidth(c) > 0;
}

bool EditWidget::HasSelection() const {
    return mHighlightPos != -1 && mHighlightPos != mCursorPos;
}

void EditWidget::DeleteSelection() {
    const int from = std::min(mCursorPos, mHighlightPos);
    const int to = std::max(mCursorPos, mHighlightPos);
    mText.erase(static_cast<size_t>(from), static_cast<size_t>(to - from));
    mCursorPos = from;
    mHighlightPos = -1;
}

// ---- [Cursor placement and scrolling] ----

int EditWidget::GetCharAt(int x, int /*y*/) {
    int result = 0;
    const int length = static_cast<int>(GetDisplayString().size());
    if (mFont == nullptr) {
        return 0;
    }
    const std::string& display = GetDisplayString();
    const size_t left = static_cast<size_t>(std::max(mLeftPos, 0));
    for (int i = mLeftPos; i < length; ++i) {
        const size_t visible = static_cast<size_t>(i) - left;
        const int w1 = mFont->StringWidth(display.substr(left, visible));
        const int w2 = mFont->StringWidth(display.substr(left, visible + 1));
        if ((w1 + w2) / 2 + 5 <= x) {
            result = i + 1;
        }
    }
    return result;
}

void EditWidget::FocusCursor(bool bigJump) {
    const int step = bigJump ? 10 : 1;
    while (mCursorPos < mLeftPos) {
        mLeftPos = std::max(0, mLeftPos - step);
        Invalidate();
    }
    if (mFont == nullptr || mWidth <= 8) {
        return;
    }
    const int length = static_cast<int>(mText.size());
    while (DisplayWidth(mCursorPos) - DisplayWidth(mLeftPos) >= mWidth - 8) {
        // The scroll stops at the cursor and when it cannot advance, so a big jump never passes
        // the cursor and a character wider than the field never loops for ever.
        const int next = std::min({mLeftPos + step, length - 1, mCursorPos});
        if (next <= mLeftPos) {
            break;
        }
        mLeftPos = next;
        Invalidate();
    }
}

// ---- [Keyboard] ----

void EditWidget::ProcessKey(int key, char c) {
    if ((key == Platform::kVkShift || key == Platform::kVkControl) && c == 0) {
        return;
    }
    const bool shift =
        mWidgetManager != nullptr && mWidgetManager->mKeyDown[Platform::kVkShift] != 0;
    const bool ctrl =
        mWidgetManager != nullptr && mWidgetManager->mKeyDown[Platform::kVkControl] != 0;
    bool clearSelection = !shift;
    bool changed = false;
    if (shift && mHighlightPos == -1) {
        mHighlightPos = mCursorPos;
    }
    const std::string oldText = mText;
    const int oldCursor = mCursorPos;
    const int oldHighlight = mHighlightPos;

    ProcessInput(key, c, shift, ctrl, clearSelection, changed);

    if (mMaxChars != -1 && mMaxChars < static_cast<int>(mText.size())) {
        mText.resize(static_cast<size_t>(mMaxChars));
    }
    EnforceWidthLimits();

    const int length = static_cast<int>(mText.size());
    mCursorPos = std::clamp(mCursorPos, 0, length);
    // A cut by the limits could leave the selection's other end past the text.
    if (mHighlightPos > length) {
        mHighlightPos = length;
    }
    if (mCursorPos != oldCursor) {
        mBlinkCounter = 0;
        mCursorVisible = true;
    }
    FocusCursor(true);
    if (clearSelection) {
        mHighlightPos = -1;
    }

    if (!mListener->EditAllowText(mId, mText)) {
        mText = oldText;
        mCursorPos = oldCursor;
        mHighlightPos = oldHighlight;
    } else if (changed) {
        mUndoText = oldText;
        mUndoCursor = oldCursor;
        mUndoHighlight = oldHighlight;
    }
    Invalidate();
}

void EditWidget::ProcessInput(int key, char c, bool shift, bool ctrl, bool& clearSelection,
                              bool& changed) {
    const int length = static_cast<int>(mText.size());
    if (c == kCharCopy || c == kCharCut) {
        if (HasSelection()) {
            const int from = std::min(mCursorPos, mHighlightPos);
            const int to = std::max(mCursorPos, mHighlightPos);
            if (WidgetHost* host = WidgetHost::Current()) {
                host->CopyToClipboard(GetDisplayString().substr(static_cast<size_t>(from),
                                                                static_cast<size_t>(to - from)));
            }
            if (c == kCharCut) {
                DeleteSelection();
                changed = true;
            }
        }
        if (c == kCharCopy) {
            clearSelection = false;
        }
    } else if (c == kCharPaste) {
        Paste(changed);
    } else if (c == kCharUndo) {
        std::swap(mText, mUndoText);
        std::swap(mCursorPos, mUndoCursor);
        std::swap(mHighlightPos, mUndoHighlight);
        mLastModifyPos = -1;
        clearSelection = false;
    } else if (key == Platform::kVkLeft) {
        if (!ctrl) {
            if (!shift && mHighlightPos != -1) {
                mCursorPos = std::min(mCursorPos, mHighlightPos);
            } else {
                --mCursorPos;
            }
        } else {
            while (mCursorPos > 0 && !IsPartOfWord(mText[static_cast<size_t>(mCursorPos - 1)])) {
                --mCursorPos;
            }
            while (mCursorPos > 0 && IsPartOfWord(mText[static_cast<size_t>(mCursorPos - 1)])) {
                --mCursorPos;
            }
        }
    } else if (key == Platform::kVkRight) {
        if (ctrl) {
            while (mCursorPos < length - 1 &&
                   IsPartOfWord(mText[static_cast<size_t>(mCursorPos + 1)])) {
                ++mCursorPos;
            }
            while (mCursorPos < length - 1 &&
                   !IsPartOfWord(mText[static_cast<size_t>(mCursorPos + 1)])) {
                ++mCursorPos;
            }
        }
        if (!shift && mHighlightPos != -1) {
            mCursorPos = std::max(mCursorPos, mHighlightPos);
        } else {
            ++mCursorPos;
        }
    } else if (key == Platform::kVkBack) {
        if (length == 0) {
            return;
        }
        if (HasSelection()) {
            DeleteSelection();
            changed = true;
        } else if (mCursorPos > 0) {
            const int oldCursor = mCursorPos;
            mText.erase(static_cast<size_t>(mCursorPos - 1), 1);
            --mCursorPos;
            mHighlightPos = -1;
            changed = mCursorPos != mLastModifyPos;
            mLastModifyPos = oldCursor - 2;
        }
    } else if (key == Platform::kVkDelete) {
        if (length == 0) {
            return;
        }
        if (HasSelection()) {
            DeleteSelection();
            changed = true;
        } else if (mCursorPos < length) {
            mText.erase(static_cast<size_t>(mCursorPos), 1);
            changed = mCursorPos != mLastModifyPos;
            mLastModifyPos = mCursorPos;
        }
    } else if (key == Platform::kVkHome) {
        mCursorPos = 0;
    } else if (key == Platform::kVkEnd) {
        mCursorPos = length;
    } else if (key == Platform::kVkReturn) {
        mListener->EditTextEntered(mId, mText);
    } else if (IsTypedChar(c) && IsDrawable(c) && mListener->EditAllowChar(mId, c)) {
        if (!HasSelection()) {
            changed = mCursorPos != mLastModifyPos + 1;
            mLastModifyPos = mCursorPos;
        } else {
            DeleteSelection();
            changed = true;
        }
        mText.insert(static_cast<size_t>(mCursorPos), 1, c);
        ++mCursorPos;
        // No selection after typing, with Shift held (capitals) too: a selected character
        // would be replaced by the next one.
        mHighlightPos = -1;
        FocusCursor(false);
    }
}

void EditWidget::Paste(bool& changed) {
    WidgetHost* host = WidgetHost::Current();
    std::string clip = host != nullptr ? host->GetClipboard() : std::string();
    clip = clip.substr(0, clip.find_first_of("\r\n"));
    if (clip.empty()) {
        return;
    }
    std::string accepted;
    for (char ch : clip) {
        if (IsDrawable(ch) && mListener->EditAllowChar(mId, ch)) {
            accepted += ch;
        }
    }
    if (HasSelection()) {
        DeleteSelection();
    }
    mText.insert(static_cast<size_t>(mCursorPos), accepted);
    mCursorPos += static_cast<int>(accepted.size());
    // As with typing, the pasted text does not stay selected while Shift is held.
    mHighlightPos = -1;
    changed = true;
}

void EditWidget::EnforceWidthLimits() {
    if (mWidthCheckFonts.empty()) {
        if (mFont != nullptr && mMaxPixels > 0) {
            while (!mText.empty() && mFont->StringWidth(mText) > mMaxPixels) {
                mText.pop_back();
            }
        }
        return;
    }
    for (WidthCheckFont& entry : mWidthCheckFonts) {
        const int limit = entry.mMaxWidth > 0 ? entry.mMaxWidth : mMaxPixels;
        if (limit <= 0) {
            continue;
        }
        while (!mText.empty() && entry.mFont->StringWidth(mText) > limit) {
            mText.pop_back();
        }
    }
}

void EditWidget::KeyDown(int key) {
    if ((key < 'A' || key > 'Y') && mListener->EditAllowKey(mId, key)) {
        ProcessKey(key, 0);
    }
    Widget::KeyDown(key);
}

void EditWidget::CharInput(char c) {
    ProcessKey(0, c);
}

// ---- [Focus, blinking, geometry] ----

void EditWidget::Invalidate() {
    if (GetColor(0).mAlpha == 255) {
        Widget::Invalidate();
    } else {
        InvalidateArea();
    }
}

bool EditWidget::AcceptsFocus() {
    return true;
}

void EditWidget::GotFocus() {
    Widget::GotFocus();
    mCursorVisible = true;
    mBlinkCounter = 0;
    Invalidate();
}

void EditWidget::LostFocus() {
    Widget::LostFocus();
    mCursorVisible = false;
    Invalidate();
}

void EditWidget::Update() {
    Widget::Update();
    if (mHasFocus && ++mBlinkCounter > mBlinkRate) {
        Invalidate();
        mBlinkCounter = 0;
        mCursorVisible = !mCursorVisible;
    }
}

void EditWidget::Resize(int x, int y, int width, int height) {
    Widget::Resize(x, y, width, height);
    FocusCursor(false);
}

// ---- [Mouse] ----

void EditWidget::MouseEnter() {
    Widget::MouseEnter();
    WidgetHost::ShowCursor(CursorKind::kText);
}

void EditWidget::MouseLeave() {
    Widget::MouseLeave();
    WidgetHost::ShowCursor(CursorKind::kArrow);
}

void EditWidget::MouseDown(int x, int y, int clickCount) {
    Widget::MouseDown(x, y, clickCount);
    mHighlightPos = -1;
    mCursorPos = GetCharAt(x, y);
    const int length = static_cast<int>(mText.size());
    if (clickCount > 1 && mCursorPos < length) {
        mHighlightPos = mCursorPos;
        while (mHighlightPos > 0 && IsPartOfWord(mText[static_cast<size_t>(mHighlightPos - 1)])) {
            --mHighlightPos;
        }
        while (mCursorPos < length - 1 &&
               IsPartOfWord(mText[static_cast<size_t>(mCursorPos + 1)])) {
            ++mCursorPos;
        }
        if (mCursorPos < length) {
            ++mCursorPos;
        }
    }
    Invalidate();
    FocusCursor(false);
}

void EditWidget::MouseDrag(int x, int y) {
    if (mHighlightPos == -1) {
        mHighlightPos = mCursorPos;
    }
    mCursorPos = GetCharAt(x, y);
    Invalidate();
    FocusCursor(false);
}

void EditWidget::MouseUp(int x, int y, int clickCount) {
    Widget::MouseUp(x, y, clickCount);
    if (mHighlightPos == mCursorPos) {
        mHighlightPos = -1;
    }
}

// ---- [Drawing] ----

void EditWidget::Draw(Graphics* g) {
    if (mFont == nullptr) {
        mFont = MakeSysFont({"SansSerif", 10, 0, false, false, false});
    }
    g->SetColor(GetColor(0));
    g->FillRect(0, 0, mWidth, mHeight);
    if (mFont != nullptr) {
        const std::string& display = GetDisplayString();
        const std::string shown =
            display.substr(std::min(static_cast<size_t>(std::max(mLeftPos, 0)), display.size()));
        const int fontHeight = mFont->GetHeight();
        const int top = (mHeight - fontHeight) / 2;
        const int baseline = top + mFont->GetAscent();

        Graphics textPass(*g);
        textPass.SetFont(mFont);
        textPass.ClipRect(4, 0, mWidth - 8, mHeight);
        textPass.SetColor(GetColor(2));
        textPass.DrawString(shown, 4, baseline);

        const int leftWidth = DisplayWidth(mLeftPos);
        const int cursorOffset = DisplayWidth(mCursorPos) - leftWidth;
        int a = cursorOffset + (mCursorVisible ? 0 : 2);
        int b = HasSelection() ? DisplayWidth(mHighlightPos) - leftWidth : cursorOffset + 2;
        const int limit = std::max(0, mWidth - 8);
        a = std::clamp(a, 0, limit);
        b = std::clamp(b, 0, limit);
        Graphics markPass(*g);
        markPass.SetFont(mFont);
        markPass.ClipRect(std::min(a, b) + 4, top, std::abs(b - a), fontHeight);
        if (mHasFocus || mShowSelectionUnfocused) {
            markPass.SetColor(GetColor(3));
            markPass.FillRect(std::min(a, b) + 4, top, std::abs(b - a), fontHeight);
            markPass.SetColor(GetColor(4));
        } else {
            markPass.SetColor(GetColor(2));
        }
        markPass.DrawString(shown, 4, baseline);
    }
    g->SetColor(GetColor(1));
    g->DrawRect(0, 0, mWidth - 1, mHeight - 1);
}

} // namespace Vuro
