#include "framework/util/XMLParser.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace Vuro {
namespace {

std::string FixturePath(const std::string& name) {
    return std::string(VURO_SOURCE_DIR) + "/tests/framework/util/fixtures/xml/" + name;
}

std::string Escape(const std::string& text) {
    std::string result;
    for (char c : text) {
        result += c == '\n' ? std::string("\\n") : std::string(1, c);
    }
    return result;
}

// Every element as "kind|section|value|instruction|name=value,..." (attributes in their order),
// then "false|error text|line number".
std::vector<std::string> Transcript(const std::string& path, bool returnComments) {
    XMLParser parser;
    parser.SetReturnComments(returnComments);
    std::vector<std::string> lines;
    if (!parser.OpenFile(path)) {
        lines.push_back("open failed|" + parser.GetErrorText());
        return lines;
    }
    XMLNode node;
    while (parser.ReadElement(&node)) {
        std::string line = std::to_string(static_cast<int>(node.mKind)) + "|" + node.mSection +
                           "|" + node.mValue + "|" + node.mInstruction + "|";
        for (size_t i = 0; i < node.mAttributeOrder.size(); ++i) {
            line += (i > 0 ? "," : "") + node.mAttributeOrder[i]->first + "=" +
                    node.mAttributeOrder[i]->second;
        }
        lines.push_back(Escape(line));
    }
    lines.push_back("false|" + parser.GetErrorText() + "|" +
                    std::to_string(parser.GetCurrentLineNum()));
    return lines;
}

// The fixture as written (LF) and a copy with CR LF line ends must read the same.
void ExpectTranscript(const std::string& fixture, const std::vector<std::string>& expected,
                      bool returnComments = false) {
    EXPECT_EQ(Transcript(FixturePath(fixture), returnComments), expected) << fixture;

    std::ifstream in(FixturePath(fixture), std::ios::binary);
    std::string text(std::istreambuf_iterator<char>(in), {});
    std::string crlf;
    for (char c : text) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    auto copy = std::filesystem::temp_directory_path() /
                ("vuro_crlf_" + std::to_string(::getpid()) + "_" + fixture);
    std::ofstream(copy, std::ios::binary) << crlf;
    EXPECT_EQ(Transcript(copy.string(), returnComments), expected) << fixture << " (CR LF)";
    std::filesystem::remove(copy);
}

TEST(XMLParser, SelfClosingTagYieldsStartAndEnd) {
    ExpectTranscript("self_closing.xml",
                     {"1||a||", "1|a|b||x=1,y=2,y=2", "2|a/b|b||", "2|a|a||", "false||4"});
    ExpectTranscript("self_closing_space.xml",
                     {"1||r||", "1|r|b||", "2|r/b|b||", "1|r|b||", "2|r/b|b||", "1|r|c||k=v",
                      "2|r/c|c||", "2|r|r||", "false||5"});
}

TEST(XMLParser, ProcessingInstructionKeepsItsTextUndecoded) {
    ExpectTranscript("instruction.xml",
                     {"4||xml| version=\"1.0\"|", "1||r||", "2|r|r||", "false||3"});
}

TEST(XMLParser, CommentsAreSkippedOrReturned) {
    ExpectTranscript("comment.xml", {"1||r||", "1|r|x||", "2|r/x|x||", "2|r|r||", "false||6"});
    ExpectTranscript("comment.xml",
                     {"1||r||", "5|r|!--|a comment\\n  over two lines |", "1|r|x||", "2|r/x|x||",
                      "2|r|r||", "false||6"},
                     true);
    // Without white space after "!--" it is a start tag that no end tag can match.
    ExpectTranscript("comment_no_space.xml",
                     {"1||r||", "1|r|!--x--||", "false|End 'r' Doesn't Match Start '!--x--'|3"});
}

TEST(XMLParser, TextFoldsWhiteSpaceAndMustBeClosed) {
    ExpectTranscript("text.xml", {"1||t||", "3|t|two words||", "2|t|t||", "false||4"});
    ExpectTranscript("text_at_end.xml", {"1||t||", "false|Unexpected End of File|2"});
}

TEST(XMLParser, AttributeValues) {
    ExpectTranscript("attributes.xml",
                     {"1||a||v=xy,w=d", "2|a|a||",
                      // A quoted value ending in "/" closes the tag and loses the "/".
                      "1||q||p=dir,p=dir", "2|q|q||",
                      // A name given twice holds the later value; a tab separates attributes.
                      "1||d||x=2,x=2,z=3,z=3", "2|d|d||",
                      // Decoded once only: "&amp;lt;" stays "&lt;".
                      "1||s||v=&lt;,v=&lt;", "2|s|s||", "false||6"});
}

TEST(XMLParser, EntitiesInValuesAndText) {
    ExpectTranscript("entities.xml", {"1||e||n=<&foo;&amp,m=A & B; C", "3|e|< &foo; &amp||",
                                      "2|e|e||", "false||2"});
}

TEST(XMLParser, FailuresCarryTheirLineNumber) {
    ExpectTranscript("unexpected_end.xml", {"false|Unexpected End|2"});
    ExpectTranscript("mismatch.xml", {"1||a||", "false|End 'b' Doesn't Match Start 'a'|3"});
    ExpectTranscript("illegal.xml", {"1||a||", "false|Illegal Character|2"});
    ExpectTranscript("unexpected_lt.xml", {"1||a||", "false|Unexpected '<'|2"});
    ExpectTranscript("unexpected_gt.xml", {"1||a||", "false|Unexpected '>'|2"});
}

TEST(XMLParser, EveryLineFeedCounts) {
    // Line feeds inside an instruction, a comment and a quoted value all count.
    ExpectTranscript("lines.xml", {"4||pi| one\\ntwo|", "1||a||v=one\\ntwo", "2|a|a||",
                                   "false|Unexpected End|8"});
}

TEST(XMLParser, ASectionPastTheLimitFailsBeforeItCostsQuadraticTime) {
    const size_t limit = XMLParser::kMaxSectionLength;
    std::string nested;
    for (int i = 0; i < 1000000; ++i) {
        nested += "<x>";
    }
    struct Case {
        std::string text;
        int elementsRead;
        std::string error;
    };
    const Case cases[] = {
        {"<" + std::string(limit, 'n') + "/>", 2, ""},
        {"<" + std::string(limit + 1, 'n') + "/>", 0, "Elements Nested Too Deeply"},
        // "x/x/.../x" of 512 names is 1023 bytes; the 513th start would make it 1025.
        {nested.substr(0, 512 * 3), 512, ""},
        {nested.substr(0, 513 * 3), 512, "Elements Nested Too Deeply"},
        // A help text file that opens a million elements: the texts before them are read.
        {"<HelpText>\n<Text1 value=\"a\"/>" + nested, 3 + 508, "Elements Nested Too Deeply"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 40));
        XMLParser parser;
        ASSERT_TRUE(parser.OpenBuffer(c.text, "deep.xml"));
        XMLNode node;
        int read = 0;
        while (parser.ReadElement(&node)) {
            ++read;
        }
        EXPECT_EQ(read, c.elementsRead);
        EXPECT_EQ(parser.GetErrorText(), c.error);
    }
}

TEST(XMLParser, MissingFile) {
    XMLParser parser;
    EXPECT_FALSE(parser.OpenFile(FixturePath("no_such_file.xml")));
    EXPECT_EQ(parser.GetErrorText(), "Unable to open file " + FixturePath("no_such_file.xml"));
    EXPECT_EQ(parser.GetCurrentLineNum(), 0);
    EXPECT_TRUE(parser.HasFailed());
}

TEST(XMLParser, BufferReadsLikeAFile) {
    XMLParser parser;
    ASSERT_TRUE(parser.OpenBuffer("<a k=\"v\">\r\n</a>", "memory.xml"));
    EXPECT_EQ(parser.GetFileName(), "memory.xml");
    XMLNode node;
    ASSERT_TRUE(parser.ReadElement(&node));
    EXPECT_EQ(node.mAttributes.at("k"), "v");
    ASSERT_TRUE(parser.ReadElement(&node));
    EXPECT_EQ(node.mKind, XMLNodeKind::End);
    EXPECT_FALSE(parser.ReadElement(&node));
    EXPECT_EQ(parser.GetErrorText(), "");
    EXPECT_EQ(parser.GetCurrentLineNum(), 2);
}

TEST(XMLParser, AddAttributeListsRepeatsButNeverTheSlash) {
    XMLParser parser;
    XMLNode node;
    EXPECT_TRUE(parser.AddAttribute(&node, "a", "1"));
    EXPECT_FALSE(parser.AddAttribute(&node, "a", "2"));
    EXPECT_TRUE(parser.AddAttribute(&node, "/", ""));
    ASSERT_EQ(node.mAttributeOrder.size(), 2u);
    EXPECT_EQ(node.mAttributeOrder[0]->second, "2");
    EXPECT_EQ(node.mAttributes.size(), 2u);
}

TEST(XMLParser, CopiedNodeOrderRefersToItsOwnAttributes) {
    XMLParser parser;
    XMLNode node;
    parser.AddAttribute(&node, "b", "1");
    parser.AddAttribute(&node, "a", "2");
    XMLNode copy(node);
    XMLNode assigned;
    assigned = node;
    node.mAttributes["b"] = "changed";
    for (const XMLNode* other : {&copy, &assigned}) {
        ASSERT_EQ(other->mAttributeOrder.size(), 2u);
        EXPECT_EQ(other->mAttributeOrder[0]->first, "b");
        EXPECT_EQ(other->mAttributeOrder[0]->second, "1");
        EXPECT_EQ(other->mAttributeOrder[1]->second, "2");
        EXPECT_EQ(&other->mAttributeOrder[0]->second, &other->mAttributes.at("b"));
    }
}

TEST(XMLDecodeString, KnownReferencesOnly) {
    EXPECT_EQ(XMLDecodeString("&lt;&gt;&amp;&quot;&apos;&nbsp;&cr;"), "<>&\"' \n");
    // Unknown, numeric or differently cased references and a lone "&" stay as written.
    EXPECT_EQ(XMLDecodeString("A & B; C"), "A & B; C");
    EXPECT_EQ(XMLDecodeString("&LT;&#65;&foo;x"), "&LT;&#65;&foo;x");
    EXPECT_EQ(XMLDecodeString("tail &amp"), "tail &amp");
    EXPECT_EQ(XMLDecodeString("&amp;amp;"), "&amp;");
    EXPECT_EQ(XMLDecodeString(""), "");
}

TEST(XMLDecodeString, ManyAmpersandsWithoutASemicolonDecodeInOnePass) {
    // Searching for the next ";" from every "&" took quadratic time: minutes for this text.
    const std::string text(2 << 20, '&');
    // The last "&" starts "&amp;", which decodes to the "&" it stands for.
    EXPECT_TRUE(XMLDecodeString(text + "amp;") == text);
}

} // namespace
} // namespace Vuro
