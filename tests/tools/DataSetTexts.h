#pragma once
// A reader for the numbered text files of the data set.

#include "framework/util/XMLParser.h"
#include "tests/tools/DataSetApp.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace Vuro::Test {

// The texts <prefix>N (attribute "value") standing directly inside the top-level element root,
// by N, read as the game's readers read them. A file that does not open or does not parse to
// its end fails the test.
inline std::map<int, std::string> ReadNumberedTexts(const std::string& name,
                                                    const std::string& root = "HelpText",
                                                    const std::string& prefix = "Text") {
    std::map<int, std::string> texts;
    XMLParser parser;
    if (!parser.OpenFile(DataPath(name))) {
        ADD_FAILURE() << parser.GetErrorText();
        return texts;
    }
    XMLNode node;
    while (parser.ReadElement(&node)) {
        if (node.mKind == XMLNodeKind::Start && node.mSection == root &&
            node.mValue.rfind(prefix, 0) == 0) {
            int number = std::stoi(node.mValue.substr(prefix.size()));
            EXPECT_EQ(texts.count(number), 0u) << name << ": " << node.mValue << " twice";
            texts[number] = node.mAttributes["value"];
        }
    }
    EXPECT_EQ(parser.GetErrorText(), "") << name;
    return texts;
}

} // namespace Vuro::Test
