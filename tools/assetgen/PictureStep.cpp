#include "tools/assetgen/PictureStep.h"

#include "tools/assetgen/Parallel.h"
#include "tools/assetgen/art/ContactSheet.h"
#include "tools/assetgen/art/ImageFile.h"
#include "tools/assetgen/art/Sheet.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace Vuro::AssetGen {

namespace {

// The rows the command line asks for, in the table's order; false after a message when it
// names a picture the table does not hold.
bool ChooseRows(const StepContext& context, const char* step, size_t count,
                const std::function<const PictureLayout&(size_t)>& layout,
                std::vector<size_t>& chosen) {
    for (const std::string& name : context.mOnly) {
        size_t index = 0;
        while (index < count && name != layout(index).mName) {
            ++index;
        }
        if (index == count) {
            std::fprintf(stderr, "assetgen %s: no picture %s\n", step, name.c_str());
            return false;
        }
    }
    for (size_t index = 0; index < count; ++index) {
        if (context.mOnly.empty() || std::find(context.mOnly.begin(), context.mOnly.end(),
                                               layout(index).mName) != context.mOnly.end()) {
            chosen.push_back(index);
        }
    }
    return true;
}

// The folders of the chosen pictures, made before the painting threads write into them.
bool MakeFolders(const StepContext& context, const std::vector<size_t>& chosen,
                 const std::function<const PictureLayout&(size_t)>& layout) {
    for (size_t index : chosen) {
        const std::filesystem::path folder = (context.mOut / layout(index).mName).parent_path();
        std::error_code error;
        std::filesystem::create_directories(folder, error);
        if (error) {
            std::fprintf(stderr, "assetgen: cannot make %s: %s\n", folder.c_str(),
                         error.message().c_str());
            return false;
        }
    }
    return true;
}

} // namespace

int PaintPictures(const StepContext& context, const char* step, size_t count,
                  const std::function<const PictureLayout&(size_t)>& layout,
                  const std::function<void(size_t, Art::Sheet&)>& paint) {
    std::vector<size_t> chosen;
    if (!ChooseRows(context, step, count, layout, chosen) ||
        (!context.mContactSheet && !MakeFolders(context, chosen, layout))) {
        return 1;
    }
    // The review sheet keeps every picture until all are painted; the data set's files are
    // written as each one is done.
    std::vector<std::unique_ptr<Art::Sheet>> kept(chosen.size());
    const bool made = RunInParallel(chosen.size(), [&](size_t k) {
        const PictureLayout& row = layout(chosen[k]);
        auto sheet =
            std::make_unique<Art::Sheet>(row.mCelWidth, row.mCelHeight, row.mRows, row.mColumns);
        paint(chosen[k], *sheet);
        if (context.mContactSheet) {
            kept[k] = std::move(sheet);
            return true;
        }
        return Art::WriteImage(sheet->GetCanvas().Surface(), context.mOut / row.mName, row.mFormat);
    });
    if (!context.mContactSheet) {
        return made ? 0 : 1;
    }
    Art::ContactSheet contact;
    for (size_t k = 0; k < chosen.size(); ++k) {
        contact.Add(layout(chosen[k]).mName, kept[k]->GetCanvas().Surface());
    }
    return made && contact.Write(Art::ContactSheetPath(context.mOut, step)) ? 0 : 1;
}

} // namespace Vuro::AssetGen
