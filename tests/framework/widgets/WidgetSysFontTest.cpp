// The system font controls make for themselves: a real system font by default, the installed
// maker's otherwise, none without a maker.

#include "framework/widgets/WidgetSysFont.h"
#include "framework/fonts/SysFont.h"
#include "support/FixedWidthSysFonts.h"

#include <gtest/gtest.h>

#include <memory>

namespace Vuro::Test {
namespace {

TEST(WidgetSysFontTest, TheDefaultMakerMakesASystemFontAndCanBeReplaced) {
    std::unique_ptr<Font> font(MakeSysFont({"SansSerif", 10, 0, false, false, false}));
    ASSERT_NE(dynamic_cast<SysFont*>(font.get()), nullptr);
    EXPECT_GT(font->GetHeight(), 0);
    {
        Testing::FixedWidthSysFonts fixed;
        std::unique_ptr<Font> replaced(MakeSysFont({"SansSerif", 12, 1, true, false, false}));
        EXPECT_EQ(replaced->StringWidth("ab"), 12);
        ASSERT_EQ(Testing::FixedWidthSysFonts::Requests().size(), 1u);
        EXPECT_EQ(Testing::FixedWidthSysFonts::Requests()[0].mCharSet, 1);
        EXPECT_TRUE(Testing::FixedWidthSysFonts::Requests()[0].mBold);
    }
    SysFontMaker old = SetSysFontMaker(nullptr);
    EXPECT_EQ(MakeSysFont({"SansSerif", 10, 0, false, false, false}), nullptr);
    EXPECT_EQ(SetSysFontMaker(old), nullptr);
    std::unique_ptr<Font> again(MakeSysFont({"SansSerif", 10, 0, false, false, false}));
    EXPECT_NE(dynamic_cast<SysFont*>(again.get()), nullptr) << "the default is back";
}

} // namespace
} // namespace Vuro::Test
