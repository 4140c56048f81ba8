#pragma once
// A pull parser for the small, forgiving XML dialect of the data files (levels, texts, branding).
//
// Usage: construct, OpenFile, then call ReadElement with one reused XMLNode until it returns
// false. At a clean end of file the error text is empty; after a failure it holds the message
// and GetCurrentLineNum the line it happened on. Read no further after the first false.
//
// - The parser keeps the path of open elements (the section) and checks end tags against it.
//   A self-closing tag is returned as a start element followed by its end element.
// - Values (tag names, text, attribute names and values) have their entities decoded
//   (XMLDecodeString); instruction and comment texts are kept as written.
// - Files are read as text: a CR LF pair reads as one line feed, so Windows-written files parse
//   the same as Unix ones.
// - Document type declarations, character sets and numeric references are not understood.
// - A start tag whose section (the open tags' names joined by "/") would pass
//   kMaxSectionLength bytes fails with "Elements Nested Too Deeply", so every file reads in
//   time linear in its size.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace Vuro {

enum class XMLNodeKind : int32_t {
    None = 0,
    Start = 1,       // <name attributes>
    End = 2,         // </name>
    Text = 3,        // text between tags, white space runs folded to one space
    Instruction = 4, // <?target ...?>
    Comment = 5,     // <!-- ... -->
};

using XMLAttributeMap = std::map<std::string, std::string>;

// One element, filled by XMLParser::ReadElement; the caller owns and reuses it.
struct XMLNode {
    XMLNode() = default;
    // Copies rebuild the order list so that it refers to the copy's own map.
    XMLNode(const XMLNode& other);
    XMLNode& operator=(const XMLNode& other);

    XMLNodeKind mKind = XMLNodeKind::None;
    std::string mSection;     // open start tags joined by "/", before this element
    std::string mValue;       // tag name, text, instruction target, or "!--" for a comment
    std::string mInstruction; // after an instruction's target (undecoded), or a comment's text
    XMLAttributeMap mAttributes;
    // The attributes in the order they were written; a name given twice is listed twice (both
    // entries hold the later value).
    std::vector<XMLAttributeMap::iterator> mAttributeOrder;
};

class XMLParser {
public:
    static constexpr size_t kMaxSectionLength = 1024;

    XMLParser();
    virtual ~XMLParser();

    XMLParser(const XMLParser&) = delete;
    XMLParser& operator=(const XMLParser&) = delete;

    // False, with the error "Unable to open file <name>", when the file cannot be read.
    [[nodiscard]] bool OpenFile(const std::string& fileName);
    // Parses a copy of text as if it were the file `fileName`.
    [[nodiscard]] bool OpenBuffer(std::string_view text, const std::string& fileName);
    // Starts over at line 1 with an empty section and no error.
    void Init();

    // Fills node with the next element. False at the end of the file (error text empty) or on
    // a failure (error text set, node partly filled).
    bool ReadElement(XMLNode* node);

    std::string GetErrorText() const { return mErrorText; }
    int GetCurrentLineNum() const { return mLineNum; }
    std::string GetFileName() const { return mFileName; }
    bool HasFailed() const { return mHasFailed; }

    // While false (the default) comments are read and skipped.
    void SetReturnComments(bool returnComments) { mReturnComments = returnComments; }

    // Records the message (without the line number; callers add it).
    void Fail(const std::string& message);
    // Sets name to value and lists it in the order, except the name "/". True when it was new.
    bool AddAttribute(XMLNode* node, const std::string& name, const std::string& value);

private:
    int NextChar();
    void Close();
    // Starts on the file just opened (mFile); fails as OpenFile does when it is null.
    bool Begin(const std::string& fileName);

    std::string mFileName;
    std::string mErrorText;
    int mLineNum = 0;
    FILE* mFile = nullptr;
    bool mHasFailed = false;
    bool mReturnComments = false;
    std::string mPushback; // read again before the file, last character first
    std::string mSection;
    std::string mBuffer; // the bytes behind a stream opened by OpenBuffer
};

// Replaces the references &lt; &amp; &gt; &quot; &apos; &nbsp; (a space) and &cr; (a line feed);
// any other reference becomes "&" and a lone "&" is kept.
std::string XMLDecodeString(const std::string& text);

} // namespace Vuro
