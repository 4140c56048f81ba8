// Developer tools: a screenshot of the current screen and the report of every live image. Both
// write into folders beside the program and report nothing on failure.

#include "framework/app/VuroAppBase.h"

#include "framework/app/ImageReport.h"
#include "framework/display/DDImage.h"
#include "framework/graphics/ImageLib.h"
#include "framework/util/PathHelpers.h"
#include "framework/util/StringHelpers.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/LocalTime.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstring>
#include <vector>

namespace Vuro {

namespace {

const char kScreenshotFolder[] = "_screenshots";
const char kReportFolder[] = "_dump";

// The number of "image<N>.png", or -1 when the name has no number right after "image".
int ScreenshotNumber(const std::string& name) {
    const size_t prefix = std::strlen("image");
    if (name.compare(0, prefix, "image") != 0 || name.size() <= prefix ||
        !std::isdigit(static_cast<unsigned char>(name[prefix]))) {
        return -1;
    }
    int64_t number = 0;
    for (size_t i = prefix; i < name.size() && std::isdigit(static_cast<unsigned char>(name[i]));
         ++i) {
        number = number * 10 + (name[i] - '0');
        if (number >= INT_MAX) {
            return -1; // no number after it could be given
        }
    }
    return static_cast<int>(number);
}

// One more than the largest number in use, so numbers are never given twice even after gaps.
int NextScreenshotNumber() {
    std::vector<Platform::FileEntry> entries;
    int largest = 0;
    if (Platform::FindFiles(std::string(kScreenshotFolder) + "/*.png", entries)) {
        for (const Platform::FileEntry& entry : entries) {
            largest = std::max(largest, ScreenshotNumber(entry.name));
        }
    }
    return largest + 1;
}

} // namespace

void VuroAppBase::TakeScreenshot() {
    DDImage* screen = mDDInterface != nullptr ? mDDInterface->GetScreenImage() : nullptr;
    if (screen == nullptr) {
        return;
    }
    Platform::MakeDirectory(kScreenshotFolder);
    const int number = NextScreenshotNumber();
    ImageLib::Image shot(screen->mWidth, screen->mHeight);
    {
        // The cursor thread draws into the screen image under this lock.
        ScopedLock lock(mDDInterface->mCritSect);
        const uint32_t* bits = screen->GetBits();
        if (bits == nullptr || shot.mWidth <= 0 || shot.mHeight <= 0) {
            return;
        }
        std::memcpy(shot.mBits.get(), bits,
                    static_cast<size_t>(shot.mWidth) * static_cast<size_t>(shot.mHeight) * 4);
    }
    (void)ImageLib::WritePNGImage(
        std::string(kScreenshotFolder) + "/" + StrFormat("image%d.png", number), shot);
    // The time the capture took is not caught up with extra updates.
    ResetFrameClock(false);
}

void VuroAppBase::WriteImageReport() {
    (void)DeleteTree(kReportFolder);
    // A folder just deleted may linger a moment: create until a creation fails, so it exists.
    while (Platform::MakeDirectory(kReportFolder)) {
        Platform::GetClock().SleepMs(100);
    }
    // Held for the whole report: no image may go away while it is read.
    ScopedLock lock(ImageSetLock());
    std::vector<MemoryImage*> images(mMemoryImageSet.begin(), mMemoryImageSet.end());
    ImageReport::Write(kReportFolder, images, Platform::LocalDateTime());
}

} // namespace Vuro
