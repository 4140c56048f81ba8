// The settings store: the text form of one application key (every value type back exactly,
// damage skipped, names without regard to case) and the file store (one file per application
// key under its root, rewritten whole, damaged files read as empty).

#include "platform/Registry.h"
#include "platform/RegistryDocument.h"
#include "platform/TextEncoding.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace Vuro::Platform {
namespace {

using Vuro::Test::TempFolder;

std::vector<uint8_t> Bytes(const std::string& text) {
    return std::vector<uint8_t>(text.begin(), text.end());
}

void Put(RegistryDocument& document, const std::string& key, const std::string& name, uint32_t type,
         const std::string& bytes) {
    document.AddKey(key);
    ASSERT_TRUE(document.Set(key, name, type, reinterpret_cast<const uint8_t*>(bytes.data()),
                             static_cast<uint32_t>(bytes.size())));
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

TEST(RegistryDocumentTest, EveryValueComesBackExactlyThroughTheTextForm) {
    RegistryDocument document;
    Put(document, "", "MusicVolume", kRegDword, std::string("\x55\0\0\0", 4));
    Put(document, "", "PreferredX", kRegDword, "\xff\xff\xff\xff");
    Put(document, "", "Title", kRegSz, "Сад \"quoted\" \\ end"_cp1251);
    Put(document, "", "Controls", kRegSz, std::string("a\r\n\t\x01\x7f\x98z\0", 9));
    Put(document, "Test3D", "RuntimeError", kRegSz, "Device lost");
    Put(document, "Test3D\\Deep", "Blob", kRegBinary, std::string("\0\x01\xff", 3));
    Put(document, "Test3D", "Short", kRegDword, "\x01\x02"); // not 4 bytes: kept as hex(4)
    Put(document, "", "Multi", 7, std::string("A\0\0", 3));
    Put(document, "", "Empty", kRegSz, "");

    std::string text = document.ToText("HKEY_LOCAL_MACHINE\\SOFTWARE\\Kelmontrave\\Quandrellis");
    EXPECT_NE(text.find("\"MusicVolume\"=dword:00000055\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\"PreferredX\"=dword:ffffffff\n"), std::string::npos);
    EXPECT_NE(text.find("\"Title\"=\"Сад \\\"quoted\\\" \\\\ end\"\n"), std::string::npos);
    EXPECT_NE(text.find("[\"Test3D\\\\Deep\"]\n\"Blob\"=hex:00,01,ff\n"), std::string::npos);
    EXPECT_NE(text.find("\"Short\"=hex(4):01,02\n"), std::string::npos);
    EXPECT_NE(text.find("\"Controls\"=\"a\\r\\n\\t\\x01\\x7f\\x98z\\x00\"\n"), std::string::npos);

    RegistryDocument back = RegistryDocument::FromText(text);
    ASSERT_EQ(back.Keys().size(), document.Keys().size());
    for (const RegistryKey& key : document.Keys()) {
        ASSERT_TRUE(back.HasKey(key.name)) << key.name;
        for (const RegistryValue& value : key.values) {
            const RegistryValue* read = back.Find(key.name, value.name);
            ASSERT_NE(read, nullptr) << value.name;
            EXPECT_EQ(read->type, value.type) << value.name;
            EXPECT_EQ(read->data, value.data) << value.name;
        }
    }
    EXPECT_EQ(back.ToText("x"), document.ToText("x"));
    EXPECT_FALSE(back.Damaged()) << "every line of the text form is understood";
}

TEST(RegistryDocumentTest, NamesMatchWithoutRegardToCaseAndKeysNeedMaking) {
    RegistryDocument document;
    EXPECT_TRUE(document.HasKey(""));
    EXPECT_FALSE(document.HasKey("Test3D"));
    const uint8_t one = 1;
    EXPECT_FALSE(document.Set("Test3D", "Value", kRegBinary, &one, 1));
    document.AddKey("a\\\\b\\"); // empty parts drop out
    EXPECT_TRUE(document.HasKey("A"));
    EXPECT_TRUE(document.HasKey("a\\B"));
    ASSERT_TRUE(document.Set("A\\b", "Value", kRegBinary, &one, 1));
    const uint8_t two = 2;
    ASSERT_TRUE(document.Set("a\\b", "VALUE", kRegDword, &two, 1));
    const RegistryValue* value = document.Find("a\\b", "value");
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->type, kRegDword);
    EXPECT_EQ(value->data, std::vector<uint8_t>{2});
    EXPECT_EQ(value->name, "Value") << "the first spelling stays";
    EXPECT_TRUE(document.Erase("A\\B", "vAlUe"));
    EXPECT_FALSE(document.Erase("A\\B", "value"));
}

TEST(RegistryDocumentTest, QueryFillsTheBufferOrSaysHowMuchItNeeds) {
    RegistryDocument document;
    Put(document, "", "Name", kRegSz, "12345");
    uint8_t buffer[8] = {};
    uint32_t type = 0;
    uint32_t length = 4;
    EXPECT_EQ(document.Query("", "Name", type, buffer, length), RegResult::MoreData);
    EXPECT_EQ(length, 5u);
    EXPECT_EQ(buffer[0], 0) << "nothing copied";
    length = sizeof buffer;
    EXPECT_EQ(document.Query("", "Name", type, buffer, length), RegResult::Ok);
    EXPECT_EQ(length, 5u);
    EXPECT_EQ(type, kRegSz);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), 5), "12345");
    EXPECT_EQ(document.Query("", "Other", type, buffer, length), RegResult::NoValue);
    EXPECT_EQ(document.Query("Sub", "Name", type, buffer, length), RegResult::NoKey);
}

TEST(RegistryDocumentTest, DamagedLinesAreSkippedAndTheRestIsKept) {
    std::string text = "; comment\n"
                       "\"Good\"=dword:2a\r\n"
                       "\"NoEnd\"=\"open string\n"
                       "\"BadEscape\"=\"\\q\"\n"
                       "\"BadHex\"=hex:0g\n"
                       "\"TooLong\"=dword:123456789\n"
                       "garbage line\n"
                       "\"Trailing\"=dword:1 x\n"
                       "[\"Broken]\n"
                       "\"Lost\"=dword:1\n"
                       "  [ Plain Name ]  \n"
                       "\"Kept\"=hex(b):\n"
                       "\"Good\"=dword:2b\n"
                       "\xff\xfe\x00binary";
    RegistryDocument document = RegistryDocument::FromText(text);
    const RegistryValue* good = document.Find("", "Good");
    ASSERT_NE(good, nullptr);
    EXPECT_EQ(good->data, Bytes(std::string("\x2a\0\0\0", 4)));
    for (const char* name : {"NoEnd", "BadEscape", "BadHex", "TooLong", "Trailing", "Lost"}) {
        EXPECT_EQ(document.Find("", name), nullptr) << name;
        EXPECT_EQ(document.Find("Plain Name", name), nullptr) << name;
    }
    EXPECT_FALSE(document.HasKey("Broken"));
    const RegistryValue* kept = document.Find("Plain Name", "Kept");
    ASSERT_NE(kept, nullptr) << "an unquoted section name is taken without its outer blanks";
    EXPECT_EQ(kept->type, 0xBu);
    EXPECT_TRUE(kept->data.empty());
    EXPECT_EQ(document.Find("Plain Name", "Good")->data, Bytes(std::string("\x2b\0\0\0", 4)));
    EXPECT_TRUE(document.Damaged());
}

class FileRegistryTest : public ::testing::Test {
protected:
    TempFolder mFolder{"registry"};
    FileRegistry mRegistry{mFolder.Folder()};
};

TEST_F(FileRegistryTest, AnApplicationKeyIsOneFileWrittenWholeEachTime) {
    const std::string app = "Kelmontrave\\Quandrellis\\";
    EXPECT_EQ(mRegistry.FileOf(app), mFolder.Path("Kelmontrave/Quandrellis.reg"));
    EXPECT_EQ(mRegistry.FileOf(""), "");
    EXPECT_EQ(mRegistry.FileOf("a\\..\\b"), "");
    EXPECT_FALSE(mRegistry.KeyExists(app, ""));
    const uint8_t volume[4] = {85, 0, 0, 0};
    EXPECT_FALSE(mRegistry.SetValue(app, "", "MusicVolume", kRegDword, volume, 4))
        << "the key must exist first";
    ASSERT_TRUE(mRegistry.CreateKey(app, ""));
    ASSERT_TRUE(mRegistry.SetValue(app, "", "MusicVolume", kRegDword, volume, 4));
    ASSERT_TRUE(mRegistry.CreateKey(app, "Test3D"));
    ASSERT_TRUE(mRegistry.SetValue(app, "Test3D", "RuntimeError", kRegSz,
                                   reinterpret_cast<const uint8_t*>("lost"), 4));

    std::string text = ReadFile(mFolder.Path("Kelmontrave/Quandrellis.reg"));
    EXPECT_EQ(text, "; HKEY_LOCAL_MACHINE\\SOFTWARE\\Kelmontrave\\Quandrellis\\\n"
                    "\"MusicVolume\"=dword:00000055\n"
                    "\n"
                    "[\"Test3D\"]\n"
                    "\"RuntimeError\"=\"lost\"\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(mFolder.Path("Kelmontrave")),
                            std::filesystem::directory_iterator()),
              1)
        << "no temporary file is left beside the settings";

    FileRegistry again(mFolder.Folder());
    uint8_t buffer[4] = {};
    uint32_t type = 0;
    uint32_t length = 4;
    ASSERT_EQ(again.QueryValue(app, "test3d", "runtimeerror", type, buffer, length), RegResult::Ok)
        << "names inside the file match without regard to case";
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), length), "lost");
    EXPECT_TRUE(again.DeleteValue(app, "Test3D", "RuntimeError"));
    EXPECT_FALSE(again.DeleteValue(app, "Test3D", "RuntimeError"));
    length = 4;
    EXPECT_EQ(again.QueryValue(app, "Test3D", "RuntimeError", type, buffer, length),
              RegResult::NoValue);
}

TEST_F(FileRegistryTest, ADamagedFileReadsAsEmptyValuesAndIsKeptAsideByTheNextWrite) {
    const std::string damaged("\x01\x02\xff garbage\n\"Only\"=dword:7\n[[[\n", 27);
    mFolder.Write("Game.reg", damaged);
    uint8_t buffer[4] = {};
    uint32_t type = 0;
    uint32_t length = 4;
    EXPECT_EQ(mRegistry.QueryValue("Game", "", "Missing", type, buffer, length),
              RegResult::NoValue);
    length = 4;
    ASSERT_EQ(mRegistry.QueryValue("Game", "", "Only", type, buffer, length), RegResult::Ok);
    EXPECT_EQ(buffer[0], 7);
    const uint8_t one = 1;
    testing::internal::CaptureStderr();
    ASSERT_TRUE(mRegistry.SetValue("Game", "", "New", kRegBinary, &one, 1));
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(ReadFile(mFolder.Path("Game.reg")),
              "; HKEY_LOCAL_MACHINE\\SOFTWARE\\Game\n\"Only\"=dword:00000007\n\"New\"=hex:01\n");
    EXPECT_EQ(ReadFile(mFolder.Path("Game.reg.kept")), damaged);
    EXPECT_EQ(said, mFolder.Path("Game.reg") + " is damaged; it is kept as " +
                        mFolder.Path("Game.reg.kept") + "\n");
    // The file written is whole: the next write keeps nothing aside.
    ASSERT_TRUE(mRegistry.SetValue("Game", "", "New", kRegBinary, &one, 1));
    EXPECT_FALSE(mFolder.Exists("Game.reg.kept.2"));
}

TEST_F(FileRegistryTest, NothingPlantedAtATemporaryNameIsFollowedOrBlocksTheSave) {
    ASSERT_TRUE(mRegistry.CreateKey("Game", ""));
    mFolder.Write("elsewhere", "untouched");
    std::filesystem::create_symlink(mFolder.Path("elsewhere"), mFolder.Path("Game.reg.tmp"));
    std::filesystem::create_directories(mFolder.Path("Game.reg.tmp.folder"));
    const uint8_t one = 1;
    ASSERT_TRUE(mRegistry.SetValue("Game", "", "Value", kRegBinary, &one, 1));
    EXPECT_EQ(ReadFile(mFolder.Path("elsewhere")), "untouched");
    EXPECT_FALSE(std::filesystem::is_symlink(mFolder.Path("Game.reg")));
    EXPECT_EQ(ReadFile(mFolder.Path("Game.reg")),
              "; HKEY_LOCAL_MACHINE\\SOFTWARE\\Game\n\"Value\"=hex:01\n");
}

TEST_F(FileRegistryTest, AFileThatCannotBeWrittenFailsTheWrite) {
    // A plain file where the key's folder should be: nothing can be made under it.
    mFolder.Write("Maker", "not a folder");
    EXPECT_FALSE(mRegistry.CreateKey("Maker\\Game", ""));
    EXPECT_EQ(ReadFile(mFolder.Path("Maker")), "not a folder");
}

TEST_F(FileRegistryTest, AFileTooLargeToReadIsKeptAsideAndNeverWritten) {
    std::string huge = "\"Kept\"=dword:00000007\n";
    huge.resize((16u << 20) + 1, ';');
    mFolder.Write("Game.reg", huge);
    uint8_t buffer[4] = {};
    uint32_t type = 0;
    uint32_t length = 4;
    EXPECT_EQ(mRegistry.QueryValue("Game", "", "Kept", type, buffer, length), RegResult::Failed);
    EXPECT_FALSE(mRegistry.KeyExists("Game", ""));
    ASSERT_TRUE(mRegistry.CreateKey("Game", ""));
    EXPECT_EQ(ReadFile(mFolder.Path("Game.reg.kept")), huge);
    const uint8_t one = 1;
    ASSERT_TRUE(mRegistry.SetValue("Game", "", "New", kRegBinary, &one, 1));
    const std::string written = ReadFile(mFolder.Path("Game.reg"));
    EXPECT_EQ(written, "; HKEY_LOCAL_MACHINE\\SOFTWARE\\Game\n\"New\"=hex:01\n");
    // 6 MiB in hex make a file of 18.9 MB, which could never be read again.
    const std::vector<uint8_t> large(6u << 20, 0xAB);
    EXPECT_FALSE(mRegistry.SetValue("Game", "", "Large", kRegBinary, large.data(),
                                    static_cast<uint32_t>(large.size())));
    EXPECT_EQ(ReadFile(mFolder.Path("Game.reg")), written);
}

TEST(FileRegistryRootTest, TheRootComesFromTheEnvironment) {
    TempFolder folder("registry_env");
    const char* saved = std::getenv("XDG_CONFIG_HOME");
    std::string savedValue = saved != nullptr ? saved : "";
    setenv("XDG_CONFIG_HOME", folder.Folder().c_str(), 1);
    FileRegistry registry;
    EXPECT_EQ(registry.FileOf("A\\B"), folder.Path("A/B.reg"));
    ASSERT_TRUE(registry.CreateKey("A\\B", "C"));
    EXPECT_TRUE(folder.Exists("A/B.reg"));
    if (saved != nullptr) {
        setenv("XDG_CONFIG_HOME", savedValue.c_str(), 1);
    } else {
        unsetenv("XDG_CONFIG_HOME");
    }
}

} // namespace
} // namespace Vuro::Platform
