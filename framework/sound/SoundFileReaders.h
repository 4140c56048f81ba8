#pragma once
// The sound manager's WAV reader: a WAVE file whose "dep " chunk names the file it was decoded
// from and that file's write time (the cache of decoded sounds) is refused once that file's
// time changed. Every other format is read by the platform's decoders.

#include "platform/SoundDecoders.h"

#include <cstdint>
#include <cstdio>
#include <string>

namespace Vuro {

using Platform::PcmTarget;

// The last write of a file as a Windows file time; false, with 0, when it cannot be opened.
using FileTimeQuery = bool (*)(const std::string& path, uint64_t& fileTime);

// Takes the stream and closes it; true only when the whole sound was read and is current.
[[nodiscard]] bool ReadWAVSound(FILE* file, PcmTarget& target, FileTimeQuery fileTime);

} // namespace Vuro
