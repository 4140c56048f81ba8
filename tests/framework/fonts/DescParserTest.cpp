// The descriptor language: cutting a file into commands, tokenising, unquoting, defines and the
// conversions, with the exact error texts and the line a command starts on.

#include "framework/fonts/DescParser.h"

#include "framework/util/StringHelpers.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <memory>
#include <string>
#include <vector>

namespace Vuro {
namespace {

// Notes each command as text with the line it began on, and every error; a command named
// "fail" fails.
class RecordingParser : public DescParser {
public:
    bool Error(const std::string& text) override {
        errors.push_back(text + "@" + std::to_string(mCommandLine));
        return DescParser::Error(text);
    }
    bool HandleCommand(ListDataElement* params) override {
        commands.push_back(ElementToText(params) + "@" + std::to_string(mCommandLine));
        return ElementToText(params->mElementVector[0]) != "fail";
    }
    void Define(const std::string& name, DataElement* value) {
        mDefineMap[StringToUpper(name)] = value;
    }
    // Tokenises text alone and gives the printable form, or the error.
    std::string Tokens(const std::string& text) {
        ListDataElement list;
        if (!ParseToList(text, &list, false, nullptr)) {
            return "error: " + mError;
        }
        return ElementToText(&list);
    }

    std::vector<std::string> commands;
    std::vector<std::string> errors;
};

class DescParserTest : public ::testing::Test {
protected:
    bool Load(const std::string& text) {
        folder.Write("font.txt", text);
        return parser.LoadDescriptor(folder.Path("font.txt"));
    }

    Vuro::Test::TempFolder folder{"descparser"};
    RecordingParser parser;
};

TEST_F(DescParserTest, CommandsEndAtSemicolonsOrTheEndOfTheFileAndKeepTheirFirstLine) {
    EXPECT_TRUE(Load("one a;two b\r\n"
                     "\n"
                     "  three\n"
                     "    'x;y'\n"
                     "\tz;  # a comment ; with text\n"
                     "# a whole comment line\n"
                     "last q # not a comment"));
    std::vector<std::string> expected = {"(one, a)@1", "(two, b, three, 'x;y', z)@1",
                                         "(last, q, #, not, a, comment)@7"};
    EXPECT_EQ(parser.commands, expected);
    EXPECT_TRUE(parser.errors.empty());
    EXPECT_EQ(parser.mCommandLine, 0);
    EXPECT_TRUE(parser.mCommandText.empty());
}

TEST_F(DescParserTest, ACommandSpreadOverIndentedLinesReportsTheLineOfItsFirstCharacter) {
    EXPECT_TRUE(Load("\n\n   cmd\n      a\n      b;\n"));
    ASSERT_EQ(parser.commands.size(), 1u);
    EXPECT_EQ(parser.commands[0], "(cmd, a, b)@3");
}

TEST_F(DescParserTest, AFailingCommandStopsTheLoadAndEarlierCommandsStand) {
    EXPECT_FALSE(Load("first;\nfail now;\nnever;"));
    std::vector<std::string> expected = {"(first)@1", "(fail, now)@2"};
    EXPECT_EQ(parser.commands, expected);
}

TEST_F(DescParserTest, AMissingFileFailsWithoutAMessage) {
    EXPECT_FALSE(parser.LoadDescriptor(folder.Path("absent.txt")));
    EXPECT_TRUE(parser.errors.empty());
}

TEST_F(DescParserTest, AFolderOrAnEndlessDeviceIsAnErrorNotAnEmptyFont) {
    std::filesystem::create_directory(folder.Path("folder.txt"));
    EXPECT_FALSE(parser.LoadDescriptor(folder.Path("folder.txt")));
    // Only a regular file opens: the device is refused before a byte is read.
    EXPECT_FALSE(parser.LoadDescriptor("/dev/zero"));
    EXPECT_TRUE(parser.errors.empty());
    EXPECT_TRUE(parser.commands.empty());
}

TEST_F(DescParserTest, ErrorsNameTheLineOfTheFailingCommand) {
    EXPECT_FALSE(Load("ok;\n\n  bad (a b;\nnever;"));
    ASSERT_EQ(parser.errors.size(), 1u);
    EXPECT_EQ(parser.errors[0], "Unterminated List@3");
    EXPECT_EQ(parser.mError, "Unterminated List");
}

TEST_F(DescParserTest, BackslashesInsideQuotedTextKeepAQuoteFromClosingTheString) {
    // In the file: "a\"b;c" - the escaped quote does not close, so ';' stays inside.
    EXPECT_TRUE(Load("say \"a\\\"b;c\" d\\e;"));
    ASSERT_EQ(parser.commands.size(), 1u);
    // The tokeniser drops the backslash and keeps the quote after it.
    EXPECT_EQ(parser.commands[0], "(say, \"a\"b;c\", de)@1");
}

TEST_F(DescParserTest, TokenisingSeparatesAtBlanksAndCommasAndNestsLists) {
    EXPECT_EQ(parser.Tokens("a, b\tc\nd"), "(a, b, c, d)");
    EXPECT_EQ(parser.Tokens("(1 2)(3 4)"), "((1, 2), (3, 4))");
    EXPECT_EQ(parser.Tokens("x ((a) b)"), "(x, ((a), b))");
    EXPECT_EQ(parser.Tokens("\"two words\" a'b c'd"), "(\"two words\", a'b c'd)");
    EXPECT_EQ(parser.Tokens(" , ,"), "()");
}

TEST_F(DescParserTest, TokenisingErrorsHaveExactTexts) {
    EXPECT_EQ(parser.Tokens("a(b)"), "error: Unexpected List Start");
    EXPECT_EQ(parser.Tokens("a b)"), "error: Unexpected List End");
    EXPECT_EQ(parser.Tokens("(a b"), "error: Unterminated List");
    EXPECT_EQ(parser.Tokens("'abc"), "error: Unterminated Single Quotes");
    EXPECT_EQ(parser.Tokens("\"abc"), "error: Unterminated Double Quotes");
    EXPECT_FALSE(parser.ParseDescriptorLine("(a) b"));
    EXPECT_EQ(parser.mError, "Missing Command");
    EXPECT_TRUE(parser.ParseDescriptorLine(" ,, "));
    EXPECT_TRUE(parser.commands.empty());
}

TEST_F(DescParserTest, DeepNestingIsRefusedInsteadOfExhaustingTheStack) {
    std::string deep(DescParser::kMaxListDepth, '(');
    deep += std::string(DescParser::kMaxListDepth, ')');
    EXPECT_NE(parser.Tokens(deep).rfind("error", 0), 0u);
    EXPECT_EQ(parser.Tokens("(" + deep + ")"), "error: List Nested Too Deeply");
}

TEST_F(DescParserTest, ImmediateTokensAndUnquoting) {
    for (const char* token : {"0", "9x", "-", "+3", "'a'", "\"a\""}) {
        EXPECT_TRUE(DescParser::IsImmediate(token)) << token;
    }
    for (const char* token : {"", "a", "_1", "(", "#"}) {
        EXPECT_FALSE(DescParser::IsImmediate(token)) << token;
    }
    EXPECT_EQ(DescParser::Unquote("plain"), "plain");
    EXPECT_EQ(DescParser::Unquote("\"two words\""), "two words");
    EXPECT_EQ(DescParser::Unquote("\"a\"\"b\""), "a\"b");
    EXPECT_EQ(DescParser::Unquote("'it\"s'"), "it\"s");
    EXPECT_EQ(DescParser::Unquote("'a'''"), "a''");
}

TEST_F(DescParserTest, DefinesAreFoundWithoutRegardToCaseAndReplaceNames) {
    parser.Define("width", new SingleDataElement("12"));
    auto* pair = new ListDataElement();
    pair->mElementVector.push_back(new SingleDataElement("1"));
    pair->mElementVector.push_back(new SingleDataElement("'q'"));
    parser.Define("Pair", pair);
    EXPECT_NE(parser.GetDefine("WIDTH"), nullptr);
    EXPECT_NE(parser.GetDefine("wIdTh"), nullptr);

    ListDataElement src;
    ASSERT_TRUE(parser.ParseToList("Width 'x' 7 (PAIR) pair", &src, false, nullptr));
    ListDataElement dst;
    ASSERT_TRUE(parser.DereferenceList(&src, &dst));
    EXPECT_EQ(DescParser::ElementToText(&dst), "(12, x, 7, ((1, 'q')), (1, 'q'))");

    ASSERT_TRUE(parser.ParseToList("nothing", &src, false, nullptr));
    EXPECT_FALSE(parser.DereferenceList(&src, &dst));
    EXPECT_EQ(parser.mError, "Unable to Dereference \"nothing\"");
}

TEST_F(DescParserTest, ConversionsOfSingleValuesListsAndDefines) {
    parser.Define("NAME", new SingleDataElement("'Bob'"));
    auto* widths = new ListDataElement();
    widths->mElementVector.push_back(new SingleDataElement("3"));
    widths->mElementVector.push_back(new SingleDataElement("0x10"));
    parser.Define("WIDTHS", widths);
    SingleDataElement name("name");
    SingleDataElement quoted("\"hi\"");
    SingleDataElement listName("widths");
    SingleDataElement unknown("nowhere");

    std::string text;
    EXPECT_TRUE(parser.ElementToString(&name, &text));
    EXPECT_EQ(text, "Bob");
    EXPECT_TRUE(parser.ElementToString(&quoted, &text));
    EXPECT_EQ(text, "hi");
    EXPECT_FALSE(parser.ElementToString(&listName, &text));

    std::vector<int> ints;
    EXPECT_TRUE(parser.ElementToInts(&listName, &ints));
    EXPECT_EQ(ints, (std::vector<int>{3, 16}));
    ListDataElement list;
    ASSERT_TRUE(parser.ParseToList("1 -2 x", &list, false, nullptr));
    EXPECT_FALSE(parser.ElementToInts(&list, &ints)); // x names no define
    EXPECT_EQ(parser.mError, "Unable to Dereference \"x\"");
    delete list.mElementVector.back();
    list.mElementVector.pop_back();
    delete list.mElementVector.back();
    list.mElementVector.back() = new SingleDataElement("0.25");
    std::vector<double> doubles;
    EXPECT_TRUE(parser.ElementToDoubles(&list, &doubles));
    EXPECT_EQ(doubles, (std::vector<double>{1.0, 0.25}));

    std::vector<std::string> texts;
    parser.mError.clear();
    EXPECT_FALSE(parser.ElementToStrings(&unknown, &texts));
    EXPECT_EQ(parser.mError, "Unable to Dereference \"nowhere\"");
    parser.mError.clear();
    ListDataElement out;
    EXPECT_FALSE(parser.ElementToList(&unknown, &out)); // silently
    EXPECT_EQ(parser.mError, "");
    EXPECT_FALSE(parser.ElementToStrings(&name, &texts)); // a single define
    EXPECT_TRUE(parser.ElementToList(&listName, &out));
    EXPECT_EQ(DescParser::ElementToText(&out), "(3, 0x10)");

    ListDataElement nested;
    ASSERT_TRUE(parser.ParseToList("a (b)", &nested, false, nullptr));
    delete nested.mElementVector[0];
    nested.mElementVector[0] = new SingleDataElement("1");
    EXPECT_FALSE(parser.ElementToStrings(&nested, &texts));
    EXPECT_TRUE(texts.empty());
}

TEST_F(DescParserTest, AValueBuiltFromDefinesCannotGrowWithoutBound) {
    auto* wide = new ListDataElement();
    for (int i = 0; i < 300; ++i) {
        wide->mElementVector.push_back(new SingleDataElement("1"));
    }
    parser.Define("WIDE", wide);
    std::string text;
    for (int i = 0; i < 300; ++i) {
        text += "wide ";
    }
    ListDataElement src;
    ASSERT_TRUE(parser.ParseToList(text, &src, false, nullptr));
    ListDataElement dst;
    EXPECT_FALSE(parser.DereferenceList(&src, &dst));
    EXPECT_EQ(parser.mError, "List Too Large");
}

TEST(DataElementTest, ListsCopyDeeply) {
    ListDataElement list;
    auto* inner = new ListDataElement();
    inner->mElementVector.push_back(new SingleDataElement("a"));
    list.mElementVector.push_back(inner);
    ListDataElement copy(list);
    static_cast<SingleDataElement*>(inner->mElementVector[0])->mText = "changed";
    EXPECT_EQ(DescParser::ElementToText(&copy), "((a))");
    ListDataElement assigned;
    assigned.mElementVector.push_back(new SingleDataElement("old"));
    assigned = copy;
    EXPECT_EQ(DescParser::ElementToText(&assigned), "((a))");
    std::unique_ptr<DataElement> dup(list.Duplicate());
    EXPECT_EQ(DescParser::ElementToText(dup.get()), "((changed))");
}

} // namespace
} // namespace Vuro
