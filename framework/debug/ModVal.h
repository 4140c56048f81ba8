#pragma once
// Run-time tuning values: numeric constants in source code that a developer changes while the
// program runs. A use site, written M(value) or M1(value) .. M9(value) when a line holds
// several, owns a ModValSite naming its source file; its file registers on first use, and
// ReparseModValues re-reads every registered file and stores the numbers it finds per slot
// and line, where the use sites look them up.
//
// - Slot 0 holds M() values, slots 1..9 M1() .. M9(); tables are indexed by line from 1.
// - A reparse replaces all values of all registered files; a file that cannot be read or a
//   line with two values of one slot stops it with a message box (files before keep their
//   new values, the failing one is left empty, files after keep their old ones).
// - Main thread only.

#include <map>
#include <string>
#include <vector>

namespace Vuro {

inline constexpr int kModValSlots = 10;

struct ModValEntry {
    bool mSet = false;
    int mInt = 0;
    double mReal = 0.0;
};

struct ModValFileTable {
    bool mReparsed = false;
    std::vector<ModValEntry> mSlots[kModValSlots]; // per slot, indexed by line
};

// A use site's record: its file, and its file's table once registered. Sites are static
// objects; the registry keeps no pointer to them.
struct ModValSite {
    const char* mFileName;
    ModValFileTable* mTable = nullptr; // null until registered
};

// Registers the site's file on first use; answers the file's table (it lives until exit).
ModValFileTable* ModValRegisterFile(ModValSite& site);
// Re-reads every registered file. True when at least one changed since the last parse and all
// were read; otherwise the reason is shown in a message box.
bool ReparseModValues();
void ModValSetValue(int slot, ModValSite& site, int line, int intValue, double realValue);
// Parse the argument text after the '(' up to its ')'; false (value 0) when it is no number.
bool ModValParseInt(const std::string& text, int& out);
bool ModValParseDouble(const std::string& text, double& out);

} // namespace Vuro
