#pragma once
// What an image asks of the application that owns it, and nothing more: every live MemoryImage
// is registered from construction to destruction (so the application can rebuild, purge and
// list all images), the display's texture data of an image is dropped through it, and it tells
// the display's pixel layout and whether drawing goes through 3-D. The application implements
// it; graphics code sees no other part of the application.

namespace Vuro {

class MemoryImage;
class NativeDisplay;

class ImageRegistry {
public:
    // Safe from any thread.
    virtual void AddMemoryImage(MemoryImage* image) = 0;
    virtual void RemoveMemoryImage(MemoryImage* image) = 0;
    // Asks the display to drop the texture data it keeps for the image.
    virtual void Remove3DData(MemoryImage* image) = 0;
    // Asks the display to read the image's textures back into its bits (nothing without one).
    virtual void ReadTexturesBack(MemoryImage* image) = 0;
    // The display's pixel layout; 32-bit 0x00RRGGBB while there is no display. Never null.
    virtual NativeDisplay* GetDisplayLayout() = 0;
    virtual bool Is3DOn() const = 0;

protected:
    ~ImageRegistry() = default;
};

} // namespace Vuro
