// The capability test's setup, its stored outcome and the card rule.

#include "framework/display/D3DTester.h"

#include "framework/app/VuroAppBase.h"
#include "framework/util/StringHelpers.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>

namespace Vuro {

namespace {

constexpr uint32_t kVersion = 2;
const char* const kSubKey = "Test3D";

std::string AppKey() {
    std::string key = gVuroApp != nullptr ? gVuroApp->mRegKey : std::string();
    while (!key.empty() && key.back() == '\\') {
        key.pop_back();
    }
    return key;
}

// The year of a Windows file time (100 ns steps since 1601).
int YearOfFileTime(uint64_t fileTime) {
    using namespace std::chrono;
    constexpr int64_t kUnixEpochSeconds = 11644473600;
    const sys_seconds when{seconds{static_cast<int64_t>(fileTime / 10000000) - kUnixEpochSeconds}};
    return static_cast<int>(year_month_day{floor<days>(when)}.year());
}

} // namespace

D3DTester::~D3DTester() {
    Cleanup();
}

void D3DTester::SetVideoMemoryLimits(uint32_t minimumMb, uint32_t recommendedMb) {
    mMinVidMemory = minimumMb;
    mRecVidMemory = recommendedMb;
}

void D3DTester::CheckDXError(Platform::DDResult result, const char* operation) {
    if (Platform::DDFailed(result)) {
        throw TestException{std::string("DXError - ") + operation + ": " +
                            UIntToHexString(static_cast<uint32_t>(result))};
    }
}

bool D3DTester::Fail(const std::string& reason) {
    mFailureReason = reason;
    return false;
}

bool D3DTester::Warn(const std::string& warning) {
    mWarning = warning;
    return true;
}

bool D3DTester::TestD3D(Platform::Window* window,
                        std::shared_ptr<Platform::DirectDraw> directDraw) {
    // The skip setting leaves only the empty outcome's passage through the demo.
    if (gVuroApp == nullptr || !gVuroApp->mSkip3DTest) {
        RunOrReadBack(window, std::move(directDraw));
    }
    if (gVuroApp != nullptr) {
        gVuroApp->SyncDemoString(mFailureReason);
        gVuroApp->SyncDemoString(mWarning);
        gVuroApp->SyncDemoBool(mFreshResult);
    }
    mOverrulesStored3D = !mFailureReason.empty() || (mFreshResult && !mWarning.empty());
    return mFreshResult;
}

void D3DTester::RunOrReadBack(Platform::Window* window,
                              std::shared_ptr<Platform::DirectDraw> directDraw) {
    mStoreResults = false;
    if (Setup(window, std::move(directDraw))) {
        (void)RunBlendTests();
        if (mStoreResults) {
            WriteSettings();
        }
    } else if (!mStoreResults) {
        uint32_t type = 0;
        uint32_t length = 0;
        const Platform::RegResult stored = Platform::GetRegistry().QueryValue(
            AppKey(), kSubKey, "FailureReason", type, nullptr, length);
        mFreshResult =
            stored == Platform::RegResult::NoKey || stored == Platform::RegResult::NoValue;
        mStoreResults = true;
        WriteSettings();
    } else {
        WriteSettings();
    }
    Cleanup();
}

bool D3DTester::Setup(Platform::Window* window, std::shared_ptr<Platform::DirectDraw> directDraw) {
    using namespace Platform;
    Cleanup();
    mDriverYear = 0;
    // A demo's playback leaves the settings alone: the outcome comes from the demo.
    const bool playingDemo = gVuroApp != nullptr && gVuroApp->mPlayingDemoBuffer;
    mHasKey = !playingDemo && GetRegistry().CreateKey(AppKey(), kSubKey);
    try {
        if (directDraw == nullptr) {
            auto create = reinterpret_cast<DirectDrawCreateExFn>(
                GetProcAddress(LoadLibrary("ddraw.dll"), "DirectDrawCreateEx"));
            if (create == nullptr) {
                return Fail("No DirectDrawCreateEx");
            }
            CheckDXError(create(&directDraw), "DirectDrawCreateEx");
        }
        mDirectDraw = directDraw;
        DeviceIdentifier identifier;
        CheckDXError(GetDevice3DIdentifier(identifier), "GetDeviceIdentifier");
        std::memcpy(mDisplayGuid, identifier.guid, sizeof(mDisplayGuid));

        uint32_t total = 0;
        uint32_t free = 0;
        const DDResult memory = mDirectDraw->GetAvailableVidMem(kCapsVideoMemory, total, free);
        if (DDFailed(memory)) {
            Warn(StrFormat("GetAvailableVidMem failed: %s",
                           UIntToHexString(static_cast<uint32_t>(memory)).c_str()));
        } else {
            SurfaceDesc mode;
            uint64_t screenBytes = 0;
            if (!DDFailed(mDirectDraw->GetDisplayMode(mode))) {
                screenBytes = uint64_t{mode.pixelFormat.bitCount / 8} *
                              static_cast<uint64_t>(std::max(mode.width, 0)) *
                              static_cast<uint64_t>(std::max(mode.height, 0));
            }
            const uint64_t megabytes = (screenBytes + total) >> 20;
            if (megabytes < mMinVidMemory) {
                return Fail("Not enough video memory.");
            }
            if (megabytes < mRecVidMemory) {
                Warn("Low video memory.");
            }
        }

        if (mUseRegistry) {
            if (ReadSettings()) {
                return false;
            }
            mStoreResults = true;
        }

        uint64_t fileTime = 0;
        if (identifier.driverFile.find_first_of("/\\") != std::string::npos &&
            GetFileWriteTime(identifier.driverFile, fileTime)) {
            mDriverYear = YearOfFileTime(fileTime);
        }
        if (!IsRecommendedCard(identifier.description)) {
            Warn(StrFormat("Unsupported video card: %s", identifier.description.c_str()));
        }

        CheckDXError(mDirectDraw->SetCooperativeLevel(window, kDDCoopNormal),
                     "SetCooperativeLevel");
        SurfaceDesc desc;
        desc.flags = kDescCaps | kDescWidth | kDescHeight;
        desc.width = 100;
        desc.height = 100;
        desc.caps = kCapsOffscreenPlain | kCaps3DDevice;
        CheckDXError(mDirectDraw->CreateSurface(desc, mRenderSurface), "CreateSurface (Primary)");
        mTestImage.Create(100, 100);
        CheckDXError(CreateDevice3D(mRenderSurface.get(), mDevice), "CreateDevice");

        std::vector<int> formats;
        CheckDXError(mDevice->EnumTextureFormats(formats), "EnumTextureFormats");
        int supported = 0;
        for (int format : formats) {
            supported |= format;
        }
        if ((supported & kTexFormatA8R8G8B8) == 0) {
            Warn("A8R8G8B8 texture format not supported.");
            if ((supported & kTexFormatA4R4G4B4) == 0) {
                return Fail("A4R4G4B4 and A8R8G8B8 texture formats not supported.");
            }
            gD3DTest32BitTextures = false;
        } else {
            gD3DTest32BitTextures = true;
        }
        const int format = gD3DTest32BitTextures ? kTexFormatA8R8G8B8 : kTexFormatA4R4G4B4;
        CheckDXError(mDevice->CreateTexture(64, 64, format, mTextureSurface1),
                     "CreateSurface (TextureSurface1)");
        // This reason's text reads "TextureSurfacd2": reasons go into the settings and into
        // demos as fixed texts, so it stays as it is.
        CheckDXError(mDevice->CreateTexture(64, 64, format, mTextureSurface2),
                     "CreateSurface (TextureSurfacd2)");
        return true;
    } catch (const TestException& exception) {
        return Fail(exception.mMessage);
    }
}

bool D3DTester::ReadSettings() {
    using namespace Platform;
    mFreshResult = true;
    if (!mHasKey) {
        return false;
    }
    Registry& registry = GetRegistry();
    auto readDword = [&](const char* name, uint32_t& value) {
        uint32_t type = 0;
        uint32_t length = sizeof(value);
        return registry.QueryValue(AppKey(), kSubKey, name, type,
                                   reinterpret_cast<uint8_t*>(&value), length) == RegResult::Ok &&
               type == kRegDword && length == sizeof(value);
    };
    auto readString = [&](const char* name, std::string& value) {
        char buffer[4096];
        uint32_t type = 0;
        uint32_t length = sizeof(buffer);
        if (registry.QueryValue(AppKey(), kSubKey, name, type, reinterpret_cast<uint8_t*>(buffer),
                                length) != RegResult::Ok) {
            return false;
        }
        value.assign(buffer, strnlen(buffer, length));
        return true;
    };
    uint32_t version = 0;
    uint32_t minimum = 0;
    uint32_t recommended = 0;
    if (!readDword("Version", version) || version != kVersion ||
        !readDword("MinVidMemory", minimum) || minimum != mMinVidMemory ||
        !readDword("RecVidMemory", recommended) || recommended != mRecVidMemory) {
        return false;
    }
    uint8_t guid[16];
    uint32_t type = 0;
    uint32_t length = sizeof(guid);
    if (registry.QueryValue(AppKey(), kSubKey, "DisplayGUID", type, guid, length) !=
            RegResult::Ok ||
        length != sizeof(guid) || std::memcmp(guid, mDisplayGuid, sizeof(guid)) != 0) {
        return false;
    }
    std::string failure;
    std::string warning;
    if (!readString("FailureReason", failure) || !readString("Warning", warning)) {
        return false;
    }
    mFailureReason = failure;
    mWarning = warning;
    mFreshResult = false;
    return true;
}

void D3DTester::WriteSettings() {
    using namespace Platform;
    if (!mHasKey) {
        return;
    }
    Registry& registry = GetRegistry();
    const std::string key = AppKey();
    auto dword = [&](const char* name, uint32_t value) {
        (void)registry.SetValue(key, kSubKey, name, kRegDword,
                                reinterpret_cast<const uint8_t*>(&value), sizeof(value));
    };
    auto text = [&](const char* name, const std::string& value) {
        (void)registry.SetValue(key, kSubKey, name, kRegSz,
                                reinterpret_cast<const uint8_t*>(value.c_str()),
                                static_cast<uint32_t>(value.size()));
    };
    dword("Version", kVersion);
    dword("MinVidMemory", mMinVidMemory);
    dword("RecVidMemory", mRecVidMemory);
    (void)registry.SetValue(key, kSubKey, "DisplayGUID", kRegBinary, mDisplayGuid,
                            sizeof(mDisplayGuid));
    text("FailureReason", mFailureReason);
    text("Warning", mWarning);
}

bool D3DTester::FileContainsCard(const std::string& path, const std::string& description) {
    FILE* file = Platform::OpenFile(path, "r");
    if (file == nullptr) {
        return false;
    }
    const std::string lowerDescription = StringToLower(description);
    char line[4001];
    bool found = false;
    while (!found && std::fgets(line, sizeof(line), file) != nullptr) {
        const std::string fragment = StringToLower(Trim(line));
        found = !fragment.empty() && lowerDescription.find(fragment) != std::string::npos;
    }
    std::fclose(file);
    return found;
}

bool D3DTester::IsRecommendedCard(const std::string& description) {
    if (FileContainsCard("vhwb.dat", description)) {
        return false;
    }
    if (Platform::FileExists("vhw.dat")) {
        return FileContainsCard("vhw.dat", description);
    }
    const std::string lower = StringToLower(description);
    return mDriverYear >= 2002 || lower.find("nvidia") != std::string::npos ||
           lower.find("radeon") != std::string::npos || lower.find("ati ") != std::string::npos;
}

void D3DTester::Cleanup() {
    mTextureSurface1.reset();
    mTextureSurface2.reset();
    mDevice.reset();
    mRenderSurface.reset();
    mDirectDraw.reset();
    mHasKey = false;
}

} // namespace Vuro
