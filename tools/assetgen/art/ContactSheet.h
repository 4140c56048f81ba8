#pragma once
// The review picture of a step: every picture it painted, at its own size, on a grey
// checkerboard with its name and size under it. Asked for its sheet, a picture step writes
// contact-<step>.png beside bin/; JoinContactSheets stacks those into the one contact-sheet.png.

#include <cairo.h>

#include <filesystem>
#include <string>
#include <vector>

namespace Vuro::AssetGen::Art {

class ContactSheet {
public:
    ContactSheet() = default;
    ~ContactSheet();
    ContactSheet(const ContactSheet&) = delete;
    ContactSheet& operator=(const ContactSheet&) = delete;

    // Keeps a reference to `image` until the sheet is destroyed.
    void Add(const std::string& name, cairo_surface_t* image);
    bool Write(const std::filesystem::path& path) const;

private:
    struct Entry {
        std::string mName;
        cairo_surface_t* mImage;
    };
    std::vector<Entry> mEntries;
};

// Stacks the given PNG files one under the other into `out`, in columns side by side so the
// sheet stays under 16000 pixels high (a single taller part keeps a column of its own);
// missing files are skipped.
bool JoinContactSheets(const std::vector<std::filesystem::path>& parts,
                       const std::filesystem::path& out);

// The contact sheet of a step, beside the folder the data set is written to.
std::filesystem::path ContactSheetPath(const std::filesystem::path& outDir,
                                       const std::string& step);

} // namespace Vuro::AssetGen::Art
