// The contact sheet of the whole data set: the steps' own sheets (contact-<step>.png beside
// bin/) stacked in name order, in columns, into contact-sheet.png, for review.
#include "tools/assetgen/ContactSheetStep.h"

#include "tools/assetgen/art/ContactSheet.h"

#include <algorithm>

namespace Vuro::AssetGen {

int RunContactSheet(const StepContext& context) {
    const std::filesystem::path whole = Art::ContactSheetPath(context.mOut, "sheet");
    std::vector<std::filesystem::path> parts;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(whole.parent_path(), error)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("contact-") && name.ends_with(".png") && entry.path() != whole) {
            parts.push_back(entry.path());
        }
    }
    std::sort(parts.begin(), parts.end());
    return Art::JoinContactSheets(parts, whole) ? 0 : 1;
}

} // namespace Vuro::AssetGen

int main(int argc, char** argv) {
    return Vuro::AssetGen::RunStepProgram(argc, argv,
                                          {"contactsheet", Vuro::AssetGen::RunContactSheet});
}
