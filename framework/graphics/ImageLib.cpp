#include "framework/graphics/ImageLib.h"

#include "platform/FileSystem.h"
#include "platform/MemoryFile.h"

#include <cctype>
#include <string_view>

namespace Vuro::ImageLib {

namespace {

using StreamReader = std::unique_ptr<Image> (*)(FILE*);

struct ReaderEntry {
    const char* extension;
    StreamReader read;
};

// The order in which an extension-less name is tried.
constexpr ReaderEntry kReaders[] = {
    {".tga", ReadTGAImage},
    {".jpg", ReadJPEGImage},
    {".png", ReadPNGImage},
    {".gif", ReadGIFImage},
};

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

std::unique_ptr<Image> ReadPath(const std::string& path, StreamReader read) {
    FILE* file = Platform::OpenFile(path, "rb");
    if (file == nullptr) {
        return nullptr;
    }
    std::unique_ptr<Image> image = read(file);
    std::fclose(file);
    return image;
}

std::unique_ptr<Image> ReadMemory(const void* data, size_t size, StreamReader read) {
    FILE* file = Platform::OpenMemoryFile(data, size);
    if (file == nullptr) {
        return nullptr;
    }
    std::unique_ptr<Image> image = read(file);
    std::fclose(file);
    return image;
}

size_t LastSeparator(const std::string& path) {
    return path.find_last_of("\\/");
}

// Tries the readers the name allows, in their fixed order.
std::unique_ptr<Image> FindAndRead(const std::string& path) {
    size_t separator = LastSeparator(path);
    size_t dot = path.rfind('.');
    bool hasExtension =
        dot != std::string::npos && (separator == std::string::npos || dot > separator);
    std::string base = hasExtension ? path.substr(0, dot) : path;
    std::string_view extension = hasExtension ? std::string_view(path).substr(dot) : "";
    for (const ReaderEntry& reader : kReaders) {
        if (hasExtension && !EqualsNoCase(extension, reader.extension)) {
            continue;
        }
        // Names come from a case-insensitive file system; here case matters.
        std::string found = Platform::FindFileNoCase(base + reader.extension);
        if (found.empty()) {
            continue;
        }
        if (std::unique_ptr<Image> image = ReadPath(found, reader.read)) {
            return image;
        }
    }
    return nullptr;
}

} // namespace

Image::Image(int width, int height)
    : mWidth(width), mHeight(height),
      mBits(new uint32_t[static_cast<size_t>(width) * static_cast<size_t>(height)]()) {}

std::unique_ptr<Image> GetImage(const std::string& path, bool lookForAlphaImage) {
    std::unique_ptr<Image> image = FindAndRead(path);
    if (!lookForAlphaImage) {
        return image;
    }
    size_t separator = LastSeparator(path);
    std::string prefixed = separator == std::string::npos
                               ? "_" + path
                               : path.substr(0, separator + 1) + "_" + path.substr(separator + 1);
    std::unique_ptr<Image> alpha = GetImage(prefixed, false);
    if (!alpha) {
        alpha = GetImage(path + "_", false);
    }
    if (!alpha) {
        return image;
    }
    size_t count = static_cast<size_t>(alpha->mWidth) * static_cast<size_t>(alpha->mHeight);
    if (!image) {
        for (size_t i = 0; i < count; ++i) {
            alpha->mBits[i] = 0x00FFFFFFu | (alpha->mBits[i] << 24);
        }
        return alpha;
    }
    if (image->mWidth == alpha->mWidth && image->mHeight == alpha->mHeight) {
        for (size_t i = 0; i < count; ++i) {
            image->mBits[i] = (image->mBits[i] & 0x00FFFFFFu) | (alpha->mBits[i] << 24);
        }
    }
    return image;
}

std::unique_ptr<Image> GetTGAImage(const std::string& path) {
    return ReadPath(path, ReadTGAImage);
}
std::unique_ptr<Image> GetGIFImage(const std::string& path) {
    return ReadPath(path, ReadGIFImage);
}
std::unique_ptr<Image> GetPNGImage(const std::string& path) {
    return ReadPath(path, ReadPNGImage);
}
std::unique_ptr<Image> GetJPEGImage(const std::string& path) {
    return ReadPath(path, ReadJPEGImage);
}

std::unique_ptr<Image> GetTGAImageFromMemory(const void* data, size_t size) {
    return ReadMemory(data, size, ReadTGAImage);
}
std::unique_ptr<Image> GetGIFImageFromMemory(const void* data, size_t size) {
    return ReadMemory(data, size, ReadGIFImage);
}
std::unique_ptr<Image> GetPNGImageFromMemory(const void* data, size_t size) {
    return ReadMemory(data, size, ReadPNGImage);
}
std::unique_ptr<Image> GetJPEGImageFromMemory(const void* data, size_t size) {
    return ReadMemory(data, size, ReadJPEGImage);
}

} // namespace Vuro::ImageLib
