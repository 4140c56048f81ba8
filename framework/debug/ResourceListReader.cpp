// The resource list: the XML that declares a ResourceManager's entries.
//
//   <ResourceManifest>
//     <Resources id="Menu">
//       <Image id="IMAGE_BUTTON" path="images/button" cols="3" alphaimage="images/button_a"
//              alphagrid="" rows="1" palletize="true" nobits="true" minsubdivide="true"
//              a4r4g4b4="true" a8r8g8b8="true"
//              anim="none|once|pingpong|loop" framedelay="80" perframedelay="80 40 80"
//              framemap="0 1 2" begindelay="true" enddelay="true"/>
//       <Sound id="SOUND_CLICK" path="sound/click" volume="0.5" pan="-300"/>
//       <Font id="FONT_MAIN" path="fonts/main.txt" image="fonts/main" tags="bold, large"/>
//     </Resources>
//   </ResourceManifest>
//
// The group is the Resources id. Every entry needs an id and a path; an id is unique within
// its kind. An entry element holds nothing. Blank text between elements is ignored. Lists are
// numbers separated by blanks or commas; a frame map names cels that exist.

#include "framework/debug/ResourceManager.h"

#include "framework/graphics/Image.h"
#include "framework/util/StringHelpers.h"
#include "framework/util/XMLParser.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace Vuro {

namespace {

using Attributes = std::map<std::string, std::string>;

constexpr int kMaxCels = 4096; // rows or columns of one sprite sheet

std::string Get(const Attributes& attributes, const char* name) {
    auto found = attributes.find(name);
    return found != attributes.end() ? found->second : std::string();
}

bool IsSet(const Attributes& attributes, const char* name) {
    const std::string value = StringToLower(Get(attributes, name));
    return attributes.count(name) != 0 && value != "false" && value != "0";
}

// Numbers separated by blanks or commas; false on anything else.
bool ParseIntList(const std::string& text, std::vector<int>* out) {
    out->clear();
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of(", \t\r\n", start);
        const size_t stop = end == std::string::npos ? text.size() : end;
        if (stop > start) {
            int value = 0;
            if (!StringToInt(text.substr(start, stop - start), &value)) {
                return false;
            }
            out->push_back(value);
        }
        start = stop + 1;
    }
    return true;
}

} // namespace

bool ResourceManager::ParseResourcesFile(const std::string& fileName) {
    XMLParser parser;
    if (!parser.OpenFile(fileName)) {
        return SetError("Resource file not found: " + fileName);
    }
    mXMLParser = &parser;
    const bool ok = ReadResources();
    mXMLParser = nullptr;
    return ok;
}

bool ResourceManager::ParseResourcesBuffer(std::string_view text, const std::string& fileName) {
    XMLParser parser;
    if (!parser.OpenBuffer(text, fileName)) {
        return SetError("Resource file not found: " + fileName);
    }
    mXMLParser = &parser;
    const bool ok = ReadResources();
    mXMLParser = nullptr;
    return ok;
}

bool ResourceManager::ReadResources() {
    XMLNode node;
    bool sawManifest = false;
    while (mXMLParser->ReadElement(&node)) {
        if (node.mKind == XMLNodeKind::Start) {
            if (node.mValue != "ResourceManifest" || !node.mSection.empty()) {
                return SetError("Expecting ResourceManifest tag");
            }
            sawManifest = true;
            while (mXMLParser->ReadElement(&node)) {
                if (node.mKind == XMLNodeKind::End) {
                    break;
                }
                if (node.mKind == XMLNodeKind::Start) {
                    if (node.mValue != "Resources") {
                        return SetError("Invalid Section '" + node.mValue + "'");
                    }
                    const std::string group = Get(node.mAttributes, "id");
                    if (group.empty()) {
                        return SetError("No id specified");
                    }
                    if (!ReadGroup(group)) {
                        return false;
                    }
                } else if (node.mKind == XMLNodeKind::Text && !Trim(node.mValue).empty()) {
                    return SetError("Unexpected text");
                }
            }
        } else if (node.mKind == XMLNodeKind::Text && !Trim(node.mValue).empty()) {
            return SetError("Unexpected text");
        }
    }
    if (mXMLParser->HasFailed()) {
        return SetError(mXMLParser->GetErrorText());
    }
    if (!sawManifest) {
        return SetError("Expecting ResourceManifest tag");
    }
    return !HadError();
}

bool ResourceManager::ReadGroup(const std::string& group) {
    XMLNode node;
    while (mXMLParser->ReadElement(&node)) {
        if (node.mKind == XMLNodeKind::End) {
            return true;
        }
        if (node.mKind == XMLNodeKind::Text) {
            if (!Trim(node.mValue).empty()) {
                return SetError("Unexpected text");
            }
            continue;
        }
        if (node.mKind != XMLNodeKind::Start) {
            continue;
        }
        const std::string kind = node.mValue;
        const Attributes attributes = node.mAttributes;
        // An entry holds nothing: its end tag comes next.
        if (!mXMLParser->ReadElement(&node) || node.mKind != XMLNodeKind::End) {
            return mXMLParser->HasFailed() ? SetError(mXMLParser->GetErrorText())
                                           : SetError("Expecting end of " + kind);
        }
        if (!AddEntry(kind, group, attributes)) {
            return false;
        }
    }
    return mXMLParser->HasFailed() ? SetError(mXMLParser->GetErrorText())
                                   : SetError("Unexpected end of file");
}

bool ResourceManager::AddEntry(const std::string& kind, const std::string& group,
                               const Attributes& attributes) {
    ResMap* map = kind == "Image"   ? &mImageMap
                  : kind == "Sound" ? &mSoundMap
                  : kind == "Font"  ? &mFontMap
                                    : nullptr;
    if (map == nullptr) {
        return SetError("Invalid Type '" + kind + "'");
    }
    const std::string id = Get(attributes, "id");
    const std::string path = Get(attributes, "path");
    if (id.empty()) {
        return SetError("No id specified");
    }
    if (path.empty()) {
        return SetError("No path specified");
    }
    if (map->count(id) != 0) {
        return SetError("Duplicate resource id: " + id);
    }

    std::unique_ptr<BaseRes> res;
    if (kind == "Image") {
        auto image = std::make_unique<ImageRes>();
        image->mAlphaImage = Get(attributes, "alphaimage");
        image->mAlphaGrid = Get(attributes, "alphagrid");
        if (!ReadImageOptions(image.get(), attributes)) {
            return false;
        }
        res = std::move(image);
    } else if (kind == "Sound") {
        auto sound = std::make_unique<SoundRes>();
        if (attributes.count("volume") != 0 &&
            !StringToDouble(Get(attributes, "volume"), &sound->mVolume)) {
            return SetError("Invalid volume");
        }
        if (attributes.count("pan") != 0 && !StringToInt(Get(attributes, "pan"), &sound->mPan)) {
            return SetError("Invalid pan");
        }
        res = std::move(sound);
    } else {
        auto font = std::make_unique<FontRes>();
        font->mImagePath = Get(attributes, "image");
        font->mHasTags = attributes.count("tags") != 0;
        font->mTags = Get(attributes, "tags");
        res = std::move(font);
    }
    res->mId = id;
    res->mResGroup = group;
    res->mPath = path;
    (*map)[id] = res.release();
    return true;
}

bool ResourceManager::ReadImageOptions(ImageRes* res, const Attributes& attributes) {
    for (auto [name, out] : {std::pair{"rows", &res->mRows}, std::pair{"cols", &res->mCols}}) {
        if (attributes.count(name) != 0 &&
            (!StringToInt(Get(attributes, name), out) || *out < 1 || *out > kMaxCels)) {
            return SetError(std::string("Invalid ") + name);
        }
    }
    res->mPalletize = IsSet(attributes, "palletize");
    res->mPurgeBits = IsSet(attributes, "nobits");
    res->mMinSubdivide = IsSet(attributes, "minsubdivide");
    res->mA4R4G4B4 = IsSet(attributes, "a4r4g4b4");
    res->mA8R8G8B8 = IsSet(attributes, "a8r8g8b8");

    const std::string anim = StringToLower(Get(attributes, "anim"));
    if (anim.empty()) {
        return true;
    }
    static const std::map<std::string, int> kAnimTypes = {
        {"none", 0}, {"once", 1}, {"pingpong", 2}, {"loop", 3}};
    auto type = kAnimTypes.find(anim);
    if (type == kAnimTypes.end()) {
        return SetError("Invalid animation type '" + anim + "'");
    }
    auto info = std::make_unique<AnimationInfo>();
    info->mAnimType = type->second;
    info->mNumCels = res->mRows * res->mCols;
    if (attributes.count("framedelay") != 0 &&
        (!StringToInt(Get(attributes, "framedelay"), &info->mFrameDelay) ||
         info->mFrameDelay < 0)) {
        return SetError("Invalid framedelay");
    }
    info->mBeginDelayFlag = IsSet(attributes, "begindelay") ? 1 : 0;
    info->mEndDelayFlag = IsSet(attributes, "enddelay") ? 1 : 0;

    std::vector<int> frames;
    if (!ParseIntList(Get(attributes, "framemap"), &frames)) {
        return SetError("Invalid framemap");
    }
    if (frames.empty()) {
        for (int cel = 0; cel < info->mNumCels; ++cel) {
            frames.push_back(cel);
        }
    }
    for (int frame : frames) {
        if (frame < 0 || frame >= info->mNumCels) {
            return SetError("Invalid framemap");
        }
        info->mFrameMap.push_back(static_cast<uint32_t>(frame));
    }
    std::vector<int> delays;
    if (!ParseIntList(Get(attributes, "perframedelay"), &delays)) {
        return SetError("Invalid perframedelay");
    }
    if (delays.empty()) {
        delays.assign(frames.size(), info->mFrameDelay);
    }
    if (delays.size() != frames.size()) {
        return SetError("Invalid perframedelay");
    }
    int64_t total = 0;
    for (int delay : delays) {
        if (delay < 0) {
            return SetError("Invalid perframedelay");
        }
        total += delay;
        info->mPerFrameDelay.push_back(delay);
    }
    if (total > INT32_MAX) {
        return SetError("Invalid perframedelay");
    }
    info->mTotalAnimTime = static_cast<int32_t>(total);
    res->mAnimInfo = info.release();
    return true;
}

} // namespace Vuro
