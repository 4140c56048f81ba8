// The font descriptor commands: each command's effect on the font data, the exact error texts
// shown through the application, and the width-list loader.

#include "FontTestApp.h"

#include "framework/fonts/FontData.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Vuro::Test {
namespace {

class FontDataTest : public ::testing::Test {
protected:
    FontDataTest() { WriteSheet(folder, "sheet.png", 8, 4, std::vector<uint32_t>(32, 0xFFFFFFFF)); }

    // Loads the descriptor text as font.txt; true when every command succeeded.
    bool Load(const std::string& text) {
        folder.Write("font.txt", text);
        EXPECT_TRUE(data.Load(&app, folder.Path("font.txt")));
        return data.mLoaded;
    }
    // The messages shown, without the common header naming the file.
    std::vector<std::string> Errors() {
        std::vector<std::string> texts;
        const std::string header = "Font Descriptor Error in " + folder.Path("font.txt") + "\r\n";
        for (const std::string& popup : app.popups) {
            EXPECT_EQ(popup.rfind(header, 0), 0u) << popup;
            texts.push_back(popup.substr(header.size()));
        }
        return texts;
    }
    FontLayer* Layer(const std::string& name) { return data.mFontLayerMap.at(name); }
    std::string Define(const std::string& name) {
        DataElement* value = data.GetDefine(name);
        return value != nullptr ? DescParser::ElementToText(value) : "<none>";
    }

    TempFolder folder{"fontdata"};
    StackApp<FontTestApp> app;
    FontData data;
};

TEST_F(FontDataTest, AnErrorNamesTheFileTheLineAndTheCommand) {
    EXPECT_FALSE(Load("CreateLayer Main;\n\n  Bogus 1\n   2;\nCreateLayer Never;"));
    ASSERT_EQ(app.popups.size(), 1u);
    EXPECT_EQ(app.popups[0], "Font Descriptor Error in " + folder.Path("font.txt") +
                                 "\r\nUnknown Command on Line 3:\r\n\r\nBogus 1\n2");
    EXPECT_EQ(data.mFontLayerMap.count("MAIN"), 1u);
    EXPECT_EQ(data.mFontLayerMap.count("NEVER"), 0u);
}

TEST_F(FontDataTest, CommandNamesIgnoreCaseButNotQuotesAndCountTheirArguments) {
    EXPECT_TRUE(Load("setcharmap ('a') ('b'); SETDEFAULTPOINTSIZE 12"));
    EXPECT_EQ(data.mCharMap[uint8_t{'a'}], 'b');
    EXPECT_EQ(data.mDefaultPointSize, 12);
    EXPECT_FALSE(data.Load(&app, folder.Path("font.txt"))); // a loaded font stays as it is
    EXPECT_EQ(data.mDefaultPointSize, 12);

    FontData quoted;
    folder.Write("q.txt", "'SetDefaultPointSize' 3");
    EXPECT_TRUE(quoted.Load(&app, folder.Path("q.txt")));
    EXPECT_FALSE(quoted.mLoaded);
    FontData counted;
    folder.Write("c.txt", "SetDefaultPointSize 3 4");
    EXPECT_TRUE(counted.Load(&app, folder.Path("c.txt")));
    ASSERT_EQ(app.popups.size(), 2u);
    EXPECT_NE(app.popups[0].find("\r\nUnknown Command on Line 1"), std::string::npos);
    EXPECT_NE(app.popups[1].find("\r\nInvalid Number of Parameters on Line 1"), std::string::npos);
}

TEST_F(FontDataTest, IntegersAreTakenAsWrittenWhileListsMayComeFromDefines) {
    EXPECT_FALSE(Load("Define Size 12; SetDefaultPointSize Size;"));
    EXPECT_EQ(Errors(), std::vector<std::string>{
                            "Invalid Paramater Type on Line 1:\r\n\r\nSetDefaultPointSize Size"});
    EXPECT_EQ(data.mDefaultPointSize, 0);

    FontData second;
    folder.Write("w.txt", "Define W (4 6); CreateLayer L; LayerSetCharWidths l (\"a\" 'b') w;");
    EXPECT_TRUE(second.Load(&app, folder.Path("w.txt")));
    EXPECT_TRUE(second.mLoaded);
    EXPECT_EQ(second.mFontLayerMap.at("L")->mCharData[uint8_t{'a'}].mWidth, 4);
    EXPECT_EQ(second.mFontLayerMap.at("L")->mCharData[uint8_t{'b'}].mWidth, 6);
}

TEST_F(FontDataTest, CharMapMismatchChangesNothingAndBadEntriesSkipOnlyThemselves) {
    EXPECT_FALSE(Load("SetCharMap ('a' 'b' 'c') ('x' 'y' 'z' 'w');"));
    EXPECT_EQ(Errors(), std::vector<std::string>{"List Size Mismatch on Line 1:\r\n\r\n"
                                                 "SetCharMap ('a' 'b' 'c') ('x' 'y' 'z' 'w')"});
    EXPECT_EQ(data.mCharMap[uint8_t{'a'}], 'a');

    FontData second;
    folder.Write("m.txt", "SetCharMap ('a' 'bb' '\xE0') ('x' 'y' 'z');");
    EXPECT_TRUE(second.Load(&app, folder.Path("m.txt")));
    EXPECT_FALSE(second.mLoaded);
    EXPECT_EQ(second.mCharMap[uint8_t{'a'}], 'x');
    EXPECT_EQ(second.mCharMap[uint8_t{'b'}], 'b');
    EXPECT_EQ(second.mCharMap[0xE0], 'z'); // characters index as unsigned bytes
    EXPECT_NE(app.popups.back().find("Invalid Paramater Type"), std::string::npos);
}

TEST_F(FontDataTest, SpanRectListsLayRectanglesSideBySide) {
    EXPECT_TRUE(Load("CreateHorzSpanRectList Spans (10 20 0 16) (5 7 3);"
                     "CreateHorzSpanRectList None (1 2 3 4) ();"));
    EXPECT_EQ(Define("spans"), "((10, 20, 5, 16), (15, 20, 7, 16), (22, 20, 3, 16))");
    EXPECT_EQ(Define("NONE"), "()");
    FontData bad;
    folder.Write("b.txt", "CreateHorzSpanRectList R (1 2 3) (4);");
    EXPECT_TRUE(bad.Load(&app, folder.Path("b.txt")));
    EXPECT_FALSE(bad.mLoaded);
    EXPECT_EQ(bad.GetDefine("R"), nullptr);
}

TEST_F(FontDataTest, DefinesStoreValuesAndReplaceOldOnes) {
    EXPECT_TRUE(Load("Define A 'x y'; Define B a; Define Self Self; Define L (a 3 \"q\");"));
    EXPECT_EQ(Define("A"), "'x y'");
    EXPECT_EQ(Define("B"), "'x y'");
    EXPECT_EQ(Define("SELF"), "Self");
    EXPECT_EQ(Define("L"), "('x y', 3, q)"); // a define is copied as stored

    FontData second;
    folder.Write("d.txt", "Define L (1); Define L (missing);");
    EXPECT_TRUE(second.Load(&app, folder.Path("d.txt")));
    EXPECT_FALSE(second.mLoaded);
    EXPECT_EQ(second.GetDefine("L"), nullptr);
    EXPECT_NE(app.popups.back().find("\r\nUnable to Dereference \"missing\" on Line 1"),
              std::string::npos);
    FontData third;
    folder.Write("e.txt", "Define 5x 1;");
    EXPECT_TRUE(third.Load(&app, folder.Path("e.txt")));
    EXPECT_NE(app.popups.back().find("Invalid Paramater Type"), std::string::npos);
}

TEST_F(FontDataTest, LayersAreCreatedCopiedAndSetUp) {
    EXPECT_TRUE(Load("CreateLayer Main;"
                     "LayerRequireTags main ('bold' 'Big');"
                     "LayerExcludeTags MAIN ('small');"
                     "LayerPointRange Main 10 20; LayerSetPointSize Main 12;"
                     "LayerSetDrawMode Main 1;"
                     "LayerSetColorMult Main (1 0.5 0.5 1); LayerSetColorAdd Main (0 0.25 1 0);"
                     "LayerSetAscent Main 9; LayerSetAscentPadding Main 2;"
                     "LayerSetLineSpacingOffset Main -1; LayerSetOffset Main (3 -4);"
                     "LayerSetSpacing Main 1; LayerSetBaseOrder Main -5;"
                     "LayerSetCharOrders Main ('a') (7);"
                     "LayerSetKerningPairs Main ('ab' 'ba') (200 -3);"
                     "LayerSetCharOffsets Main ('a') ((2 -1));"
                     "CreateLayerFrom Copy Main;"));
    FontLayer* main = Layer("MAIN");
    EXPECT_EQ(main->mRequiredTags, (std::vector<std::string>{"BOLD", "BIG"}));
    EXPECT_EQ(main->mExcludedTags, std::vector<std::string>{"SMALL"});
    EXPECT_EQ(main->mMinPointSize, 10);
    EXPECT_EQ(main->mMaxPointSize, 20);
    EXPECT_EQ(main->mPointSize, 12);
    EXPECT_EQ(main->mDrawMode, 1);
    EXPECT_EQ(main->mColorMult, Color(255, 127, 127, 255));
    EXPECT_EQ(main->mColorAdd, Color(0, 63, 255, 0));
    EXPECT_EQ(main->mAscent, 9);
    EXPECT_EQ(main->mAscentPadding, 2);
    EXPECT_EQ(main->mLineSpacingOffset, -1);
    EXPECT_EQ(main->mOffsetX, 3);
    EXPECT_EQ(main->mOffsetY, -4);
    EXPECT_EQ(main->mSpacing, 1);
    EXPECT_EQ(main->mBaseOrder, -5);
    EXPECT_EQ(main->mCharData[uint8_t{'a'}].mOrder, 7);
    EXPECT_EQ(main->mCharData[uint8_t{'a'}].mKerning[uint8_t{'b'}], -56);
    EXPECT_EQ(main->mCharData[uint8_t{'b'}].mKerning[uint8_t{'a'}], -3);
    EXPECT_EQ(main->mCharData[uint8_t{'a'}].mOffsetX, 2);
    EXPECT_EQ(main->mCharData[uint8_t{'a'}].mOffsetY, -1);
    FontLayer* copy = Layer("COPY");
    EXPECT_EQ(copy->mCharData[uint8_t{'a'}].mKerning[uint8_t{'b'}], -56);
    EXPECT_EQ(copy->mRequiredTags, main->mRequiredTags);
    EXPECT_EQ(&data.mFontLayerList.back(), copy);
}

TEST_F(FontDataTest, LayerErrors) {
    EXPECT_FALSE(Load("CreateLayer Main; CreateLayer MAIN;"));
    EXPECT_EQ(Errors(),
              std::vector<std::string>{"Layer Already Exists on Line 1:\r\n\r\nCreateLayer MAIN"});
    app.popups.clear();
    FontData second;
    folder.Write("u.txt", "LayerSetAscent Nowhere 3;");
    EXPECT_TRUE(second.Load(&app, folder.Path("u.txt")));
    ASSERT_EQ(app.popups.size(), 2u); // the layer's own message, then the command's
    EXPECT_NE(app.popups[0].find("\r\nUndefined Layer on Line 1"), std::string::npos);
    EXPECT_NE(app.popups[1].find("\r\nInvalid Paramater Type on Line 1"), std::string::npos);
    FontData third;
    folder.Write("m.txt", "CreateLayer L; LayerSetDrawMode L 2;");
    EXPECT_TRUE(third.Load(&app, folder.Path("m.txt")));
    EXPECT_EQ(third.mFontLayerMap.at("L")->mDrawMode, -1);
}

TEST_F(FontDataTest, ImagesAreFoundBesideTheDescriptorAndLoadedOnce) {
    EXPECT_TRUE(Load("CreateLayer A; CreateLayer B; LayerSetImage A 'sheet.png';"
                     "LayerSetImage B \"sheet.png\";"));
    EXPECT_EQ(app.loadedImages.size(), 1u);
    ASSERT_NE(Layer("A")->mImage, nullptr);
    EXPECT_EQ(Layer("A")->mImage, Layer("B")->mImage);
    EXPECT_EQ(data.mImageMap.size(), 1u);

    FontData second;
    folder.Write("x.txt", "CreateLayer A; LayerSetImage A missing.png;");
    EXPECT_TRUE(second.Load(&app, folder.Path("x.txt")));
    EXPECT_FALSE(second.mLoaded);
    EXPECT_NE(app.popups.back().find("\r\nFailed to Load Image on Line 1"), std::string::npos);
}

TEST_F(FontDataTest, ImageMapsKeepInsideTheImageAndSetTheHeight) {
    EXPECT_FALSE(Load("CreateLayer A; LayerSetImageMap A ('a') ((0 0 1 1));"));
    EXPECT_EQ(Errors(), std::vector<std::string>{"Layer image not set on Line 1:\r\n\r\n"
                                                 "LayerSetImageMap A ('a') ((0 0 1 1))"});

    FontData second;
    folder.Write("ok.txt", "CreateLayer A; LayerSetImage A sheet.png;"
                           "LayerSetCharOffsets A ('b') ((0 2));"
                           "CreateHorzSpanRectList R (5 0 0 3) (3);"
                           "LayerSetImageMap A ('a' 'b') ((0 0 5 4) R);");
    // R names a list of one rectangle, not a rectangle: entry b is refused, a is kept.
    EXPECT_TRUE(second.Load(&app, folder.Path("ok.txt")));
    EXPECT_FALSE(second.mLoaded);
    FontLayer* layer = second.mFontLayerMap.at("A");
    EXPECT_EQ(layer->mCharData[uint8_t{'a'}].mImageRect, Rect(0, 0, 5, 4));
    EXPECT_EQ(layer->mHeight, 4);

    FontData third;
    folder.Write("edge.txt", "CreateLayer A; LayerSetImage A sheet.png;"
                             "LayerSetCharOffsets A ('b') ((0 2));"
                             "LayerSetImageMap A ('a' 'b') ((5 0 3 4) (0 1 2 3));");
    EXPECT_TRUE(third.Load(&app, folder.Path("edge.txt")));
    EXPECT_TRUE(third.mLoaded);
    EXPECT_EQ(third.mFontLayerMap.at("A")->mCharData[uint8_t{'a'}].mImageRect, Rect(5, 0, 3, 4));
    EXPECT_EQ(third.mFontLayerMap.at("A")->mHeight, 5); // 3 + offset 2

    for (const char* rect : {"(6 0 3 4)", "(0 1 2 4)", "(-1 0 1 1)", "(2 0 -1 1)"}) {
        FontData bad;
        folder.Write("bad.txt", std::string("CreateLayer A; LayerSetImage A sheet.png;"
                                            "LayerSetImageMap A ('a') (") +
                                    rect + ");");
        app.popups.clear();
        EXPECT_TRUE(bad.Load(&app, folder.Path("bad.txt")));
        EXPECT_FALSE(bad.mLoaded) << rect;
        ASSERT_EQ(app.popups.size(), 1u) << rect;
        EXPECT_NE(app.popups[0].find("\r\nImage rectangle out of bounds on Line 1"),
                  std::string::npos);
    }
}

TEST_F(FontDataTest, WithoutAnApplicationErrorsAreSilent) {
    folder.Write("font.txt", "Nonsense;");
    EXPECT_TRUE(data.Load(nullptr, folder.Path("font.txt")));
    EXPECT_FALSE(data.mLoaded);
    EXPECT_TRUE(app.popups.empty());
}

TEST_F(FontDataTest, AWidthListLaysGlyphsSideBySideAndMapsMissingCase) {
    MemoryImage image(&app);
    image.Create(20, 6);
    folder.Write("widths.txt", "4 5\na 3 B 6\n  c 2\n");
    EXPECT_TRUE(data.LoadWithImage(&image, folder.Path("widths.txt")));
    EXPECT_TRUE(data.mLoaded);
    FontLayer* layer = data.mFontLayerMap.at("");
    EXPECT_EQ(layer->mImage, &image);
    EXPECT_EQ(layer->mHeight, 6);
    EXPECT_EQ(layer->mAscent, 5);
    EXPECT_EQ(layer->mCharData[uint8_t{' '}].mWidth, 4);
    EXPECT_EQ(layer->mCharData[uint8_t{'a'}].mImageRect, Rect(0, 0, 3, 6));
    EXPECT_EQ(layer->mCharData[uint8_t{'B'}].mImageRect, Rect(3, 0, 6, 6));
    EXPECT_EQ(layer->mCharData[uint8_t{'c'}].mImageRect, Rect(9, 0, 2, 6));
    EXPECT_EQ(layer->mCharData[uint8_t{'c'}].mWidth, 2);
    EXPECT_EQ(data.mCharMap[uint8_t{'A'}], 'a');
    EXPECT_EQ(data.mCharMap[uint8_t{'b'}], 'B');
    EXPECT_EQ(data.mCharMap[uint8_t{'C'}], 'c');
    EXPECT_EQ(data.mCharMap[uint8_t{'d'}], 'd');
    EXPECT_FALSE(data.LoadWithImage(&image, folder.Path("widths.txt")));
}

} // namespace
} // namespace Vuro::Test
