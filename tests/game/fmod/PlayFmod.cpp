// The game with use-fmod on, for the whole-program test of its music
// (tests/game/program/FmodMusicTest.cpp): the real game application on the platform's audio
// output (SDL's dummy driver in the test), its music through the built-in "fmod.dll". The
// player only listens: everything the mixer puts out is recorded from the start, and once the
// intro's song has sounded for kListenSeconds and the menu has loaded the window is closed.
//
// The recording is then held against the intro's song file decoded on its own and played once
// on a mixer of its own at the volume the game gives music (music volume x the back end's scale
// of 100, truncated): from where the song began, every sample of kListenSeconds must be the
// same. Printed:
//   fmod: on
//   heard: N frames from frame F, M of L the same as sound/intro.ogg at volume V
// The status is 0 when all L frames were the same, 1 otherwise.

#include "framework/sound/FModMusicInterface.h"
#include "game/rules/GameSounds.h"
#include "platform/LibraryVoice.h"
#include "platform/MixerSoundDevice.h"
#include "platform/Process.h"
#include "platform/SoundDecoders.h"
#include "tests/game/ScriptedPlayer.h"

#include <algorithm>
#include <cstdio>
#include <mutex>
#include <vector>

namespace Vuro {
namespace {

constexpr double kListenSeconds = 2.5;
constexpr size_t kListenFrames = static_cast<size_t>(kListenSeconds * Platform::Mixer::kOutputRate);
// The intro's song has not sounded after sixty seconds of updates: the run has failed.
constexpr int kGiveUpUpdates = 6000;

bool Sounds(int16_t sample) {
    return sample != 0;
}

// Everything the mixer puts out, interleaved left and right.
class Recorder {
public:
    explicit Recorder(Platform::Mixer& mixer) : mMixer(mixer) {
        mMixer.SetTap([this](const int16_t* out, size_t frames) {
            std::lock_guard lock(mMutex);
            mSamples.insert(mSamples.end(), out, out + frames * 2);
        });
    }
    ~Recorder() { mMixer.SetTap({}); }
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    // Frames recorded since the first one that sounds (0 before it).
    size_t FramesHeard() {
        std::lock_guard lock(mMutex);
        const auto first = std::find_if(mSamples.begin(), mSamples.end(), Sounds);
        return static_cast<size_t>(mSamples.end() - first) / 2;
    }
    std::vector<int16_t> Take() {
        std::lock_guard lock(mMutex);
        return std::move(mSamples);
    }

private:
    Platform::Mixer& mMixer;
    std::mutex mMutex;
    std::vector<int16_t> mSamples;
};

class Listener : public Test::ScriptedPlayer {
public:
    Listener(Platform::EventSource& inner, Recorder& recorder)
        : ScriptedPlayer(inner), mRecorder(recorder) {}

    bool mUsedFmod = false;
    double mMusicVolume = 0.0;
    bool mHeard = false;

private:
    void Act(GameApp& app) override {
        mUsedFmod = dynamic_cast<FModMusicInterface*>(app.mMusicInterface) != nullptr;
        mMusicVolume = app.GetMusicVolume();
        mHeard = mRecorder.FramesHeard() >= kListenFrames;
        // A close while the menu still loads would end the process at once, before the
        // recording is checked.
        if ((mHeard && app.mLoadingThreadCompleted) || mUpdate > kGiveUpUpdates) {
            Close();
        }
    }

    Recorder& mRecorder;
};

// The file decoded on its own and played once from its start at an amplitude, on a mixer of
// its own with the same wave-out volume.
std::vector<int16_t> Reference(const std::string& file, double amplitude, uint32_t masterVolume,
                               size_t frames) {
    auto mixer = std::make_shared<Platform::Mixer>();
    mixer->SetMasterVolume(masterVolume);
    Platform::MixerSoundDevice device(mixer);
    Platform::SoundBufferTarget target(device,
                                       Platform::kBufferStatic | Platform::kBufferCtrlVolume);
    std::vector<int16_t> out(frames * 2);
    if (Platform::DecodeSoundFile(file, Platform::IdentifySoundFile(file), target)) {
        (void)target.Buffer()->SetVolume(Platform::AmplitudeToAttenuation(amplitude));
        (void)target.Buffer()->Play(false);
        mixer->Mix(out.data(), frames);
    }
    return out;
}

} // namespace
} // namespace Vuro

int main(int, char** argv) {
    using namespace Vuro;
    const char* args[] = {argv[0]};
    Platform::SetCommandLineArgs(1, args);
    // A device of the platform's audio system shares its one mixer with the game's.
    std::unique_ptr<Platform::SoundDevice> device = Platform::GetAudioSystem().CreateSoundDevice();
    if (device == nullptr) {
        std::printf("no audio output\n");
        return 1;
    }
    Platform::Mixer& mixer = static_cast<Platform::MixerSoundDevice&>(*device).GetMixer();
    Recorder recorder(mixer);
    Listener player(Platform::GetEventSource(), recorder);
    Test::PlayGame(player, true);
    const std::vector<int16_t> heard = recorder.Take();
    std::printf("fmod: %s\n", player.mUsedFmod ? "on" : "off");
    if (!player.mUsedFmod || !player.mHeard) {
        std::printf("the intro's song was not heard\n");
        return 1;
    }

    // The back end's volume: scale 100 x music volume x song volume 1, truncated.
    const double amplitude = static_cast<int>(100 * player.mMusicVolume) / 100.0;
    const std::string song = "sound/intro.ogg";
    const std::vector<int16_t> reference =
        Reference(song, amplitude, mixer.GetMasterVolume(), kListenFrames);
    // The song began where the first sample sounds, less the silence its file starts with.
    const auto sounded = std::find_if(reference.begin(), reference.end(), Sounds);
    const long lead = (sounded - reference.begin()) / 2;
    const long from = (std::find_if(heard.begin(), heard.end(), Sounds) - heard.begin()) / 2 - lead;
    const size_t frames = std::min(kListenFrames, heard.size() / 2 - static_cast<size_t>(from));
    size_t same = 0;
    for (size_t i = 0; from >= 0 && i < frames; ++i) {
        const size_t at = (static_cast<size_t>(from) + i) * 2;
        same += heard[at] == reference[i * 2] && heard[at + 1] == reference[i * 2 + 1] ? 1 : 0;
    }
    std::printf("heard: %zu frames from frame %ld, %zu of %zu the same as %s at volume %.2f\n",
                heard.size() / 2, from, same, kListenFrames, song.c_str(), amplitude);
    return same == kListenFrames ? 0 : 1;
}
