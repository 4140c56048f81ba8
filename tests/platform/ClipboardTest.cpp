// The SDL clipboard on SDL's dummy video driver (the tests' main selects it): code page 1251
// text goes out as UTF-8 and comes back as the same bytes while the program has a window.

#include "platform/Clipboard.h"
#include "platform/TextEncoding.h"
#include "platform/Window.h"

#include <gtest/gtest.h>

namespace Vuro::Platform {
namespace {

TEST(ClipboardTest, Code1251TextMakesTheRoundTripThroughTheSystemClipboard) {
    // A window keeps the window system, and with it the clipboard, alive between the calls.
    std::unique_ptr<Window> window = GetWindowSystem().CreateWindow(WindowParams{});
    ASSERT_NE(window, nullptr);
    Clipboard& clipboard = GetSystemClipboard();

    const std::string text = "Груша, слива и «яблоко» — №1!\r\nЁж"_cp1251;
    ASSERT_TRUE(clipboard.SetText(text));
    EXPECT_EQ(clipboard.GetText(), text);

    ASSERT_TRUE(clipboard.SetText("plain ASCII"));
    EXPECT_EQ(clipboard.GetText(), "plain ASCII");
}

TEST(ClipboardTest, AnInstalledClipboardTakesThePlaceOfTheSystemOne) {
    class Memory : public Clipboard {
    public:
        bool SetText(const std::string& text) override {
            mText = text;
            return true;
        }
        std::string GetText() override { return mText; }
        std::string mText;
    } memory;
    SetSystemClipboard(&memory);
    EXPECT_EQ(&GetSystemClipboard(), &memory);
    SetSystemClipboard(nullptr);
    EXPECT_NE(&GetSystemClipboard(), &memory);
}

TEST(ClipboardTest, TextConvertsBothWaysAndWhatTheCodePageLacksBecomesAQuestionMark) {
    const std::string cp1251 = "Ёлка №7 €"_cp1251;
    EXPECT_EQ(Cp1251ToUtf8(cp1251), "Ёлка №7 €");
    EXPECT_EQ(Utf8ToCp1251("Ёлка №7 €"), cp1251);
    // Text copied in another program may hold characters the code page lacks.
    EXPECT_EQ(Utf8ToCp1251("日本 ok"), "?? ok");
}

} // namespace
} // namespace Vuro::Platform
