#include "tools/assetgen/art/ContactSheet.h"

#include "tools/assetgen/art/Canvas.h"
#include "tools/assetgen/art/Text.h"

#include <algorithm>
#include <cstdio>

namespace Vuro::AssetGen::Art {

namespace {

constexpr int kPageWidth = 1700;
constexpr int kGap = 14;
constexpr int kLabelHeight = 30;
constexpr int kChecker = 8;
// Common image viewers and converters refuse pictures over 16384 pixels a side: the joined
// sheet starts a new column before it grows that tall.
constexpr int kMaxJoinedHeight = 16000;

struct Placement {
    int x;
    int y;
};

void Checkerboard(cairo_t* cr, int x, int y, int w, int h) {
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    for (int j = 0; j * kChecker < h; ++j) {
        for (int i = 0; i * kChecker < w; ++i) {
            const double v = (i + j) % 2 == 0 ? 0.62 : 0.5;
            cairo_set_source_rgb(cr, v, v, v);
            cairo_rectangle(cr, x + i * kChecker, y + j * kChecker, kChecker, kChecker);
            cairo_fill(cr);
        }
    }
    cairo_restore(cr);
}

} // namespace

ContactSheet::~ContactSheet() {
    for (Entry& entry : mEntries) {
        cairo_surface_destroy(entry.mImage);
    }
}

void ContactSheet::Add(const std::string& name, cairo_surface_t* image) {
    mEntries.push_back({name, cairo_surface_reference(image)});
}

bool ContactSheet::Write(const std::filesystem::path& path) const {
    // Shelf packing in the order the pictures were made.
    std::vector<Placement> places;
    int x = kGap;
    int y = kGap;
    int shelf = 0;
    for (const Entry& entry : mEntries) {
        const int w = std::max(cairo_image_surface_get_width(entry.mImage), 150);
        const int h = cairo_image_surface_get_height(entry.mImage) + kLabelHeight;
        if (x + w + kGap > kPageWidth && x > kGap) {
            x = kGap;
            y += shelf + kGap;
            shelf = 0;
        }
        places.push_back({x, y});
        x += w + kGap;
        shelf = std::max(shelf, h);
    }
    Canvas page(kPageWidth, y + shelf + kGap);
    cairo_t* cr = page.Cr();
    cairo_set_source_rgb(cr, 0.36, 0.36, 0.38);
    cairo_paint(cr);
    TextStyle label{.size = 11,
                    .bold = false,
                    .fill = Palette::kWhite,
                    .outline = 0,
                    .shadow = false,
                    .align = TextAlign::Left};
    for (size_t i = 0; i < mEntries.size(); ++i) {
        cairo_surface_t* image = mEntries[i].mImage;
        const int w = cairo_image_surface_get_width(image);
        const int h = cairo_image_surface_get_height(image);
        Checkerboard(cr, places[i].x, places[i].y, w, h);
        cairo_set_source_surface(cr, image, places[i].x, places[i].y);
        cairo_paint(cr);
        const std::string caption =
            mEntries[i].mName + "  " + std::to_string(w) + "x" + std::to_string(h);
        DrawText(cr, caption.c_str(), places[i].x, places[i].y + h + 14, label);
    }
    if (cairo_surface_write_to_png(page.Surface(), path.c_str()) != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

bool JoinContactSheets(const std::vector<std::filesystem::path>& parts,
                       const std::filesystem::path& out) {
    struct Part {
        cairo_surface_t* mImage;
        int mX;
        int mY;
    };
    std::vector<Part> placed;
    int width = 0;
    int height = 0;
    int columnX = 0;
    int columnY = 0;
    int columnWidth = 0;
    for (const std::filesystem::path& part : parts) {
        cairo_surface_t* image = cairo_image_surface_create_from_png(part.c_str());
        if (cairo_surface_status(image) != CAIRO_STATUS_SUCCESS) {
            cairo_surface_destroy(image);
            continue;
        }
        const int w = cairo_image_surface_get_width(image);
        const int h = cairo_image_surface_get_height(image);
        if (columnY > 0 && columnY + h > kMaxJoinedHeight) {
            columnX += columnWidth;
            columnY = 0;
            columnWidth = 0;
        }
        placed.push_back({image, columnX, columnY});
        columnY += h;
        columnWidth = std::max(columnWidth, w);
        width = std::max(width, columnX + w);
        height = std::max(height, columnY);
    }
    Canvas page(std::max(width, 1), std::max(height, 1));
    cairo_set_source_rgb(page.Cr(), 0.36, 0.36, 0.38);
    cairo_paint(page.Cr());
    for (const Part& part : placed) {
        cairo_set_source_surface(page.Cr(), part.mImage, part.mX, part.mY);
        cairo_paint(page.Cr());
        cairo_surface_destroy(part.mImage);
    }
    if (cairo_surface_write_to_png(page.Surface(), out.c_str()) != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "assetgen: cannot write %s\n", out.c_str());
        return false;
    }
    return true;
}

std::filesystem::path ContactSheetPath(const std::filesystem::path& outDir,
                                       const std::string& step) {
    std::filesystem::path dir = outDir.lexically_normal();
    if (!dir.has_filename()) {
        dir = dir.parent_path();
    }
    return dir.parent_path() / ("contact-" + step + ".png");
}

} // namespace Vuro::AssetGen::Art
