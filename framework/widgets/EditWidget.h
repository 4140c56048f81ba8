#pragma once
// A one-line text field: a blinking cursor, a selection made with Shift, the mouse or a double
// click on a word, horizontal scrolling, copy, cut and paste through the application's
// clipboard, one level of undo (a second undo redoes), an optional password character, and
// limits on the number of characters and on the width of the text in one or more fonts.
//
// What a caller can rely on:
// - The listener is asked about keys (not the letters A..Y, which arrive as characters),
//   characters and every resulting text; a refused text leaves text, cursor and selection as
//   they were and records no undo step. It must be set.
// - Ctrl+C, Ctrl+V, Ctrl+X and Ctrl+Z arrive as the characters 3, 22, 24 and 26.
// - Fonts given are duplicated; the field owns its copies. Without a font the first draw makes a
//   10-point system font; until there is one, characters are not measured (every character
//   counts as drawable) and no text is drawn.
// - SetText applies no listener check and no limit.

#include "framework/widgets/Widget.h"

#include <string>
#include <vector>

namespace Vuro {

class EditListener;
class Font;

class EditWidget : public Widget {
public:
    struct WidthCheckFont {
        Font* mFont;   // owned duplicate
        int mMaxWidth; // above 0: the limit for this font; else maxPixels is
    };

    EditWidget(int id, EditListener* listener);
    ~EditWidget() override;

    // ---- [Virtual operations added, in their fixed order] ----
    // key is a key code (0 for a character), c a character (0 for a key).
    virtual void ProcessKey(int key, char c);
    virtual void SetFont(Font* font, Font* widthCheckFont);
    virtual void SetText(const std::string& text, bool scrollToStart);
    virtual bool IsPartOfWord(char c);
    // The cursor index for a local point (only x counts).
    virtual int GetCharAt(int x, int y);
    // Scrolls so the cursor is visible, by 10 characters a step with bigJump, else by 1.
    virtual void FocusCursor(bool bigJump);

    // ---- [Overrides] ----
    void Invalidate() override;
    bool AcceptsFocus() override;
    void GotFocus() override;
    void LostFocus() override;
    void Update() override;
    void KeyDown(int key) override;
    void CharInput(char c) override;
    void Resize(int x, int y, int width, int height) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void MouseDown(int x, int y, int clickCount) override;
    void MouseDrag(int x, int y) override;
    void MouseUp(int x, int y, int clickCount) override;
    void Draw(Graphics* g) override;

    // ---- [Operations of the field] ----
    void AddWidthCheckFont(Font* font, int maxWidth);
    // The text, or as many password characters as it has.
    const std::string& GetDisplayString();

    // ---- [Fields] ----
    int mId;
    std::string mText;
    std::string mDisplayText;
    Font* mFont = nullptr; // owned
    std::vector<WidthCheckFont> mWidthCheckFonts;
    EditListener* mListener;
    bool mCursorVisible = false;
    bool mShowSelectionUnfocused = false;
    int mCursorPos = 0;
    int mHighlightPos = -1; // the other end of the selection; -1 none
    int mBlinkCounter = 0;
    int mBlinkRate = 40;
    int mLeftPos = 0; // first character shown
    int mMaxChars = -1;
    int mMaxPixels = -1;
    char mPasswordChar = 0;
    std::string mUndoText;
    int mUndoCursor = 0;
    int mUndoHighlight = 0;
    int mLastModifyPos = 0; // groups runs of typing and deleting into one undo step

private:
    bool HasSelection() const;
    // Width of the display string's first count characters.
    int DisplayWidth(int count);
    // A character that typing inserts: printable ASCII and the upper half of code page 1251.
    static bool IsTypedChar(char c);
    // The font draws c with a width (true without a font).
    bool IsDrawable(char c);
    // Removes the selection; the cursor goes to its start.
    void DeleteSelection();
    void ProcessInput(int key, char c, bool shift, bool ctrl, bool& clearSelection, bool& changed);
    void Paste(bool& changed);
    void EnforceWidthLimits();
};

} // namespace Vuro
