#pragma once
// The system's own sounds, played the way the system plays a sound file by name: once, without
// waiting for it, apart from the application's sound effects (their volume and mute do not
// touch it; the wave-out volume does). A new sound cuts off the one still playing.
//
// - Only RIFF WAVE files play. The system's media folder "c:\windows\media\" (any case, either
//   separator) is the "media" folder of the data set beside the program; other paths stand.
// - A file that cannot be read, or no sound output, plays nothing and answers false.
// - Main thread only. The output is opened on the first sound and kept while the player lives.

#include "platform/SoundDevice.h"

#include <memory>
#include <string>
#include <string_view>

namespace Vuro::Platform {

// The path with the system's media folder turned into "media/".
std::string SystemMediaPath(std::string_view path);

class SystemSoundPlayer {
public:
    SystemSoundPlayer();
    ~SystemSoundPlayer();
    SystemSoundPlayer(const SystemSoundPlayer&) = delete;
    SystemSoundPlayer& operator=(const SystemSoundPlayer&) = delete;

    bool Play(const std::string& path);

private:
    std::unique_ptr<SoundDevice> mDevice;
    std::unique_ptr<SoundBuffer> mPlaying;
};

} // namespace Vuro::Platform
