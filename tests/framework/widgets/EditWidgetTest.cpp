// The edit field driven by scripted keys and mouse through the application's widget manager:
// typing, cursor keys, selection with Shift and the mouse, the clipboard characters, undo, the
// limits, the password character, the listener's vetoes, scrolling and the cursor's drawing.

#include "framework/widgets/EditWidget.h"
#include "framework/app/TestApp.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/RecordingImage.h"
#include "framework/widgets/EditListener.h"
#include "platform/Messages.h"
#include "support/FakeClipboard.h"
#include "support/FixedWidthFont.h"

#include <string>
#include <vector>

namespace Vuro::Test {
namespace {

using Testing::FixedWidthFont;

constexpr char kCopy = 3;
constexpr char kPaste = 22;
constexpr char kCut = 24;
constexpr char kUndo = 26;

class RecordingEditListener : public EditListener {
public:
    void EditTextEntered(int id, const std::string& text) override {
        entered.push_back(std::to_string(id) + ":" + text);
    }
    bool EditAllowKey(int, int key) override {
        askedKeys.push_back(key);
        return true;
    }
    bool EditAllowChar(int, char c) override { return c != refusedChar; }
    bool EditAllowText(int, const std::string& text) override {
        return text.find(refusedInText) == std::string::npos;
    }

    std::vector<std::string> entered;
    std::vector<int> askedKeys;
    char refusedChar = '#';   // EditAllowChar refuses it
    char refusedInText = '#'; // EditAllowText refuses texts holding it
};

class EditWidgetTest : public AppFixture {
protected:
    void SetUp() override {
        mEdit.SetFont(&mFont, nullptr);
        mEdit.Resize(10, 10, 100, 20);
        Manager().AddWidget(&mEdit);
        Manager().SetFocus(&mEdit);
    }
    void TearDown() override { Manager().RemoveWidget(&mEdit); }

    WidgetManager& Manager() { return *mApp.mWidgetManager; }
    void Type(const std::string& text) {
        for (char c : text) {
            Manager().CharInput(c);
        }
    }
    void Press(int key) {
        Manager().KeyDown(key);
        Manager().KeyUp(key);
    }
    void WithKey(int modifier, const std::function<void()>& action) {
        Manager().KeyDown(modifier);
        action();
        Manager().KeyUp(modifier);
    }
    void Ctrl(char c) {
        WithKey(Platform::kVkControl, [&] { Manager().CharInput(c); });
    }
    void Click(int localX, int clickCount) {
        Manager().MouseMove(mEdit.mX + localX, 20);
        Manager().MouseDown(mEdit.mX + localX, 20, clickCount);
        Manager().MouseUp(mEdit.mX + localX, 20, clickCount);
    }

    FakeClipboard mClipboard;
    FixedWidthFont mFont{6};
    RecordingEditListener mListener;
    EditWidget mEdit{7, &mListener};
};

TEST_F(EditWidgetTest, TypingRunsAreOneUndoStepAndASecondUndoRedoes) {
    Type("abc");
    EXPECT_EQ(mEdit.mText, "abc");
    EXPECT_EQ(mEdit.mCursorPos, 3);
    Ctrl(kUndo);
    EXPECT_EQ(mEdit.mText, "") << "the whole run is one step";
    EXPECT_EQ(mEdit.mCursorPos, 0);
    Ctrl(kUndo);
    EXPECT_EQ(mEdit.mText, "abc");
    EXPECT_EQ(mEdit.mCursorPos, 3);
}

TEST_F(EditWidgetTest, MovingTheCursorStartsANewUndoStep) {
    Type("ab");
    Press(Platform::kVkLeft);
    Type("c");
    EXPECT_EQ(mEdit.mText, "acb");
    Ctrl(kUndo);
    EXPECT_EQ(mEdit.mText, "ab");
    EXPECT_EQ(mEdit.mCursorPos, 1);
}

TEST_F(EditWidgetTest, BackspaceAndDeleteEditAndGroupIntoOneStep) {
    Press(Platform::kVkBack);
    EXPECT_EQ(mEdit.mText, "");
    Type("abcd");
    Press(Platform::kVkHome);
    Press(Platform::kVkBack);
    EXPECT_EQ(mEdit.mText, "abcd") << "nothing before the cursor";
    EXPECT_EQ(mEdit.mCursorPos, 0);
    Press(Platform::kVkEnd);
    Press(Platform::kVkBack);
    EXPECT_EQ(mEdit.mText, "abc");
    Ctrl(kUndo);
    EXPECT_EQ(mEdit.mText, "") << "deleting right after typing joins the typing's step";
    mEdit.SetText("abcd", true);
    Press(Platform::kVkBack);
    Press(Platform::kVkBack);
    EXPECT_EQ(mEdit.mText, "ab");
    Ctrl(kUndo);
    EXPECT_EQ(mEdit.mText, "abcd") << "both backspaces are one step";
    Press(Platform::kVkHome);
    Press(Platform::kVkDelete);
    Press(Platform::kVkDelete);
    EXPECT_EQ(mEdit.mText, "cd");
    EXPECT_EQ(mEdit.mCursorPos, 0);
    Ctrl(kUndo);
    EXPECT_EQ(mEdit.mText, "abcd");
}

TEST_F(EditWidgetTest, ShiftArrowsSelectAndTheClipboardCharactersCopyCutAndPaste) {
    Type("hello");
    WithKey(Platform::kVkShift, [&] {
        Press(Platform::kVkLeft);
        Press(Platform::kVkLeft);
    });
    EXPECT_EQ(mEdit.mHighlightPos, 5) << "the selection starts at the old cursor";
    EXPECT_EQ(mEdit.mCursorPos, 3);
    Ctrl(kCopy);
    EXPECT_EQ(mClipboard.mText, "lo");
    EXPECT_EQ(mEdit.mHighlightPos, 5) << "copy keeps the selection";
    Ctrl(kCut);
    EXPECT_EQ(mEdit.mText, "hel");
    EXPECT_EQ(mEdit.mCursorPos, 3);
    EXPECT_EQ(mEdit.mHighlightPos, -1);
    Press(Platform::kVkHome);
    Ctrl(kPaste);
    EXPECT_EQ(mEdit.mText, "lohel");
    EXPECT_EQ(mEdit.mCursorPos, 2);
    Ctrl(kUndo);
    EXPECT_EQ(mEdit.mText, "hel");
}

TEST_F(EditWidgetTest, ArrowsWithoutShiftCollapseTheSelectionToItsEnds) {
    Type("hello");
    WithKey(Platform::kVkShift, [&] { Press(Platform::kVkHome); });
    EXPECT_EQ(mEdit.mHighlightPos, 5);
    EXPECT_EQ(mEdit.mCursorPos, 0);
    Press(Platform::kVkRight);
    EXPECT_EQ(mEdit.mCursorPos, 5);
    EXPECT_EQ(mEdit.mHighlightPos, -1);
    Type("!");
    EXPECT_EQ(mEdit.mText, "hello!");
}

TEST_F(EditWidgetTest, TypingOverASelectionReplacesIt) {
    Type("hello");
    WithKey(Platform::kVkShift, [&] { Press(Platform::kVkLeft); });
    Type("p");
    EXPECT_EQ(mEdit.mText, "hellp");
    Ctrl(kUndo);
    EXPECT_EQ(mEdit.mText, "hello");
}

TEST_F(EditWidgetTest, CapitalsTypedWithShiftHeldAllStay) {
    // The character typed with Shift is not left selected, or the next one would replace it.
    WithKey(Platform::kVkShift, [&] { Type("AB"); });
    Type("c");
    EXPECT_EQ(mEdit.mText, "ABc");
    EXPECT_EQ(mEdit.mHighlightPos, -1);
}

TEST_F(EditWidgetTest, CtrlArrowsJumpOverWords) {
    Type("foo bar_baz qux");
    WithKey(Platform::kVkControl, [&] { Press(Platform::kVkLeft); });
    EXPECT_EQ(mEdit.mCursorPos, 12);
    WithKey(Platform::kVkControl, [&] { Press(Platform::kVkLeft); });
    EXPECT_EQ(mEdit.mCursorPos, 4);
    WithKey(Platform::kVkControl, [&] { Press(Platform::kVkRight); });
    EXPECT_EQ(mEdit.mCursorPos, 12);
}

TEST_F(EditWidgetTest, APasswordFieldCopiesItsPasswordCharacters) {
    mEdit.mPasswordChar = '*';
    Type("abc");
    EXPECT_EQ(mEdit.GetDisplayString(), "***");
    WithKey(Platform::kVkShift, [&] { Press(Platform::kVkHome); });
    Ctrl(kCopy);
    EXPECT_EQ(mClipboard.mText, "***");
    EXPECT_EQ(mEdit.mText, "abc");
}

TEST_F(EditWidgetTest, PasteTakesTheFirstLineAndOnlyCharactersTheListenerAllows) {
    mClipboard.mText = "a#b\r\nsecond";
    Ctrl(kPaste);
    EXPECT_EQ(mEdit.mText, "ab");
    EXPECT_EQ(mEdit.mCursorPos, 2);
    mClipboard.mText = "";
    Ctrl(kPaste);
    EXPECT_EQ(mEdit.mText, "ab");
}

TEST_F(EditWidgetTest, LimitsCutTheTextAtOnce) {
    mEdit.mMaxChars = 5;
    Type("abcdef");
    EXPECT_EQ(mEdit.mText, "abcde");
    EXPECT_EQ(mEdit.mCursorPos, 5);

    mEdit.SetText("", true);
    mEdit.mMaxChars = -1;
    FixedWidthFont wide(10);
    mEdit.AddWidthCheckFont(&wide, 35);
    Type("abcd");
    EXPECT_EQ(mEdit.mText, "abc") << "35 pixels hold three characters of 10";

    mEdit.SetFont(&mFont, nullptr);
    mEdit.SetText("", true);
    mEdit.mMaxPixels = 20;
    Type("abcd");
    EXPECT_EQ(mEdit.mText, "abc") << "without check fonts the own font counts";
}

TEST_F(EditWidgetTest, ARefusedTextChangesNothingAndRecordsNoStep) {
    Type("abc");
    WithKey(Platform::kVkShift, [&] { Press(Platform::kVkLeft); });
    mListener.refusedInText = 'x';
    mClipboard.mText = "x";
    Ctrl(kPaste);
    EXPECT_EQ(mEdit.mText, "abc");
    EXPECT_EQ(mEdit.mCursorPos, 2);
    EXPECT_EQ(mEdit.mHighlightPos, 3) << "the selection is kept";
    Ctrl(kUndo);
    EXPECT_EQ(mEdit.mText, "") << "the refused paste left the typing's step in place";
}

TEST_F(EditWidgetTest, TheListenerHearsKeysButNotTheLettersAToYAndHearsEnter) {
    Press('A');
    Press('Y');
    Press('Z');
    Press('5');
    Press(Platform::kVkBack);
    Press(Platform::kVkLeft);
    EXPECT_EQ(mListener.askedKeys,
              (std::vector<int>{'Z', '5', Platform::kVkBack, Platform::kVkLeft}));
    Type("ok");
    Press(Platform::kVkReturn);
    EXPECT_EQ(mListener.entered, (std::vector<std::string>{"7:ok"}));
}

TEST_F(EditWidgetTest, ClicksPlaceTheCursorAtTheNearestGapAndADoubleClickSelectsAWord) {
    Type("foo bar");
    Click(20, 1);
    EXPECT_EQ(mEdit.mCursorPos, 3)
        << "the gap after the third character is at 18, its 8-pixel reach";
    EXPECT_EQ(mEdit.mHighlightPos, -1);
    Click(32, 2);
    EXPECT_EQ(mEdit.mHighlightPos, 4);
    EXPECT_EQ(mEdit.mCursorPos, 7);
    Ctrl(kCopy);
    EXPECT_EQ(mClipboard.mText, "bar");
}

TEST_F(EditWidgetTest, TypingTakesTheLettersOfCodePage1251ButNotControlCharacters) {
    Type("\xC8\xE2\xE0\xED a\x7F\x01\x9C"); // "Ivan" in Cyrillic, a blank, DEL, ^A, "nj"
    EXPECT_EQ(mEdit.mText, "\xC8\xE2\xE0\xED a\x9C");
}

TEST_F(EditWidgetTest, DraggingSelects) {
    Type("foo bar");
    Manager().MouseMove(mEdit.mX + 8, 20);
    Manager().MouseDown(mEdit.mX + 8, 20, 1);
    Manager().MouseMove(mEdit.mX + 26, 20);
    Manager().MouseUp(mEdit.mX + 26, 20, 1);
    EXPECT_EQ(mEdit.mHighlightPos, 1);
    EXPECT_EQ(mEdit.mCursorPos, 4);
    Ctrl(kCopy);
    EXPECT_EQ(mClipboard.mText, "oo ");
    Click(26, 1);
    EXPECT_EQ(mEdit.mHighlightPos, -1) << "an empty selection is none";
}

TEST_F(EditWidgetTest, ALongTextScrollsAndAClickAtTheLeftScrollsBack) {
    mEdit.Resize(10, 10, 50, 20);
    mEdit.SetText("abcdefghijklmnop", false);
    EXPECT_EQ(mEdit.mLeftPos, 10) << "a big jump of ten characters shows the cursor";
    Click(4, 1);
    EXPECT_EQ(mEdit.mCursorPos, 0);
    EXPECT_EQ(mEdit.mLeftPos, 0);
}

TEST_F(EditWidgetTest, ACharacterWiderThanTheFieldStopsTheScroll) {
    // The scroll must stop here, not loop for ever.
    FixedWidthFont huge(60);
    mEdit.SetFont(&huge, nullptr);
    mEdit.Resize(10, 10, 50, 20);
    mEdit.SetText("ab", false);
    EXPECT_EQ(mEdit.mLeftPos, 1);
}

TEST_F(EditWidgetTest, TheCursorBlinksEvery41UpdatesWhileFocused) {
    EXPECT_TRUE(mEdit.mCursorVisible);
    for (int i = 0; i < 40; ++i) {
        mEdit.Update();
    }
    EXPECT_TRUE(mEdit.mCursorVisible);
    mEdit.Update();
    EXPECT_FALSE(mEdit.mCursorVisible);
    Manager().SetFocus(nullptr);
    for (int i = 0; i < 100; ++i) {
        mEdit.Update();
    }
    EXPECT_FALSE(mEdit.mCursorVisible);
}

TEST_F(EditWidgetTest, TheCursorIsATwoPixelBarAndASelectionIsDrawnInverted) {
    Type("abc");
    Testing::RecordingImage image(200, 100);
    FixedWidthFont* font = static_cast<FixedWidthFont*>(mEdit.mFont);
    {
        Graphics g(&image);
        mEdit.Draw(&g);
    }
    // Height 20, font height 10: the text band starts at 5, the baseline at 5 + 8.
    ASSERT_EQ(font->mDrawn.size(), 2u);
    EXPECT_EQ(font->mDrawn[0].mText, "abc");
    EXPECT_EQ(font->mDrawn[0].mX, 4);
    EXPECT_EQ(font->mDrawn[0].mY, 13);
    EXPECT_EQ(font->mDrawn[0].mClip, Rect(4, 0, 92, 20));
    EXPECT_EQ(font->mDrawn[1].mClip, Rect(22, 5, 2, 10));
    EXPECT_EQ(font->mDrawn[1].mColor, Color(255, 255, 255));
    ASSERT_EQ(image.mCalls.size(), 3u);
    EXPECT_EQ(image.mCalls[0].mRect, Rect(0, 0, 100, 20));
    EXPECT_EQ(image.mCalls[1].mRect, Rect(22, 5, 2, 10));
    EXPECT_EQ(image.mCalls[1].mColor, Color(0, 0, 0));
    EXPECT_EQ(image.mCalls[2].mSlot, "DrawRect");

    WithKey(Platform::kVkShift, [&] { Press(Platform::kVkHome); });
    font->mDrawn.clear();
    {
        Graphics g(&image);
        mEdit.Draw(&g);
    }
    EXPECT_EQ(font->mDrawn[1].mClip, Rect(4, 5, 18, 10)) << "the selected characters";
}

} // namespace
} // namespace Vuro::Test
