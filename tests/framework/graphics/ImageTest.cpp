#include "framework/graphics/Image.h"

#include <gtest/gtest.h>

#include <vector>

namespace Vuro {
namespace {

// Records the FillRects that the base's outline and span operations are built from.
class FillRecorder : public Image {
public:
    void FillRect(const Rect& rect, const Color&, DrawMode) override { mFills.push_back(rect); }
    std::vector<Rect> mFills;
};

TEST(Image, StartsEmptyWithOneCel) {
    Image image;
    EXPECT_EQ(image.GetWidth(), 0);
    EXPECT_EQ(image.GetHeight(), 0);
    EXPECT_EQ(image.mNumRows, 1);
    EXPECT_EQ(image.mNumCols, 1);
    EXPECT_EQ(image.mAnimInfo, nullptr);
}

TEST(Image, DrawRectOutlinesWidthPlusOneByHeightPlusOne) {
    FillRecorder image;
    image.DrawRect(Rect(2, 3, 9, 4), Color::White, kDrawModeNormal);
    const std::vector<Rect> expected = {Rect(2, 3, 10, 1), Rect(2, 7, 10, 1), Rect(2, 4, 1, 3),
                                        Rect(11, 4, 1, 3)};
    EXPECT_EQ(image.mFills, expected);
}

TEST(Image, FillScanLinesFillsOneRowPerSpan) {
    FillRecorder image;
    const ScanSpan spans[] = {{1, 2, 3}, {-4, 5, 6}};
    image.FillScanLines(spans, 2, Color::Black, kDrawModeAdditive);
    const std::vector<Rect> expected = {Rect(1, 2, 3, 1), Rect(-4, 5, 6, 1)};
    EXPECT_EQ(image.mFills, expected);
}

TEST(Image, CopyIsDeepAndAssignmentKeepsSize) {
    Image a;
    a.mWidth = 40;
    a.mHeight = 20;
    a.mNumCols = 4;
    a.mNumRows = 2;
    a.mAnimInfo = std::make_unique<AnimationInfo>();
    a.mAnimInfo->mPerFrameDelay = {1, 2, 3};

    Image copy(a);
    EXPECT_EQ(copy.GetWidth(), 40);
    ASSERT_NE(copy.mAnimInfo, nullptr);
    EXPECT_NE(copy.mAnimInfo.get(), a.mAnimInfo.get());
    EXPECT_EQ(copy.mAnimInfo->mPerFrameDelay, a.mAnimInfo->mPerFrameDelay);

    Image target;
    target.mWidth = 7;
    target.mHeight = 3;
    target = a;
    EXPECT_EQ(target.GetWidth(), 7);
    EXPECT_EQ(target.GetHeight(), 3);
    EXPECT_EQ(target.mNumCols, 4);
    EXPECT_EQ(target.mNumRows, 2);
    ASSERT_NE(target.mAnimInfo, nullptr);
    EXPECT_NE(target.mAnimInfo.get(), a.mAnimInfo.get());
}

TEST(Image, CelRectsDivideTheSheet) {
    Image sheet;
    sheet.mWidth = 100;
    sheet.mHeight = 31;
    sheet.mNumCols = 3;
    sheet.mNumRows = 2;
    EXPECT_EQ(sheet.GetCelRect(2, 1), Rect(66, 15, 33, 15));
}

} // namespace
} // namespace Vuro
