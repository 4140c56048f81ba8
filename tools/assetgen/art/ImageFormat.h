#pragma once
// The file kinds the asset tool writes pictures in (the game's reader takes them all).

namespace Vuro::AssetGen::Art {

// JpegWithAlpha is a JPEG with its alpha in a separate image: "_" before the file name, PNG,
// alpha in the blue channel.
enum class ImageFormat { Png, Jpeg, Tga, Gif, JpegWithAlpha };

// The file's extension; a JPEG with alpha answers ".jpg" (its alpha image is a PNG).
constexpr const char* ExtensionOf(ImageFormat format) {
    switch (format) {
    case ImageFormat::Png:
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
