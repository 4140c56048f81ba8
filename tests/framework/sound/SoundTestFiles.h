#pragma once
// Writes small sound files into the working folder for the manager tests.

#include "support/SoundFileBytes.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace Vuro::Test {

// A RIFF/WAVE file of 16-bit samples.
inline SoundBytes WavBytes(const std::vector<int16_t>& samples, uint32_t channels = 1,
                           uint32_t rate = 44100) {
    SoundBytes file = SoundBytes::Riff().Fmt(1, channels, rate, 16);
    file.Text("data").LE32(static_cast<uint32_t>(samples.size() * 2));
    for (int16_t sample : samples) {
        file.LE16(static_cast<uint16_t>(sample));
    }
    return file;
}

inline void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::filesystem::path native(path);
    if (native.has_parent_path()) {
        std::filesystem::create_directories(native.parent_path());
    }
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

inline std::vector<uint8_t> ReadFile(const std::string& path) {
    std::vector<uint8_t> bytes;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return bytes;
    }
    int c = 0;
    while ((c = std::fgetc(file)) != EOF) {
        bytes.push_back(static_cast<uint8_t>(c));
    }
    std::fclose(file);
    return bytes;
}

} // namespace Vuro::Test
