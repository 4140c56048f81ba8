#include "platform/SystemSound.h"

#include "platform/SoundDecoders.h"

#include <algorithm>
#include <cctype>

namespace Vuro::Platform {

namespace {
constexpr std::string_view kSystemMediaFolder = "c:/windows/media/";
constexpr std::string_view kDataSetMediaFolder = "media/";
} // namespace

std::string SystemMediaPath(std::string_view path) {
    const auto sameLetter = [](char given, char folder) {
        const char normal = given == '\\' ? '/' : given;
        return std::tolower(static_cast<unsigned char>(normal)) == folder;
    };
    if (path.size() > kSystemMediaFolder.size() &&
        std::equal(kSystemMediaFolder.begin(), kSystemMediaFolder.end(), path.begin(),
                   [&](char folder, char given) { return sameLetter(given, folder); })) {
        return std::string(kDataSetMediaFolder).append(path.substr(kSystemMediaFolder.size()));
    }
    return std::string(path);
}

SystemSoundPlayer::SystemSoundPlayer() = default;

SystemSoundPlayer::~SystemSoundPlayer() {
    // The buffer is the device's: it goes first.
    mPlaying.reset();
}

bool SystemSoundPlayer::Play(const std::string& path) {
    mPlaying.reset();
    if (!mDevice) {
        mDevice = GetAudioSystem().CreateSoundDevice();
        if (!mDevice) {
            return false;
        }
    }
    SoundBufferTarget target(*mDevice, kBufferStatic | kBufferCtrlVolume);
    if (!DecodeSoundFile(SystemMediaPath(path), SoundFileKind::Wave, target) ||
        target.Buffer()->Play(false) != SoundResult::Ok) {
        return false;
    }
    mPlaying = std::move(target.Buffer());
    return true;
}

} // namespace Vuro::Platform
