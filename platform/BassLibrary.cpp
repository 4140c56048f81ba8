// The built-in "bass.dll" over the sound device. One library state per process, as a loaded
// library has; a mutex guards it because songs are loaded on the loading thread while the main
// thread plays. Decoding runs outside the lock, on the device the library had when it began.

#include "platform/BassLibrary.h"

#include "platform/LibraryVoice.h"

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>

namespace Vuro::Platform {

namespace {

struct Channel : LibraryVoice {
    int volume = 100;  // percent
    int amplify = 100; // percent, modules only
};

struct BassState {
    std::mutex mutex;
    std::shared_ptr<SoundDevice> device;
    std::map<uint32_t, Channel> channels;
    uint32_t nextHandle = 1; // never reused, so a freed handle stays unknown
    int streamVolume = 100;  // percent
    int musicVolume = 100;   // percent
    int outputVolume = 100;  // percent
};

BassState& State() {
    static BassState state;
    return state;
}

Channel* Find(BassState& state, uint32_t handle) {
    auto found = state.channels.find(handle);
    return found == state.channels.end() ? nullptr : &found->second;
}

void ApplyVolume(const BassState& state, Channel& channel) {
    const bool module = channel.kind == SoundFileKind::Module;
    const double global =
        (module ? state.musicVolume * channel.amplify / 100.0 : state.streamVolume);
    channel.SetAmplitude(channel.volume / 100.0 * global / 100.0 * state.outputVolume / 100.0);
}

void ApplyVolumes(BassState& state) {
    for (auto& [handle, channel] : state.channels) {
        ApplyVolume(state, channel);
    }
}

// Decodes a file into a new channel; 0 when its kind is not accepted or it cannot be decoded.
uint32_t CreateChannel(const char* file, bool (*accept)(SoundFileKind), bool looping) {
    BassState& state = State();
    std::shared_ptr<SoundDevice> device;
    {
        std::lock_guard lock(state.mutex);
        device = state.device;
    }
    Channel channel;
    channel.looping = looping;
    if (device == nullptr || file == nullptr || !LoadLibraryVoice(*device, file, accept, channel)) {
        return 0;
    }
    std::lock_guard lock(state.mutex);
    if (state.device != device) {
        return 0; // the library was freed meanwhile
    }
    ApplyVolume(state, channel);
    const uint32_t handle = state.nextHandle++;
    state.channels.emplace(handle, std::move(channel));
    return handle;
}

int Init(int device, uint32_t, uint32_t, Window*, const void*) {
    BassState& state = State();
    std::lock_guard lock(state.mutex);
    if (device == 0 || state.device != nullptr) {
        return 0;
    }
    state.device = GetAudioSystem().CreateSoundDevice();
    return state.device != nullptr ? 1 : 0;
}

// Freeing puts every setting back, so the next user starts as the first one did.
int Free() {
    BassState& state = State();
    std::lock_guard lock(state.mutex);
    state.channels.clear();
    state.device.reset();
    state.streamVolume = 100;
    state.musicVolume = 100;
    state.outputVolume = 100;
    return 1;
}

int Stop() {
    BassState& state = State();
    std::lock_guard lock(state.mutex);
    for (auto& [handle, channel] : state.channels) {
        (void)channel.buffer->Stop();
        channel.paused = false;
    }
    return 1;
}

int Start() {
    std::lock_guard lock(State().mutex);
    return State().device != nullptr ? 1 : 0;
}

int SetVolume(uint32_t volume) {
    BassState& state = State();
    std::lock_guard lock(state.mutex);
    if (volume > 100) {
        return 0;
    }
    state.outputVolume = static_cast<int>(volume);
    ApplyVolumes(state);
    return 1;
}

uint32_t SetConfig(uint32_t option, uint32_t value) {
    BassState& state = State();
    std::lock_guard lock(state.mutex);
    if (option == Bass::kConfigBuffer) {
        return 1; // the mixer's output has its own buffering
    }
    if ((option != Bass::kConfigMusicVolume && option != Bass::kConfigStreamVolume) ||
        value > 100) {
        return 0;
    }
    (option == Bass::kConfigMusicVolume ? state.musicVolume : state.streamVolume) =
        static_cast<int>(value);
    ApplyVolumes(state);
    return 1;
}

// Runs op on the channel under the lock; 0 when the handle is unknown (or, with
// modulesOnly, not a module).
template <typename Op> int OnChannel(uint32_t handle, bool modulesOnly, Op op) {
    BassState& state = State();
    std::lock_guard lock(state.mutex);
    Channel* channel = Find(state, handle);
    if (channel == nullptr || (modulesOnly && channel->kind != SoundFileKind::Module)) {
        return 0;
    }
    return op(state, *channel) ? 1 : 0;
}

int MusicSetAmplify(uint32_t handle, uint32_t amplify) {
    return OnChannel(handle, true, [amplify](BassState& state, Channel& channel) {
        if (amplify > 100) {
            return false;
        }
        channel.amplify = static_cast<int>(amplify);
        ApplyVolume(state, channel);
        return true;
    });
}

int ChannelStop(uint32_t handle) {
    return OnChannel(handle, false, [](BassState&, Channel& channel) {
        (void)channel.buffer->Stop();
        channel.paused = false;
        return true;
    });
}

int ChannelPause(uint32_t handle) {
    return OnChannel(handle, false, [](BassState&, Channel& channel) { return channel.Pause(); });
}

int ChannelResume(uint32_t handle) {
    return OnChannel(handle, false, [](BassState&, Channel& channel) { return channel.Resume(); });
}

int ChannelSetAttributes(uint32_t handle, int frequency, int volume, int pan) {
    return OnChannel(handle, false, [=](BassState& state, Channel& channel) {
        if (frequency >= 0) {
            (void)channel.buffer->SetFrequency(static_cast<uint32_t>(frequency));
        }
        if (volume >= 0) {
            channel.volume = std::min(volume, 100);
            ApplyVolume(state, channel);
        }
        if (pan >= -100) {
            (void)channel.buffer->SetPan(std::min(pan, 100) * 100);
        }
        return true;
    });
}

int ChannelSetPosition(uint32_t handle, uint64_t position) {
    return OnChannel(handle, false, [position](BassState&, Channel& channel) {
        if (channel.kind == SoundFileKind::Module || position >= channel.dataSize) {
            return false;
        }
        return channel.buffer->SetCurrentPosition(static_cast<uint32_t>(position)) ==
               SoundResult::Ok;
    });
}

uint32_t ChannelIsActive(uint32_t handle) {
    BassState& state = State();
    std::lock_guard lock(state.mutex);
    Channel* channel = Find(state, handle);
    if (channel == nullptr) {
        return Bass::kActiveStopped;
    }
    if (channel->paused) {
        return Bass::kActivePaused;
    }
    return channel->IsPlaying() ? Bass::kActivePlaying : Bass::kActiveStopped;
}

bool IsModule(SoundFileKind kind) {
    return kind == SoundFileKind::Module;
}

bool IsStream(SoundFileKind kind) {
    return kind == SoundFileKind::Wave || kind == SoundFileKind::Ogg || kind == SoundFileKind::Mp3;
}

uint32_t MusicLoad(int memory, const char* file, uint32_t, uint32_t, uint32_t flags, uint32_t) {
    if (memory != 0) {
        return 0; // modules from memory are not offered
    }
    return CreateChannel(file, &IsModule, (flags & Bass::kSampleLoop) != 0);
}

int MusicPlayEx(uint32_t handle, uint32_t position, int flags, int reset) {
    return OnChannel(handle, true, [=](BassState&, Channel& channel) {
        (void)reset; // the rendered song carries no effect state to reset
        (void)channel.buffer->Stop();
        if (!channel.SetOrder(position & 0xFFFF)) {
            return false;
        }
        channel.looping = (static_cast<uint32_t>(flags) & Bass::kSampleLoop) != 0;
        return channel.Play();
    });
}

int MusicPlay(uint32_t handle) {
    return OnChannel(handle, true, [](BassState&, Channel& channel) { return channel.Play(); });
}

int FreeChannel(uint32_t handle, bool module) {
    BassState& state = State();
    std::lock_guard lock(state.mutex);
    Channel* channel = Find(state, handle);
    if (channel == nullptr || (channel->kind == SoundFileKind::Module) != module) {
        return 0;
    }
    state.channels.erase(handle);
    return 1;
}

int MusicFree(uint32_t handle) {
    return FreeChannel(handle, true);
}

uint32_t StreamCreateFile(int memory, const char* file, uint32_t, uint32_t, uint32_t) {
    return memory != 0 ? 0 : CreateChannel(file, &IsStream, false);
}

int StreamFree(uint32_t handle) {
    return FreeChannel(handle, false);
}

int StreamPlay(uint32_t handle, int flush, uint32_t flags) {
    return OnChannel(handle, false, [=](BassState&, Channel& channel) {
        if (channel.kind == SoundFileKind::Module) {
            return false;
        }
        if (flush != 0) {
            (void)channel.buffer->SetCurrentPosition(0);
        }
        channel.looping = (flags & Bass::kSampleLoop) != 0;
        return channel.Play();
    });
}

template <typename Fn> ProcAddress Entry(Fn function) {
    return reinterpret_cast<ProcAddress>(function);
}

} // namespace

const LibraryModule& BassModule() {
    static const LibraryModule module{
        "bass.dll",
        {
            {"BASS_Init", Entry<Bass::InitFn>(&Init)},
            {"BASS_Free", Entry<Bass::VoidFn>(&Free)},
            {"BASS_Stop", Entry<Bass::VoidFn>(&Stop)},
            {"BASS_Start", Entry<Bass::VoidFn>(&Start)},
            {"BASS_SetVolume", Entry<Bass::SetVolumeFn>(&SetVolume)},
            {"BASS_SetConfig", Entry<Bass::SetConfigFn>(&SetConfig)},
            {"BASS_MusicSetAmplify", Entry<Bass::MusicSetAmplifyFn>(&MusicSetAmplify)},
            {"BASS_ChannelStop", Entry<Bass::ChannelFn>(&ChannelStop)},
            {"BASS_ChannelPause", Entry<Bass::ChannelFn>(&ChannelPause)},
            {"BASS_ChannelResume", Entry<Bass::ChannelFn>(&ChannelResume)},
            {"BASS_ChannelSetAttributes",
             Entry<Bass::ChannelSetAttributesFn>(&ChannelSetAttributes)},
            {"BASS_ChannelSetPosition", Entry<Bass::ChannelSetPositionFn>(&ChannelSetPosition)},
            {"BASS_ChannelIsActive", Entry<Bass::ChannelIsActiveFn>(&ChannelIsActive)},
            {"BASS_MusicLoad", Entry<Bass::MusicLoadFn>(&MusicLoad)},
            {"BASS_MusicPlay", Entry<Bass::ChannelFn>(&MusicPlay)},
            {"BASS_MusicPlayEx", Entry<Bass::MusicPlayExFn>(&MusicPlayEx)},
            {"BASS_MusicFree", Entry<Bass::ChannelFn>(&MusicFree)},
            {"BASS_StreamCreateFile", Entry<Bass::StreamCreateFileFn>(&StreamCreateFile)},
            {"BASS_StreamFree", Entry<Bass::ChannelFn>(&StreamFree)},
            {"BASS_StreamPlay", Entry<Bass::StreamPlayFn>(&StreamPlay)},
        }};
    return module;
}

} // namespace Vuro::Platform
