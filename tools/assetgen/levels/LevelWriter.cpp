#include "tools/assetgen/levels/LevelWriter.h"

#include "tools/assetgen/SourceFile.h"

namespace Vuro::AssetGen {

namespace {

XmlWriter::Attributes Values(std::initializer_list<int> values) {
    XmlWriter::Attributes attributes;
    for (int value : values) {
        attributes.push_back(
            {"attrib" + std::to_string(attributes.size() + 1), std::to_string(value)});
    }
    return attributes;
}

} // namespace

std::string WriteLevelFile(const LevelPlan& plan) {
    XmlWriter xml("", plan.mTitle + ": made by assetgen from assets/levels/");
    xml.Open("Init");
    xml.Element("TreeNum", Values({static_cast<int>(plan.mTrees.size())}));
    for (size_t i = 0; i < plan.mTrees.size(); ++i) {
        const LevelTree& tree = plan.mTrees[i];
        std::string t = std::to_string(i + 1);
        xml.Element("Tree" + t,
                    Values({tree.mPlace.mKind, tree.mPlace.mX, tree.mPlace.mY, tree.mOriginX,
                            tree.mOriginY, tree.mPlace.mColumns, tree.mPlace.mRows}));
        xml.Element("Tree" + t + "MatrixNum" + t, Values({static_cast<int>(tree.mBlocked.size())}));
        for (size_t k = 0; k < tree.mBlocked.size(); ++k) {
            xml.Element("Matrix" + t + "Item" + std::to_string(k + 1),
                        Values({tree.mBlocked[k].first, tree.mBlocked[k].second}));
        }
    }
    std::vector<int> boxKinds;
    for (int kind = 1; kind <= kFruitKinds; ++kind) {
        if (plan.mGoals[kind - 1] > 0) {
            boxKinds.push_back(kind);
        }
    }
    xml.Element("FruitBoxNum", Values({static_cast<int>(boxKinds.size())}));
    for (size_t b = 0; b < boxKinds.size(); ++b) {
        const FieldPoint& point = kGoalTextPoints[boxKinds[b] - 1];
        xml.Element("FruitBox" + std::to_string(b + 1),
                    Values({boxKinds[b], point.mX, point.mY, -1, -1}));
    }
    xml.Element("LevelGoal",
                Values({plan.mGoals[0], plan.mGoals[1], plan.mGoals[2], plan.mGoals[3]}));
    xml.Element("LevelTime", Values({plan.mTime}));
    xml.Element("Day", Values({plan.mDay ? 1 : 0}));
    xml.Close();

    xml.Open("TimeLine");
    xml.Element("TimeNum", Values({static_cast<int>(plan.mTimeLine.size())}));
    for (size_t e = 0; e < plan.mTimeLine.size(); ++e) {
        xml.Element(std::to_string(e + 1),
                    Values({plan.mTimeLine[e].mSecond, plan.mTimeLine[e].mCode}));
    }
    xml.Close();
    return xml.GetText();
}

} // namespace Vuro::AssetGen
