#include "tools/assetgen/audio/WaveWriters.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace Vuro::AssetGen {

namespace {

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<FILE, FileCloser>;

File OpenForWriting(const std::filesystem::path& path) {
    File file(std::fopen(path.string().c_str(), "wb"));
    if (!file) {
        std::fprintf(stderr, "assetgen: cannot write %s\n", path.string().c_str());
    }
    return file;
}

bool Finish(File file, const std::filesystem::path& path) {
    const bool ok = std::ferror(file.get()) == 0 && std::fclose(file.release()) == 0;
    if (!ok) {
        std::fprintf(stderr, "assetgen: error while writing %s\n", path.string().c_str());
    }
    return ok;
}

int16_t ToPcm16(float sample) {
    const float scaled = std::round(sample * 32767.0f);
    return static_cast<int16_t>(std::clamp(scaled, -32767.0f, 32767.0f));
}

void PutLE(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

void PutBE32(std::vector<uint8_t>& out, uint32_t value) {
    for (int i = 3; i >= 0; --i) {
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

// FNV-1a of the name: the same on every machine, so a rebuild gives the same bytes.
int SerialOf(const std::string& name) {
    uint32_t hash = 2166136261u;
    for (char c : name) {
        hash = (hash ^ static_cast<uint8_t>(c)) * 16777619u;
    }
    return static_cast<int>(hash & 0x7FFFFFFF);
}

bool WriteBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    File file = OpenForWriting(path);
    if (!file) {
        return false;
    }
    std::fwrite(bytes.data(), 1, bytes.size(), file.get());
    return Finish(std::move(file), path);
}

} // namespace

bool WriteWav(const std::filesystem::path& path, const Wave& wave) {
    const auto dataSize = static_cast<uint32_t>(wave.mSamples.size() * 2);
    const auto blockAlign = static_cast<uint32_t>(wave.mChannels * 2);
    std::vector<uint8_t> bytes;
    bytes.reserve(44 + dataSize);
    bytes.insert(bytes.end(), {'R', 'I', 'F', 'F'});
    PutLE(bytes, 36 + dataSize, 4);
    bytes.insert(bytes.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    PutLE(bytes, 16, 4);
    PutLE(bytes, 1, 2); // PCM
    PutLE(bytes, static_cast<uint32_t>(wave.mChannels), 2);
    PutLE(bytes, wave.mRate, 4);
    PutLE(bytes, wave.mRate * blockAlign, 4);
    PutLE(bytes, blockAlign, 2);
    PutLE(bytes, 16, 2);
    bytes.insert(bytes.end(), {'d', 'a', 't', 'a'});
    PutLE(bytes, dataSize, 4);
    for (float sample : wave.mSamples) {
        PutLE(bytes, static_cast<uint16_t>(ToPcm16(sample)), 2);
    }
    return WriteBytes(path, bytes);
}

int MuLawDecoded(uint8_t byte) {
    const int s = byte | 0x80;
    int magnitude = 255;
    if (s >= 240) {
        magnitude = (255 - s) * 2;
    } else if (s >= 224) {
        magnitude = (247 - s) * 4;
    } else if (s >= 208) {
        magnitude = (235 - s) * 8;
    } else if (s >= 192) {
        magnitude = (221 - s) * 16;
    } else if (s >= 176) {
        magnitude = (206 - s) * 32;
    } else if (s >= 160) {
        magnitude = 12192 - 64 * s;
    } else if (s >= 144) {
        magnitude = 22368 - 128 * s;
    } else if (s >= 129) {
        magnitude = 40672 - 256 * s;
    }
    return byte < 128 ? -magnitude * 4 : magnitude * 4;
}

uint8_t MuLawEncoded(int sample) {
    // The decoded values of the usable bytes, sorted, with the byte for each.
    static const auto kTable = [] {
        std::vector<std::pair<int, uint8_t>> table;
        for (int byte = 0; byte < 256; ++byte) {
            if (byte != 0x00 && byte != 0x80) {
                table.emplace_back(MuLawDecoded(static_cast<uint8_t>(byte)),
                                   static_cast<uint8_t>(byte));
            }
        }
        std::sort(table.begin(), table.end());
        return table;
    }();
    auto above = std::lower_bound(kTable.begin(), kTable.end(), std::make_pair(sample, uint8_t{0}));
    if (above == kTable.end()) {
        return kTable.back().second;
    }
    if (above != kTable.begin() && sample - std::prev(above)->first < above->first - sample) {
        return std::prev(above)->second;
    }
    return above->second;
}

bool WriteAu(const std::filesystem::path& path, const Wave& wave) {
    constexpr uint32_t kHeaderSize = 28; // with the usual four bytes of empty annotation
    constexpr uint32_t kMuLaw = 1;
    std::vector<uint8_t> bytes{'.', 's', 'n', 'd'};
    PutBE32(bytes, kHeaderSize);
    PutBE32(bytes, static_cast<uint32_t>(wave.mSamples.size()));
    PutBE32(bytes, kMuLaw);
    PutBE32(bytes, wave.mRate);
    PutBE32(bytes, static_cast<uint32_t>(wave.mChannels));
    PutBE32(bytes, 0);
    for (float sample : wave.mSamples) {
        bytes.push_back(MuLawEncoded(ToPcm16(sample)));
    }
    return WriteBytes(path, bytes);
}

bool WriteOgg(const std::filesystem::path& path, const Wave& wave, float quality) {
    File file = OpenForWriting(path);
    if (!file) {
        return false;
    }
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, wave.mChannels, static_cast<long>(wave.mRate), quality) !=
        0) {
        std::fprintf(stderr, "assetgen: the Vorbis encoder refuses %s\n", path.string().c_str());
        vorbis_info_clear(&info);
        return false;
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_comment_add_tag(&comment, "TITLE", path.stem().string().c_str());
    vorbis_dsp_state dsp;
    vorbis_block block;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, SerialOf(path.filename().string()));

    auto writePage = [&](const ogg_page& page) {
        std::fwrite(page.header, 1, static_cast<size_t>(page.header_len), file.get());
        std::fwrite(page.body, 1, static_cast<size_t>(page.body_len), file.get());
    };
    ogg_packet header;
    ogg_packet headerComment;
    ogg_packet headerCode;
    vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &headerComment);
    ogg_stream_packetin(&stream, &headerCode);
    ogg_page page;
    while (ogg_stream_flush(&stream, &page) != 0) {
        writePage(page);
    }

    // Feeds the samples in blocks, then the end of stream, writing pages as they fill.
    constexpr size_t kBlockFrames = 4096;
    const size_t frames = wave.Frames();
    size_t done = 0;
    bool ended = false;
    while (!ended) {
        const size_t count = std::min(kBlockFrames, frames - done);
        if (count > 0) {
            float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
            for (size_t i = 0; i < count; ++i) {
                for (int channel = 0; channel < wave.mChannels; ++channel) {
                    buffer[channel][i] = wave.mSamples[(done + i) * wave.mChannels + channel];
                }
            }
            done += count;
        }
        vorbis_analysis_wrote(&dsp, static_cast<int>(count)); // 0 ends the stream
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet) != 0) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page) != 0) {
                    writePage(page);
                    ended = ended || ogg_page_eos(&page) != 0;
                }
            }
        }
        ended = ended || count == 0;
    }
    while (ogg_stream_flush(&stream, &page) != 0) {
        writePage(page);
    }
    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return Finish(std::move(file), path);
}

} // namespace Vuro::AssetGen
