#pragma once
// What the display keeps of an image as 3-D textures: its size in texture memory and its
// texture format. The 3-D display (not built yet) makes these; the developer tools read them.

namespace Vuro {

class TextureData {
public:
    // Texture format codes.
    static constexpr int kFormatA8R8G8B8 = 1;
    static constexpr int kFormatA4R4G4B4 = 2;
    static constexpr int kFormatR5G6B5 = 4;
    static constexpr int kFormatPalette8 = 8;

    int mTexMemSize = 0;  // bytes of texture memory, a palette's 1024 included
    int mPixelFormat = 0; // one of the codes above
};

} // namespace Vuro
