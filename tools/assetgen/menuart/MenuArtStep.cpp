#include "tools/assetgen/menuart/MenuArtStep.h"

#include "tools/assetgen/art/ContactSheet.h"
#include "tools/assetgen/art/GifWriter.h"
#include "tools/assetgen/art/ImageFile.h"
#include "tools/assetgen/menuart/MenuArtList.h"
#include "tools/assetgen/menuart/MenuArtPainters.h"

#include <cstdio>

namespace Vuro::AssetGen {

namespace {

bool Save(cairo_surface_t* surface, const std::filesystem::path& base, MenuArtFormat format) {
    switch (format) {
    case MenuArtFormat::Png:
        return Art::WriteImage(surface, base, Art::ImageFormat::Png);
    case MenuArtFormat::Jpeg:
        return Art::WriteImage(surface, base, Art::ImageFormat::Jpeg);
    case MenuArtFormat::JpegWithAlpha:
        return Art::WriteImage(surface, base, Art::ImageFormat::JpegWithAlpha);
    case MenuArtFormat::Tga:
        return Art::WriteImage(surface, base, Art::ImageFormat::Tga);
    case MenuArtFormat::Gif:
        return Art::WriteImage(surface, base, Art::ImageFormat::Gif);
    case MenuArtFormat::PalettePng: {
        cairo_surface_t* limited = Art::SurfaceFromPixels(
            Art::LimitColours(Art::UnpremultipliedPixels(surface)),
            cairo_image_surface_get_width(surface), cairo_image_surface_get_height(surface));
        const bool written = Art::WriteImage(limited, base, Art::ImageFormat::Png);
        cairo_surface_destroy(limited);
        return written;
    }
    }
    return false;
}

} // namespace

int RunMenuArtStep(const StepContext& context) {
    MenuArtSources sources;
    std::string error;
    if (!ReadMenuArtSources(context.mAssets / "menuart", &sources, &error)) {
        std::fprintf(stderr, "assetgen menuart: %s\n", error.c_str());
        return 1;
    }
    MenuScenes scenes;
    if (!scenes.Read(context.mAssets / "menuart" / "scenes.txt")) {
        return 1;
    }
    MenuPainterMap painters;
    AddMapPainters(painters);
    AddMapSpritePainters(painters);
    AddMenuButtonPainters(painters);
    AddControlPainters(painters);
    AddIntroPainters(painters);
    AddPaintTablePainters(painters);
    AddScenePainters(painters, scenes);

    std::error_code folderError;
    std::filesystem::create_directories(context.mOut / "images", folderError);
    Art::ContactSheet sheet;
    int failures = 0;
    for (const MenuArtPicture& picture : kMenuArtPictures) {
        auto painter = painters.find(picture.mName);
        if (painter == painters.end()) {
            std::fprintf(stderr, "assetgen menuart: no painter for %s\n", picture.mName);
            ++failures;
            continue;
        }
        Art::Sheet cels(picture.mCelWidth, picture.mCelHeight, picture.mRows, picture.mColumns);
        painter->second(cels, sources);
        if (!Save(cels.GetCanvas().Surface(), context.mOut / picture.mName, picture.mFormat)) {
            ++failures;
            continue;
        }
        sheet.Add(picture.mName, cels.GetCanvas().Surface());
    }
    if (!sheet.Write(Art::ContactSheetPath(context.mOut, "menuart"))) {
        ++failures;
    }
    return failures == 0 ? 0 : 1;
}

} // namespace Vuro::AssetGen
