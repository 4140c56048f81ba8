#include "framework/debug/AllocationTable.h"

#include "platform/Process.h"
#include "support/TempWorkingFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace Vuro {
namespace {

std::string gDebugText;

void CaptureDebugText(std::string_view text) {
    gDebugText += text;
}

std::string ReadReport() {
    std::ifstream in("mem_leaks.txt", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The header line holds the local time in asctime form, which ends with its own line feed.
const std::regex kHeader(R"(^Memory Leak Report for \w{3} \w{3} [ \d]\d \d\d:\d\d:\d\d \d{4}\n\n)");
const std::string kDashes = std::string(59, '-') + "\n";

class AllocationTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        gDebugText.clear();
        mPreviousSink = Platform::SetDebugOutputSink(&CaptureDebugText);
    }
    void TearDown() override {
        Platform::SetDebugOutputSink(mPreviousSink);
        gReportMemoryLeaks = false;
    }

    Vuro::Test::TempWorkingFolder mFolder;
    Platform::DebugOutputSink mPreviousSink = nullptr;
};

TEST_F(AllocationTableTest, EmptyTableWithSwitchOnReportsZeroAtDestruction) {
    gReportMemoryLeaks = true;
    { AllocationTable table; }
    const std::string report = ReadReport();
    std::smatch header;
    ASSERT_TRUE(std::regex_search(report, header, kHeader)) << report;
    EXPECT_EQ(report.substr(header.length()), kDashes + "Total Unfreed: 0 bytes\n\n");
}

TEST_F(AllocationTableTest, SwitchOffWritesNothing) {
    {
        AllocationTable table;
        table.AddTrack(&gDebugText, 4, "a.cpp", 1);
    }
    EXPECT_FALSE(std::ifstream("mem_leaks.txt").good());
    EXPECT_EQ(gDebugText, "");
}

TEST_F(AllocationTableTest, RecordsListedByAddressWithSingularForSmallBlocks) {
    char blocks[4] = {};
    AllocationTable table;
    // Entered out of order; the report walks addresses upwards.
    table.AddTrack(&blocks[2], 2, "two.cpp", 30);
    table.AddTrack(&blocks[0], 1, "one.cpp", 10);
    table.AddTrack(&blocks[3], 0, "zero.cpp", 40);
    table.AddTrack(&blocks[1], 77, "gone.cpp", 20);
    table.RemoveTrack(&blocks[1]);
    table.RemoveTrack(&gDebugText); // never entered
    table.WriteLeakReport();

    const std::string lines = "one.cpp(10) : Leak 1 byte\n"
                              "two.cpp(30) : Leak 2 bytes\n"
                              "zero.cpp(40) : Leak 0 byte\n" +
                              kDashes + "Total Unfreed: 3 bytes\n\n";
    const std::string report = ReadReport();
    std::smatch header;
    ASSERT_TRUE(std::regex_search(report, header, kHeader)) << report;
    EXPECT_EQ(report.substr(header.length()), lines);
    // The debug output gets a blank line first, then the same text.
    EXPECT_EQ(gDebugText, "\n" + report);
}

TEST_F(AllocationTableTest, TotalDoesNotWrapPastFourGigabytes) {
    char blocks[3] = {};
    AllocationTable table;
    for (char& block : blocks) {
        table.AddTrack(&block, 0x80000000u, "big.cpp", 1);
    }
    table.WriteLeakReport();
    EXPECT_NE(ReadReport().find("Total Unfreed: 6442450944 bytes\n"), std::string::npos);
}

TEST_F(AllocationTableTest, ReportIsSkippedWhenTheFileCannotBeMade) {
    std::filesystem::create_directory("mem_leaks.txt"); // a folder in the way
    AllocationTable table;
    table.AddTrack(&gDebugText, 5, "x.cpp", 2);
    table.WriteLeakReport();
    EXPECT_EQ(gDebugText, "");
}

TEST_F(AllocationTableTest, ThreadsRecordAndForgetAtOnce) {
    constexpr int kPerThread = 500;
    std::vector<char> blocks(4 * kPerThread);
    AllocationTable table;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&table, &blocks, t] {
            for (int i = 0; i < kPerThread; ++i) {
                char* block = &blocks[static_cast<size_t>(t * kPerThread + i)];
                table.AddTrack(block, 1, "t.cpp", i);
                // Every other block is freed again, so the report holds half of each thread's.
                if (i % 2 == 1) {
                    table.RemoveTrack(block);
                }
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    table.WriteLeakReport();
    EXPECT_NE(ReadReport().find("Total Unfreed: 1000 bytes\n"), std::string::npos);
}

TEST(AllocationTableProcess, ProcessTableExistsAndTakesRecords) {
    AllocationTable* table = AllocationTable::Process();
    ASSERT_NE(table, nullptr);
    char block = 0;
    table->AddTrack(&block, 1, __FILE__, __LINE__);
    table->RemoveTrack(&block);
}

} // namespace
} // namespace Vuro
