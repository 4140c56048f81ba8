#pragma once
// The font descriptor language: reads a file, cuts it into commands (';' ends one; a '#' as the
// first non-blank character of a line or after a ';' starts a comment), turns each command into
// a tree of values and hands it to HandleCommand, which a client supplies. Keeps named values
// (defines, matched without regard to case) and converts values for the commands.
//
// What a caller can rely on:
// - Every message goes through the virtual Error, whose result is false; the command then ends
//   with false and LoadDescriptor stops reading. Commands run before keep their effects.
// - mCommandLine (1-based) and mCommandText describe the command being run while
//   LoadDescriptor is reading, so that an error can name them; both are cleared afterwards.
// - Lists may nest at most kMaxListDepth deep ("List Nested Too Deeply") and a value made from
//   defines holds at most kMaxValues values ("List Too Large"), so a hostile file can exhaust
//   neither the stack nor memory.

#include "framework/fonts/DataElement.h"

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace Vuro {

class DescParser {
public:
    static constexpr int kMaxListDepth = 64;
    static constexpr int kMaxValues = 65536;
    static constexpr size_t kMaxDescriptorBytes = 4u << 20;

    DescParser() = default;
    DescParser(const DescParser&) = delete;
    DescParser& operator=(const DescParser&) = delete;

    // Stores the text as the last error; false.
    virtual bool Error(const std::string& text);
    // The value stored under the name in upper case, or null.
    virtual DataElement* GetDefine(const std::string& name);
    // params holds the command name first and the arguments after it; true on success.
    virtual bool HandleCommand(ListDataElement* params) = 0;
    virtual ~DescParser();

    // Reads and runs a whole file; true when it was opened and no command failed. A file that
    // cannot be opened gives false without a message.
    [[nodiscard]] bool LoadDescriptor(const std::string& fileName);
    // The same on a stream already open; the caller closes it.
    [[nodiscard]] bool LoadDescriptorStream(FILE* file);
    // Tokenises one command and runs it; a command made only of separators does nothing.
    bool ParseDescriptorLine(const std::string& text);
    // Tokenises text from *pos (from 0 when pos is null) into list; with expectListEnd the
    // call ends at the ')' closing the list.
    bool ParseToList(const std::string& text, ListDataElement* list, bool expectListEnd, int* pos);
    // A literal (digit, sign or quote first) rather than a define name.
    static bool IsImmediate(const std::string& token);
    // The text between the quotes of a quoted token; a doubled quote inside gives one.
    static std::string Unquote(const std::string& token);
    // Copies src into dst, unquoting texts and replacing define names by their values.
    bool DereferenceList(ListDataElement* src, ListDataElement* dst);

    static std::string ElementToText(DataElement* element);
    bool ElementToString(DataElement* element, std::string* out);
    bool ElementToStrings(DataElement* element, std::vector<std::string>* out);
    bool ElementToList(DataElement* element, ListDataElement* out);
    bool ElementToInts(DataElement* element, std::vector<int>* out);
    bool ElementToDoubles(DataElement* element, std::vector<double>* out);

    std::string mError;       // last text stored by the base Error
    int mCommandLine = 0;     // line on which the running command begins; 0 outside loading
    std::string mCommandText; // text of the command being read or run
    std::map<std::string, DataElement*> mDefineMap; // upper-case name to its owned value

protected:
    bool UnableToDereference(const std::string& token);

private:
    bool DereferenceInto(ListDataElement* src, ListDataElement* dst, int* budget);

    int mListDepth = 0; // nesting of ParseToList calls
};

} // namespace Vuro
