#include "LayerRules.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <set>

namespace Vuro::LayerCheck {
namespace {

// The layers the table knows; kFree for everything the check leaves alone.
enum class Layer {
    kFree,
    kPlatform,
    kUtil,
    kGraphics,
    kDisplay,
    kSound,
    kFonts,
    kWidgets,
    kApp,
    kDebug,
    kGame, // game/ itself and a folder of it the table does not name: the game's bottom
    kGamePlayer,
    kGameRules,
    kGameScreens,
    kGameApp
};

struct LayerName {
    std::string_view prefix; // folder, relative to the root, with a trailing '/'
    Layer layer;
};

constexpr std::array kLayerFolders = {
    LayerName{"platform/", Layer::kPlatform},
    LayerName{"framework/util/", Layer::kUtil},
    LayerName{"framework/graphics/", Layer::kGraphics},
    LayerName{"framework/display/", Layer::kDisplay},
    LayerName{"framework/sound/", Layer::kSound},
    LayerName{"framework/fonts/", Layer::kFonts},
    LayerName{"framework/widgets/", Layer::kWidgets},
    LayerName{"framework/app/", Layer::kApp},
    LayerName{"framework/debug/", Layer::kDebug},
    LayerName{"game/player/", Layer::kGamePlayer},
    LayerName{"game/rules/", Layer::kGameRules},
    LayerName{"game/screens/", Layer::kGameScreens},
    LayerName{"game/app/", Layer::kGameApp},
    LayerName{"game/", Layer::kGame},
};

Layer LayerOf(std::string_view path) {
    for (const LayerName& entry : kLayerFolders) {
        if (path.starts_with(entry.prefix)) {
            return entry.layer;
        }
    }
    return Layer::kFree;
}

std::string_view NameOf(Layer layer) {
    switch (layer) {
    case Layer::kPlatform:
        return "platform";
    case Layer::kUtil:
        return "util";
    case Layer::kGraphics:
        return "graphics";
    case Layer::kDisplay:
        return "display";
    case Layer::kSound:
        return "sound";
    case Layer::kFonts:
        return "fonts";
    case Layer::kWidgets:
        return "widgets";
    case Layer::kApp:
        return "app";
    case Layer::kDebug:
        return "debug";
    case Layer::kGamePlayer:
        return "game/player";
    case Layer::kGameRules:
        return "game/rules";
    case Layer::kGameScreens:
        return "game/screens";
    case Layer::kGameApp:
        return "game/app";
    case Layer::kGame:
        return "game";
    case Layer::kFree:
        break;
    }
    return "free";
}

// What each layer may include besides itself, as a set of layers.
using LayerSet = uint32_t;

constexpr LayerSet Layers(std::initializer_list<Layer> layers) {
    LayerSet set = 0;
    for (Layer layer : layers) {
        set |= LayerSet{1} << static_cast<int>(layer);
    }
    return set;
}

struct Allowed {
    Layer from;
    LayerSet to;
};

constexpr LayerSet kFramework =
    Layers({Layer::kPlatform, Layer::kUtil, Layer::kGraphics, Layer::kDisplay, Layer::kSound,
            Layer::kFonts, Layer::kWidgets, Layer::kApp, Layer::kDebug});

constexpr std::array kAllowed = {
    Allowed{Layer::kPlatform, 0},
    Allowed{Layer::kUtil, Layers({Layer::kPlatform})},
    Allowed{Layer::kGraphics, Layers({Layer::kPlatform, Layer::kUtil})},
    Allowed{Layer::kDisplay, Layers({Layer::kPlatform, Layer::kUtil, Layer::kGraphics})},
    Allowed{Layer::kSound, Layers({Layer::kPlatform, Layer::kUtil})},
    Allowed{Layer::kFonts,
            Layers({Layer::kPlatform, Layer::kUtil, Layer::kGraphics, Layer::kDisplay})},
    Allowed{Layer::kWidgets, Layers({Layer::kPlatform, Layer::kUtil, Layer::kGraphics,
                                     Layer::kDisplay, Layer::kFonts})},
    Allowed{Layer::kApp, Layers({Layer::kPlatform, Layer::kUtil, Layer::kGraphics, Layer::kDisplay,
                                 Layer::kSound, Layer::kFonts, Layer::kWidgets})},
    Allowed{Layer::kDebug, kFramework & ~Layers({Layer::kDebug})},
    // The game over the whole framework: player data <- rules <- screens <- application.
    Allowed{Layer::kGame, kFramework},
    Allowed{Layer::kGamePlayer, kFramework | Layers({Layer::kGame})},
    Allowed{Layer::kGameRules, kFramework | Layers({Layer::kGame, Layer::kGamePlayer})},
    Allowed{Layer::kGameScreens,
            kFramework | Layers({Layer::kGame, Layer::kGamePlayer, Layer::kGameRules})},
    Allowed{Layer::kGameApp, kFramework | Layers({Layer::kGame, Layer::kGamePlayer,
                                                  Layer::kGameRules, Layer::kGameScreens})},
};

bool MayInclude(Layer from, Layer to) {
    if (from == to || from == Layer::kFree) {
        return true;
    }
    for (const Allowed& entry : kAllowed) {
        if (entry.from == from) {
            return (entry.to & Layers({to})) != 0;
        }
    }
    return false;
}

// Headers of the system libraries only platform/ may use: SDL, FreeType, fontconfig, X11, POSIX
// and the processor's own queries, asked in one place (the C and C++ standard headers and the
// vector intrinsics are everyone's).
constexpr std::array<std::string_view, 10> kPlatformOnlyPrefixes = {
    "SDL",  "freetype/", "ft2build.h", "fontconfig/", "X11/",
    "sys/", "netinet/",  "arpa/",      "net/",        "FT_"};
constexpr std::array<std::string_view, 25> kPlatformOnlyHeaders = {
    "unistd.h",   "fcntl.h",   "poll.h",    "netdb.h",     "dlfcn.h",  "dirent.h",  "signal.h",
    "spawn.h",    "fnmatch.h", "strings.h", "ucontext.h",  "link.h",   "pthread.h", "termios.h",
    "pwd.h",      "grp.h",     "sched.h",   "semaphore.h", "syslog.h", "glob.h",    "libgen.h",
    "execinfo.h", "elf.h",     "wordexp.h", "cpuid.h"};

bool IsPlatformOnly(std::string_view include) {
    return std::any_of(kPlatformOnlyPrefixes.begin(), kPlatformOnlyPrefixes.end(),
                       [&](std::string_view prefix) { return include.starts_with(prefix); }) ||
           std::find(kPlatformOnlyHeaders.begin(), kPlatformOnlyHeaders.end(), include) !=
               kPlatformOnlyHeaders.end();
}

// The include's path relative to the root: names with a folder are written from the root; a bare
// name is beside the including file.
std::string Resolve(std::string_view file, std::string_view include) {
    if (include.find('/') != std::string_view::npos) {
        return std::string(include);
    }
    const size_t slash = file.rfind('/');
    return std::string(slash == std::string_view::npos ? "" : file.substr(0, slash + 1)) +
           std::string(include);
}

// The name between the quotes or angle brackets of an include line; empty when the line is no
// include. A macro include (FreeType's FT_FREETYPE_H) answers its macro's name.
std::string_view IncludedName(std::string_view line, bool& angle) {
    const size_t hash = line.find_first_not_of(" \t");
    if (hash == std::string_view::npos || line[hash] != '#') {
        return {};
    }
    const size_t word = line.find_first_not_of(" \t", hash + 1);
    if (word == std::string_view::npos || line.substr(word, 7) != "include") {
        return {};
    }
    const size_t start = line.find_first_not_of(" \t", word + 7);
    if (start == std::string_view::npos) {
        return {};
    }
    const char open = line[start];
    angle = open != '"';
    if (open != '"' && open != '<') {
        const size_t end = line.find_first_of(" \t/", start);
        return line.substr(start, end == std::string_view::npos ? end : end - start);
    }
    const size_t end = line.find(open == '"' ? '"' : '>', start + 1);
    return end == std::string_view::npos ? std::string_view{}
                                         : line.substr(start + 1, end - start - 1);
}

} // namespace

std::string CheckInclude(std::string_view file, std::string_view include, bool angle) {
    const Layer from = LayerOf(file);
    if (from == Layer::kFree) {
        return {};
    }
    if (angle) {
        if (from != Layer::kPlatform && IsPlatformOnly(include)) {
            return "only platform/ includes SDL, FreeType, fontconfig, X11, POSIX or cpuid "
                   "headers";
        }
        return {};
    }
    const Layer to = LayerOf(Resolve(file, include));
    if (to == Layer::kFree || MayInclude(from, to)) {
        return {};
    }
    return std::string(NameOf(from)) + " may not include " + std::string(NameOf(to));
}

std::vector<Violation> ScanTree(const std::string& root, std::vector<Exception>* unusedExceptions) {
    namespace fs = std::filesystem;
    std::vector<Violation> found;
    std::set<std::pair<std::string, std::string>> excepted;
    std::vector<fs::path> files;
    for (const char* top : {"framework", "game", "platform"}) {
        const fs::path folder = fs::path(root) / top;
        if (!fs::is_directory(folder)) {
            continue;
        }
        for (const auto& entry : fs::recursive_directory_iterator(folder)) {
            const fs::path& path = entry.path();
            if (entry.is_regular_file() &&
                (path.extension() == ".h" || path.extension() == ".cpp")) {
                files.push_back(path);
            }
        }
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& path : files) {
        const std::string file = fs::relative(path, root).generic_string();
        std::ifstream in(path);
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            bool angle = false;
            const std::string_view include = IncludedName(line, angle);
            if (include.empty()) {
                continue;
            }
            std::string reason = CheckInclude(file, include, angle);
            if (reason.empty()) {
                continue;
            }
            const auto& known = KnownExceptions();
            const bool isKnown = std::any_of(known.begin(), known.end(), [&](const Exception& e) {
                return e.file == file && e.include == include;
            });
            if (isKnown) {
                excepted.emplace(file, std::string(include));
                continue;
            }
            found.push_back({file, number, std::string(include), std::move(reason)});
        }
    }
    if (unusedExceptions != nullptr) {
        for (const Exception& e : KnownExceptions()) {
            if (!excepted.contains({std::string(e.file), std::string(e.include)})) {
                unusedExceptions->push_back(e);
            }
        }
    }
    return found;
}

} // namespace Vuro::LayerCheck
