#include "platform/Direct3D.h"

namespace Vuro::Platform {

int TexelBytes(int format) {
    switch (format) {
    case kTexFormatA8R8G8B8:
        return 4;
    case kTexFormatA4R4G4B4:
    case kTexFormatR5G6B5:
        return 2;
    case kTexFormatPalette8:
        return 1;
    default:
        return 0;
    }
}

} // namespace Vuro::Platform
