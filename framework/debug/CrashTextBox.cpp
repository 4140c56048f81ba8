#include "framework/debug/CrashTextBox.h"

#include "framework/fonts/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/widgets/ButtonLook.h"
#include "framework/widgets/ScrollbarWidget.h"
#include "platform/Messages.h"

#include <algorithm>

namespace Vuro {

namespace {

constexpr int kPadding = 2; // between the border and the text
constexpr int kScrollbarWidth = 16;
constexpr int kBlinkRate = 40; // updates per half period of the cursor
constexpr int kWheelLines = 3;

bool IsTypedChar(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code >= 32 && code != 127;
}

} // namespace

CrashTextBox::CrashTextBox(Font* font, bool editable, bool border, bool scrollBar)
    : mFont(font), mEditable(editable), mBorder(border) {
    if (scrollBar) {
        mScrollbar = new ScrollbarWidget(0, this);
        AddWidget(mScrollbar);
    }
}

CrashTextBox::~CrashTextBox() {
    if (mScrollbar != nullptr) {
        RemoveWidget(mScrollbar);
        delete mScrollbar;
    }
}

void CrashTextBox::SetText(const std::string& text) {
    mText = text.substr(0, kMaxChars);
    mCursor = mText.size();
    mTopLine = 0;
    Relayout();
}

int CrashTextBox::TextWidth() const {
    int width = mWidth - 2 * kPadding - (mBorder ? 2 : 0);
    return mScrollbar != nullptr ? width - kScrollbarWidth : width;
}

int CrashTextBox::VisibleLineCount() const {
    const int spacing = std::max(mFont->GetLineSpacing(), 1);
    return std::max((mHeight - 2 * kPadding - (mBorder ? 2 : 0)) / spacing, 1);
}

const std::vector<CrashTextBox::ShownLine>& CrashTextBox::WrapLines() {
    if (mLinesValid) {
        return mLines;
    }
    mLines.clear();
    const int width = std::max(TextWidth(), 1);
    size_t start = 0;
    for (;;) {
        size_t end = mText.find('\n', start);
        size_t lineEnd = end == std::string::npos ? mText.size() : end;
        size_t shownEnd = lineEnd > start && mText[lineEnd - 1] == '\r' ? lineEnd - 1 : lineEnd;
        // Wrap this source line: as many words as fit, else as many characters.
        size_t at = start;
        do {
            size_t fit = at;
            size_t lastBlank = std::string::npos;
            int used = 0;
            while (fit < shownEnd && used + mFont->CharWidth(mText[fit]) <= width) {
                used += mFont->CharWidth(mText[fit]);
                if (mText[fit] == ' ') {
                    lastBlank = fit;
                }
                ++fit;
            }
            if (fit < shownEnd && lastBlank != std::string::npos) {
                fit = lastBlank + 1;
            } else if (fit == at && at < shownEnd) {
                fit = at + 1; // not even one character fits: show it cut
            }
            mLines.push_back({at, fit - at});
            at = fit;
        } while (at < shownEnd);
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    mLinesValid = true;
    return mLines;
}

std::vector<std::string> CrashTextBox::GetShownLines() {
    std::vector<std::string> shown;
    for (const ShownLine& line : WrapLines()) {
        std::string text = mText.substr(line.start, line.length);
        while (!text.empty() && text.back() == ' ') {
            text.pop_back();
        }
        shown.push_back(text);
    }
    return shown;
}

void CrashTextBox::Relayout() {
    mLinesValid = false;
    const int lineCount = static_cast<int>(WrapLines().size());
    mTopLine = std::clamp(mTopLine, 0, std::max(lineCount - VisibleLineCount(), 0));
    if (mScrollbar != nullptr) {
        mScrollbar->SetMaxValue(lineCount);
        mScrollbar->SetPageSize(VisibleLineCount());
        mScrollbar->SetValue(mTopLine);
    }
    Invalidate();
}

void CrashTextBox::Resize(int x, int y, int width, int height) {
    Widget::Resize(x, y, width, height);
    if (mScrollbar != nullptr) {
        const int inset = mBorder ? 1 : 0;
        mScrollbar->ResizeBar(width - inset - kScrollbarWidth, inset, kScrollbarWidth,
                              height - 2 * inset);
    }
    Relayout();
}

void CrashTextBox::ScrollPositionChanged(int /*id*/, double position) {
    int top = static_cast<int>(position + 0.5);
    if (top != mTopLine) {
        mTopLine = top;
        Invalidate();
    }
}

void CrashTextBox::MouseWheel(int delta) {
    if (mScrollbar != nullptr) {
        mScrollbar->SetValue(mTopLine - delta * kWheelLines);
    }
}

void CrashTextBox::ScrollCursorIntoView() {
    mLinesValid = false; // the text changed
    const std::vector<ShownLine>& lines = WrapLines();
    int cursorLine = static_cast<int>(lines.size()) - 1;
    for (size_t i = 0; i + 1 < lines.size(); ++i) {
        if (mCursor < lines[i + 1].start) {
            cursorLine = static_cast<int>(i);
            break;
        }
    }
    if (cursorLine < mTopLine) {
        mTopLine = cursorLine;
    } else if (cursorLine >= mTopLine + VisibleLineCount()) {
        mTopLine = cursorLine - VisibleLineCount() + 1;
    }
    mBlinkCounter = 0;
    mCursorShown = true;
    Relayout();
}

void CrashTextBox::Draw(Graphics* g) {
    using ButtonLook::Line;
    Line(g, mEditable ? Color::White : ButtonLook::kFace, 0, 0, mWidth, mHeight);
    if (mBorder) {
        // A sunken frame, as an edit control's.
        Line(g, ButtonLook::kShade, 0, 0, mWidth, 1);
        Line(g, ButtonLook::kShade, 0, 0, 1, mHeight);
        Line(g, Color::White, 0, mHeight - 1, mWidth, 1);
        Line(g, Color::White, mWidth - 1, 0, 1, mHeight);
    }
    const int left = kPadding + (mBorder ? 1 : 0);
    const int top = kPadding + (mBorder ? 1 : 0);
    const int spacing = mFont->GetLineSpacing();
    g->PushState();
    g->ClipRect(left, top, std::max(TextWidth(), 0), mHeight - 2 * top);
    g->SetFont(mFont);
    g->SetColor(Color::Black);
    const std::vector<ShownLine>& lines = WrapLines();
    for (int i = 0; i < VisibleLineCount() + 1; ++i) {
        const size_t index = static_cast<size_t>(mTopLine + i);
        if (index >= lines.size()) {
            break;
        }
        const ShownLine& line = lines[index];
        const int baseline = top + i * spacing + mFont->GetAscent();
        g->DrawString(mText.substr(line.start, line.length), left, baseline);
        const bool cursorHere = mCursor >= line.start &&
                                (mCursor < line.start + line.length || index + 1 == lines.size() ||
                                 mCursor < lines[index + 1].start);
        if (mHasFocus && mEditable && mCursorShown && cursorHere) {
            const int x = left + mFont->StringWidth(mText.substr(line.start, mCursor - line.start));
            Line(g, Color::Black, x, top + i * spacing, 1, mFont->GetHeight());
        }
    }
    g->PopState();
}

void CrashTextBox::Update() {
    Widget::Update();
    if (mHasFocus && mEditable && ++mBlinkCounter >= kBlinkRate) {
        mBlinkCounter = 0;
        mCursorShown = !mCursorShown;
        Invalidate();
    }
}

bool CrashTextBox::AcceptsFocus() {
    // A box that scrolls takes the focus, so the wheel and the keys reach it.
    return mEditable || mScrollbar != nullptr;
}

void CrashTextBox::GotFocus() {
    Widget::GotFocus();
    mCursorShown = true;
    mBlinkCounter = 0;
    Invalidate();
}

void CrashTextBox::LostFocus() {
    Widget::LostFocus();
    Invalidate();
}

void CrashTextBox::Insert(const std::string& text) {
    if (mText.size() + text.size() > kMaxChars) {
        return;
    }
    mText.insert(mCursor, text);
    mCursor += text.size();
    ScrollCursorIntoView();
}

void CrashTextBox::KeyDown(int key) {
    if (!mEditable) {
        const int page = VisibleLineCount();
        const int step = key == Platform::kVkUp      ? -1
                         : key == Platform::kVkDown  ? 1
                         : key == Platform::kVkPrior ? -page
                         : key == Platform::kVkNext  ? page
                                                     : 0;
        if (step != 0 && mScrollbar != nullptr) {
            mScrollbar->SetValue(mTopLine + step);
        } else {
            Widget::KeyDown(key);
        }
        return;
    }
    const auto pairBefore = [&] {
        return mCursor >= 2 && mText.compare(mCursor - 2, 2, "\r\n") == 0;
    };
    const auto pairAfter = [&] { return mText.compare(mCursor, 2, "\r\n") == 0; };
    switch (key) {
    case Platform::kVkReturn:
        Insert("\r\n");
        return;
    case Platform::kVkBack:
        if (mCursor > 0) {
            const size_t count = pairBefore() ? 2 : 1;
            mCursor -= count;
            mText.erase(mCursor, count);
        }
        break;
    case Platform::kVkDelete:
        mText.erase(mCursor, pairAfter() ? 2 : 1);
        break;
    case Platform::kVkLeft:
        mCursor -= mCursor == 0 ? 0 : (pairBefore() ? 2 : 1);
        break;
    case Platform::kVkRight:
        mCursor += mCursor == mText.size() ? 0 : (pairAfter() ? 2 : 1);
        break;
    case Platform::kVkHome:
        mCursor = 0;
        break;
    case Platform::kVkEnd:
        mCursor = mText.size();
        break;
    default:
        Widget::KeyDown(key);
        return;
    }
    ScrollCursorIntoView();
}

void CrashTextBox::CharInput(char c) {
    if (mEditable && IsTypedChar(c)) {
        Insert(std::string(1, c));
    }
}

} // namespace Vuro
