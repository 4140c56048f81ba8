// Writes the program's map file at build time, from the program's own symbols (nm) and line
// tables (objdump --dwarf=decodedline), so a crash report can name functions and source lines.
// Addresses are logical: the section's index in the program file's section table and the
// distance from its start, as the crash report writes them.
//
// The format is the one the crash reporter reads:
// - a public symbol line: a blank, the section in 4 hexadecimal digits, ':', the offset in 8,
//   blanks up to column 21, the linker's name, a blank and the address;
// - per source file a line "Line numbers for (<file>) segment .text", then lines of exactly 80
//   characters, each with four entries "%6d %04X:%08X" (line, section, offset); the last line
//   of a file repeats its last entry to fill its four.
//
// Usage: makemap <nm> <objdump> <program> <map file>

#include <elf.h>

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Section {
    uint64_t address = 0;
    uint64_t size = 0;
};

struct LineEntry {
    int line = 0;
    uint32_t section = 0;
    uint64_t offset = 0;
};

// The program's sections that are loaded, by index; false when it is not a 64-bit ELF file.
bool ReadSections(const std::string& path, std::vector<Section>& sections) {
    std::ifstream file(path, std::ios::binary);
    Elf64_Ehdr header{};
    if (!file.read(reinterpret_cast<char*>(&header), sizeof(header)) ||
        std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 ||
        header.e_ident[EI_CLASS] != ELFCLASS64 || header.e_shentsize != sizeof(Elf64_Shdr)) {
        return false;
    }
    sections.assign(header.e_shnum, Section());
    file.seekg(static_cast<std::streamoff>(header.e_shoff));
    for (Section& section : sections) {
        Elf64_Shdr entry{};
        if (!file.read(reinterpret_cast<char*>(&entry), sizeof(entry))) {
            return false;
        }
        // Thread-local sections overlap others in the address space: never a code address.
        if ((entry.sh_flags & SHF_ALLOC) != 0 && (entry.sh_flags & SHF_TLS) == 0) {
            section = Section{entry.sh_addr, entry.sh_size};
        }
    }
    return true;
}

bool Locate(const std::vector<Section>& sections, uint64_t address, uint32_t& index,
            uint64_t& offset) {
    for (size_t i = 1; i < sections.size(); ++i) {
        const Section& s = sections[i];
        if (s.size > 0 && address >= s.address && address < s.address + s.size) {
            index = static_cast<uint32_t>(i);
            offset = address - s.address;
            return true;
        }
    }
    return false;
}

// Runs a tool and hands each line of its output to `take`.
template <typename Take> bool ForEachOutputLine(const std::string& command, Take take) {
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return false;
    }
    std::string line;
    char chunk[4096];
    while (std::fgets(chunk, sizeof(chunk), pipe) != nullptr) {
        line += chunk;
        if (!line.empty() && line.back() == '\n') {
            line.pop_back();
            take(line);
            line.clear();
        }
    }
    if (!line.empty()) {
        take(line);
    }
    return pclose(pipe) == 0;
}

std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

std::string EntryText(const LineEntry& entry) {
    char text[32];
    std::snprintf(text, sizeof(text), "%6d %04X:%08" PRIX64, entry.line, entry.section,
                  entry.offset);
    return text;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::cerr << "usage: makemap <nm> <objdump> <program> <map file>\n";
        return 2;
    }
    const std::string nm = argv[1];
    const std::string objdump = argv[2];
    const std::string program = argv[3];
    std::vector<Section> sections;
    if (!ReadSections(program, sections)) {
        std::cerr << "makemap: " << program << " is not a 64-bit ELF program\n";
        return 1;
    }

    std::ostringstream publics;
    bool symbolsRead = ForEachOutputLine(
        Quoted(nm) + " --defined-only " + Quoted(program), [&](const std::string& line) {
            std::istringstream fields(line);
            std::string address;
            std::string type;
            std::string name;
            uint32_t section = 0;
            uint64_t offset = 0;
            if (fields >> address >> type >> name &&
                Locate(sections, std::stoull(address, nullptr, 16), section, offset)) {
                char prefix[32];
                std::snprintf(prefix, sizeof(prefix), " %04X:%08" PRIX64 "       ", section,
                              offset);
                publics << prefix << name << ' ' << address << '\n';
            }
        });

    // Entries by source file. decodedline names a file in a line of its own ("CU: <file>:",
    // "<file>:" or "<file>:[++]") when its rows begin, and each row "<name> <line> 0x<address>
    // ..." by its file's last part only: a row's file is the last one named with that part.
    std::map<std::string, std::vector<LineEntry>> lines;
    std::map<std::string, std::string> pathOfName;
    auto nameFile = [&](const std::string& path) {
        pathOfName[path.substr(path.find_last_of('/') + 1)] = path;
    };
    bool linesRead = ForEachOutputLine(
        Quoted(objdump) + " --dwarf=decodedline " + Quoted(program), [&](const std::string& line) {
            std::string text = line;
            if (text.rfind("CU: ", 0) == 0) {
                text = text.substr(4);
            }
            if (text.size() > 5 && text.compare(text.size() - 5, 5, ":[++]") == 0) {
                nameFile(text.substr(0, text.size() - 5));
                return;
            }
            if (!text.empty() && text.back() == ':' && text.find(' ') == std::string::npos) {
                nameFile(text.substr(0, text.size() - 1));
                return;
            }
            std::istringstream fields(text);
            std::string name;
            std::string number;
            std::string address;
            if (!(fields >> name >> number >> address) || address.rfind("0x", 0) != 0 ||
                number.find_first_not_of("0123456789") != std::string::npos) {
                return;
            }
            auto known = pathOfName.find(name);
            LineEntry entry;
            entry.line = std::stoi(number);
            if (entry.line > 0 &&
                Locate(sections, std::stoull(address, nullptr, 16), entry.section, entry.offset)) {
                lines[known != pathOfName.end() ? known->second : name].push_back(entry);
            }
        });
    if (!symbolsRead) {
        std::cerr << "makemap: " << nm << " failed on " << program << "\n";
        return 1;
    }
    // A report without source lines still names every function.
    if (!linesRead) {
        std::cerr << "makemap: warning: " << objdump << " read no line tables of " << program
                  << "; the map names functions only\n";
        lines.clear();
    }

    std::ofstream out(argv[4], std::ios::binary | std::ios::trunc);
    out << "Map of " << program << "\n\n  Address         Publics by Value\n\n" << publics.str();
    for (const auto& [file, entries] : lines) {
        out << "\nLine numbers for (" << file << ") segment .text\n\n";
        for (size_t i = 0; i < entries.size(); i += 4) {
            for (size_t j = i; j < i + 4; ++j) {
                out << EntryText(entries[std::min(j, entries.size() - 1)]);
            }
            out << '\n';
        }
    }
    if (!out.flush()) {
        std::cerr << "makemap: cannot write " << argv[4] << "\n";
        return 1;
    }
    return 0;
}
