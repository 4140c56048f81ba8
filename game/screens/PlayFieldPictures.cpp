#include "game/screens/PlayFieldPictures.h"

#include "framework/graphics/Color.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/Image.h"
#include "game/rules/FieldGeometry.h"
#include "game/rules/Fruit.h"
#include "game/rules/PlayField.h"
#include "game/screens/GameImages.h"

#include <algorithm>

namespace Vuro::PlayFieldPictures {

namespace {

template <typename Table> Image* Pick(const Table& table, int index, int count) {
    return index >= 0 && index < count ? table[index] : nullptr;
}

} // namespace

Image* FruitSheet(const GameImages& images, int kind, int state) {
    if (state == Fruit::Growing || state == Fruit::UnripeLanded || state == Fruit::UnripeKnocked) {
        Image* const germs[] = {images.mAppleGerm, images.mPearGerm, images.mPlumGerm,
                                images.mOrangeGerm};
        return Pick(germs, kind - 1, kFruitKinds);
    }
    return FruitAnimSheet(images, kind);
}

Image* FruitAnimSheet(const GameImages& images, int kind) {
    Image* const sheets[] = {images.mAppleAnim, images.mPearAnim, images.mPlumAnim,
                             images.mOrangeAnim};
    return Pick(sheets, kind - 1, kFruitKinds);
}

Image* TreePicture(const GameImages& images, int kind) {
    Image* const trees[] = {images.mAppleTree, images.mPearTree, images.mPlumTree,
                            images.mOrangeTree};
    return Pick(trees, kind - 1, kFruitKinds);
}

Image* BirdFlightSheet(const GameImages& images, int kind) {
    Image* const sheets[] = {images.mBird, images.mBirdBlack, images.mBirdWhite,
                             images.mBirdKamikadze};
    return Pick(sheets, kind, kBirdKinds);
}

Image* BirdShotSheet(const GameImages& images, int kind) {
    Image* const sheets[] = {images.mBirdShot, images.mBirdBlackShot, images.mBirdWhiteShot,
                             images.mBirdKamikadzeShot};
    return Pick(sheets, kind, kBirdKinds);
}

Image* BirdFlashSheet(const GameImages& images, int kind) {
    Image* const sheets[] = {images.mFlashBlue, images.mFlashBlack, images.mFlashWhite,
                             images.mFlashKamikadze};
    return Pick(sheets, kind, kBirdKinds);
}

void SetFieldImages(PlayField& field, const GameImages& images) {
    PlayField::PictureSizes sizes = field.GetPictureSizes();
    for (int kind = 1; kind <= kFruitKinds; ++kind) {
        if (const Image* sheet = FruitAnimSheet(images, kind)) {
            sizes.mFruitSheetWidth[kind - 1] = sheet->GetWidth();
            sizes.mFruitSheetHeight[kind - 1] = sheet->GetHeight();
        }
        if (const Image* tree = TreePicture(images, kind)) {
            sizes.mTreeWidth[kind - 1] = tree->GetWidth();
        }
    }
    field.SetImages(sizes, images.mAmbient != nullptr);
}

int ShotCel(int frame, int flightCels) {
    return frame >= flightCels / 2 ? 1 : 0;
}

int SmokeCel(int frame, int cels) {
    return std::clamp(frame, 0, std::max(cels - 1, 0));
}

int FruitFlyCel(int frame, int cels) {
    return cels > 0 ? ((frame % cels) + cels) % cels : 0;
}

void DrawShadowedString(Graphics* g, const std::string& text, int x, int y, const Color& color,
                        int offset) {
    g->SetColor(Color::Black);
    g->DrawString(text, x + offset, y + offset);
    g->SetColor(color);
    g->DrawString(text, x, y);
}

} // namespace Vuro::PlayFieldPictures
