// Tuning values: argument parsing, and reparsing registered source files with the messages
// the developer sees.

#include "framework/debug/ModVal.h"
#include "support/FakeWindowSystem.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

namespace Vuro::Test {
namespace {

namespace fs = std::filesystem;

// Keep first: the registry of files lives for the process.
TEST(ModValReparseTest, WithoutFilesItWarnsNone) {
    FakeWindowSystem windows;
    EXPECT_FALSE(ReparseModValues());
    ASSERT_EQ(windows.mBoxes.size(), 1u);
    EXPECT_EQ(windows.mBoxes[0].text,
              "WARNING: No file changes detected.  Files parsed: \r\n  none");
    EXPECT_EQ(windows.mBoxes[0].title, "MODVAL WARNING!");
    EXPECT_EQ(windows.mBoxes[0].flags, Platform::kMbIconWarning);
}

TEST(ModValParseTest, IntegersDecimalAndHex) {
    int value = 7;
    EXPECT_TRUE(ModValParseInt("42) + 1;", value));
    EXPECT_EQ(value, 42);
    EXPECT_TRUE(ModValParseInt("-17)", value));
    EXPECT_EQ(value, -17);
    EXPECT_TRUE(ModValParseInt("0x1F)", value));
    EXPECT_EQ(value, 31);
    EXPECT_TRUE(ModValParseInt("0XaB)", value));
    EXPECT_EQ(value, 0xAB);
    EXPECT_FALSE(ModValParseInt("-0x10)", value));
    EXPECT_EQ(value, 0);
    EXPECT_FALSE(ModValParseInt("12", value)) << "no closing bracket on the line";
    EXPECT_FALSE(ModValParseInt("1x2)", value));
    EXPECT_FALSE(ModValParseInt("2.5)", value));
    EXPECT_TRUE(ModValParseInt("99999999999)", value)) << "wraps, never overflows";
}

TEST(ModValParseTest, Decimals) {
    double value = 1.0;
    EXPECT_TRUE(ModValParseDouble("-2.5f)", value));
    EXPECT_DOUBLE_EQ(value, -2.5);
    EXPECT_TRUE(ModValParseDouble("0.125)", value));
    EXPECT_DOUBLE_EQ(value, 0.125);
    EXPECT_TRUE(ModValParseDouble("3.)", value));
    EXPECT_DOUBLE_EQ(value, 3.0);
    EXPECT_FALSE(ModValParseDouble("1.5ff)", value));
    EXPECT_EQ(value, 0.0);
    EXPECT_FALSE(ModValParseDouble("1e3)", value));
    EXPECT_FALSE(ModValParseDouble("0x10)", value));
}

class ModValFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        // In the build tree and kept: a file registered by an earlier test in the same process
        // is parsed again by later reparses.
        mDir = fs::absolute("modval_sources") /
               ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::create_directories(mDir);
    }
    // Writes a source file dated in the future, so it counts as changed since the program
    // was built.
    std::string WriteSource(const std::string& name, const std::string& text, int aheadSeconds) {
        fs::path path = mDir / name;
        std::ofstream(path) << text;
        fs::last_write_time(path,
                            fs::file_time_type::clock::now() + std::chrono::seconds(aheadSeconds));
        return path.string();
    }
    static const ModValEntry& Entry(const ModValFileTable& table, int slot, size_t line) {
        static const ModValEntry kUnset;
        const auto& entries = table.mSlots[slot];
        return line < entries.size() ? entries[line] : kUnset;
    }

    fs::path mDir;
    FakeWindowSystem mWindows;
};

TEST_F(ModValFileTest, ReparseStoresValuesBySlotAndLine) {
    std::string path = WriteSource("tuning.cpp",
                                   "int a = M(0x1F);\n"
                                   "double b = M(-2.5f) * SUM(2);\n"
                                   "int c = M1(3) + M2(4) + M(x);\n"
                                   "M(5);\n" +
                                       std::string(600, ' ') + "int d = M9(12);\n",
                                   100);
    ModValSite site{path.c_str()};
    ModValFileTable* table = ModValRegisterFile(site);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(ModValRegisterFile(site), table);
    ModValSite sameFile{path.c_str()};
    EXPECT_EQ(ModValRegisterFile(sameFile), table) << "one table per file";

    EXPECT_TRUE(ReparseModValues());
    EXPECT_TRUE(mWindows.mBoxes.empty());
    EXPECT_TRUE(table->mReparsed);
    EXPECT_TRUE(Entry(*table, 0, 1).mSet);
    EXPECT_EQ(Entry(*table, 0, 1).mInt, 31);
    EXPECT_TRUE(Entry(*table, 0, 2).mSet);
    EXPECT_EQ(Entry(*table, 0, 2).mInt, 0);
    EXPECT_DOUBLE_EQ(Entry(*table, 0, 2).mReal, -2.5);
    EXPECT_EQ(table->mSlots[0].size(), 5u) << "nothing in slot 0 after line 4";
    EXPECT_EQ(Entry(*table, 1, 3).mInt, 3);
    EXPECT_EQ(Entry(*table, 2, 3).mInt, 4);
    EXPECT_FALSE(Entry(*table, 0, 3).mSet) << "M(x) is no value";
    EXPECT_EQ(Entry(*table, 0, 4).mInt, 5) << "a use site at the start of a line";
    EXPECT_EQ(Entry(*table, 9, 5).mInt, 12) << "a long line is still one line";

    // Nothing newer since: a warning listing the file, and the values are read again anyway.
    EXPECT_FALSE(ReparseModValues());
    ASSERT_EQ(mWindows.mBoxes.size(), 1u);
    EXPECT_EQ(mWindows.mBoxes[0].text,
              "WARNING: No file changes detected.  Files parsed: \r\n  " + path);
    EXPECT_EQ(Entry(*table, 0, 1).mInt, 31);
}

TEST_F(ModValFileTest, TwoValuesOfOneSlotOnALineStopTheReparse) {
    std::string good = WriteSource("a.cpp", "int a = M(1);\n", 100);
    std::string bad = WriteSource("b.cpp", "int b = M(2);\nint c = M(3) + M(4);\n", 100);
    std::string later = WriteSource("c.cpp", "int d = M(5);\n", 100);
    ModValSite goodSite{good.c_str()};
    ModValSite badSite{bad.c_str()};
    ModValSite laterSite{later.c_str()};
    ModValSetValue(0, laterSite, 1, 77, 0.0);
    EXPECT_EQ(Entry(*laterSite.mTable, 0, 1).mInt, 77) << "setting a value registers the file";
    ModValRegisterFile(goodSite);
    ModValRegisterFile(badSite);

    EXPECT_FALSE(ReparseModValues());
    ASSERT_EQ(mWindows.mBoxes.size(), 1u);
    EXPECT_EQ(mWindows.mBoxes[0].text,
              "ERROR in " + bad +
                  " on line 2: If you want to use more than one M() value per line, you must use "
                  "the numbered macros (ie: M1(), M2(), M3(), etc), using each one a maximum of "
                  "once per line.  Alternatively, you may split up your statement into multiple "
                  "lines.");
    EXPECT_EQ(mWindows.mBoxes[0].title, "MODVAL ERROR");
    EXPECT_EQ(Entry(*goodSite.mTable, 0, 1).mInt, 1) << "files before keep their new values";
    EXPECT_FALSE(Entry(*badSite.mTable, 0, 1).mSet) << "the failing file's tables stay empty";
    EXPECT_EQ(Entry(*laterSite.mTable, 0, 1).mInt, 77) << "files after are not reached";
}

// Keep last: its file stays registered and missing.
TEST_F(ModValFileTest, AMissingFileStopsTheReparse) {
    std::string missing = (mDir / "gone.cpp").string();
    ModValSite site{missing.c_str()};
    ModValSetValue(3, site, 2, 9, 9.0);
    EXPECT_FALSE(ReparseModValues());
    ASSERT_EQ(mWindows.mBoxes.size(), 1u);
    EXPECT_EQ(mWindows.mBoxes[0].text, "ERROR: Unable to open " + missing + " for reparsing.");
    EXPECT_EQ(mWindows.mBoxes[0].title, "MODVAL ERROR!");
    EXPECT_TRUE(site.mTable->mSlots[3].empty()) << "the failing file's tables are emptied";
}

} // namespace
} // namespace Vuro::Test
