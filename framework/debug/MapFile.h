#pragma once
// The program's map file, made at build time beside the program (tools/mapfile), and the
// naming of a crash report's logical addresses through it.
//
// - ReadMapFile fills the tables from the map file's public symbol lines and its line-number
//   blocks; lines it does not know are skipped.
// - LookUpMapSymbol replaces each logical address of the program in the report ("SSSS:OOOOOOOO"
//   on a stack line that ends with the program's file name, or on the "Logical Address:" line
//   after a "Module:" line naming it) with the function holding it, the distance from the
//   function's start when not 0 ("+0x10") and, where the line table knows it, the source file
//   and line on a line of their own ("\r\n    <file> line <n> +0x<distance>"); a line entry
//   before the function's start is not its own and is not used. Addresses of
//   other modules (libraries with their own sections) are left as they are.

#include <cstdint>
#include <istream>
#include <map>
#include <string>
#include <utility>

namespace Vuro {

// A logical address; ordered by section, then offset.
struct MapAddress {
    uint32_t section = 0;
    uint32_t offset = 0;
    bool operator<(const MapAddress& other) const {
        return section != other.section ? section < other.section : offset < other.offset;
    }
};

using MapSymbolTable = std::map<MapAddress, std::string>;
using MapLineTable = std::map<MapAddress, std::pair<std::string, int>>;

void ReadMapFile(std::istream& in, MapSymbolTable& symbols, MapLineTable& lines);
void LookUpMapSymbol(std::string& report, const std::string& programFileName,
                     const MapSymbolTable& symbols, const MapLineTable& lines);

} // namespace Vuro
