#include "framework/debug/ModVal.h"

#include "framework/app/VuroAppBase.h"
#include "framework/util/PathHelpers.h"
#include "framework/util/StringHelpers.h"
#include "platform/FileSystem.h"
#include "platform/Window.h"

#include <cctype>
#include <cstdint>
#include <cstdio>
#include <memory>

namespace Vuro {

namespace {

std::map<std::string, std::unique_ptr<ModValFileTable>>& Files() {
    static std::map<std::string, std::unique_ptr<ModValFileTable>> files;
    return files;
}

uint32_t gLastParseTime = 0;

void ShowBox(const std::string& text, const std::string& title, uint32_t flags) {
    if (gVuroApp != nullptr) {
        (void)gVuroApp->MsgBox(text, title, flags);
    } else {
        (void)Platform::GetWindowSystem().ShowMessageBox(text, title, flags);
    }
}

bool IsLetter(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

// Slot of a use site whose '(' stands at open, or -1. A name at the very start of the line
// counts as a use site too: nothing before it is a letter.
int SlotAt(const std::string& line, size_t open) {
    auto notLetterBefore = [&](size_t pos) { return pos == 0 || !IsLetter(line[pos - 1]); };
    if (open >= 1 && line[open - 1] == 'M' && notLetterBefore(open - 1)) {
        return 0;
    }
    if (open >= 2 && line[open - 1] >= '1' && line[open - 1] <= '9' && line[open - 2] == 'M' &&
        notLetterBefore(open - 2)) {
        return line[open - 1] - '0';
    }
    return -1;
}

void SetEntry(ModValFileTable& table, int slot, int line, int intValue, double realValue) {
    std::vector<ModValEntry>& entries = table.mSlots[slot];
    if (entries.size() < static_cast<size_t>(line) + 1) {
        entries.resize(static_cast<size_t>(line) + 1);
    }
    entries[static_cast<size_t>(line)] = ModValEntry{true, intValue, realValue};
}

// Whole lines, however long, so line numbers match the file's.
bool ReadLine(std::FILE* file, std::string& line) {
    line.clear();
    int c = 0;
    while ((c = std::fgetc(file)) != EOF) {
        if (c == '\n') {
            return true;
        }
        line += static_cast<char>(c);
    }
    return !line.empty();
}

// Parses one file into its emptied table; false after showing why it stopped.
bool ParseFile(const std::string& name, ModValFileTable& table) {
    std::FILE* file = Platform::OpenFile(name, "r");
    if (file == nullptr) {
        ShowBox("ERROR: Unable to open " + name + " for reparsing.", "MODVAL ERROR!",
                Platform::kMbIconError);
        return false;
    }
    std::string line;
    for (int lineNum = 1; ReadLine(file, line); ++lineNum) {
        bool used[kModValSlots] = {};
        for (size_t i = 0; i < line.size(); ++i) {
            int slot = line[i] == '(' ? SlotAt(line, i) : -1;
            if (slot < 0) {
                continue;
            }
            std::string argument = line.substr(i + 1);
            int intValue = 0;
            double realValue = 0.0;
            if (!ModValParseInt(argument, intValue) && !ModValParseDouble(argument, realValue)) {
                continue;
            }
            if (used[slot]) {
                std::fclose(file);
                ShowBox(StrFormat("ERROR in %s on line %d: If you want to use more than one M() "
                                  "value per line, you must use the numbered macros (ie: M1(), "
                                  "M2(), M3(), etc), using each one a maximum of once per line.  "
                                  "Alternatively, you may split up your statement into "
                                  "multiple lines.",
                                  name.c_str(), lineNum),
                        "MODVAL ERROR", Platform::kMbIconError);
                return false;
            }
            SetEntry(table, slot, lineNum, intValue, realValue);
            used[slot] = true;
        }
    }
    std::fclose(file);
    return true;
}

} // namespace

ModValFileTable* ModValRegisterFile(ModValSite& site) {
    if (site.mTable == nullptr) {
        std::unique_ptr<ModValFileTable>& table = Files()[site.mFileName];
        if (!table) {
            table = std::make_unique<ModValFileTable>();
        }
        site.mTable = table.get();
    }
    return site.mTable;
}

void ModValSetValue(int slot, ModValSite& site, int line, int intValue, double realValue) {
    SetEntry(*ModValRegisterFile(site), slot, line, intValue, realValue);
}

bool ReparseModValues() {
    if (gLastParseTime == 0) {
        gLastParseTime = GetFileDate(Platform::ExecutablePath());
    }
    bool changed = false;
    std::string parsed;
    for (auto& [name, table] : Files()) {
        for (std::vector<ModValEntry>& entries : table->mSlots) {
            entries.clear();
        }
        table->mReparsed = true;
        uint32_t date = GetFileDate(name);
        if (date > gLastParseTime) {
            changed = true;
            gLastParseTime = date;
        }
        if (!parsed.empty()) {
            parsed += "\r\n  ";
        }
        parsed += name;
        if (!ParseFile(name, *table)) {
            // Values read before the faulty line are dropped too: the file's tables stay empty.
            for (std::vector<ModValEntry>& entries : table->mSlots) {
                entries.clear();
            }
            return false;
        }
    }
    if (changed) {
        return true;
    }
    ShowBox("WARNING: No file changes detected.  Files parsed: \r\n  " +
                (parsed.empty() ? std::string("none") : parsed),
            "MODVAL WARNING!", Platform::kMbIconWarning);
    return false;
}

bool ModValParseInt(const std::string& text, int& out) {
    out = 0;
    size_t pos = 0;
    bool negative = pos < text.size() && text[pos] == '-';
    if (negative) {
        ++pos;
    }
    int base = 10;
    // Unsigned so an overlong number wraps instead of overflowing.
    uint32_t value = 0;
    for (; pos < text.size(); ++pos) {
        char c = text[pos];
        if (pos == 1 && text[0] == '0' && (c == 'x' || c == 'X')) {
            base = 16;
            continue;
        }
        int digit = -1;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (base == 16 && c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (base == 16 && c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        }
        if (digit < 0) {
            break;
        }
        value = value * static_cast<uint32_t>(base) + static_cast<uint32_t>(digit);
    }
    if (pos >= text.size() || text[pos] != ')') {
        return false;
    }
    out = static_cast<int>(negative ? 0u - value : value);
    return true;
}

bool ModValParseDouble(const std::string& text, double& out) {
    out = 0.0;
    size_t pos = 0;
    bool negative = pos < text.size() && text[pos] == '-';
    if (negative) {
        ++pos;
    }
    double value = 0.0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        value = value * 10.0 + (text[pos] - '0');
    }
    if (pos < text.size() && text[pos] == '.') {
        double weight = 0.1;
        for (++pos; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
            value += weight * (text[pos] - '0');
            weight *= 0.1;
        }
    }
    if (pos < text.size() && text[pos] == 'f') {
        ++pos;
    }
    if (pos >= text.size() || text[pos] != ')') {
        return false;
    }
    out = negative ? -value : value;
    return true;
}

} // namespace Vuro
