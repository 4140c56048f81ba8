// Time of the readers of outside input on hostile files that once took quadratic time or
// decoded far more than the file holds: deeply nested XML, an HTTP header line that never
// ends, a JPEG header declaring a huge picture over a few bytes of data, and a profile list of
// names without files. Each case is one pass over one input, in milliseconds; "bytes" is the
// input's size.

#include "framework/debug/HTTPResponseParser.h"
#include "framework/graphics/ImageLib.h"
#include "framework/util/XMLParser.h"
#include "game/player/ProfileManager.h"
#include "platform/FileSystem.h"
#include "platform/LittleEndian.h"
#include "support/JpegBytes.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

using namespace Vuro;

// Reads every element; answers how many were read.
int ReadAllElements(const std::string& text) {
    XMLParser parser;
    if (!parser.OpenBuffer(text, "bench.xml")) {
        return 0;
    }
    XMLNode node;
    int count = 0;
    while (parser.ReadElement(&node)) {
        ++count;
    }
    return count;
}

std::string Repeat(const std::string& piece, int count) {
    std::string text;
    text.reserve(piece.size() * static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        text += piece;
    }
    return text;
}

void XmlNested(benchmark::State& state, const std::string& text) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadAllElements(text));
    }
    state.counters["bytes"] = static_cast<double>(text.size());
}

void HttpUnendedHeader(benchmark::State& state, size_t bytes) {
    const std::string piece(256, 'h');
    for (auto _ : state) {
        HTTPResponseParser parser;
        std::string content;
        (void)parser.Append("HTTP/1.1 200 OK\r\nX-Long: ", 26);
        for (size_t sent = 0; sent + piece.size() <= bytes - 26; sent += piece.size()) {
            if (!parser.Append(piece.data(), piece.size()) ||
                parser.Parse(content) != HTTPResponseParser::Step::NeedMore) {
                break;
            }
        }
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}

// A small JPEG written by our own writer, its frame header made to declare width x height and
// its scan data replaced by a few bytes without markers.
std::string JpegDeclaring(int width, int height) {
    const auto path = std::filesystem::temp_directory_path() / "vuro_bench_declared.jpg";
    ImageLib::Image image(16, 16);
    for (int i = 0; i < 16 * 16; ++i) {
        image.mBits[i] = 0xFF000000u | static_cast<uint32_t>(i * 0x010203);
    }
    if (!ImageLib::WriteJPEGImage(path.string(), image)) {
        return {};
    }
    std::ifstream in(path, std::ios::binary);
    std::string bytes(std::istreambuf_iterator<char>(in), {});
    std::filesystem::remove(path);
    std::string data;
    for (int i = 0; i < 20; ++i) {
        data += static_cast<char>((i * 97 + 13) % 0xFF);
    }
    return Test::JpegWithFrameAndData(bytes, width, height, data);
}

void JpegDeclaredHuge(benchmark::State& state) {
    const std::string bytes = JpegDeclaring(10497, 6670);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ImageLib::GetJPEGImageFromMemory(bytes.data(), bytes.size()));
    }
    state.counters["bytes"] = static_cast<double>(bytes.size());
}

// A data folder whose profile list names `count` players of whom none has a file, as a planted
// or damaged list may: the start tries each and drops it.
void ProfileListWithoutFiles(benchmark::State& state, int count) {
    const auto folder = std::filesystem::temp_directory_path() / "vuro_bench_profiles";
    std::filesystem::create_directories(folder / "data");
    std::string list(4 + 7 * static_cast<size_t>(count), '\0');
    Platform::PutInt32LE(reinterpret_cast<uint8_t*>(list.data()), count);
    for (int i = 0; i < count; ++i) {
        const std::string name = "p" + std::to_string(i);
        list.replace(4 + 7 * static_cast<size_t>(i), name.size(), name);
    }
    const std::string oldFolder = Platform::GetWorkingDirectory();
    if (!Platform::SetWorkingDirectory(folder.string())) {
        state.SkipWithError("no working folder");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        std::ofstream(folder / "data" / "profile.dat", std::ios::binary) << list;
        std::filesystem::remove(folder / "data" / "Player.pf");
        state.ResumeTiming();
        ProfileManager profiles;
        benchmark::DoNotOptimize(profiles.LoadList());
    }
    (void)Platform::SetWorkingDirectory(oldFolder);
    std::filesystem::remove_all(folder);
    state.counters["bytes"] = static_cast<double>(list.size());
}

// 160,000 elements, each inside the one before.
const std::string kNested = Repeat("<a>", 160000) + Repeat("</a>", 160000);
// A help text file whose one text is followed by a million open elements.
const std::string kHelpText = "<HelpText>\n<Text1 value=\"a\"/>" + Repeat("<x>", 1000000);

} // namespace

BENCHMARK_CAPTURE(XmlNested, Nested160000, kNested)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(XmlNested, HelpTextMillionOpen, kHelpText)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK_CAPTURE(HttpUnendedHeader, Header16MiB, size_t{16} << 20)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(JpegDeclaredHuge)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(ProfileListWithoutFiles, Names150000, 150000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

BENCHMARK_MAIN();
