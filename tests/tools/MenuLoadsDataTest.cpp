// The game's own loader reads the data set: the menu art set (the menu's pictures, the play
// field's pictures it shares and both fonts) loads whole from what the asset tool made beside
// the program, each picture divisible into the cels the menu cuts it into.

#include "DataSetApp.h"

#include "framework/app/StackApp.h"
#include "framework/graphics/MemoryImage.h"
#include "game/screens/MenuArtSet.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace Vuro::Test {
namespace {

TEST(MenuLoadsDataTest, TheMenuArtSetLoadsWholeFromTheDataSet) {
    // The game reads its data beside the program, by names relative to its working folder.
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(VURO_DATA_DIR);
    StackApp<DataSetApp> app;
    {
        MenuArtSet art;
        EXPECT_TRUE(art.Load(&app));
        EXPECT_TRUE(app.popups.empty()) << app.popups.front();
        for (const MenuArtStep& step : MenuArtSet::LoadTable()) {
            if (step.mImage == nullptr) {
                continue;
            }
            Image* image = art.*step.mImage;
            ASSERT_NE(image, nullptr) << step.mFile; // the optional logo is made too
            EXPECT_EQ(image->GetWidth() % step.mCols, 0) << step.mFile;
            EXPECT_EQ(image->GetHeight() % step.mRows, 0) << step.mFile;
        }
        for (int credit = 1; credit <= MenuArtSet::kCreditCount; ++credit) {
            auto* picture = dynamic_cast<MemoryImage*>(art.Credit(credit));
            ASSERT_NE(picture, nullptr);
            EXPECT_TRUE(picture->IsPalettised()) << "credit picture " << credit;
        }
    }
    std::filesystem::current_path(previous);
}

} // namespace
} // namespace Vuro::Test
