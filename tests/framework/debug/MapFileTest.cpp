// The map file: its symbol and line-number lines read into the tables, and a report's logical
// addresses of the program named through them, those of other modules left alone, and a
// function without lines of its own named without another function's line.

#include "framework/debug/MapFile.h"

#include <gtest/gtest.h>

#include <sstream>

namespace Vuro::Test {
namespace {

// Four line entries "%6d %04X:%08X", 80 characters.
const char* kMap =
    "Map of /game/quandrellis\n"
    "\n"
    "  Address         Publics by Value\n"
    "\n"
    " 0010:00001000       _ZN4Vuro6Garden4GrowEv 0000000000402000\n"
    " 0010:00002000       main 0000000000403000\n"
    " 0010:00003000       _start 0000000000404000\n"
    " 0011:00000000       _ZN4Vuro4kMaxE 0000000000500000\n"
    "\n"
    "Line numbers for (/src/game/Garden.cpp) segment .text\n"
    "\n"
    "    12 0010:00001000    13 0010:00001008    14 0010:00001010    14 0010:00001010\n"
    "    99 0010:00001010    99 0010:00001010    99 0010:00001010     99 0010:00001010\n"
    "    99 0010:00001010    99 0010:00001010    99 0010:00001010   99 0010:00001010\n"
    "\n"
    "Line numbers for (/src/game/Main.cpp) segment .text\n"
    "\n"
    "     7 0010:00002000     7 0010:00002000     7 0010:00002000     7 0010:00002000\n";

TEST(MapFile, ReadsSymbolsAndFullLineNumberLinesOnly) {
    std::istringstream in(kMap);
    MapSymbolTable symbols;
    MapLineTable lines;
    ReadMapFile(in, symbols, lines);
    ASSERT_EQ(symbols.size(), 4u);
    EXPECT_EQ(symbols.at({0x10, 0x1000}), "_ZN4Vuro6Garden4GrowEv");
    EXPECT_EQ(symbols.at({0x11, 0}), "_ZN4Vuro4kMaxE");
    // Lines of 81 and 79 characters add nothing.
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines.at({0x10, 0x1008}), (std::pair<std::string, int>{"/src/game/Garden.cpp", 13}));
    EXPECT_EQ(lines.at({0x10, 0x1010}).second, 14);
    EXPECT_EQ(lines.at({0x10, 0x2000}), (std::pair<std::string, int>{"/src/game/Main.cpp", 7}));
}

TEST(MapFile, NamesTheProgramsAddressesWithFunctionAndLine) {
    std::istringstream in(kMap);
    MapSymbolTable symbols;
    MapLineTable lines;
    ReadMapFile(in, symbols, lines);
    std::string report = "Module: quandrellis\r\n"
                         "Logical Address: 0010:00001012\r\n"
                         "\r\n"
                         "7FFE0000 00402012 0010:00001012 quandrellis\r\n"
                         "7FFE0040 00403000 0010:00002000 quandrellis\r\n"
                         "7FFE0080 7F001000 0010:00001012 libc.so.6\r\n"
                         "7FFE00C0 00000010 0000:00000000 \r\n"
                         "7FFE0100 00300000 0001:00000010 quandrellis\r\n"
                         "7FFE0140 00404020 0010:00003020 quandrellis\r\n";
    LookUpMapSymbol(report, "quandrellis", symbols, lines);
    EXPECT_EQ(report, "Module: quandrellis\r\n"
                      "Logical Address: Vuro::Garden::Grow()+0x12\r\n"
                      "    /src/game/Garden.cpp line 14 +0x2\r\n"
                      "\r\n"
                      "7FFE0000 00402012 Vuro::Garden::Grow()+0x12\r\n"
                      "    /src/game/Garden.cpp line 14 +0x2 quandrellis\r\n"
                      "7FFE0040 00403000 main\r\n"
                      "    /src/game/Main.cpp line 7 +0x0 quandrellis\r\n"
                      "7FFE0080 7F001000 0010:00001012 libc.so.6\r\n"
                      "7FFE00C0 00000010 0000:00000000 \r\n"
                      "7FFE0100 00300000 0001:00000010 quandrellis\r\n"
                      // No line of its own: main's last line is not borrowed.
                      "7FFE0140 00404020 _start+0x20 quandrellis\r\n");
}

} // namespace
} // namespace Vuro::Test
