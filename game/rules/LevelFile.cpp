#include "game/rules/LevelFile.h"

#include "framework/util/StringHelpers.h"
#include "framework/util/XMLParser.h"
#include "game/rules/FruitBox.h"
#include "game/rules/FruitTree.h"
#include "game/rules/PlayField.h"

namespace Vuro {

namespace {

// A missing, empty or malformed attribute reads as 0.
int Attrib(const XMLNode& node, int index) {
    auto it = node.mAttributes.find(StrFormat("attrib%d", index));
    int value = 0;
    if (it != node.mAttributes.end()) {
        (void)StringToInt(it->second, &value);
    }
    return value;
}

// The reader's counters; the element names it looks for are built from them.
struct ReadState {
    int tree = 1;
    int box = 1;
    int item = 1;
    int entry = 1;
    int treeNum = 0;
    int matrixNum = 0;
    int fruitBoxNum = 0;
    int timeNum = 0;
    FruitTree scratchTree;
    FruitBox scratchBox;
};

void ReadInit(const XMLNode& node, ReadState& s, PlayField& field) {
    const std::string& name = node.mValue;
    if (name == "TreeNum") {
        s.treeNum = Attrib(node, 1);
    } else if (name == StrFormat("Tree%d", s.tree)) {
        s.scratchTree.Set(Attrib(node, 1), Attrib(node, 2), Attrib(node, 3), Attrib(node, 4),
                          Attrib(node, 5), Attrib(node, 6), Attrib(node, 7));
        s.scratchTree.Release(0);
    } else if (name == StrFormat("Tree%dMatrixNum%d", s.tree, s.tree)) {
        s.matrixNum = Attrib(node, 1);
    } else if (name == StrFormat("Matrix%dItem%d", s.tree, s.item)) {
        // A cell outside the grid is simply not blocked.
        (void)s.scratchTree.Block(Attrib(node, 1), Attrib(node, 2));
        if (s.item < s.matrixNum) {
            ++s.item;
        } else {
            field.AddTree(s.scratchTree);
            if (s.tree < s.treeNum) {
                ++s.tree;
                s.item = 1;
            }
        }
    } else if (name == "FruitBoxNum") {
        s.fruitBoxNum = Attrib(node, 1);
    } else if (name == StrFormat("FruitBox%d", s.box)) {
        s.scratchBox.Set(Attrib(node, 1), Attrib(node, 2), Attrib(node, 3), Attrib(node, 4),
                         Attrib(node, 5));
        field.AddFruitBox(s.scratchBox);
        if (s.box < s.fruitBoxNum) {
            ++s.box;
        }
    } else if (name == "LevelGoal") {
        for (int kind = 1; kind <= kFruitKinds; ++kind) {
            field.SetGoal(kind, Attrib(node, kind));
        }
    } else if (name == "LevelTime") {
        field.SetLevelTime(Attrib(node, 1));
    } else if (name == "Day") {
        field.SetDay(Attrib(node, 1) != 0);
    }
}

void ReadTimeLine(const XMLNode& node, ReadState& s, PlayField& field) {
    if (node.mValue == "TimeNum") {
        s.timeNum = Attrib(node, 1);
    } else if (node.mValue == StrFormat("%d", s.entry)) {
        field.AddTimeLineEntry(Attrib(node, 1), Attrib(node, 2));
        if (s.entry < s.timeNum) {
            ++s.entry;
        }
    }
}

} // namespace

std::string LevelFile::GetFileName(bool survival, bool easy, int level) {
    return StrFormat("levels/%s%s/level%d.xml", easy ? "easy/" : "", survival ? "survive" : "story",
                     level);
}

bool LevelFile::ParseLevel(const std::string& fileName, PlayField& field, std::string& errorText) {
    XMLParser parser;
    bool opened = parser.OpenFile(fileName);
    return Read(parser, opened, fileName, field, errorText);
}

bool LevelFile::ParseLevelText(std::string_view text, const std::string& fileName, PlayField& field,
                               std::string& errorText) {
    XMLParser parser;
    bool opened = parser.OpenBuffer(text, fileName);
    return Read(parser, opened, fileName, field, errorText);
}

bool LevelFile::Read(XMLParser& parser, bool opened, const std::string& fileName, PlayField& field,
                     std::string& errorText) {
    if (!opened) {
        errorText = StrFormat("Couldn't open file %s. Error returned:\n\"%s\"", fileName.c_str(),
                              parser.GetErrorText().c_str());
        return false;
    }
    ReadState state;
    state.scratchBox.Reset();
    XMLNode node;
    while (parser.ReadElement(&node)) {
        if (node.mKind != XMLNodeKind::Start) {
            continue;
        }
        if (node.mSection == "Init") {
            ReadInit(node, state, field);
        } else if (node.mSection == "TimeLine") {
            ReadTimeLine(node, state, field);
        }
    }
    return true;
}

} // namespace Vuro
