#include "tools/assetgen/audio/OggWriter.h"

#include "tools/assetgen/audio/OutputFile.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cstdint>
#include <string>

namespace Vuro::AssetGen {

namespace {

// FNV-1a of the name: the same on every machine, so a rebuild gives the same bytes.
int SerialOf(const std::string& name) {
    uint32_t hash = 2166136261u;
    for (char c : name) {
        hash = (hash ^ static_cast<uint8_t>(c)) * 16777619u;
    }
    return static_cast<int>(hash & 0x7FFFFFFF);
}

} // namespace

bool WriteOgg(const std::filesystem::path& path, const Wave& wave, float quality) {
    OutputFile file = OpenOutputFile(path);
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
    return CloseOutputFile(std::move(file), path);
}

} // namespace Vuro::AssetGen
