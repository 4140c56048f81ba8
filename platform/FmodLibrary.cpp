// The built-in "fmod.dll" over the sound device. One library state per process, as a loaded
// library has; a mutex guards it because samples and songs are loaded on the loading thread
// while the main thread plays. Decoding runs outside the lock, on the device the library had
// when it began.

#include "platform/FmodLibrary.h"

#include "platform/LibraryVoice.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace Vuro::Platform {

namespace Fmod {

struct Sample {
    LibraryVoice voice; // voice.looping: the default loop of the sample
    uint32_t mode = 0;
    int frequency = 0;
    int volume = 100;
    int pan = 128;
    int priority = 128;
    uint32_t loopStart = 0; // frames
    uint32_t loopEnd = 0;   // last frame of the loop
};

struct Module {
    LibraryVoice voice;
};

} // namespace Fmod

namespace {

using Fmod::Module;
using Fmod::Sample;

// One channel: a duplicate of a sample's buffer.
struct Channel {
    LibraryVoice voice;
    const Sample* sample = nullptr;
};

struct FmodState {
    std::mutex mutex;
    std::shared_ptr<SoundDevice> device;
    std::vector<Channel> channels;
    std::map<const Sample*, std::unique_ptr<Sample>> samples;
    std::map<const Module*, std::unique_ptr<Module>> modules;
};

FmodState& State() {
    static FmodState state;
    return state;
}

constexpr uint32_t kFlags =
    kBufferStatic | kBufferCtrlVolume | kBufferCtrlPan | kBufferCtrlFrequency;

template <typename Handle>
Handle* Find(std::map<const Handle*, std::unique_ptr<Handle>>& handles, const Handle* handle) {
    auto found = handles.find(handle);
    return found == handles.end() ? nullptr : found->second.get();
}

Channel* FindChannel(FmodState& state, int channel) {
    if (channel < 0 || static_cast<size_t>(channel) >= state.channels.size() ||
        state.channels[static_cast<size_t>(channel)].voice.buffer == nullptr) {
        return nullptr;
    }
    return &state.channels[static_cast<size_t>(channel)];
}

void ApplyChannelSettings(Channel& channel, int volume, int pan) {
    channel.voice.SetAmplitude(std::clamp(volume, 0, 100) / 100.0);
    (void)channel.voice.buffer->SetPan((std::clamp(pan, 0, 255) - 128) * kPanRight / 127);
}

uint32_t BlockAlign(const Sample& sample) {
    WaveFormat format;
    (void)sample.voice.buffer->GetFormat(format);
    return format.blockAlign;
}

uint32_t FrameCount(const Sample& sample) {
    return sample.voice.dataSize / BlockAlign(sample);
}

// Decodes a file of an accepted kind on the library's device; null when none is open.
template <typename Handle>
Handle* LoadHandle(const char* name, bool (*accept)(SoundFileKind),
                   std::map<const Handle*, std::unique_ptr<Handle>> FmodState::*handles,
                   void (*complete)(Handle&)) {
    FmodState& state = State();
    std::shared_ptr<SoundDevice> device;
    {
        std::lock_guard lock(state.mutex);
        device = state.device;
    }
    auto handle = std::make_unique<Handle>();
    if (device == nullptr || name == nullptr ||
        !LoadLibraryVoice(*device, name, accept, handle->voice)) {
        return nullptr;
    }
    complete(*handle);
    std::lock_guard lock(state.mutex);
    if (state.device != device) {
        return nullptr; // the library was closed meanwhile
    }
    Handle* result = handle.get();
    (state.*handles)[result] = std::move(handle);
    return result;
}

bool IsSampleKind(SoundFileKind kind) {
    return kind != SoundFileKind::Module;
}

bool IsSongKind(SoundFileKind kind) {
    return kind != SoundFileKind::Au;
}

void CompleteLoadedSample(Sample& sample) {
    WaveFormat format;
    (void)sample.voice.buffer->GetFormat(format);
    sample.mode = (format.bitsPerSample == 8 ? Fmod::k8Bits : Fmod::k16Bits) |
                  (format.channels == 1 ? Fmod::kMono : Fmod::kStereo) | Fmod::kLoopOff;
    sample.frequency = static_cast<int>(format.samplesPerSec);
}

void CompleteLoadedSong(Module& module) {
    module.voice.looping = true;
}

int SetBufferSize(int milliseconds) {
    return milliseconds > 0 ? 1 : 0; // the mixer's output has its own buffering
}

int SetHWND(Window*) {
    return 1; // the output follows no window
}

int Init(int, int maxChannels, uint32_t) {
    FmodState& state = State();
    std::lock_guard lock(state.mutex);
    if (state.device != nullptr || maxChannels < 1 || maxChannels > 1024) {
        return 0;
    }
    state.device = GetAudioSystem().CreateSoundDevice();
    if (state.device == nullptr) {
        return 0;
    }
    state.channels.resize(static_cast<size_t>(maxChannels));
    return 1;
}

void Close() {
    FmodState& state = State();
    std::lock_guard lock(state.mutex);
    state.channels.clear(); // the duplicates before the samples they share data with
    state.samples.clear();
    state.modules.clear();
    state.device.reset();
}

Sample* SampleLoad(int, const char* name, uint32_t, int) {
    return LoadHandle<Sample>(name, &IsSampleKind, &FmodState::samples, &CompleteLoadedSample);
}

Sample* SampleAlloc(int, int length, uint32_t mode, int frequency, int volume, int pan,
                    int priority) {
    FmodState& state = State();
    std::lock_guard lock(state.mutex);
    const uint32_t channels = (mode & Fmod::kMono) != 0 ? 1 : 2;
    const uint32_t bits = (mode & Fmod::k8Bits) != 0 ? 8 : 16;
    const uint64_t bytes = static_cast<uint64_t>(std::max(length, 0)) * channels * bits / 8;
    if (state.device == nullptr || length < 1 || bytes > kBufferBytesMax) {
        return nullptr;
    }
    SoundBufferTarget target(*state.device, kFlags);
    uint8_t* data =
        target.CreateAndLock(MakePcmFormat(channels, static_cast<uint32_t>(frequency), bits),
                             static_cast<uint32_t>(bytes));
    if (data == nullptr) {
        return nullptr;
    }
    std::memset(data, bits == 8 ? 0x80 : 0, static_cast<size_t>(bytes));
    (void)target.Unlock();
    auto sample = std::make_unique<Sample>();
    sample->voice.buffer = std::move(target.Buffer());
    sample->voice.dataSize = static_cast<uint32_t>(bytes);
    sample->voice.looping = (mode & Fmod::kLoopNormal) != 0;
    sample->mode = mode;
    sample->frequency = frequency;
    sample->volume = volume;
    sample->pan = pan;
    sample->priority = priority;
    Sample* result = sample.get();
    state.samples[result] = std::move(sample);
    return result;
}

void FreeSampleLocked(FmodState& state, const Sample* sample) {
    for (Channel& channel : state.channels) {
        if (channel.sample == sample) {
            channel = Channel{};
        }
    }
    state.samples.erase(sample);
}

void SampleFree(Sample* sample) {
    FmodState& state = State();
    std::lock_guard lock(state.mutex);
    FreeSampleLocked(state, sample);
}

int SampleLock(Sample* handle, int offset, int length, void** part1, void** part2,
               uint32_t* length1, uint32_t* length2) {
    FmodState& state = State();
    std::lock_guard lock(state.mutex);
    Sample* sample = Find(state.samples, handle);
    uint8_t* data = nullptr;
    if (sample == nullptr || offset < 0 || length < 0 || part1 == nullptr ||
        sample->voice.buffer->Lock(static_cast<uint32_t>(offset), static_cast<uint32_t>(length),
                                   &data) != SoundResult::Ok) {
        return 0;
    }
    *part1 = data;
    if (part2 != nullptr) {
        *part2 = nullptr;
    }
    if (length1 != nullptr) {
        *length1 = static_cast<uint32_t>(length);
    }
    if (length2 != nullptr) {
        *length2 = 0;
    }
    return 1;
}

int SampleUnlock(Sample* handle, void* part1, void*, uint32_t, uint32_t) {
    FmodState& state = State();
    std::lock_guard lock(state.mutex);
    Sample* sample = Find(state.samples, handle);
    return sample != nullptr &&
                   sample->voice.buffer->Unlock(static_cast<uint8_t*>(part1)) == SoundResult::Ok
               ? 1
               : 0;
}

int SampleSetLoopPoints(Sample* handle, int start, int end) {
    FmodState& state = State();
    std::lock_guard lock(state.mutex);
    Sample* sample = Find(state.samples, handle);
    if (sample == nullptr || start < 0 || end < start ||
        static_cast<uint32_t>(end) >= FrameCount(*sample)) {
        return 0;
    }
    sample->loopStart = static_cast<uint32_t>(start);
    sample->loopEnd = static_cast<uint32_t>(end);
    return 1;
}

uint32_t SampleGetLength(Sample* handle) {
    FmodState& state = State();
    std::lock_guard lock(state.mutex);
    Sample* sample = Find(state.samples, handle);
    return sample != nullptr ? FrameCount(*sample) : 0;
}

int SampleGetDefaults(Sample* handle, int* frequency, int* volume, int* pan, int* priority) {
    FmodState& state = State();
    std::lock_guard lock(state.mutex);
    Sample* sample = Find(state.samples, handle);
    if (sample == nullptr) {
        return 0;
    }
    for (auto [out, value] : {std::pair{frequency, sample->frequency},
                              {volume, sample->volume},
                              {pan, sample->pan},
                              {priority, sample->priority}}) {
        if (out != nullptr) {
            *out = value;
        }
    }
    return 1;
}

uint32_t SampleGetMode(Sample* handle) {
    FmodState& state = State();
    std::lock_guard lock(state.mutex);
    Sample* sample = Find(state.samples, handle);
    return sample != nullptr ? sample->mode : 0;
}

int PlaySampleLocked(FmodState& state, int index, Sample* handle) {
    Sample* sample = Find(state.samples, handle);
    if (sample == nullptr || state.device == nullptr) {
        return -1;
    }
    if (index == Fmod::kFree) {
        auto free =
            std::find_if(state.channels.begin(), state.channels.end(),
                         [](const Channel& c) { return !c.voice.buffer || !c.voice.IsPlaying(); });
        index = free == state.channels.end() ? -1 : static_cast<int>(free - state.channels.begin());
    }
    if (index < 0 || static_cast<size_t>(index) >= state.channels.size()) {
        return -1;
    }
    Channel channel;
    if (state.device->DuplicateSoundBuffer(*sample->voice.buffer, channel.voice.buffer) !=
        SoundResult::Ok) {
        return -1;
    }
    channel.sample = sample;
    channel.voice.looping = sample->voice.looping;
    if (sample->loopEnd != 0) {
        const uint32_t align = BlockAlign(*sample);
        (void)channel.voice.buffer->SetLoopPoints(sample->loopStart * align,
                                                  (sample->loopEnd + 1) * align);
    }
    ApplyChannelSettings(channel, sample->volume, sample->pan);
    state.channels[static_cast<size_t>(index)] = std::move(channel);
    return state.channels[static_cast<size_t>(index)].voice.Play() ? index : -1;
}

int PlaySound(int index, Sample* sample) {
    FmodState& state = State();
    std::lock_guard lock(state.mutex);
    return PlaySampleLocked(state, index, sample);
}

// Runs op on the channel under the lock; 0 when there is no such channel or it holds nothing.
template <typename Op> int OnChannel(int index, Op op) {
    FmodState& state = State();
    std::lock_guard lock(state.mutex);
    Channel* channel = FindChannel(state, index);
    return channel != nullptr && op(*channel) ? 1 : 0;
}

int StopSound(int index) {
    return OnChannel(index, [](Channel& channel) {
        channel.voice.Stop();
        return true;
    });
}

int SetVolume(int index, int volume) {
    return OnChannel(index, [volume](Channel& channel) {
        channel.voice.SetAmplitude(std::clamp(volume, 0, 100) / 100.0);
        return true;
    });
}

int SetPaused(int index, int paused) {
    return OnChannel(index, [paused](Channel& channel) {
        return paused != 0 ? channel.voice.Pause() || channel.voice.paused
                           : channel.voice.Resume() || !channel.voice.paused;
    });
}

// A playing voice takes a new loop choice at once.
bool SetVoiceLoop(LibraryVoice& voice, uint32_t mode) {
    voice.looping = (mode & Fmod::kLoopNormal) != 0;
    return !voice.IsPlaying() || voice.Play();
}

int SetLoopMode(int index, uint32_t mode) {
    return OnChannel(index, [mode](Channel& channel) { return SetVoiceLoop(channel.voice, mode); });
}

int IsPlaying(int index) {
    return OnChannel(index, [](Channel& channel) { return channel.voice.IsPlaying(); });
}

Sample* StreamOpenFile(const char* name, uint32_t mode, int) {
    return SampleLoad(Fmod::kFree, name, mode, 0);
}

int StreamClose(Sample* stream) {
    FmodState& state = State();
    std::lock_guard lock(state.mutex);
    if (Find(state.samples, stream) == nullptr) {
        return 0;
    }
    FreeSampleLocked(state, stream);
    return 1;
}

int StreamPlay(int index, Sample* stream) {
    return PlaySound(index, stream);
}

Module* LoadSong(const char* name) {
    return LoadHandle<Module>(name, &IsSongKind, &FmodState::modules, &CompleteLoadedSong);
}

// Runs op on the song under the lock; 0 when the handle is unknown.
template <typename Op> int OnSong(Module* handle, Op op) {
    FmodState& state = State();
    std::lock_guard lock(state.mutex);
    Module* module = Find(state.modules, handle);
    return module != nullptr && op(*module) ? 1 : 0;
}

int PlaySong(Module* handle) {
    return OnSong(handle, [](Module& module) {
        (void)module.voice.SetOrder(0);
        return module.voice.Play();
    });
}

int StopSong(Module* handle) {
    return OnSong(handle, [](Module& module) {
        module.voice.Stop();
        return true;
    });
}

int SetLooping(Module* handle, int mode) {
    return OnSong(handle, [mode](Module& module) {
        return SetVoiceLoop(module.voice, static_cast<uint32_t>(mode));
    });
}

int SetOrder(Module* handle, int order) {
    return OnSong(handle, [order](Module& module) {
        return order >= 0 && module.voice.SetOrder(static_cast<uint32_t>(order));
    });
}

int SetSongPaused(Module* handle, int paused) {
    return OnSong(handle, [paused](Module& module) {
        return paused != 0 ? module.voice.Pause() || module.voice.paused
                           : module.voice.Resume() || !module.voice.paused;
    });
}

int SetMasterVolume(Module* handle, int volume) {
    return OnSong(handle, [volume](Module& module) {
        module.voice.SetAmplitude(std::clamp(volume, 0, 100) / 100.0);
        return true;
    });
}

int SongIsPlaying(Module* handle) {
    return OnSong(handle, [](Module& module) { return module.voice.IsPlaying(); });
}

template <typename Fn> ProcAddress Entry(Fn function) {
    return reinterpret_cast<ProcAddress>(function);
}

} // namespace

const LibraryModule& FmodModule() {
    using namespace Fmod;
    static const LibraryModule module{
        "fmod.dll",
        {
            {"_FSOUND_SetBufferSize@4", Entry<SetBufferSizeFn>(&SetBufferSize)},
            {"_FSOUND_SetHWND@4", Entry<SetHWNDFn>(&SetHWND)},
            {"_FSOUND_Init@12", Entry<InitFn>(&Init)},
            {"_FSOUND_Close@0", Entry<CloseFn>(&Close)},
            {"_FSOUND_Sample_Load@16", Entry<SampleLoadFn>(&SampleLoad)},
            {"_FSOUND_Sample_Alloc@28", Entry<SampleAllocFn>(&SampleAlloc)},
            {"_FSOUND_Sample_Free@4", Entry<SampleFreeFn>(&SampleFree)},
            {"_FSOUND_Sample_Lock@28", Entry<SampleLockFn>(&SampleLock)},
            {"_FSOUND_Sample_Unlock@20", Entry<SampleUnlockFn>(&SampleUnlock)},
            {"_FSOUND_Sample_SetLoopPoints@12", Entry<SampleSetLoopPointsFn>(&SampleSetLoopPoints)},
            {"_FSOUND_Sample_GetLength@4", Entry<SampleGetLengthFn>(&SampleGetLength)},
            {"_FSOUND_Sample_GetDefaults@20", Entry<SampleGetDefaultsFn>(&SampleGetDefaults)},
            {"_FSOUND_Sample_GetMode@4", Entry<SampleGetModeFn>(&SampleGetMode)},
            {"_FSOUND_PlaySound@8", Entry<PlaySoundFn>(&PlaySound)},
            {"_FSOUND_StopSound@4", Entry<ChannelFn>(&StopSound)},
            {"_FSOUND_SetVolume@8", Entry<ChannelValueFn>(&SetVolume)},
            {"_FSOUND_SetPaused@8", Entry<ChannelValueFn>(&SetPaused)},
            {"_FSOUND_SetLoopMode@8", Entry<SetLoopModeFn>(&SetLoopMode)},
            {"_FSOUND_IsPlaying@4", Entry<ChannelFn>(&IsPlaying)},
            {"_FSOUND_Stream_OpenFile@12", Entry<StreamOpenFileFn>(&StreamOpenFile)},
            {"_FSOUND_Stream_Close@4", Entry<StreamCloseFn>(&StreamClose)},
            {"_FSOUND_Stream_Play@8", Entry<StreamPlayFn>(&StreamPlay)},
            {"_FMUSIC_LoadSong@4", Entry<LoadSongFn>(&LoadSong)},
            {"_FMUSIC_PlaySong@4", Entry<SongFn>(&PlaySong)},
            {"_FMUSIC_StopSong@4", Entry<SongFn>(&StopSong)},
            {"_FMUSIC_SetLooping@8", Entry<SongValueFn>(&SetLooping)},
            {"_FMUSIC_SetOrder@8", Entry<SongValueFn>(&SetOrder)},
            {"_FMUSIC_SetPaused@8", Entry<SongValueFn>(&SetSongPaused)},
            {"_FMUSIC_SetMasterVolume@8", Entry<SongValueFn>(&SetMasterVolume)},
            {"_FMUSIC_IsPlaying@4", Entry<SongFn>(&SongIsPlaying)},
        }};
    return module;
}

} // namespace Vuro::Platform
