#include "framework/debug/MapFile.h"

#include "framework/debug/CrashHandler.h"
#include "framework/util/StringHelpers.h"
#include "platform/FaultHandler.h"

#include <cstdlib>

namespace Vuro {

namespace {

constexpr size_t kLineNumberLineLength = 80;
constexpr size_t kEntryLength = 20;

bool ParseAddress(const std::string& section, const std::string& offset, MapAddress& address) {
    return section.size() == 4 && offset.size() == 8 && HexStringToUInt(section, address.section) &&
           HexStringToUInt(offset, address.offset);
}

// The entry holding an address: the last one at or before it, in the same section.
template <typename Table>
typename Table::const_iterator FindHolder(const Table& table, const MapAddress& address) {
    auto found = table.lower_bound(address);
    if (found != table.begin() && (found == table.end() || found->first.offset != address.offset ||
                                   found->first.section != address.section)) {
        --found;
    }
    if (found == table.end() || found->first.section != address.section ||
        found->first.offset > address.offset) {
        return table.end();
    }
    return found;
}

// Whether the logical address at [start, start + 13) belongs to the program: its stack line ends
// with the program's file name, or it is the "Logical Address:" line under "Module: <program>".
bool NamesProgram(const std::string& report, size_t start, const std::string& program) {
    size_t lineStart = report.rfind('\n', start);
    lineStart = lineStart == std::string::npos ? 0 : lineStart + 1;
    size_t lineEnd = report.find("\r\n", start);
    if (lineEnd == std::string::npos) {
        lineEnd = report.size();
    }
    std::string line = report.substr(lineStart, lineEnd - lineStart);
    if (line.rfind("Logical Address: ", 0) == 0) {
        std::string module = "Module: " + program + "\r\n";
        return lineStart >= module.size() &&
               report.compare(lineStart - module.size(), module.size(), module) == 0;
    }
    std::string tail = " " + program;
    return lineEnd - (start + 13) == tail.size() &&
           report.compare(start + 13, tail.size(), tail) == 0;
}

} // namespace

void ReadMapFile(std::istream& in, MapSymbolTable& symbols, MapLineTable& lines) {
    std::string line;
    std::string sourceFile;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        MapAddress address;
        if (line.size() > 22 && line[5] == ':') {
            size_t nameEnd = line.find(' ', 21);
            if (ParseAddress(line.substr(1, 4), line.substr(6, 8), address) && line[20] == ' ' &&
                nameEnd != std::string::npos) {
                symbols[address] = line.substr(21, nameEnd - 21);
            }
        } else if (line.rfind("Line numbers", 0) == 0) {
            size_t open = line.find('(');
            size_t close = line.rfind(')');
            size_t start = open == std::string::npos ? line.size() : open + 1;
            sourceFile =
                line.substr(start, close == std::string::npos || close < start ? std::string::npos
                                                                               : close - start);
        } else if (!sourceFile.empty() && line.size() == kLineNumberLineLength) {
            for (size_t c = 0; c < kLineNumberLineLength; c += kEntryLength) {
                if (ParseAddress(line.substr(c + 7, 4), line.substr(c + 12, 8), address)) {
                    lines[address] = {sourceFile, std::atoi(line.substr(c, 6).c_str())};
                }
            }
        }
    }
}

void LookUpMapSymbol(std::string& report, const std::string& programFileName,
                     const MapSymbolTable& symbols, const MapLineTable& lines) {
    for (size_t i = 4; i + 8 < report.size(); ++i) {
        MapAddress address;
        if (report[i] != ':' ||
            !ParseAddress(report.substr(i - 4, 4), report.substr(i + 1, 8), address) ||
            !NamesProgram(report, i - 4, programFileName)) {
            continue;
        }
        auto symbol = FindHolder(symbols, address);
        if (symbol == symbols.end()) {
            continue;
        }
        std::string text = Platform::DemangleSymbol(symbol->second);
        if (uint32_t displacement = address.offset - symbol->first.offset; displacement != 0) {
            text += StrFormat("+0x%X", displacement);
        }
        auto line = FindHolder(lines, address);
        // A line entry before the function's start belongs to another function (code without
        // line tables, such as the C start-up, would otherwise borrow the last line before it).
        if (line != lines.end() && !(line->first < symbol->first)) {
            text += StrFormat("\r\n    %s line %d +0x%X", line->second.first.c_str(),
                              line->second.second, address.offset - line->first.offset);
        }
        report.replace(i - 4, 13, text);
        // Go on after the name, whose own colons are no addresses.
        i = i - 4 + text.size();
    }
}

} // namespace Vuro
