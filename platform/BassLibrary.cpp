// The built-in "bass.dll" over the sound device. One library state per process, as a loaded
// library has; a mutex guards it because songs are loaded on the loading thread while the main
// thread plays.

#include "platform/BassLibrary.h"

#include "platform/SoundDevice.h"

#include <tremor/ivorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace Vuro::Platform {

namespace {

struct Channel {
    std::unique_ptr<SoundBuffer> buffer;
    int volume = 100; // percent
    bool looping = false;
    bool paused = false;
};

struct BassState {
    std::mutex mutex;
    std::unique_ptr<SoundDevice> device;
    std::map<uint32_t, Channel> channels;
    uint32_t nextHandle = 1;
    int streamVolume = 100; // percent
    int musicVolume = 100;  // percent; no modules play here
    int outputVolume = 100; // percent
};

BassState& State() {
    static BassState state;
    return state;
}

Channel* Find(BassState& state, uint32_t handle) {
    auto found = state.channels.find(handle);
    return found == state.channels.end() ? nullptr : &found->second;
}

// The product of three percentages (1000000 is full amplitude) to the device's attenuation in
// hundredths of a decibel.
int Attenuation(int64_t percentCubed) {
    if (percentCubed <= 0) {
        return kVolumeMin;
    }
    const double amplitude = static_cast<double>(percentCubed) / 1000000.0;
    const int db = static_cast<int>(std::lround(2000.0 * std::log10(amplitude)));
    return std::clamp(db, kVolumeMin, kVolumeMax);
}

void ApplyVolume(const BassState& state, Channel& channel) {
    (void)channel.buffer->SetVolume(Attenuation(static_cast<int64_t>(channel.volume) *
                                                state.streamVolume * state.outputVolume));
}

// The whole file as 16-bit PCM; false when it is not Ogg Vorbis or cannot be read.
bool DecodeOgg(const char* file, WaveFormat& format, std::vector<uint8_t>& pcm) {
    FILE* input = std::fopen(file, "rb");
    if (input == nullptr) {
        return false;
    }
    OggVorbis_File stream;
    if (ov_open(input, &stream, nullptr, 0) < 0) {
        std::fclose(input);
        return false;
    }
    const vorbis_info* info = ov_info(&stream, -1);
    const ogg_int64_t total = ov_pcm_total(&stream, -1);
    bool ok = info != nullptr && (info->channels == 1 || info->channels == 2) && total > 0 &&
              static_cast<uint64_t>(total) * info->channels * 2 <= kBufferBytesMax;
    if (ok) {
        const auto channels = static_cast<uint16_t>(info->channels);
        format = WaveFormat{1,
                            channels,
                            static_cast<uint32_t>(info->rate),
                            static_cast<uint32_t>(info->rate) * channels * 2u,
                            static_cast<uint16_t>(channels * 2),
                            16};
        pcm.resize(static_cast<size_t>(total) * channels * 2);
        size_t filled = 0;
        while (filled < pcm.size()) {
            int section = 0;
            long got =
                ov_read(&stream, reinterpret_cast<char*>(pcm.data() + filled),
                        static_cast<int>(std::min<size_t>(pcm.size() - filled, 1 << 20)), &section);
            if (got < 1) {
                break;
            }
            filled += static_cast<size_t>(got);
        }
        ok = filled == pcm.size();
    }
    ov_clear(&stream); // closes the file
    return ok;
}

uint32_t ReadLE(const std::vector<uint8_t>& bytes, size_t at, int count) {
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = (value << 8) | bytes[at + static_cast<size_t>(i)];
    }
    return value;
}

// A RIFF/WAVE file of 8- or 16-bit PCM; false for anything else.
bool ReadWav(const char* file, WaveFormat& format, std::vector<uint8_t>& pcm) {
    FILE* input = std::fopen(file, "rb");
    if (input == nullptr) {
        return false;
    }
    std::vector<uint8_t> bytes;
    uint8_t chunk[4096];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, input)) > 0) {
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    std::fclose(input);
    if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
        std::memcmp(bytes.data() + 8, "WAVE", 4) != 0) {
        return false;
    }
    bool haveFormat = false;
    for (size_t at = 12; at + 8 <= bytes.size();) {
        const uint32_t size = ReadLE(bytes, at + 4, 4);
        const size_t body = at + 8;
        if (size > bytes.size() - body) {
            return false;
        }
        if (std::memcmp(bytes.data() + at, "fmt ", 4) == 0 && size >= 16) {
            format = WaveFormat{static_cast<uint16_t>(ReadLE(bytes, body, 2)),
                                static_cast<uint16_t>(ReadLE(bytes, body + 2, 2)),
                                ReadLE(bytes, body + 4, 4),
                                ReadLE(bytes, body + 8, 4),
                                static_cast<uint16_t>(ReadLE(bytes, body + 12, 2)),
                                static_cast<uint16_t>(ReadLE(bytes, body + 14, 2))};
            haveFormat = format.formatTag == 1 && (format.channels == 1 || format.channels == 2) &&
                         (format.bitsPerSample == 8 || format.bitsPerSample == 16) &&
                         format.blockAlign == format.channels * format.bitsPerSample / 8;
        } else if (std::memcmp(bytes.data() + at, "data", 4) == 0) {
            if (!haveFormat) {
                return false;
            }
            const size_t whole = size - size % format.blockAlign;
            pcm.assign(bytes.begin() + static_cast<long>(body),
                       bytes.begin() + static_cast<long>(body + whole));
            return !pcm.empty();
        }
        at = body + size + (size & 1); // chunks are padded to even sizes
    }
    return false;
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

int Free() {
    BassState& state = State();
    std::lock_guard lock(state.mutex);
    state.channels.clear();
    state.device.reset();
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
    for (auto& [handle, channel] : state.channels) {
        ApplyVolume(state, channel);
    }
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
    for (auto& [handle, channel] : state.channels) {
        ApplyVolume(state, channel);
    }
    return 1;
}

int MusicSetAmplify(uint32_t, uint32_t) {
    return 0;
}

int ChannelStop(uint32_t handle) {
    BassState& state = State();
    std::lock_guard lock(state.mutex);
    Channel* channel = Find(state, handle);
    if (channel == nullptr) {
        return 0;
    }
    (void)channel->buffer->Stop();
    channel->paused = false;
    return 1;
}

int ChannelPause(uint32_t handle) {
    BassState& state = State();
    std::lock_guard lock(state.mutex);
    Channel* channel = Find(state, handle);
    uint32_t status = 0;
    if (channel == nullptr || channel->buffer->GetStatus(status) != SoundResult::Ok ||
        (status & kStatusPlaying) == 0) {
        return 0;
    }
    (void)channel->buffer->Stop();
    channel->paused = true;
    return 1;
}

int ChannelResume(uint32_t handle) {
    BassState& state = State();
    std::lock_guard lock(state.mutex);
    Channel* channel = Find(state, handle);
    if (channel == nullptr || !channel->paused) {
        return 0;
    }
    channel->paused = false;
    return channel->buffer->Play(channel->looping) == SoundResult::Ok ? 1 : 0;
}

int ChannelSetAttributes(uint32_t handle, int frequency, int volume, int pan) {
    BassState& state = State();
    std::lock_guard lock(state.mutex);
    Channel* channel = Find(state, handle);
    if (channel == nullptr) {
        return 0;
    }
    if (frequency >= 0) {
        (void)channel->buffer->SetFrequency(static_cast<uint32_t>(frequency));
    }
    if (volume >= 0) {
        channel->volume = std::min(volume, 100);
        ApplyVolume(state, *channel);
    }
    if (pan >= -100) {
        (void)channel->buffer->SetPan(std::min(pan, 100) * 100);
    }
    return 1;
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
    uint32_t status = 0;
    (void)channel->buffer->GetStatus(status);
    return (status & kStatusPlaying) != 0 ? Bass::kActivePlaying : Bass::kActiveStopped;
}

uint32_t MusicLoad(int, const char*, uint32_t, uint32_t, uint32_t, uint32_t) {
    return 0; // no tracker-module decoder is built in
}

int MusicPlayEx(uint32_t, uint32_t, int, int) {
    return 0;
}

int MusicPlay(uint32_t) {
    return 0;
}

int MusicFree(uint32_t) {
    return 0;
}

uint32_t StreamCreateFile(int memory, const char* file, uint32_t, uint32_t, uint32_t) {
    WaveFormat format;
    std::vector<uint8_t> pcm;
    if (memory != 0 || file == nullptr ||
        (!DecodeOgg(file, format, pcm) && !ReadWav(file, format, pcm))) {
        return 0;
    }
    BassState& state = State();
    std::lock_guard lock(state.mutex);
    if (state.device == nullptr) {
        return 0;
    }
    BufferDesc desc;
    desc.flags = kBufferStatic | kBufferCtrlVolume | kBufferCtrlPan | kBufferCtrlFrequency;
    desc.bufferBytes = static_cast<uint32_t>(pcm.size());
    desc.format = format;
    Channel channel;
    uint8_t* data = nullptr;
    if (state.device->CreateSoundBuffer(desc, channel.buffer) != SoundResult::Ok ||
        channel.buffer->Lock(0, desc.bufferBytes, &data) != SoundResult::Ok) {
        return 0;
    }
    std::memcpy(data, pcm.data(), pcm.size());
    (void)channel.buffer->Unlock(data);
    ApplyVolume(state, channel);
    const uint32_t handle = state.nextHandle++;
    state.channels.emplace(handle, std::move(channel));
    return handle;
}

int StreamFree(uint32_t handle) {
    BassState& state = State();
    std::lock_guard lock(state.mutex);
    return state.channels.erase(handle) != 0 ? 1 : 0;
}

int StreamPlay(uint32_t handle, int flush, uint32_t flags) {
    BassState& state = State();
    std::lock_guard lock(state.mutex);
    Channel* channel = Find(state, handle);
    if (channel == nullptr) {
        return 0;
    }
    if (flush != 0) {
        (void)channel->buffer->SetCurrentPosition(0);
    }
    channel->looping = (flags & Bass::kSampleLoop) != 0;
    channel->paused = false;
    return channel->buffer->Play(channel->looping) == SoundResult::Ok ? 1 : 0;
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
