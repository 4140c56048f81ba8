#pragma once
// Writers of the picture files the game reads: PNG (also cut down to the colours a GIF keeps),
// JPEG, 32-bit TGA (top-left origin, as the game's reader wants it), GIF (up to 255 colours and
// one transparent index), and a JPEG with a separate alpha image ("_" before the file name,
// alpha in its blue channel).
// Each writer reports a failure on stderr with the file name and returns false.

#include "tools/assetgen/art/ImageFormat.h"

#include <cairo.h>

#include <cstdint>
#include <filesystem>
#include <vector>

namespace Vuro::AssetGen::Art {

// Writes the surface as `base` + extension; `base` has no extension.
bool WriteImage(cairo_surface_t* surface, const std::filesystem::path& base, ImageFormat format);

// The surface's pixels as packed 0xAARRGGBB words, not premultiplied, rows top first.
std::vector<uint32_t> UnpremultipliedPixels(cairo_surface_t* surface);
// A new ARGB32 surface (the caller destroys it) holding such words.
cairo_surface_t* SurfaceFromPixels(const std::vector<uint32_t>& pixels, int width, int height);

} // namespace Vuro::AssetGen::Art
