#pragma once
// The picture step the picture tables share. It paints a table's pictures on all cores, each
// into a sheet of its own, and writes them under the output folder in their file kinds. The
// command line can ask for some pictures only (--only NAME), or for the step's review sheet
// (--contact-sheet: contact-<step>.png beside the output folder, and no file of the data set).

#include "tools/assetgen/PictureTable.h"
#include "tools/assetgen/Steps.h"

#include <cstddef>
#include <functional>
#include <span>

namespace Vuro::AssetGen {

// The step for `count` pictures: `layout(i)` is the i-th row, `paint(i, sheet)` paints it.
// Rows are painted at the same time on several threads: painters share nothing they change.
int PaintPictures(const StepContext& context, const char* step, size_t count,
                  const std::function<const PictureLayout&(size_t)>& layout,
                  const std::function<void(size_t, Art::Sheet&)>& paint);

template <typename Inputs>
int RunPictureStep(const StepContext& context, const char* step,
                   std::span<const Picture<Inputs>> pictures, const Inputs& inputs) {
    return PaintPictures(
        context, step, pictures.size(),
        [&](size_t index) -> const PictureLayout& { return pictures[index]; },
        [&](size_t index, Art::Sheet& sheet) {
            pictures[index].mPaint(sheet, inputs, pictures[index].mName);
        });
}

} // namespace Vuro::AssetGen
