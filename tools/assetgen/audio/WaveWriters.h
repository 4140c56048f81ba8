#pragma once
// The uncompressed sound files the game's readers take: RIFF/WAVE with 16-bit PCM and Sun AU
// with 8-bit mu-law (Ogg Vorbis is in OggWriter.h). Samples beyond full scale are clamped.
// Each writer answers false, after a message naming the file on stderr, when the file cannot
// be written.

#include "tools/assetgen/audio/Wave.h"

#include <cstdint>
#include <filesystem>

namespace Vuro::AssetGen {

[[nodiscard]] bool WriteWav(const std::filesystem::path& path, const Wave& wave);
[[nodiscard]] bool WriteAu(const std::filesystem::path& path, const Wave& wave);

// The mu-law byte of a 16-bit sample by the standard (G.711) encoder, which the game's AU
// reader expands again; beyond +-32635 the sample is clipped.
uint8_t MuLawEncoded(int sample);

} // namespace Vuro::AssetGen
