#include "framework/debug/ResourceManager.h"

#include "framework/display/DDImage.h"
#include "framework/fonts/FontTestApp.h"
#include "framework/fonts/ImageFont.h"
#include "support/RecordingSoundManager.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace Vuro::Test {
namespace {

// Remembers what the manager applies to each loaded sound; "missing" paths fail to load.
class SoundLog : public RecordingSoundManager {
public:
    bool LoadSoundAt(uint32_t id, const std::string& path) override {
        if (path.find("missing") != std::string::npos) {
            return false;
        }
        loads.emplace_back(id, path);
        return RecordingSoundManager::LoadSoundAt(id, path);
    }
    bool SetBaseVolume(uint32_t id, double volume) override {
        volumes.emplace_back(id, volume);
        return true;
    }
    bool SetBasePan(uint32_t id, int pan) override {
        pans.emplace_back(id, pan);
        return true;
    }
    std::vector<std::pair<uint32_t, std::string>> loads;
    std::vector<std::pair<uint32_t, double>> volumes;
    std::vector<std::pair<uint32_t, int>> pans;
};

const std::string kFontDescriptor = "CreateLayer Main;"
                                    "LayerSetImage Main 'sheet.png';"
                                    "LayerSetImageMap Main ('a' 'b') ((0 0 2 1) (2 0 2 1));"
                                    "LayerSetCharWidths Main ('a' 'b') (3 2);"
                                    "LayerSetAscent Main 1;";

class ResourceManagerTest : public ::testing::Test {
protected:
    ResourceManagerTest() {
        // The application owns and deletes it.
        app.mSoundManager = sounds = new SoundLog();
    }

    // A resource list of one group holding the entries given, read from a file.
    bool Parse(const std::string& entries, const std::string& group = "Main") {
        folder.Write("res.xml", "<ResourceManifest>\n<Resources id=\"" + group + "\">\n" + entries +
                                    "\n</Resources>\n</ResourceManifest>\n");
        return manager.ParseResourcesFile(folder.Path("res.xml"));
    }
    std::string P(const std::string& name) const { return folder.Path(name); }
    static std::vector<uint32_t> Pixels(DDImage* image) {
        return std::vector<uint32_t>(image->GetBits(),
                                     image->GetBits() + image->mWidth * image->mHeight);
    }

    TempFolder folder{"resources"};
    StackApp<FontTestApp> app;
    SoundLog* sounds;
    ResourceManager manager{&app};
};

TEST_F(ResourceManagerTest, EmptyTablesLoadAtOnceAndEveryLookupThrows) {
    EXPECT_TRUE(manager.LoadGroup("Anything"));
    EXPECT_TRUE(manager.LoadGroup(""));
    EXPECT_THROW(
        {
            try {
                manager.RequireImage("IMG");
            } catch (const ResourceManagerException& e) {
                EXPECT_STREQ(e.what(), "Image resource not found: IMG");
                throw;
            }
        },
        ResourceManagerException);
    // A lookup throws the kept error: a group load clears it for the next one.
    EXPECT_TRUE(manager.LoadGroup(""));
    try {
        manager.RequireSound("SND");
        ADD_FAILURE();
    } catch (const ResourceManagerException& e) {
        EXPECT_EQ(e.mWhat, "Sound resource not found: SND");
    }
    EXPECT_TRUE(manager.LoadGroup(""));
    try {
        manager.RequireFont("FNT");
        ADD_FAILURE();
    } catch (const ResourceManagerException& e) {
        EXPECT_EQ(e.mWhat, "Font resource not found: FNT");
    }
    EXPECT_EQ(manager.GetErrorText(), "Font resource not found: FNT");
}

TEST_F(ResourceManagerTest, FirstErrorStaysAndIsWhatLookupsThrow) {
    EXPECT_FALSE(manager.SetError("first"));
    EXPECT_FALSE(manager.SetError("second"));
    EXPECT_TRUE(manager.HadError());
    EXPECT_EQ(manager.GetErrorText(), "first");
    try {
        manager.RequireImage("B");
        ADD_FAILURE();
    } catch (const ResourceManagerException& e) {
        EXPECT_EQ(e.mWhat, "first");
    }
    EXPECT_EQ(manager.GetErrorText(), "first");
    // A new group load starts clean.
    EXPECT_TRUE(manager.LoadGroup("Main"));
    EXPECT_FALSE(manager.HadError());
}

TEST_F(ResourceManagerTest, ImageTakesAlphaFromLowBytesOfAlphaImage) {
    WriteSheet(folder, "pic.png", 2, 2, {0xFF112233, 0xFF445566, 0x80778899, 0x00AABBCC});
    WriteSheet(folder, "pic_mask.png", 2, 2, {0xFF000010, 0x00FFFF20, 0xFF0000FF, 0xFF123400});
    ASSERT_TRUE(Parse("<Image id=\"PIC\" path=\"" + P("pic.png") + "\" alphaimage=\"" +
                      P("pic_mask.png") + "\"/>"));
    ASSERT_TRUE(manager.LoadGroup("Main")) << manager.GetErrorText();
    DDImage* image = manager.RequireImage("PIC");
    EXPECT_EQ(Pixels(image),
              (std::vector<uint32_t>{0x10112233, 0x20445566, 0xFF778899, 0x00AABBCC}));
    EXPECT_EQ(image->mDDInterface, app.mDDInterface);
}

TEST_F(ResourceManagerTest, AlphaGridRepeatsOverEveryCel) {
    // Two columns of 2 x 1 cels; the grid is one cel.
    WriteSheet(folder, "strip.png", 4, 1, {0xFF000001, 0xFF000002, 0xFF000003, 0xFF000004});
    WriteSheet(folder, "grid.png", 2, 1, {0xFF0000A0, 0xFF0000B0});
    ASSERT_TRUE(Parse("<Image id=\"S\" path=\"" + P("strip.png") + "\" alphagrid=\"" +
                      P("grid.png") + "\" cols=\"2\"/>"));
    ASSERT_TRUE(manager.LoadGroup("Main")) << manager.GetErrorText();
    DDImage* image = manager.RequireImage("S");
    EXPECT_EQ(Pixels(image),
              (std::vector<uint32_t>{0xA0000001, 0xB0000002, 0xA0000003, 0xB0000004}));
    EXPECT_EQ(image->mNumCols, 2);
    EXPECT_EQ(image->mNumRows, 1);
}

TEST_F(ResourceManagerTest, ImageFailuresGiveTheirTexts) {
    WriteSheet(folder, "pic.png", 2, 2, {0, 0, 0, 0});
    WriteSheet(folder, "small.png", 1, 1, {0});
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"path=\"" + P("none.png") + "\"", "Failed to load image: " + P("none.png")},
        {"path=\"" + P("pic.png") + "\" alphaimage=\"" + P("none.png") + "\"",
         "Failed to load image: " + P("none.png")},
        {"path=\"" + P("pic.png") + "\" alphaimage=\"" + P("small.png") + "\"",
         "AlphaImage size mismatch between " + P("pic.png") + " and " + P("small.png")},
        {"path=\"" + P("pic.png") + "\" alphagrid=\"" + P("pic.png") + "\" rows=\"2\"",
         "GridAlphaImage size mismatch between " + P("pic.png") + " and " + P("pic.png")},
    };
    for (const auto& [attributes, text] : cases) {
        ResourceManager fresh(&app);
        folder.Write("one.xml", "<ResourceManifest><Resources id=\"G\"><Image id=\"X\" " +
                                    attributes + "/></Resources></ResourceManifest>");
        ASSERT_TRUE(fresh.ParseResourcesFile(folder.Path("one.xml")));
        EXPECT_FALSE(fresh.LoadGroup("G"));
        EXPECT_EQ(fresh.GetErrorText(), text);
        EXPECT_THROW(fresh.RequireImage("X"), ResourceManagerException);
    }
}

TEST_F(ResourceManagerTest, ImageOptionsAndAnimationReachTheImage) {
    WriteSheet(folder, "anim.png", 4, 2, std::vector<uint32_t>(8, 0xFF00FF00));
    ASSERT_TRUE(Parse("<Image id=\"A\" path=\"" + P("anim.png") +
                      "\" rows=\"2\" cols=\"2\" minsubdivide=\"true\" a4r4g4b4=\"1\" "
                      "a8r8g8b8=\"yes\" palletize=\"true\" anim=\"PingPong\" framedelay=\"50\" "
                      "framemap=\"3 1, 2\" perframedelay=\"10 20 30\" enddelay=\"true\"/>"));
    ASSERT_TRUE(manager.LoadGroup("Main")) << manager.GetErrorText();
    DDImage* image = manager.RequireImage("A");
    EXPECT_EQ(image->mTextureFlags, 1 | 4 | 8);
    EXPECT_TRUE(image->IsPalettised());
    ASSERT_NE(image->mAnimInfo, nullptr);
    EXPECT_EQ(image->mAnimInfo->mAnimType, 2);
    EXPECT_EQ(image->mAnimInfo->mNumCels, 4);
    EXPECT_EQ(image->mAnimInfo->mFrameDelay, 50);
    EXPECT_EQ(image->mAnimInfo->mFrameMap, (std::vector<uint32_t>{3, 1, 2}));
    EXPECT_EQ(image->mAnimInfo->mPerFrameDelay, (std::vector<int32_t>{10, 20, 30}));
    EXPECT_EQ(image->mAnimInfo->mTotalAnimTime, 60);
    EXPECT_EQ(image->mAnimInfo->mBeginDelayFlag, 0);
    EXPECT_EQ(image->mAnimInfo->mEndDelayFlag, 1);
}

TEST_F(ResourceManagerTest, GroupLoadTouchesOnlyItsGroupAndStopsAtTheFirstError) {
    WriteSheet(folder, "pic.png", 1, 1, {0xFF000000});
    folder.Write("two.xml", "<ResourceManifest>"
                            "<Resources id=\"A\"><Image id=\"A1\" path=\"" +
                                P("pic.png") +
                                "\"/><Sound id=\"A2\" path=\"a2\"/></Resources>"
                                "<Resources id=\"B\"><Image id=\"B1\" path=\"" +
                                P("gone.png") + "\"/><Image id=\"B2\" path=\"" + P("pic.png") +
                                "\"/><Sound id=\"B3\" path=\"b3\"/></Resources>"
                                "</ResourceManifest>");
    ASSERT_TRUE(manager.ParseResourcesFile(folder.Path("two.xml")));
    ASSERT_TRUE(manager.LoadGroup("A"));
    EXPECT_NE(manager.RequireImage("A1"), nullptr);
    EXPECT_EQ(manager.RequireSound("A2"), 0);
    EXPECT_THROW(manager.RequireImage("B2"), ResourceManagerException);

    EXPECT_FALSE(manager.LoadGroup("B"));
    EXPECT_EQ(manager.GetErrorText(), "Failed to load image: " + P("gone.png"));
    // B1 failed first, so nothing after it was loaded.
    EXPECT_THROW(manager.RequireImage("B2"), ResourceManagerException);
    EXPECT_EQ(sounds->loads.size(), 1u);
    // Loading A again finds it done.
    ASSERT_TRUE(manager.LoadGroup("A"));
    EXPECT_EQ(sounds->loads.size(), 1u);
}

TEST_F(ResourceManagerTest, SoundsTakeIdsInTurnWithTheirVolumeAndPan) {
    ASSERT_TRUE(Parse("<Sound id=\"S1\" path=\"snd/one\" volume=\"0.25\"/>"
                      "<Sound id=\"S2\" path=\"snd/two\" pan=\"-300\"/>"
                      "<Sound id=\"S3\" path=\"snd/three\" volume=\"0\" pan=\"0\"/>"));
    ASSERT_TRUE(manager.LoadGroup(""));
    // Entries load in id order.
    EXPECT_EQ(sounds->loads, (std::vector<std::pair<uint32_t, std::string>>{
                                 {0, "snd/one"}, {1, "snd/two"}, {2, "snd/three"}}));
    EXPECT_EQ(sounds->volumes, (std::vector<std::pair<uint32_t, double>>{{0, 0.25}, {2, 0.0}}));
    EXPECT_EQ(sounds->pans, (std::vector<std::pair<uint32_t, int>>{{1, -300}}));
    EXPECT_EQ(manager.RequireSound("S3"), 2);

    ResourceManager other(&app);
    folder.Write("m.xml", "<ResourceManifest><Resources id=\"G\"><Sound id=\"M\" "
                          "path=\"missing\"/></Resources></ResourceManifest>");
    ASSERT_TRUE(other.ParseResourcesFile(folder.Path("m.xml")));
    EXPECT_FALSE(other.LoadGroup("G"));
    EXPECT_EQ(other.GetErrorText(), "Failed to load sound: missing");
}

TEST_F(ResourceManagerTest, FontsLoadFromDescriptorsReferencesAndTags) {
    WriteSheet(folder, "sheet.png", 4, 1, std::vector<uint32_t>(4, 0xFFFFFFFF));
    folder.Write("font.txt", kFontDescriptor);
    // "!ref:" entries sort after the entry they name here ("F" < "G"), as ids load in order.
    ASSERT_TRUE(Parse("<Font id=\"F\" path=\"" + P("font.txt") +
                      "\" tags=\"bold, Big\tx\"/>"
                      "<Font id=\"G\" path=\"!ref:F\"/>"));
    ASSERT_TRUE(manager.LoadGroup("Main")) << manager.GetErrorText();
    ImageFont* font = manager.RequireFont("F");
    EXPECT_EQ(font->mTagVector, (std::vector<std::string>{"BOLD", "BIG", "X"}));
    EXPECT_EQ(font->StringWidth("ab"), 5);
    ImageFont* copy = manager.RequireFont("G");
    EXPECT_NE(copy, font);
    EXPECT_EQ(copy->mFontData, font->mFontData);
    EXPECT_TRUE(app.popups.empty());
}

TEST_F(ResourceManagerTest, FontOverAnImageTakesTheApplicationsImageAndWidthList) {
    WriteSheet(folder, "glyphs.png", 5, 2, std::vector<uint32_t>(10, 0xFFFFFFFF));
    // Space width, ascent, then each character with its width, side by side in the image.
    folder.Write("widths.txt", "4 1 a3 b2");
    ASSERT_TRUE(
        Parse("<Font id=\"W\" path=\"" + P("widths.txt") + "\" image=\"" + P("glyphs") + "\"/>"));
    ASSERT_TRUE(manager.LoadGroup("Main")) << manager.GetErrorText();
    EXPECT_EQ(app.loadedImages, (std::vector<std::string>{P("glyphs")}));
    ImageFont* font = manager.RequireFont("W");
    EXPECT_EQ(font->StringWidth("ab "), 3 + 2 + 4);
}

TEST_F(ResourceManagerTest, FontFailuresGiveTheirTexts) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"path=\"!ref:NOPE\"", "Ref font not found: NOPE"},
        {"path=\"" + P("none.txt") + "\"", "Failed to load font: " + P("none.txt")},
        {"path=\"w.txt\" image=\"" + P("none") + "\"", "Failed to load image: " + P("none")},
    };
    for (const auto& [attributes, text] : cases) {
        ResourceManager fresh(&app);
        folder.Write("f.xml", "<ResourceManifest><Resources id=\"G\"><Font id=\"X\" " + attributes +
                                  "/></Resources></ResourceManifest>");
        ASSERT_TRUE(fresh.ParseResourcesFile(folder.Path("f.xml")));
        EXPECT_FALSE(fresh.LoadGroup("G"));
        EXPECT_EQ(fresh.GetErrorText(), text);
    }
}

TEST_F(ResourceManagerTest, ProgramMadeEntriesAnswerNullOnlyWhenAllowed) {
    auto* image = new ResourceManager::ImageRes();
    image->mId = "P";
    image->mFromProgram = true;
    manager.mImageMap["P"] = image;
    auto* font = new ResourceManager::FontRes();
    font->mId = "PF";
    font->mFromProgram = true;
    manager.mFontMap["PF"] = font;
    auto* sound = new ResourceManager::SoundRes();
    sound->mId = "PS";
    sound->mPath = "missing";
    manager.mSoundMap["PS"] = sound;
    // Never loaded: it is the program's to fill.
    EXPECT_FALSE(manager.LoadGroup(""));
    EXPECT_EQ(manager.GetErrorText(), "Failed to load sound: missing");
    EXPECT_THROW(manager.RequireImage("P"), ResourceManagerException);
    EXPECT_THROW(manager.RequireSound("PS"), ResourceManagerException);
    manager.mAllowMissingProgramResources = true;
    EXPECT_EQ(manager.RequireImage("P"), nullptr);
    EXPECT_EQ(manager.RequireFont("PF"), nullptr);
    EXPECT_EQ(manager.RequireSound("PS"), -1);
    EXPECT_THROW(manager.RequireImage("Q"), ResourceManagerException);
}

TEST_F(ResourceManagerTest, BadListsAreRefusedWithLineAndFile) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"<Other/>", "Expecting ResourceManifest tag on Line 1"},
        {"", "Expecting ResourceManifest tag"},
        {"<ResourceManifest>\n<Group/></ResourceManifest>", "Invalid Section 'Group' on Line 2"},
        {"<ResourceManifest><Resources>\n</Resources></ResourceManifest>", "No id specified"},
        {"<ResourceManifest><Resources id=\"G\">\n<Music id=\"M\" path=\"m\"/>",
         "Invalid Type 'Music' on Line 2"},
        {"<ResourceManifest><Resources id=\"G\">\n\n<Image id=\"I\"/>", "No path specified"},
        {"<ResourceManifest><Resources id=\"G\"><Image path=\"p\"/>", "No id specified"},
        {"<ResourceManifest><Resources id=\"G\"><Image id=\"I\" path=\"p\"><x/></Image>",
         "Expecting end of Image"},
        {"<ResourceManifest><Resources id=\"G\"><Sound id=\"S\" path=\"p\"/>"
         "<Sound id=\"S\" path=\"q\"/>",
         "Duplicate resource id: S"},
        {"<ResourceManifest><Resources id=\"G\"><Image id=\"I\" path=\"p\" cols=\"0\"/>",
         "Invalid cols"},
        {"<ResourceManifest><Resources id=\"G\"><Image id=\"I\" path=\"p\" anim=\"loop\" "
         "framemap=\"0 1\"/>",
         "Invalid framemap"},
        {"<ResourceManifest><Resources id=\"G\"><Image id=\"I\" path=\"p\" cols=\"2\" "
         "anim=\"loop\" perframedelay=\"5\"/>",
         "Invalid perframedelay"},
        {"<ResourceManifest><Resources id=\"G\"><Image id=\"I\" path=\"p\" anim=\"spin\"/>",
         "Invalid animation type 'spin'"},
        {"<ResourceManifest><Resources id=\"G\"><Sound id=\"S\" path=\"p\" volume=\"loud\"/>",
         "Invalid volume"},
        {"<ResourceManifest><Resources id=\"G\">stray<x/>", "Unexpected text"},
        {"<ResourceManifest><Resources id=\"G\"><Image id=\"I\" path=\"p\"/>",
         "Unexpected end of file"},
    };
    for (const auto& [text, error] : cases) {
        ResourceManager fresh(&app);
        EXPECT_FALSE(fresh.ParseResourcesBuffer(text, "list.xml")) << text;
        EXPECT_TRUE(fresh.GetErrorText().starts_with(error))
            << text << "\n gave: " << fresh.GetErrorText();
        EXPECT_TRUE(fresh.GetErrorText().ends_with(" in File 'list.xml'")) << fresh.GetErrorText();
    }
    ResourceManager missing(&app);
    EXPECT_FALSE(missing.ParseResourcesFile(P("absent.xml")));
    EXPECT_EQ(missing.GetErrorText(), "Resource file not found: " + P("absent.xml"));
}

} // namespace
} // namespace Vuro::Test
