#include "tools/assetgen/art/Canvas.h"

#include "tools/assetgen/art/Blur.h"

#include <cmath>
#include <vector>

namespace Vuro::AssetGen::Art {

Canvas::Canvas(int width, int height)
    : mWidth(width), mHeight(height),
      mSurface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      mCr(cairo_create(mSurface)) {
    cairo_set_line_join(mCr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(mCr, CAIRO_LINE_CAP_ROUND);
}

Canvas::~Canvas() {
    cairo_destroy(mCr);
    cairo_surface_destroy(mSurface);
}

uint32_t Random::Next() {
    mState ^= mState << 13;
    mState ^= mState >> 17;
    mState ^= mState << 5;
    return mState;
}

void SetColor(cairo_t* cr, const Rgb& color, double alpha) {
    cairo_set_source_rgba(cr, color.r, color.g, color.b, alpha);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double radius) {
    const double r = std::min(radius, std::min(w, h) / 2);
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_close_path(cr);
    cairo_restore(cr);
}

void Blob(cairo_t* cr, double cx, double cy, double rx, double ry, double wobble, int lobes,
          double phase) {
    constexpr int kSteps = 96;
    cairo_new_sub_path(cr);
    for (int i = 0; i <= kSteps; ++i) {
        const double a = 2 * M_PI * i / kSteps;
        const double k = 1 + wobble * std::sin(a * lobes + phase);
        const double x = cx + rx * k * std::cos(a);
        const double y = cy + ry * k * std::sin(a);
        if (i == 0) {
            cairo_move_to(cr, x, y);
        } else {
            cairo_line_to(cr, x, y);
        }
    }
    cairo_close_path(cr);
}

void FillShaded(cairo_t* cr, const Rgb& base, double cx, double cy, double radius,
                double strength) {
    const double lx = cx + kLightX * radius;
    const double ly = cy + kLightY * radius;
    cairo_pattern_t* pattern =
        cairo_pattern_create_radial(lx, ly, radius * 0.05, cx, cy, radius * 1.25);
    const Rgb light = base.Lighter(0.35 * strength);
    const Rgb dark = base.Darker(0.35 * strength);
    cairo_pattern_add_color_stop_rgb(pattern, 0, light.r, light.g, light.b);
    cairo_pattern_add_color_stop_rgb(pattern, 0.45, base.r, base.g, base.b);
    cairo_pattern_add_color_stop_rgb(pattern, 1, dark.r, dark.g, dark.b);
    cairo_set_source(cr, pattern);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(pattern);
}

void FillLinear(cairo_t* cr, const Rgb& from, const Rgb& to, double x0, double y0, double x1,
                double y1, double alpha) {
    cairo_pattern_t* pattern = cairo_pattern_create_linear(x0, y0, x1, y1);
    cairo_pattern_add_color_stop_rgba(pattern, 0, from.r, from.g, from.b, alpha);
    cairo_pattern_add_color_stop_rgba(pattern, 1, to.r, to.g, to.b, alpha);
    cairo_set_source(cr, pattern);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(pattern);
}

void FillVertical(cairo_t* cr, const Rgb& top, const Rgb& bottom, double y0, double y1,
                  double alpha) {
    FillLinear(cr, top, bottom, 0, y0, 0, y1, alpha);
}

void FillLitFromLeft(cairo_t* cr, const Rgb& base, double x0, double x1, double amount) {
    FillLinear(cr, base.Lighter(amount), base.Darker(amount), x0, 0, x1, 0);
}

void StrokeOutline(cairo_t* cr, double width) {
    SetColor(cr, Palette::kOutline);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

void StrokeWithOutline(cairo_t* cr, const Rgb& colour, double width, double outline) {
    SetColor(cr, Palette::kOutline);
    cairo_set_line_width(cr, width + 2 * outline);
    cairo_stroke_preserve(cr);
    SetColor(cr, colour);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

void OutlineBehind(cairo_t* cr, const PathFn& path, double width) {
    cairo_new_path(cr);
    path(cr);
    SetColor(cr, Palette::kOutline);
    cairo_set_line_width(cr, 2 * width);
    cairo_stroke(cr);
}

void StrokeGlowing(cairo_t* cr, const Rgb& colour, double width, double alpha) {
    cairo_set_line_width(cr, width * 2.5);
    SetColor(cr, colour, 0.45 * alpha);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, width);
    SetColor(cr, Palette::kWhite, alpha);
    cairo_stroke(cr);
}

void Glow(cairo_t* cr, double cx, double cy, double radius, const Rgb& colour, double alpha) {
    cairo_pattern_t* glow = cairo_pattern_create_radial(cx, cy, 0, cx, cy, radius);
    cairo_pattern_add_color_stop_rgba(glow, 0, colour.r, colour.g, colour.b, alpha);
    cairo_pattern_add_color_stop_rgba(glow, 1, colour.r, colour.g, colour.b, 0);
    cairo_set_source(cr, glow);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
}

void StarPath(cairo_t* cr, double cx, double cy, double outer, double inner, int points,
              double turn) {
    cairo_new_sub_path(cr);
    for (int i = 0; i < points * 2; ++i) {
        const double a = turn - M_PI / 2 + i * M_PI / points;
        const double r = i % 2 == 0 ? outer : inner;
        cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
    }
    cairo_close_path(cr);
}

void MirrorX(cairo_t* cr, double width) {
    cairo_translate(cr, width, 0);
    cairo_scale(cr, -1, 1);
}

void SoftShadow(cairo_t* cr, const PathFn& path, double dx, double dy, double blur, double alpha) {
    cairo_surface_t* target = cairo_get_target(cr);
    const int width = cairo_image_surface_get_width(target);
    const int height = cairo_image_surface_get_height(target);
    cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, width, height);
    cairo_t* maskCr = cairo_create(mask);
    cairo_matrix_t matrix;
    cairo_get_matrix(cr, &matrix);
    cairo_set_matrix(maskCr, &matrix);
    path(maskCr);
    cairo_fill(maskCr);
    cairo_destroy(maskCr);

    cairo_surface_flush(mask);
    const int stride = cairo_image_surface_get_stride(mask);
    unsigned char* data = cairo_image_surface_get_data(mask);
    std::vector<uint8_t> pixels(data, data + stride * height);
    const int radius = std::max(1, static_cast<int>(std::lround(blur / 1.7)));
    for (int i = 0; i < 3; ++i) {
        BoxBlur(pixels.data(), width, height, stride, radius);
    }
    std::copy(pixels.begin(), pixels.end(), data);
    cairo_surface_mark_dirty(mask);

    cairo_save(cr);
    cairo_identity_matrix(cr);
    SetColor(cr, Palette::kShadow, alpha);
    cairo_mask_surface(cr, mask, dx, dy);
    cairo_restore(cr);
    cairo_surface_destroy(mask);
}

void ShadedBody(cairo_t* cr, const PathFn& path, const Rgb& base, double cx, double cy,
                double radius, bool shadow, double outline) {
    if (shadow) {
        SoftShadow(cr, path);
    }
    cairo_new_path(cr);
    path(cr);
    FillShaded(cr, base, cx, cy, radius);
    if (outline > 0) {
        StrokeOutline(cr, outline);
    } else {
        cairo_new_path(cr);
    }
}

void Gloss(cairo_t* cr, double cx, double cy, double radius, double alpha) {
    const double gx = cx + kLightX * radius * 1.1;
    const double gy = cy + kLightY * radius * 1.1;
    cairo_pattern_t* pattern = cairo_pattern_create_radial(gx, gy, 0, gx, gy, radius * 0.45);
    cairo_pattern_add_color_stop_rgba(pattern, 0, 1, 1, 1, alpha);
    cairo_pattern_add_color_stop_rgba(pattern, 1, 1, 1, 1, 0);
    cairo_set_source(cr, pattern);
    Ellipse(cr, gx, gy, radius * 0.45, radius * 0.35);
    cairo_fill(cr);
    cairo_pattern_destroy(pattern);
}

} // namespace Vuro::AssetGen::Art
