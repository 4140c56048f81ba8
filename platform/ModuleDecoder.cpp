// Tracker modules through libopenmpt, rendered once through their order list into one 16-bit
// stereo buffer at the output's rate. Rendering ahead lets a song play, loop, pause and jump to
// an order on the mixer like any other sound.

#include "platform/SoundDecoders.h"

#include "platform/DecoderFiles.h"

#include <libopenmpt/libopenmpt.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

namespace Vuro::Platform {

namespace {

constexpr int32_t kRate = 44100;
constexpr size_t kModuleBytesMax = 64u << 20;

struct ModuleDeleter {
    void operator()(openmpt_module* module) const { openmpt_module_destroy(module); }
};

} // namespace

bool DecodeModule(FILE* stream, PcmTarget& target, std::vector<uint32_t>* orderFrames,
                  double maxSeconds) {
    Decoding::FilePtr file(stream);
    std::vector<uint8_t> input;
    if (!file || !Decoding::ReadRest(file.get(), input, kModuleBytesMax)) {
        return false;
    }
    file.reset();
    std::unique_ptr<openmpt_module, ModuleDeleter> module(openmpt_module_create_from_memory2(
        input.data(), input.size(), &openmpt_log_func_silent, nullptr, &openmpt_error_func_ignore,
        nullptr, nullptr, nullptr, nullptr));
    if (!module) {
        return false;
    }
    openmpt_module* mod = module.get();
    const double seconds = openmpt_module_get_duration_seconds(mod);
    if (!(seconds > 0.0) || seconds > maxSeconds) {
        return false;
    }
    (void)openmpt_module_set_repeat_count(mod, 0);
    // The song ends at its last row: the library's fade-out after it would dip at every loop.
    const auto songFrames = static_cast<size_t>(std::lround(seconds * kRate));
    // Rendered as floats and rounded here: the library's own 16-bit output is dithered with
    // random noise, and the same song must sound the same every time it is decoded.
    std::vector<int16_t> pcm;
    pcm.reserve(songFrames * 2);
    float chunk[4096 * 2];
    while (pcm.size() / 2 < songFrames) {
        const size_t want = std::min<size_t>(4096, songFrames - pcm.size() / 2);
        const size_t got = openmpt_module_read_interleaved_float_stereo(mod, kRate, want, chunk);
        if (got == 0) {
            break;
        }
        for (size_t i = 0; i < got * 2; ++i) {
            const long sample = std::lround(static_cast<double>(chunk[i]) * 32767.0);
            pcm.push_back(static_cast<int16_t>(std::clamp(sample, -32768L, 32767L)));
        }
    }
    const size_t frames = pcm.size() / 2;
    if (frames == 0) {
        return false;
    }
    if (orderFrames != nullptr) {
        // Setting the position answers the song time there, which is the rendered frame.
        orderFrames->clear();
        const int32_t orders = openmpt_module_get_num_orders(mod);
        for (int32_t order = 0; order < orders; ++order) {
            const double at = openmpt_module_set_position_order_row(mod, order, 0);
            const auto frame = static_cast<size_t>(std::lround(std::max(at, 0.0) * kRate));
            orderFrames->push_back(static_cast<uint32_t>(std::min(frame, frames)));
        }
    }
    const auto dataSize = static_cast<uint32_t>(frames * 4);
    uint8_t* data = CreatePcmBuffer(target, MakePcmFormat(2, kRate, 16), dataSize);
    if (data == nullptr) {
        return false;
    }
    // Little-endian samples, as every buffer holds them.
    for (size_t i = 0; i < pcm.size(); ++i) {
        const auto sample = static_cast<uint16_t>(pcm[i]);
        data[i * 2] = static_cast<uint8_t>(sample & 0xFF);
        data[i * 2 + 1] = static_cast<uint8_t>(sample >> 8);
    }
    return target.Unlock();
}

} // namespace Vuro::Platform
