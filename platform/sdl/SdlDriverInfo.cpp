#include "platform/DriverInfo.h"

#include <SDL.h>

namespace Vuro::Platform {

namespace {

std::string Describe(const char* driver) {
    if (driver == nullptr) {
        return "none";
    }
    SDL_version version{};
    SDL_GetVersion(&version);
    return std::string(driver) + " (SDL " + std::to_string(version.major) + "." +
           std::to_string(version.minor) + "." + std::to_string(version.patch) + ")";
}

} // namespace

std::string VideoDriverVersion() {
    return Describe(SDL_GetCurrentVideoDriver());
}

std::string AudioDriverVersion() {
    return Describe(SDL_GetCurrentAudioDriver());
}

} // namespace Vuro::Platform
