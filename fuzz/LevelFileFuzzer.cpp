// Feeds arbitrary bytes to the level reader as a level file, into a fresh play field, and checks
// that what reached the field stays within what a level can hold.

#include "game/rules/LevelFile.h"
#include "game/rules/PlayField.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Vuro::PlayField field;
    std::string error;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    if (!Vuro::LevelFile::ParseLevelText(text, "fuzz.xml", field, error)) {
        std::abort(); // text in memory always opens
    }
    if (field.GetTreeCount() != static_cast<int>(field.GetTrees().size()) ||
        field.GetBoxCount() != static_cast<int>(field.GetBoxes().size())) {
        std::abort();
    }
    for (const Vuro::FruitTree& tree : field.GetTrees()) {
        if (tree.GetNx() < 0 || tree.GetNx() > Vuro::FruitTree::kMaxCells || tree.GetNy() < 0 ||
            tree.GetNy() > Vuro::FruitTree::kMaxCells) {
            std::abort();
        }
    }
    return 0;
}
