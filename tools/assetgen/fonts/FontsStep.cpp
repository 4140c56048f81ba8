// The fonts step: every assets/fonts/<Name>.font becomes images/fonts/<Name>.txt, a descriptor
// in the framework's font language, and its glyph sheet images/fonts/<Name>.png.
#include "tools/assetgen/fonts/FontsStep.h"

#include "tools/assetgen/art/ImageFile.h"
#include "tools/assetgen/fonts/FontSheet.h"
#include "tools/assetgen/fonts/FontStyle.h"
#include "tools/assetgen/fonts/GlyphRenderer.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <vector>

namespace Vuro::AssetGen {

namespace {

int MakeFont(const std::filesystem::path& source, const std::filesystem::path& folder) {
    const std::string name = source.stem().string();
    FontStyle style;
    RenderedFont font;
    std::string error;
    if (!ReadFontStyle(source, &style, &error) ||
        !RenderFont(style.mFace, style.mPixels, style.mOutlineRadius, &font, &error)) {
        std::fprintf(stderr, "assetgen fonts: %s\n", error.c_str());
        return 1;
    }
    const FontSheet sheet = BuildFontSheet(font, style);
    cairo_surface_t* surface =
        Art::SurfaceFromPixels(sheet.mPixels, sheet.mWidth, sheet.mCellHeight * sheet.mBands);
    const bool written = Art::WriteImage(surface, folder / name, Art::ImageFormat::Png);
    cairo_surface_destroy(surface);
    if (!written) {
        return 1;
    }
    const std::string sheetFile = name + Art::ExtensionOf(Art::ImageFormat::Png);
    std::ofstream descriptor(folder / (name + ".txt"), std::ios::binary);
    descriptor << FontDescriptor(name, style, font, sheet, sheetFile);
    if (!descriptor.flush()) {
        std::fprintf(stderr, "assetgen fonts: cannot write %s.txt\n", name.c_str());
        return 1;
    }
    return 0;
}

} // namespace

int RunFontsStep(const StepContext& context) {
    const std::filesystem::path folder = context.mOut / "images" / "fonts";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    std::vector<std::filesystem::path> sources;
    for (const auto& entry :
         std::filesystem::directory_iterator(context.mAssets / "fonts", error)) {
        if (entry.path().extension() == ".font") {
            sources.push_back(entry.path());
        }
    }
    if (error || sources.empty()) {
        std::fprintf(stderr, "assetgen fonts: no font sources in %s\n",
                     (context.mAssets / "fonts").c_str());
        return 1;
    }
    std::sort(sources.begin(), sources.end());
    for (const auto& source : sources) {
        if (MakeFont(source, folder) != 0) {
            return 1;
        }
    }
    return 0;
}

} // namespace Vuro::AssetGen

int main(int argc, char** argv) {
    return Vuro::AssetGen::RunStepProgram(argc, argv, {"fonts", Vuro::AssetGen::RunFontsStep});
}
