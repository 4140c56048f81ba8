#pragma once
// A multi-line text box of the crash windows: the read-only headers, the report, the progress
// text and the box in which the user describes the crash. Lines break at '\n' (a '\r' before it
// is not shown) and wrap at blanks to the box's width; a word wider than the box is cut.
//
// What a caller can rely on:
// - The font is not owned and must outlive the box.
// - With a scroll bar (its own child) the box takes the focus and scrolls by whole lines: by
//   the bar, the mouse wheel, Up, Down, Page Up and Page Down when read-only, and, when
//   editable, to keep the cursor in view.
// - Editable: printable characters (and the upper half of code page 1251) are inserted at the
//   cursor, Enter inserts "\r\n", Backspace and Delete remove a character (a "\r\n" as one),
//   Left, Right, Home and End move the cursor; the text never grows past kMaxChars.
// - GetText answers exactly what was set or typed.

#include "framework/widgets/ScrollListener.h"
#include "framework/widgets/Widget.h"

#include <string>
#include <vector>

namespace Vuro {

class Font;
class ScrollbarWidget;

class CrashTextBox : public Widget, public ScrollListener {
public:
    static constexpr size_t kMaxChars = 8192;

    CrashTextBox(Font* font, bool editable, bool border, bool scrollBar);
    ~CrashTextBox() override;

    void SetText(const std::string& text);
    const std::string& GetText() const { return mText; }

    // Lines of the wrapped text, as they are shown (for the caller's layout and for tests).
    std::vector<std::string> GetShownLines();

    void Resize(int x, int y, int width, int height) override;
    void Draw(Graphics* g) override;
    void Update() override;
    bool AcceptsFocus() override;
    void GotFocus() override;
    void LostFocus() override;
    void KeyDown(int key) override;
    void CharInput(char c) override;
    void MouseWheel(int delta) override;
    void ScrollPositionChanged(int id, double position) override;

private:
    struct ShownLine {
        size_t start;  // index in mText
        size_t length; // characters shown
    };

    // Cached until the text or the size changes (Relayout).
    const std::vector<ShownLine>& WrapLines();
    int TextWidth() const;
    int VisibleLineCount() const;
    // Brings the scroll bar's range up to date with the wrapped text.
    void Relayout();
    void ScrollCursorIntoView();
    void Insert(const std::string& text);

    Font* mFont;
    bool mEditable;
    bool mBorder;
    ScrollbarWidget* mScrollbar = nullptr; // owned child; null without a bar
    std::string mText;
    std::vector<ShownLine> mLines;
    bool mLinesValid = false;
    size_t mCursor = 0;
    int mTopLine = 0;
    int mBlinkCounter = 0;
    bool mCursorShown = false;
};

} // namespace Vuro
