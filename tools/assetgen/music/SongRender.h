#pragma once
// Plays a score into a stereo wave at 44100 Hz: every note rendered by its instrument, panned,
// sent to the room, and the whole brought to the score's loudness with its peak kept below
// -3 dBFS.
//
// A loop comes out exactly as long as its bars, and seamless: the tails of notes that ring past
// the end are laid over the start, and the room is run over the song twice so that its echo at
// the start is the echo of the end. A one-shot rings out after its last bar and ends in silence.

#include "tools/assetgen/audio/Wave.h"
#include "tools/assetgen/music/Score.h"

namespace Vuro::AssetGen {

inline constexpr uint32_t kSongRate = 44100;

Wave RenderSong(const Score& score);

} // namespace Vuro::AssetGen
