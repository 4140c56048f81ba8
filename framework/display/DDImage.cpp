#include "framework/display/DDImage.h"

#include "framework/display/DDInterface.h"

namespace Vuro {

DDImage::DDImage(DDInterface* display) : MemoryImage(display->mApp), mDDInterface(display) {}

} // namespace Vuro
