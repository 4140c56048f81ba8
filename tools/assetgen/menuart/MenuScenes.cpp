#include "tools/assetgen/menuart/MenuScenes.h"

#include "game/rules/FieldGeometry.h"
#include "tools/assetgen/art/Canvas.h"
#include "tools/assetgen/art/Text.h"
#include "tools/assetgen/gameart/Fruit.h"
#include "tools/assetgen/gameart/Scenery.h"
#include "tools/assetgen/gameart/Sky.h"
#include "tools/assetgen/gameart/Trees.h"
#include "tools/assetgen/menuart/Plaques.h"
#include "tools/assetgen/menuart/SignButton.h"

#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <sstream>
#include <vector>

namespace Vuro::AssetGen {

using namespace Art;

namespace {

using MenuProp = std::function<void(cairo_t*, const Prop&)>;

double X(const Prop& p) {
    return p.Number("x", 0);
}
double Y(const Prop& p) {
    return p.Number("y", 0);
}

// Paints a sheet-sized picture of the play field's sky painters, scaled to w x h at (x, y).
void PaintFromSheet(cairo_t* cr, int width, int height, int cels, int cel,
                    const std::function<void(Sheet&)>& paint, double x, double y, double w,
                    double h) {
    Sheet sheet(width, height, 1, cels);
    paint(sheet);
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, w / width, h / height);
    cairo_set_source_surface(cr, sheet.GetCanvas().Surface(), -cel * width, 0);
    cairo_rectangle(cr, 0, 0, width, height);
    cairo_fill(cr);
    cairo_restore(cr);
}

// The sky fills the whole picture (or cel) whatever the view's scale.
void Sky(cairo_t* cr, const Prop& p) {
    double x0 = 0;
    double y0 = 0;
    double x1 = 0;
    double y1 = 0;
    cairo_clip_extents(cr, &x0, &y0, &x1, &y1);
    const bool night = p.Number("night", 0) != 0;
    PaintFromSheet(
        cr, kFieldWidth, kFieldHeight, 1, 0,
        [night](Sheet& s) { night ? PaintNightBackground(s) : PaintDayBackground(s); }, x0, y0,
        x1 - x0, y1 - y0);
}

void Sun(cairo_t* cr, const Prop& p) {
    const double size = p.Number("size", 133);
    PaintFromSheet(cr, 133, 133, 2, 0, PaintSun, X(p) - size / 2, Y(p) - size / 2, size, size);
}

void Cloud(cairo_t* cr, const Prop& p) {
    PaintCloud(cr, X(p), Y(p), p.Number("w", 100), Palette::kCloud, Palette::kCloudShade,
               p.Number("alpha", 0.95));
}

FruitLook LookOf(const Prop& p) {
    const std::string look = p.Text("look", "ripe");
    return look == "golden"   ? FruitLook::Golden
           : look == "unripe" ? FruitLook::Unripe
           : look == "fallen" ? FruitLook::Fallen
                              : FruitLook::Ripe;
}

// One fruit centred at (x, y); the fruit painter works in a 20 x 20 box.
void Fruit(cairo_t* cr, const Prop& p) {
    const double scale = p.Number("scale", 1);
    PaintFruit(cr, static_cast<int>(p.Number("kind", 1)), LookOf(p), X(p) - 10 * scale,
               Y(p) - 10 * scale, scale);
}

// A fruit tree: a tapering trunk with two branches, a crown of leaf masses and ripe fruit.
void FruitTree(cairo_t* cr, const Prop& p) {
    const double x = X(p);
    const double y = Y(p);
    const double h = p.Number("h", 240);
    const double r = p.Number("r", 90);
    const unsigned seed = static_cast<unsigned>(p.Number("seed", 1));
    const double crownY = y - h + r;
    auto trunk = [=](cairo_t* c) {
        const double base = r * 0.16;
        cairo_move_to(c, x - base, y);
        cairo_curve_to(c, x - base * 0.6, y - h * 0.3, x - base * 0.5, crownY + r * 0.3,
                       x - r * 0.45, crownY);
        cairo_line_to(c, x - r * 0.3, crownY - r * 0.1);
        cairo_line_to(c, x, crownY + r * 0.25);
        cairo_line_to(c, x + r * 0.35, crownY - r * 0.1);
        cairo_line_to(c, x + r * 0.45, crownY + r * 0.05);
        cairo_curve_to(c, x + base * 0.5, crownY + r * 0.35, x + base * 0.6, y - h * 0.3, x + base,
                       y);
        cairo_close_path(c);
    };
    Ellipse(cr, x + r * 0.15, y, r * 0.7, r * 0.12);
    SetColor(cr, Palette::kShadow, 0.3);
    cairo_fill(cr);
    cairo_new_path(cr);
    trunk(cr);
    FillVertical(cr, Palette::kBark, Palette::kBarkDark, crownY, y);
    StrokeOutline(cr);
    const Rgb leaf = ToneOf(p, "tone", Palette::kLeaf);
    PaintFoliage(cr,
                 {{x, crownY, r, r * 0.72, 2},
                  {x - r * 0.55, crownY + r * 0.2, r * 0.55, r * 0.45, 2},
                  {x + r * 0.55, crownY + r * 0.15, r * 0.58, r * 0.48, 2},
                  {x + r * 0.1, crownY - r * 0.45, r * 0.6, r * 0.4, 2}},
                 leaf, seed, r * 0.22);
    const int kind = static_cast<int>(p.Number("kind", 1));
    const int count = static_cast<int>(p.Number("fruit", 9));
    Random random(seed + 5);
    const double scale = p.Number("fruitscale", r / 60);
    for (int i = 0; i < count; ++i) {
        const double a = random.Range(0, 2 * M_PI);
        const double d = std::sqrt(random.Unit()) * 0.8;
        const double fx = x + r * 0.95 * d * std::cos(a);
        const double fy = crownY + r * 0.6 * d * std::sin(a) + r * 0.1;
        PaintFruit(cr, kind, FruitLook::Ripe, fx - 10 * scale, fy - 10 * scale, scale);
    }
}

// A wicker basket heaped with fruit of the listed kinds.
void Basket(cairo_t* cr, const Prop& p) {
    const double x = X(p);
    const double y = Y(p);
    const double w = p.Number("w", 70);
    const double h = w * 0.45;
    const std::string kinds = p.Text("kinds", "1234");
    Random random(static_cast<uint32_t>(p.Number("seed", 3)));
    const double scale = w / 45;
    // The heap first, so the basket's rim stands in front of it.
    for (int row = 0; row < 2; ++row) {
        const int count = row == 0 ? 4 : 3;
        for (int i = 0; i < count; ++i) {
            const double fx =
                x - w * 0.36 + w * 0.72 * (i + 0.5 + row * 0.5) / 4.5 + random.Range(-2, 2);
            const double fy = y - h - 4 * scale - row * 9 * scale + random.Range(-2, 2);
            const int kind = kinds[random.Below(static_cast<int>(kinds.size()))] - '0';
            PaintFruit(cr, kind, FruitLook::Ripe, fx - 10 * scale * 0.55, fy - 10 * scale * 0.55,
                       scale * 0.55);
        }
    }
    auto body = [=](cairo_t* c) {
        cairo_move_to(c, x - w / 2, y - h);
        cairo_line_to(c, x + w / 2, y - h);
        cairo_curve_to(c, x + w * 0.45, y - h * 0.3, x + w * 0.4, y, x + w * 0.3, y);
        cairo_line_to(c, x - w * 0.3, y);
        cairo_curve_to(c, x - w * 0.4, y, x - w * 0.45, y - h * 0.3, x - w / 2, y - h);
        cairo_close_path(c);
    };
    SoftShadow(cr, body);
    cairo_new_path(cr);
    body(cr);
    FillVertical(cr, Palette::kWoodLight, Palette::kWood, y - h, y);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    // Weave: rows of short arcs, offset every other row.
    for (int row = 0; row < 4; ++row) {
        const double wy = y - h + h * (row + 0.5) / 4;
        for (double wx = x - w / 2 + (row % 2) * 5; wx < x + w / 2; wx += 10) {
            cairo_move_to(cr, wx, wy);
            cairo_curve_to(cr, wx + 2, wy - 3, wx + 6, wy - 3, wx + 8, wy);
        }
    }
    SetColor(cr, Palette::kWoodDark, 0.7);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    cairo_restore(cr);
    StrokeOutline(cr);
    RoundedRect(cr, x - w / 2 - 2, y - h - 3, w + 4, 6, 3);
    SetColor(cr, Palette::kWood);
    cairo_fill_preserve(cr);
    StrokeOutline(cr, 1.2);
}

// The menu's signpost: a post with a little roof, on which the menu's signs hang.
void Signpost(cairo_t* cr, const Prop& p) {
    const double x = X(p);
    const double y = Y(p);
    const double top = p.Number("top", 120);
    const double half = p.Number("w", 14) / 2;
    auto post = [=](cairo_t* c) { cairo_rectangle(c, x - half, top, half * 2, y - top); };
    Plaques::Wood(cr, post, x - half, top, half * 2, y - top, Palette::kWood, 7, true);
    cairo_move_to(cr, x - half * 2.6, top + 4);
    cairo_line_to(cr, x, top - half * 2.2);
    cairo_line_to(cr, x + half * 2.6, top + 4);
    cairo_close_path(cr);
    FillVertical(cr, Palette::kRoofRed.Lighter(0.2), Palette::kRoofRed.Darker(0.2), top - 30,
                 top + 4);
    StrokeOutline(cr);
    Ellipse(cr, x, top - half * 2.2 - 3, 3.5, 3.5);
    SetColor(cr, Palette::kGold);
    cairo_fill_preserve(cr);
    StrokeOutline(cr, 1);
}

void Chalkboard(cairo_t* cr, const Prop& p) {
    const double x = X(p);
    const double y = Y(p);
    const double w = p.Number("w", 400);
    const double h = p.Number("h", 300);
    const double frame = p.Number("frame", 16);
    auto outer = [=](cairo_t* c) { RoundedRect(c, x, y, w, h, 10); };
    Plaques::Wood(cr, outer, x, y, w, h, Palette::kWood, 3, true);
    auto inner = [=](cairo_t* c) {
        RoundedRect(c, x + frame, y + frame, w - 2 * frame, h - 2 * frame, 6);
    };
    cairo_new_path(cr);
    inner(cr);
    const Rgb slate = Hex(0x2f5e3a);
    cairo_pattern_t* board =
        cairo_pattern_create_radial(x + w * 0.35, y + h * 0.3, 10, x + w / 2, y + h / 2, w * 0.7);
    cairo_pattern_add_color_stop_rgb(board, 0, slate.Lighter(0.15).r, slate.Lighter(0.15).g,
                                     slate.Lighter(0.15).b);
    cairo_pattern_add_color_stop_rgb(board, 1, slate.Darker(0.35).r, slate.Darker(0.35).g,
                                     slate.Darker(0.35).b);
    cairo_set_source(cr, board);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(board);
    StrokeOutline(cr, 2);
    // Faint chalk lines under the rows the screen writes.
    const double first = p.Number("rows", 0);
    for (int i = 0; i < static_cast<int>(p.Number("count", 0)); ++i) {
        const double ly = first + i * p.Number("step", 40);
        cairo_move_to(cr, x + frame + 14, ly);
        cairo_line_to(cr, x + w - frame - 14, ly);
    }
    // And between the columns, so that a long value does not run into the next one's caption.
    std::istringstream columns(p.Text("columns", ""));
    for (double cx = 0; columns >> cx; columns.ignore(1, ',')) {
        cairo_move_to(cr, cx, first - p.Number("step", 40) + 6);
        cairo_line_to(cr, cx, first + (p.Number("count", 0) - 1) * p.Number("step", 40));
    }
    SetColor(cr, Palette::kWhite, 0.13);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
}

void Shade(cairo_t* cr, const Prop& p) {
    const double y0 = p.Number("y0", 440);
    const double y1 = p.Number("y1", kFieldHeight);
    cairo_pattern_t* shade = cairo_pattern_create_linear(0, y0, 0, y1);
    cairo_pattern_add_color_stop_rgba(shade, 0, 0, 0, 0, 0);
    cairo_pattern_add_color_stop_rgba(shade, 1, Palette::kShadow.r, Palette::kShadow.g,
                                      Palette::kShadow.b, p.Number("alpha", 0.5));
    cairo_set_source(cr, shade);
    cairo_rectangle(cr, 0, y0, 2000, y1 - y0);
    cairo_fill(cr);
    cairo_pattern_destroy(shade);
}

// A golden cup on a wooden foot, its base standing at x, y.
void Trophy(cairo_t* cr, const Prop& p) {
    const double x = X(p);
    const double y = Y(p);
    const double s = p.Number("size", 40) / 40;
    for (int side : {-1, 1}) {
        cairo_new_path(cr);
        cairo_arc(cr, x + side * 14 * s, y - 30 * s, 7 * s, side < 0 ? M_PI * 0.5 : -M_PI * 0.5,
                  side < 0 ? M_PI * 1.5 : M_PI * 0.5);
        StrokeWithOutline(cr, Palette::kGold, 3 * s);
    }
    auto cup = [=](cairo_t* c) {
        cairo_move_to(c, x - 16 * s, y - 40 * s);
        cairo_line_to(c, x + 16 * s, y - 40 * s);
        cairo_curve_to(c, x + 16 * s, y - 22 * s, x + 8 * s, y - 16 * s, x + 3 * s, y - 14 * s);
        cairo_line_to(c, x + 3 * s, y - 8 * s);
        cairo_line_to(c, x + 9 * s, y - 6 * s);
        cairo_line_to(c, x - 9 * s, y - 6 * s);
        cairo_line_to(c, x - 3 * s, y - 8 * s);
        cairo_line_to(c, x - 3 * s, y - 14 * s);
        cairo_curve_to(c, x - 8 * s, y - 16 * s, x - 16 * s, y - 22 * s, x - 16 * s, y - 40 * s);
        cairo_close_path(c);
    };
    ShadedBody(cr, cup, Palette::kGold, x, y - 28 * s, 18 * s);
    Gloss(cr, x, y - 30 * s, 14 * s, 0.8);
    Plaques::Plank(cr, x - 12 * s, y - 6 * s, 24 * s, 8 * s, Palette::kWoodDark, 5, false, false);
}

TextAlign AlignOf(const Prop& p) {
    const std::string align = p.Text("align", "centre");
    return align == "left"    ? TextAlign::Left
           : align == "right" ? TextAlign::Right
                              : TextAlign::Centre;
}

// The game's title: big letters, each a little tilted, warm and glossy.
void Title(cairo_t* cr, const std::string& text, double cx, double baseline, double size) {
    TextStyle style{.size = size, .fill = Palette::kOrange, .outline = size * 0.16};
    const double width = TextWidth(cr, text.c_str(), style);
    cairo_save(cr);
    double x = cx - width / 2;
    // Split into UTF-8 characters, drawing each on its own with a little wobble.
    Random random(3);
    for (size_t i = 0; i < text.size();) {
        size_t next = i + 1;
        while (next < text.size() && (static_cast<unsigned char>(text[next]) & 0xC0) == 0x80) {
            ++next;
        }
        const std::string letter = text.substr(i, next - i);
        const double advance = TextWidth(cr, letter.c_str(), style);
        cairo_save(cr);
        cairo_translate(cr, x + advance / 2, baseline + random.Range(-3, 3));
        cairo_rotate(cr, random.Range(-0.08, 0.08));
        style.align = TextAlign::Centre;
        style.fill = (i / 2) % 2 == 0 ? Palette::kOrange : Palette::kApple;
        DrawText(cr, letter.c_str(), 0, 0, style);
        // A shine on the upper half of the letter.
        cairo_rectangle(cr, -advance, -size, advance * 2, size * 0.45);
        cairo_clip(cr);
        style.fill = Palette::kWhite;
        style.outline = 0;
        style.shadow = false;
        cairo_push_group(cr);
        DrawText(cr, letter.c_str(), 0, 0, style);
        cairo_pop_group_to_source(cr);
        cairo_paint_with_alpha(cr, 0.3);
        style.outline = size * 0.16;
        style.shadow = true;
        cairo_restore(cr);
        x += advance;
        i = next;
    }
    cairo_restore(cr);
}

std::map<std::string, MenuProp> MenuProps(const MenuArtSources& sources) {
    std::map<std::string, MenuProp> props;
    props["sky"] = Sky;
    props["sun"] = Sun;
    props["cloud"] = Cloud;
    props["fruit"] = Fruit;
    props["fruittree"] = FruitTree;
    props["basket"] = Basket;
    props["signpost"] = Signpost;
    props["chalkboard"] = Chalkboard;
    props["shade"] = Shade;
    props["trophy"] = Trophy;
    props["plank"] = [](cairo_t* cr, const Prop& p) {
        Plaques::Plank(cr, X(p), Y(p), p.Number("w", 100), p.Number("h", 30),
                       ToneOf(p, "tone", Palette::kWood),
                       static_cast<unsigned>(p.Number("seed", 1)));
    };
    props["parchment"] = [](cairo_t* cr, const Prop& p) {
        Plaques::Parchment(cr, X(p), Y(p), p.Number("w", 100), p.Number("h", 60));
    };
    props["ribbon"] = [](cairo_t* cr, const Prop& p) {
        Plaques::Ribbon(cr, X(p), Y(p), p.Number("w", 200), p.Number("h", 30));
    };
    props["board"] = [](cairo_t* cr, const Prop& p) {
        Plaques::Board(cr, X(p), Y(p), p.Number("w", 100), p.Number("h", 30));
    };
    props["caption"] = [&sources](cairo_t* cr, const Prop& p) {
        TextStyle style{.size = p.Number("size", 16),
                        .fill = ToneOf(p, "fill", Palette::kCaptionYellow),
                        .outline = p.Number("outline", 3),
                        .shadow = p.Number("shadow", 1) != 0,
                        .align = AlignOf(p)};
        double y = Y(p);
        for (const std::string& line : sources.Caption(p.Text("key", ""))) {
            DrawText(cr, line.c_str(), X(p), y, style);
            y += p.Number("leading", style.size * 1.3);
        }
    };
    props["title"] = [&sources](cairo_t* cr, const Prop& p) {
        Title(cr, sources.Line(p.Text("key", "")), X(p), Y(p), p.Number("size", 60));
    };
    props["sign"] = [&sources](cairo_t* cr, const Prop& p) {
        PaintSign(cr, X(p), Y(p), p.Number("w", 92), p.Number("h", 38),
                  sources.Line(p.Text("key", "images/play")), kGoSign, p.Number("lit", 0) != 0,
                  p.Number("glow", 0));
    };
    return props;
}

} // namespace

bool MenuScenes::Read(const std::filesystem::path& file) {
    mFile = file;
    return ReadSceneFile(file, mPictures);
}

bool MenuScenes::Paint(const std::string& picture, cairo_t* cr,
                       const MenuArtSources& sources) const {
    const std::map<std::string, MenuProp> props = MenuProps(sources);
    for (const ScenePicture& scene : mPictures) {
        if (scene.mName != picture) {
            continue;
        }
        // "view" scales the props after it, moves them and may clip them to a box.
        double scale = 1;
        double shiftX = 0;
        double shiftY = 0;
        std::vector<double> clip;
        for (const Prop& prop : scene.mProps) {
            if (prop.mKind == "view") {
                scale = prop.Number("scale", 1);
                shiftX = prop.Number("x", 0);
                shiftY = prop.Number("y", 0);
                clip.clear();
                if (prop.Number("clipx1", 0) > 0) {
                    clip = {prop.Number("clipx0", 0), prop.Number("clipy0", 0),
                            prop.Number("clipx1", 0), prop.Number("clipy1", 0)};
                }
                continue;
            }
            auto own = props.find(prop.mKind);
            cairo_save(cr);
            if (!clip.empty()) {
                cairo_rectangle(cr, clip[0], clip[1], clip[2] - clip[0], clip[3] - clip[1]);
                cairo_clip(cr);
            }
            cairo_scale(cr, scale, scale);
            cairo_translate(cr, shiftX, shiftY);
            bool painted = true;
            if (own != props.end()) {
                own->second(cr, prop);
            } else {
                // One of the play field's scenery props.
                painted = PaintScenePicture(cr, ScenePicture{picture, {prop}}, mFile.string());
            }
            cairo_restore(cr);
            if (!painted) {
                return false;
            }
        }
        return true;
    }
    std::fprintf(stderr, "%s: no picture %s\n", mFile.c_str(), picture.c_str());
    return false;
}

} // namespace Vuro::AssetGen
