#include "framework/debug/ResourceManager.h"

#include "framework/app/VuroAppBase.h"
#include "framework/display/DDImage.h"
#include "framework/fonts/FontData.h"
#include "framework/fonts/ImageFont.h"
#include "framework/graphics/Image.h"
#include "framework/graphics/ImageLib.h"
#include "framework/sound/SoundManager.h"
#include "framework/util/StringHelpers.h"
#include "framework/util/XMLParser.h"

#include <memory>

namespace Vuro {

namespace {

constexpr uint32_t kTextureMinSubdivide = 1;
constexpr uint32_t kTextureA4R4G4B4 = 4;
constexpr uint32_t kTextureA8R8G8B8 = 8;

void SetAlpha(uint32_t* pixel, uint32_t alphaSource) {
    *pixel = (*pixel & 0x00FFFFFF) | ((alphaSource & 0xFF) << 24);
}

} // namespace

ResourceManager::ImageRes::~ImageRes() {
    delete mAnimInfo;
    delete mImage;
}

ResourceManager::FontRes::~FontRes() {
    delete mFont;
    delete mImage;
}

ResourceManager::ResourceManager(VuroAppBase* app)
    : mApp(app), mCurImageItr(mImageMap.end()), mCurSoundItr(mSoundMap.end()),
      mCurFontItr(mFontMap.end()) {}

ResourceManager::~ResourceManager() {
    for (ResMap* map : {&mImageMap, &mSoundMap, &mFontMap}) {
        for (auto& [id, res] : *map) {
            delete res;
        }
    }
}

bool ResourceManager::SetError(const std::string& text) {
    if (mHasFailed) {
        return false;
    }
    mHasFailed = true;
    mError = text;
    if (mXMLParser != nullptr) {
        if (mXMLParser->GetCurrentLineNum() > 0) {
            mError += " on Line " + std::to_string(mXMLParser->GetCurrentLineNum());
        }
        if (!mXMLParser->GetFileName().empty()) {
            mError += " in File '" + mXMLParser->GetFileName() + "'";
        }
    }
    return false;
}

void ResourceManager::BeginGroupLoad(const std::string& group) {
    mCurResGroup = group;
    mCurImageItr = mImageMap.begin();
    mCurSoundItr = mSoundMap.begin();
    mCurFontItr = mFontMap.begin();
}

bool ResourceManager::LoadGroup(const std::string& group) {
    mError.clear();
    mHasFailed = false;
    BeginGroupLoad(group);
    while (LoadNextResource()) {
    }
    return !HadError();
}

ResourceManager::BaseRes* ResourceManager::NextPending(ResMap& map, ResMap::iterator& cursor) {
    while (cursor != map.end()) {
        BaseRes* res = cursor->second;
        ++cursor;
        if (!mCurResGroup.empty() && res->mResGroup != mCurResGroup) {
            continue;
        }
        if (auto* image = dynamic_cast<ImageRes*>(res)) {
            if (image->mImage != nullptr || image->mFromProgram) {
                continue;
            }
        } else if (auto* sound = dynamic_cast<SoundRes*>(res)) {
            if (sound->mSoundId != -1) {
                continue;
            }
        } else if (auto* font = dynamic_cast<FontRes*>(res)) {
            if (font->mFont != nullptr || font->mFromProgram) {
                continue;
            }
        }
        return res;
    }
    return nullptr;
}

bool ResourceManager::LoadNextResource() {
    if (HadError()) {
        return false;
    }
    if (BaseRes* res = NextPending(mImageMap, mCurImageItr)) {
        return DoLoadImage(static_cast<ImageRes*>(res));
    }
    if (BaseRes* res = NextPending(mSoundMap, mCurSoundItr)) {
        return DoLoadSound(static_cast<SoundRes*>(res));
    }
    if (BaseRes* res = NextPending(mFontMap, mCurFontItr)) {
        return DoLoadFont(static_cast<FontRes*>(res));
    }
    return false;
}

bool ResourceManager::ApplyAlphaImage(ImageRes* res, uint32_t* bits, int width, int height) {
    std::unique_ptr<ImageLib::Image> alpha = ImageLib::GetImage(res->mAlphaImage, true);
    if (alpha == nullptr) {
        return SetError(StrFormat("Failed to load image: %s", res->mAlphaImage.c_str()));
    }
    if (alpha->mWidth != width || alpha->mHeight != height) {
        return SetError(StrFormat("AlphaImage size mismatch between %s and %s", res->mPath.c_str(),
                                  res->mAlphaImage.c_str()));
    }
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    for (size_t i = 0; i < count; ++i) {
        SetAlpha(&bits[i], alpha->mBits[i]);
    }
    return true;
}

bool ResourceManager::ApplyAlphaGrid(ImageRes* res, uint32_t* bits, int width, int height) {
    std::unique_ptr<ImageLib::Image> grid = ImageLib::GetImage(res->mAlphaGrid, true);
    if (grid == nullptr) {
        return SetError(StrFormat("Failed to load image: %s", res->mAlphaGrid.c_str()));
    }
    const int celWidth = width / res->mCols;
    const int celHeight = height / res->mRows;
    if (grid->mWidth != celWidth || grid->mHeight != celHeight) {
        return SetError(StrFormat("GridAlphaImage size mismatch between %s and %s",
                                  res->mPath.c_str(), res->mAlphaGrid.c_str()));
    }
    // Pixels right of or below the last whole cel (a width not divisible by the columns) keep
    // their own alpha.
    for (int row = 0; row < res->mRows; ++row) {
        for (int col = 0; col < res->mCols; ++col) {
            for (int y = 0; y < celHeight; ++y) {
                const size_t base = static_cast<size_t>(row * celHeight + y) * width +
                                    static_cast<size_t>(col * celWidth);
                const uint32_t* source = &grid->mBits[static_cast<size_t>(y) * celWidth];
                for (int x = 0; x < celWidth; ++x) {
                    SetAlpha(&bits[base + x], source[x]);
                }
            }
        }
    }
    return true;
}

bool ResourceManager::DoLoadImage(ImageRes* res) {
    std::unique_ptr<ImageLib::Image> loaded = ImageLib::GetImage(res->mPath, true);
    if (loaded == nullptr) {
        return SetError(StrFormat("Failed to load image: %s", res->mPath.c_str()));
    }
    uint32_t* bits = loaded->mBits.get();
    if (!res->mAlphaImage.empty() && !ApplyAlphaImage(res, bits, loaded->mWidth, loaded->mHeight)) {
        return false;
    }
    if (!res->mAlphaGrid.empty() && !ApplyAlphaGrid(res, bits, loaded->mWidth, loaded->mHeight)) {
        return false;
    }
    if (mApp == nullptr || mApp->mDDInterface == nullptr) {
        return SetError(StrFormat("Failed to load image: %s", res->mPath.c_str()));
    }
    auto* image = new DDImage(mApp->mDDInterface);
    image->SetBits(bits, loaded->mWidth, loaded->mHeight);
    image->ApplyBits();
    if (res->mPalletize) {
        image->Palletize();
    }
    if (res->mPurgeBits) {
        image->DropBits();
    }
    if (res->mMinSubdivide) {
        image->mTextureFlags |= kTextureMinSubdivide;
    }
    if (res->mA4R4G4B4) {
        image->mTextureFlags |= kTextureA4R4G4B4;
    }
    if (res->mA8R8G8B8) {
        image->mTextureFlags |= kTextureA8R8G8B8;
    }
    if (res->mAnimInfo != nullptr) {
        image->mAnimInfo = std::make_unique<AnimationInfo>(*res->mAnimInfo);
    }
    image->mNumRows = res->mRows;
    image->mNumCols = res->mCols;
    res->mImage = image;
    return true;
}

bool ResourceManager::DoLoadSound(SoundRes* res) {
    SoundManager* sounds = mApp != nullptr ? mApp->mSoundManager : nullptr;
    const int id = mNextSoundId;
    if (sounds == nullptr || !sounds->LoadSoundAt(static_cast<uint32_t>(id), res->mPath)) {
        return SetError(StrFormat("Failed to load sound: %s", res->mPath.c_str()));
    }
    if (res->mVolume >= 0) {
        sounds->SetBaseVolume(static_cast<uint32_t>(id), res->mVolume);
    }
    if (res->mPan != 0) {
        sounds->SetBasePan(static_cast<uint32_t>(id), res->mPan);
    }
    res->mSoundId = id;
    ++mNextSoundId;
    return true;
}

bool ResourceManager::DoLoadFont(FontRes* res) {
    static constexpr std::string_view kRefPrefix = "!ref:";
    ImageFont* font = nullptr;
    if (!res->mImagePath.empty()) {
        DDImage* image = mApp != nullptr ? mApp->GetImage(res->mImagePath) : nullptr;
        if (image == nullptr) {
            return SetError(StrFormat("Failed to load image: %s", res->mImagePath.c_str()));
        }
        delete res->mImage;
        res->mImage = image;
        font = new ImageFont(image, res->mPath);
    } else if (res->mPath.starts_with(kRefPrefix)) {
        const std::string refId = res->mPath.substr(kRefPrefix.size());
        auto found = mFontMap.find(refId);
        auto* ref = found != mFontMap.end() ? static_cast<FontRes*>(found->second) : nullptr;
        if (ref == nullptr || ref->mFont == nullptr) {
            return SetError("Ref font not found: " + refId);
        }
        font = static_cast<ImageFont*>(ref->mFont->Duplicate());
    } else {
        font = new ImageFont(mApp, res->mPath);
    }
    if (!font->mFontData->mLoaded) {
        delete font;
        return SetError(StrFormat("Failed to load font: %s", res->mPath.c_str()));
    }
    if (res->mHasTags) {
        size_t start = 0;
        while (start < res->mTags.size()) {
            const size_t end = res->mTags.find_first_of(", \r\n\t", start);
            const size_t stop = end == std::string::npos ? res->mTags.size() : end;
            if (stop > start) {
                font->AddTag(res->mTags.substr(start, stop - start));
            }
            start = stop + 1;
        }
    }
    res->mFont = font;
    return true;
}

void ResourceManager::Fail(const std::string& message) {
    SetError(message);
    // The kept text: after an earlier error that is the first error, not this lookup's.
    throw ResourceManagerException(mError);
}

DDImage* ResourceManager::RequireImage(const std::string& id) {
    auto found = mImageMap.find(id);
    if (found != mImageMap.end()) {
        auto* res = static_cast<ImageRes*>(found->second);
        if (res->mImage != nullptr) {
            return res->mImage;
        }
        if (mAllowMissingProgramResources && res->mFromProgram) {
            return nullptr;
        }
    }
    Fail(StrFormat("Image resource not found: %s", id.c_str()));
}

int ResourceManager::RequireSound(const std::string& id) {
    auto found = mSoundMap.find(id);
    if (found != mSoundMap.end()) {
        auto* res = static_cast<SoundRes*>(found->second);
        if (res->mSoundId != -1 || mAllowMissingProgramResources) {
            return res->mSoundId;
        }
    }
    Fail(StrFormat("Sound resource not found: %s", id.c_str()));
}

ImageFont* ResourceManager::RequireFont(const std::string& id) {
    auto found = mFontMap.find(id);
    if (found != mFontMap.end()) {
        auto* res = static_cast<FontRes*>(found->second);
        if (res->mFont != nullptr) {
            return res->mFont;
        }
        if (mAllowMissingProgramResources && res->mFromProgram) {
            return nullptr;
        }
    }
    Fail(StrFormat("Font resource not found: %s", id.c_str()));
}

} // namespace Vuro
