#pragma once
// Ogg Vorbis through libvorbisenc. Kept apart from the other writers: libvorbis shares its
// function names with the Tremor decoder the game links, so no program may hold both, and the
// data set's tests link the synthesisers without this file.

#include "tools/assetgen/audio/Wave.h"

#include <filesystem>

namespace Vuro::AssetGen {

// quality: libvorbisenc's VBR quality, -0.1..1. Samples beyond full scale are clipped when the
// stream is decoded. The stream's serial number comes from the file name, so the same sound
// always gives the same bytes. False, after a message naming the file, when it cannot be
// written.
[[nodiscard]] bool WriteOgg(const std::filesystem::path& path, const Wave& wave, float quality);

} // namespace Vuro::AssetGen
