// The commands of the font descriptor language, run by FontData::HandleCommand. Each reads its
// arguments in order; a bad argument sets the type flag and the command's effect is left out,
// except in the per-entry loops, which apply the good entries and pass over the bad ones.

#include "framework/display/DDImage.h"
#include "framework/fonts/FontData.h"
#include "framework/fonts/FontHost.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/util/PathHelpers.h"
#include "framework/util/StringHelpers.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace Vuro {

namespace {

enum class Command {
    Define,
    CreateHorzSpanRectList,
    SetDefaultPointSize,
    SetCharMap,
    CreateLayer,
    CreateLayerFrom,
    LayerRequireTags,
    LayerExcludeTags,
    LayerPointRange,
    LayerSetPointSize,
    LayerSetImage,
    LayerSetDrawMode,
    LayerSetColorMult,
    LayerSetColorAdd,
    LayerSetAscent,
    LayerSetAscentPadding,
    LayerSetLineSpacingOffset,
    LayerSetOffset,
    LayerSetCharWidths,
    LayerSetSpacing,
    LayerSetImageMap,
    LayerSetCharOffsets,
    LayerSetKerningPairs,
    LayerSetBaseOrder,
    LayerSetCharOrders,
};

struct CommandInfo {
    const char* name;
    Command command;
    size_t count; // elements, the command name included
};

constexpr CommandInfo kCommands[] = {
    {"DEFINE", Command::Define, 3},
    {"CREATEHORZSPANRECTLIST", Command::CreateHorzSpanRectList, 4},
    {"SETDEFAULTPOINTSIZE", Command::SetDefaultPointSize, 2},
    {"SETCHARMAP", Command::SetCharMap, 3},
    {"CREATELAYER", Command::CreateLayer, 2},
    {"CREATELAYERFROM", Command::CreateLayerFrom, 3},
    {"LAYERREQUIRETAGS", Command::LayerRequireTags, 3},
    {"LAYEREXCLUDETAGS", Command::LayerExcludeTags, 3},
    {"LAYERPOINTRANGE", Command::LayerPointRange, 4},
    {"LAYERSETPOINTSIZE", Command::LayerSetPointSize, 3},
    {"LAYERSETIMAGE", Command::LayerSetImage, 3},
    {"LAYERSETDRAWMODE", Command::LayerSetDrawMode, 3},
    {"LAYERSETCOLORMULT", Command::LayerSetColorMult, 3},
    {"LAYERSETCOLORADD", Command::LayerSetColorAdd, 3},
    {"LAYERSETASCENT", Command::LayerSetAscent, 3},
    {"LAYERSETASCENTPADDING", Command::LayerSetAscentPadding, 3},
    {"LAYERSETLINESPACINGOFFSET", Command::LayerSetLineSpacingOffset, 3},
    {"LAYERSETOFFSET", Command::LayerSetOffset, 3},
    {"LAYERSETCHARWIDTHS", Command::LayerSetCharWidths, 4},
    {"LAYERSETSPACING", Command::LayerSetSpacing, 3},
    {"LAYERSETIMAGEMAP", Command::LayerSetImageMap, 4},
    {"LAYERSETCHAROFFSETS", Command::LayerSetCharOffsets, 4},
    {"LAYERSETKERNINGPAIRS", Command::LayerSetKerningPairs, 4},
    {"LAYERSETBASEORDER", Command::LayerSetBaseOrder, 3},
    {"LAYERSETCHARORDERS", Command::LayerSetCharOrders, 4},
};

// A colour fraction times 255, truncated; held well inside the int range so that absurd values
// cannot overflow (the drawing clamps channels anyway).
int FractionToChannel(double fraction) {
    return static_cast<int>(std::clamp(fraction * 255.0, -1.0e6, 1.0e6));
}

// Every argument is read, in order, so that each bad one reports; true when all were good.
bool AllOk(std::initializer_list<bool> results) {
    return std::all_of(results.begin(), results.end(), [](bool ok) { return ok; });
}

uint8_t CharIndex(const std::string& text, size_t i) {
    return static_cast<uint8_t>(text[i]);
}

// Reads the arguments of one command and remembers whether any was bad.
class Arguments {
public:
    Arguments(FontData* data, std::vector<DataElement*>& elements)
        : mData(data), mElements(elements) {}

    DataElement* At(size_t i) { return mElements[i]; }
    bool Int(size_t i, int* out) {
        *out = 0;
        if (mElements[i]->mIsList ||
            !StringToInt(static_cast<SingleDataElement*>(mElements[i])->mText, out)) {
            return Fail();
        }
        return true;
    }
    bool Name(size_t i, std::string* out) {
        if (mElements[i]->mIsList) {
            return Fail();
        }
        *out = StringToUpper(static_cast<SingleDataElement*>(mElements[i])->mText);
        return true;
    }
    bool Layer(size_t i, FontLayer** out) { return mData->GetLayer(mElements[i], out) || Fail(); }
    bool Text(size_t i, std::string* out) {
        return mData->ElementToString(mElements[i], out) || Fail();
    }
    bool Texts(size_t i, std::vector<std::string>* out) {
        return mData->ElementToStrings(mElements[i], out) || Fail();
    }
    bool Ints(size_t i, std::vector<int>* out) {
        return mData->ElementToInts(mElements[i], out) || Fail();
    }
    bool Doubles(size_t i, std::vector<double>* out) {
        return mData->ElementToDoubles(mElements[i], out) || Fail();
    }
    bool List(size_t i, ListDataElement* out) {
        return mData->ElementToList(mElements[i], out) || Fail();
    }
    bool Fail() {
        mTypeFlag = true;
        return false;
    }
    bool Matches(size_t a, size_t b) {
        mSizeMismatch = mSizeMismatch || a != b;
        return a == b;
    }
    bool Finish() {
        if (mTypeFlag) {
            return mData->Error("Invalid Paramater Type");
        }
        if (mSizeMismatch) {
            return mData->Error("List Size Mismatch");
        }
        return true;
    }

private:
    FontData* mData;
    std::vector<DataElement*>& mElements;
    bool mTypeFlag = false;
    bool mSizeMismatch = false;
};

} // namespace

bool FontData::HandleCommand(ListDataElement* params) {
    std::vector<DataElement*>& elements = params->mElementVector;
    const std::string name = StringToUpper(ElementToText(elements[0]));
    const CommandInfo* info = nullptr;
    for (const CommandInfo& candidate : kCommands) {
        if (name == candidate.name) {
            info = &candidate;
            break;
        }
    }
    if (info == nullptr) {
        return Error("Unknown Command");
    }
    if (elements.size() != info->count) {
        return Error("Invalid Number of Parameters");
    }

    Arguments args(this, elements);
    FontLayer* layer = nullptr;
    std::string text;
    std::vector<std::string> texts;
    std::vector<int> ints;
    std::vector<int> moreInts;
    std::vector<double> doubles;
    int value = 0;
    int other = 0;

    // Single-valued layer settings share one shape: layer, integer, field.
    auto setLayerInt = [&](int FontLayer::*field) {
        if (AllOk({args.Layer(1, &layer), args.Int(2, &value)})) {
            layer->*field = value;
        }
    };

    switch (info->command) {
    case Command::Define: {
        if (!args.Name(1, &text) || IsImmediate(ElementToText(elements[1]))) {
            args.Fail();
            break;
        }
        // The old value goes first, so a define naming itself stores its own name.
        auto old = mDefineMap.find(text);
        if (old != mDefineMap.end()) {
            delete old->second;
            mDefineMap.erase(old);
        }
        DataElement* source = elements[2];
        if (source->mIsList) {
            auto* list = new ListDataElement();
            if (!DereferenceList(static_cast<ListDataElement*>(source), list)) {
                delete list;
                return false;
            }
            mDefineMap[text] = list;
        } else {
            DataElement* define = GetDefine(static_cast<SingleDataElement*>(source)->mText);
            mDefineMap[text] = (define != nullptr ? define : source)->Duplicate();
        }
        break;
    }
    case Command::CreateHorzSpanRectList: {
        const bool nameOk = args.Name(1, &text);
        const bool rectOk = args.Ints(2, &ints) && (ints.size() == 4 || args.Fail());
        if (!AllOk({args.Ints(3, &moreInts), nameOk, rectOk})) {
            break;
        }
        auto* rects = new ListDataElement();
        int64_t x = ints[0];
        for (int width : moreInts) {
            auto* rect = new ListDataElement();
            for (int64_t number : {x, int64_t{ints[1]}, int64_t{width}, int64_t{ints[3]}}) {
                rect->mElementVector.push_back(new SingleDataElement(std::to_string(number)));
            }
            rects->mElementVector.push_back(rect);
            x += width;
        }
        auto old = mDefineMap.find(text);
        if (old != mDefineMap.end()) {
            delete old->second;
        }
        mDefineMap[text] = rects;
        break;
    }
    case Command::SetDefaultPointSize:
        if (args.Int(1, &value)) {
            mDefaultPointSize = value;
        }
        break;
    case Command::SetCharMap: {
        std::vector<std::string> to;
        if (AllOk({args.Texts(1, &texts), args.Texts(2, &to)}) &&
            args.Matches(texts.size(), to.size())) {
            for (size_t i = 0; i < texts.size(); ++i) {
                if (texts[i].size() != 1 || to[i].size() != 1) {
                    args.Fail();
                    continue;
                }
                mCharMap[CharIndex(texts[i], 0)] = CharIndex(to[i], 0);
            }
        }
        break;
    }
    case Command::CreateLayer:
    case Command::CreateLayerFrom: {
        const bool nameOk = args.Name(1, &text);
        FontLayer* source = nullptr;
        if (info->command == Command::CreateLayerFrom && !args.Layer(2, &source)) {
            break;
        }
        if (!nameOk) {
            break;
        }
        if (AddLayer(text, source) == nullptr) {
            return Error("Layer Already Exists");
        }
        break;
    }
    case Command::LayerRequireTags:
    case Command::LayerExcludeTags:
        if (AllOk({args.Layer(1, &layer), args.Texts(2, &texts)})) {
            auto& tags = info->command == Command::LayerRequireTags ? layer->mRequiredTags
                                                                    : layer->mExcludedTags;
            for (const std::string& tag : texts) {
                tags.push_back(StringToUpper(tag));
            }
        }
        break;
    case Command::LayerPointRange:
        if (AllOk({args.Layer(1, &layer), args.Int(2, &value), args.Int(3, &other)})) {
            layer->mMinPointSize = value;
            layer->mMaxPointSize = other;
        }
        break;
    case Command::LayerSetPointSize:
        setLayerInt(&FontLayer::mPointSize);
        break;
    case Command::LayerSetImage:
        if (AllOk({args.Layer(1, &layer), args.Text(2, &text)})) {
            const std::string path = GetPathFrom(text, GetFileDir(mSourceFile, true));
            auto cached = mImageMap.find(path);
            if (cached != mImageMap.end()) {
                layer->mImage = cached->second;
                break;
            }
            MemoryImage* image = mApp != nullptr ? mApp->GetImage(path) : nullptr;
            if (image == nullptr) {
                return Error("Failed to Load Image");
            }
            (void)image->Palletize();
            mImageMap[path] = image;
            layer->mImage = image;
        }
        break;
    case Command::LayerSetDrawMode:
        if (AllOk({args.Layer(1, &layer), args.Int(2, &value)}) &&
            ((value == 0 || value == 1) || args.Fail())) {
            layer->mDrawMode = value;
        }
        break;
    case Command::LayerSetColorMult:
    case Command::LayerSetColorAdd:
        if (AllOk({args.Layer(1, &layer), args.Doubles(2, &doubles)}) &&
            (doubles.size() == 4 || args.Fail())) {
            Color color(FractionToChannel(doubles[0]), FractionToChannel(doubles[1]),
                        FractionToChannel(doubles[2]), FractionToChannel(doubles[3]));
            (info->command == Command::LayerSetColorMult ? layer->mColorMult : layer->mColorAdd) =
                color;
        }
        break;
    case Command::LayerSetAscent:
        setLayerInt(&FontLayer::mAscent);
        break;
    case Command::LayerSetAscentPadding:
        setLayerInt(&FontLayer::mAscentPadding);
        break;
    case Command::LayerSetLineSpacingOffset:
        setLayerInt(&FontLayer::mLineSpacingOffset);
        break;
    case Command::LayerSetOffset:
        if (AllOk({args.Layer(1, &layer), args.Ints(2, &ints)}) &&
            (ints.size() == 2 || args.Fail())) {
            layer->mOffsetX = ints[0];
            layer->mOffsetY = ints[1];
        }
        break;
    case Command::LayerSetSpacing:
        setLayerInt(&FontLayer::mSpacing);
        break;
    case Command::LayerSetBaseOrder:
        setLayerInt(&FontLayer::mBaseOrder);
        break;
    case Command::LayerSetCharWidths:
    case Command::LayerSetCharOrders:
        if (AllOk({args.Layer(1, &layer), args.Texts(2, &texts), args.Ints(3, &ints)}) &&
            args.Matches(texts.size(), ints.size())) {
            for (size_t i = 0; i < texts.size(); ++i) {
                if (texts[i].size() != 1) {
                    args.Fail();
                    continue;
                }
                CharData& glyph = layer->mCharData[CharIndex(texts[i], 0)];
                (info->command == Command::LayerSetCharWidths ? glyph.mWidth : glyph.mOrder) =
                    ints[i];
            }
        }
        break;
    case Command::LayerSetKerningPairs:
        if (AllOk({args.Layer(1, &layer), args.Texts(2, &texts), args.Ints(3, &ints)}) &&
            args.Matches(texts.size(), ints.size())) {
            for (size_t i = 0; i < texts.size(); ++i) {
                if (texts[i].size() != 2) {
                    args.Fail();
                    continue;
                }
                // The low 8 bits, read back as a signed value: 200 is stored as -56.
                layer->mCharData[CharIndex(texts[i], 0)].mKerning[CharIndex(texts[i], 1)] =
                    static_cast<int8_t>(static_cast<uint8_t>(ints[i] & 0xFF));
            }
        }
        break;
    case Command::LayerSetCharOffsets:
    case Command::LayerSetImageMap: {
        ListDataElement list;
        if (!AllOk({args.Layer(1, &layer), args.Texts(2, &texts), args.List(3, &list)}) ||
            !args.Matches(texts.size(), list.mElementVector.size())) {
            break;
        }
        const bool imageMap = info->command == Command::LayerSetImageMap;
        if (imageMap && layer->mImage == nullptr) {
            return Error("Layer image not set");
        }
        const size_t wanted = imageMap ? 4 : 2;
        for (size_t i = 0; i < texts.size(); ++i) {
            if (texts[i].size() != 1 || !ElementToInts(list.mElementVector[i], &ints) ||
                ints.size() != wanted) {
                args.Fail();
                continue;
            }
            CharData& glyph = layer->mCharData[CharIndex(texts[i], 0)];
            if (!imageMap) {
                glyph.mOffsetX = ints[0];
                glyph.mOffsetY = ints[1];
                continue;
            }
            // Negative sizes are refused as well: glyph strips are built from these sizes.
            const int64_t x = ints[0], y = ints[1], w = ints[2], h = ints[3];
            if (x < 0 || y < 0 || w < 0 || h < 0 || x + w > layer->mImage->GetWidth() ||
                y + h > layer->mImage->GetHeight()) {
                return Error("Image rectangle out of bounds");
            }
            glyph.mImageRect = Rect(ints[0], ints[1], ints[2], ints[3]);
        }
        if (imageMap) {
            int height = 0;
            for (const CharData& glyph : layer->mCharData) {
                height = std::max<int>(
                    height,
                    static_cast<int>(std::clamp<int64_t>(
                        int64_t{glyph.mImageRect.mHeight} + glyph.mOffsetY, INT_MIN, INT_MAX)));
            }
            layer->mHeight = height;
        }
        break;
    }
    }
    return args.Finish();
}

} // namespace Vuro
