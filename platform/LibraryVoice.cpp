#include "platform/LibraryVoice.h"

#include <algorithm>
#include <cmath>

namespace Vuro::Platform {

bool LibraryVoice::Play() {
    paused = false;
    return buffer->Play(looping) == SoundResult::Ok;
}

void LibraryVoice::Stop() {
    (void)buffer->Stop();
    (void)buffer->SetCurrentPosition(0);
    paused = false;
}

bool LibraryVoice::Pause() {
    if (!IsPlaying()) {
        return false;
    }
    (void)buffer->Stop();
    paused = true;
    return true;
}

bool LibraryVoice::Resume() {
    return paused && Play();
}

bool LibraryVoice::IsPlaying() const {
    uint32_t status = 0;
    return buffer->GetStatus(status) == SoundResult::Ok && (status & kStatusPlaying) != 0;
}

bool LibraryVoice::SetOrder(uint32_t order) {
    uint32_t frame = 0;
    if (kind == SoundFileKind::Module) {
        if (order >= orderFrames.size()) {
            return false;
        }
        frame = orderFrames[order];
    } else if (order != 0) {
        return false;
    }
    WaveFormat format;
    (void)buffer->GetFormat(format);
    return buffer->SetCurrentPosition(frame * format.blockAlign) == SoundResult::Ok;
}

void LibraryVoice::SetAmplitude(double amplitude) {
    (void)buffer->SetVolume(AmplitudeToAttenuation(amplitude));
}

int AmplitudeToAttenuation(double amplitude) {
    if (!(amplitude > 0.0)) {
        return kVolumeMin;
    }
    const int db = static_cast<int>(std::lround(2000.0 * std::log10(std::min(amplitude, 1.0))));
    return std::clamp(db, kVolumeMin, kVolumeMax);
}

bool LoadLibraryVoice(SoundDevice& device, const std::string& file,
                      bool (*accept)(SoundFileKind kind), LibraryVoice& voice) {
    const SoundFileKind kind = IdentifySoundFile(file);
    if (kind == SoundFileKind::Unknown || !accept(kind)) {
        return false;
    }
    SoundBufferTarget target(device, kBufferStatic | kBufferCtrlVolume | kBufferCtrlPan |
                                         kBufferCtrlFrequency);
    if (!DecodeSoundFile(file, kind, target, &voice.orderFrames)) {
        return false;
    }
    voice.buffer = std::move(target.Buffer());
    voice.dataSize = target.DataSize();
    voice.kind = kind;
    return true;
}

} // namespace Vuro::Platform
