#include "framework/display/D3DInterface.h"

namespace Vuro {

std::string gD3DError;

bool D3DInterface::InitD3D(DDInterface*) {
    gD3DError = "no 3-D device";
    return false;
}

} // namespace Vuro
