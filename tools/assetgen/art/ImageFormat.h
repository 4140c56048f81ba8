#pragma once
// The file kinds the asset tool writes pictures in (the game's reader takes them all).

namespace Vuro::AssetGen::Art {

enum class ImageFormat {
    Png,
    Jpeg,
    Tga,
    Gif,
    JpegWithAlpha, // a JPEG and its alpha in "_" + name, a PNG whose blue channel is the alpha
    PalettePng,    // a PNG of at most 255 colours, which the game turns into a palettised image
};

// The file's extension; a JPEG with alpha answers ".jpg" (its alpha image is a PNG).
constexpr const char* ExtensionOf(ImageFormat format) {
    switch (format) {
    case ImageFormat::Png:
    case ImageFormat::PalettePng:
        return ".png";
    case ImageFormat::Jpeg:
    case ImageFormat::JpegWithAlpha:
        return ".jpg";
    case ImageFormat::Tga:
        return ".tga";
    case ImageFormat::Gif:
        return ".gif";
    }
    return "";
}

} // namespace Vuro::AssetGen::Art
