#include "framework/fonts/FontData.h"

#include "framework/fonts/FontHost.h"
#include "framework/graphics/Image.h"
#include "framework/util/StringHelpers.h"
#include "platform/FileSystem.h"

#include <cctype>
#include <climits>
#include <cstdint>

namespace Vuro {

namespace {

int SkipBlanks(FILE* file) {
    int c = std::fgetc(file);
    while (c != EOF && std::isspace(c)) {
        c = std::fgetc(file);
    }
    return c;
}

// A formatted integer read: blanks skipped, an optional sign, decimal digits. Values beyond the
// int range are held at its ends.
bool ReadInt(FILE* file, int* out) {
    int c = SkipBlanks(file);
    bool negative = false;
    if (c == '-' || c == '+') {
        negative = c == '-';
        c = std::fgetc(file);
    }
    if (c == EOF || !std::isdigit(c)) {
        return false;
    }
    int64_t value = 0;
    while (c != EOF && std::isdigit(c)) {
        value = std::min<int64_t>(value * 10 + (c - '0'), int64_t{INT_MAX} + 1);
        c = std::fgetc(file);
    }
    if (c != EOF) {
        std::ungetc(c, file);
    }
    value = negative ? -value : std::min<int64_t>(value, INT_MAX);
    *out = static_cast<int>(value);
    return true;
}

} // namespace

FontData::FontData() {
    for (int i = 0; i < 256; ++i) {
        mCharMap[i] = static_cast<uint8_t>(i);
    }
}

FontData::~FontData() {
    for (auto& [path, image] : mImageMap) {
        delete image;
    }
}

void FontData::Ref() {
    ++mRefCount;
}

void FontData::DeRef() {
    if (--mRefCount <= 0) {
        delete this;
    }
}

bool FontData::Load(FontHost* app, const std::string& fileName) {
    if (mLoaded) {
        return false;
    }
    mApp = app;
    mCommandText.clear();
    mFontErrorHeader = "Font Descriptor Error in " + fileName + "\r\n";
    mSourceFile = fileName;
    mLoaded = LoadDescriptor(fileName);
    return true;
}

bool FontData::LoadWithImage(Image* image, const std::string& fileName) {
    if (mLoaded) {
        return false;
    }
    FontLayer* layer = AddLayer("", nullptr);
    if (layer == nullptr) {
        return false;
    }
    layer->mImage = image;
    layer->mHeight = image->GetHeight();
    layer->mAscent = image->GetHeight();

    FILE* file = Platform::OpenFile(fileName, "r");
    if (file == nullptr) {
        return false;
    }
    mSourceFile = fileName;
    CharData* chars = layer->mCharData;
    int value = 0;
    if (ReadInt(file, &value)) {
        chars[static_cast<uint8_t>(' ')].mWidth = value;
        if (ReadInt(file, &value)) {
            layer->mAscent = value;
        }
    }
    // The glyphs stand side by side in the image in the order listed.
    int x = 0;
    for (int c = SkipBlanks(file); c != EOF; c = SkipBlanks(file)) {
        int width = 0;
        if (!ReadInt(file, &width)) {
            break;
        }
        CharData& glyph = chars[static_cast<uint8_t>(c)];
        glyph.mImageRect = Rect(x, 0, width, image->GetHeight());
        glyph.mWidth = width;
        // Held at the int range, so a long or hostile list cannot overflow the position.
        x = static_cast<int>(std::clamp<int64_t>(int64_t{x} + width, INT_MIN, INT_MAX));
    }
    std::fclose(file);

    for (int upper = 'A'; upper <= 'Z'; ++upper) {
        const int lower = upper - 'A' + 'a';
        if (chars[upper].mWidth == 0 && chars[lower].mWidth != 0) {
            mCharMap[upper] = static_cast<uint8_t>(lower);
        }
    }
    for (int lower = 'a'; lower <= 'z'; ++lower) {
        const int upper = lower - 'a' + 'A';
        if (chars[lower].mWidth == 0 && chars[upper].mWidth != 0) {
            mCharMap[lower] = static_cast<uint8_t>(upper);
        }
    }
    mLoaded = true;
    return true;
}

bool FontData::Error(const std::string& text) {
    if (mApp == nullptr) {
        return false;
    }
    std::string message = mFontErrorHeader + text;
    if (!mCommandText.empty()) {
        message += " on Line " + StrFormat("%d:\r\n\r\n", mCommandLine) + mCommandText;
    }
    mApp->Popup(message);
    return false;
}

bool FontData::GetLayer(DataElement* element, FontLayer** out) {
    *out = nullptr;
    if (element->mIsList) {
        return false;
    }
    auto found = mFontLayerMap.find(StringToUpper(static_cast<SingleDataElement*>(element)->mText));
    if (found == mFontLayerMap.end()) {
        return Error("Undefined Layer");
    }
    *out = found->second;
    return true;
}

FontLayer* FontData::AddLayer(const std::string& upperName, const FontLayer* copyFrom) {
    if (mFontLayerMap.count(upperName) != 0) {
        return nullptr;
    }
    if (copyFrom != nullptr) {
        mFontLayerList.push_back(*copyFrom);
    } else {
        mFontLayerList.emplace_back(this);
    }
    FontLayer* layer = &mFontLayerList.back();
    mFontLayerMap[upperName] = layer;
    return layer;
}

} // namespace Vuro
