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

// The 16-bit sample the game's AU reader makes of a mu-law byte: its own table, in which the
// two bytes of largest magnitude (0x00, 0x80) decode to +-1020, so the writer never uses them.
int MuLawDecoded(uint8_t byte);
// The byte whose decoded value lies nearest to the sample.
uint8_t MuLawEncoded(int sample);

} // namespace Vuro::AssetGen
