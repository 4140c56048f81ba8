#include "tools/assetgen/gameart/GameArtStep.h"

#include "tools/assetgen/art/ContactSheet.h"
#include "tools/assetgen/art/ImageFile.h"
#include "tools/assetgen/gameart/GameArtList.h"
#include "tools/assetgen/gameart/GameArtPainters.h"

#include <cstdio>

namespace Vuro::AssetGen {

int RunGameArt(const StepContext& context) {
    std::map<std::string, SheetPainter> painters;
    if (!MakeGameArtPainters(context, painters)) {
        return 1;
    }
    Art::ContactSheet contact;
    bool complete = true;
    for (const GameArtPicture& picture : kGameArtPictures) {
        auto painter = painters.find(picture.mName);
        if (painter == painters.end()) {
            std::fprintf(stderr, "assetgen: no painter for %s\n", picture.mName);
            complete = false;
            continue;
        }
        Art::Sheet sheet(picture.mCelWidth, picture.mCelHeight, picture.mRows, picture.mColumns);
        painter->second(sheet);
        const std::filesystem::path base = context.mOut / picture.mName;
        std::error_code error;
        std::filesystem::create_directories(base.parent_path(), error);
        if (!Art::WriteImage(sheet.GetCanvas().Surface(), base, picture.mFormat)) {
            return 1;
        }
        contact.Add(picture.mName, sheet.GetCanvas().Surface());
    }
    // The sheet is written even when a painter is missing, to show what there is.
    const bool written = contact.Write(Art::ContactSheetPath(context.mOut, "gameart"));
    return complete && written ? 0 : 1;
}

} // namespace Vuro::AssetGen
