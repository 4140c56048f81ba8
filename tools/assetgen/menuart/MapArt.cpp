// The stage map and the highlights of its six stages: an island in a bright sea, each stage's
// land painted where a click selects it (granny's village, the lake, the forest, the castle, the
// mountains, the town), a road through the level points, and the plaques the map writes on.
#include "tools/assetgen/menuart/MenuArtPainters.h"

#include "tools/assetgen/art/Canvas.h"
#include "tools/assetgen/art/ImageFile.h"
#include "tools/assetgen/menuart/MapModel.h"
#include "tools/assetgen/menuart/MapProps.h"
#include "tools/assetgen/menuart/Noise.h"
#include "tools/assetgen/menuart/Plaques.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace Vuro::AssetGen {

using namespace Art;

namespace {

constexpr int kW = MapModel::kWidth;
constexpr int kH = MapModel::kHeight;

const MapModel& Model() {
    static const std::unique_ptr<MapModel> model = std::make_unique<MapModel>();
    return *model;
}

uint32_t Pack(const Rgb& c, double alpha) {
    auto channel = [](double v) {
        return static_cast<uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255));
    };
    return channel(alpha) << 24 | channel(c.r) << 16 | channel(c.g) << 8 | channel(c.b);
}

void PaintPixels(cairo_t* cr, const std::vector<uint32_t>& pixels, int w, int h, int x, int y) {
    cairo_surface_t* surface = SurfaceFromPixels(pixels, w, h);
    cairo_set_source_surface(cr, surface, x, y);
    cairo_paint(cr);
    cairo_surface_destroy(surface);
}

// Ground colours of stages 1..6: village meadow, lakeside grass, forest floor, castle hills,
// mountain slopes, town squares.
const Rgb kGround[] = {Hex(0x8cd64a), Hex(0x74cc44), Hex(0x3f9d2e),
                       Hex(0xa6d860), Hex(0xb8ae7a), Hex(0xd9c99a)};

Rgb Ground(int stage, int x, int y) {
    const double grain = FractalNoise(x / 9.0, y / 9.0, 31 + stage);
    Rgb base = kGround[stage - 1];
    if (stage == 5) {
        // Grass reaches up the lower slopes.
        base = base.Mix(Palette::kGrass, 0.6 * FractalNoise(x / 25.0, y / 25.0, 41));
    }
    return grain < 0.5 ? base.Darker((0.5 - grain) * 0.35) : base.Lighter((grain - 0.5) * 0.35);
}

void PaintTerrain(cairo_t* cr, const MapModel& model) {
    std::vector<uint32_t> pixels(kW * kH);
    for (int y = 0; y < kH; ++y) {
        for (int x = 0; x < kW; ++x) {
            const double depth = y / static_cast<double>(kH);
            Rgb colour = Palette::kWater.Mix(Palette::kWaterDeep, depth * 0.7);
            colour = colour.Mix(Palette::kWaterDeep, 0.25 * FractalNoise(x / 60.0, y / 30.0, 5));
            colour = colour.Mix(Palette::kWaterLight, 0.75 * model.ShallowWeight(x, y));
            colour = colour.Mix(Palette::kPath, model.ShoreWeight(x, y));
            const double land = model.LandWeight(x, y);
            if (land > 0) {
                double total = 0;
                double strongest = 0;
                Rgb ground{};
                for (int s = 1; s <= 6; ++s) {
                    const double w = model.StageWeight(s, x, y);
                    if (w > 0) {
                        const Rgb g = Ground(s, x, y);
                        ground = {ground.r + g.r * w, ground.g + g.g * w, ground.b + g.b * w};
                        total += w;
                        strongest = std::max(strongest, w);
                    }
                }
                if (total > 0) {
                    ground = {ground.r / total, ground.g / total, ground.b / total};
                    // A dotted border where two stages meet.
                    const double border = 1 - strongest / total;
                    if ((x + y) % 5 < 3) {
                        ground = ground.Mix(Palette::kOutline, std::min(1.0, border * 1.6) * 0.6);
                    }
                    colour = colour.Mix(ground, land);
                }
            }
            // The warm outline along the coast.
            const double coast = 4 * land * (1 - land);
            colour = colour.Mix(Palette::kOutline, coast * 0.85);
            pixels[y * kW + x] = Pack(colour, 1);
        }
    }
    PaintPixels(cr, pixels, kW, kH, 0, 0);
}

void PaintWaves(cairo_t* cr, const MapModel& model) {
    Random random(77);
    for (int i = 0; i < 70; ++i) {
        const double x = random.Range(10, kW - 30);
        const double y = random.Range(50, kH - 10);
        const bool nearButtons = y > 430 && (x < 130 || x > 510);
        const bool onPlaque = x > 420 && y > 300 && y < 425;
        if (nearButtons || onPlaque ||
            model.ShallowWeight(static_cast<int>(x), static_cast<int>(y)) > 0.4 ||
            model.ShallowWeight(static_cast<int>(x) + 14, static_cast<int>(y)) > 0.4) {
            continue;
        }
        cairo_move_to(cr, x, y);
        cairo_curve_to(cr, x + 3, y - 3, x + 5, y - 3, x + 7, y);
        cairo_curve_to(cr, x + 9, y - 3, x + 11, y - 3, x + 14, y);
        SetColor(cr, Palette::kWaterLight, 0.8);
        cairo_set_line_width(cr, 1.3);
        cairo_stroke(cr);
    }
}

struct Spot {
    double x, y;
};

// The spot of a stage farthest from the road whose surroundings within `radius` are all that
// stage's land: where its landmark stands.
Spot LandmarkSpot(const MapModel& model, int stage, double radius) {
    Spot best{0, 0};
    double bestDistance = -1;
    for (int y = 0; y < kH; y += 2) {
        for (int x = 0; x < kW; x += 2) {
            if (model.StageAt(x, y) != stage || model.PathDistance(x, y) <= bestDistance) {
                continue;
            }
            bool inside = true;
            for (int k = 0; k < 8 && inside; ++k) {
                const int sx = x + static_cast<int>(radius * std::cos(k * M_PI / 4));
                const int sy = y + static_cast<int>(radius * std::sin(k * M_PI / 4));
                inside = sx >= 0 && sy >= 0 && sx < kW && sy < kH &&
                         model.StageWeight(stage, sx, sy) > 0.95;
            }
            if (inside) {
                best = {static_cast<double>(x), static_cast<double>(y)};
                bestDistance = model.PathDistance(x, y);
            }
        }
    }
    return best;
}

// Scattered small props of a stage: spots on its land clear of the road, the points and each
// other (and of the landmark), in random order.
std::vector<Spot> ScatterSpots(const MapModel& model, int stage, int tries, double spacing,
                               double clearance, const std::vector<Spot>& taken, unsigned seed) {
    Random random(seed);
    std::vector<Spot> spots;
    for (int i = 0; i < tries; ++i) {
        const Spot s{random.Range(4, kW - 4), random.Range(4, kH - 4)};
        const int x = static_cast<int>(s.x);
        const int y = static_cast<int>(s.y);
        if (model.StageWeight(stage, x, y) < 0.97 ||
            model.StageWeight(stage, x, std::max(0, y - static_cast<int>(clearance))) < 0.9 ||
            model.PathDistance(x, y) < clearance ||
            model.PathDistance(x, std::max(0, y - static_cast<int>(clearance))) < clearance) {
            continue;
        }
        auto tooClose = [&](const Spot& other, double gap) {
            return std::hypot(other.x - s.x, other.y - s.y) < gap;
        };
        if (std::any_of(spots.begin(), spots.end(),
                        [&](const Spot& o) { return tooClose(o, spacing); }) ||
            std::any_of(taken.begin(), taken.end(),
                        [&](const Spot& o) { return tooClose(o, 30); })) {
            continue;
        }
        spots.push_back(s);
    }
    return spots;
}

void PaintProps(cairo_t* cr, const MapModel& model) {
    struct Prop {
        Spot at;
        int kind; // by stage, see below
        double size;
    };
    std::vector<Prop> props;
    const Spot village = LandmarkSpot(model, 1, 14);
    const Spot lake = LandmarkSpot(model, 2, 20);
    const Spot castle = LandmarkSpot(model, 4, 22);
    const Spot peak = LandmarkSpot(model, 5, 18);
    const Spot fountain = LandmarkSpot(model, 6, 12);
    const std::vector<Spot> landmarks = {village, lake, castle, peak, fountain};
    props.push_back({{village.x, village.y + 8}, 10, 16});
    props.push_back({castle, 14, 0.8});
    props.push_back({{peak.x, peak.y + 14}, 15, 44});
    props.push_back({{fountain.x, fountain.y + 5}, 16, 7});
    for (int stage = 1; stage <= 6; ++stage) {
        const double spacing = stage == 3 ? 9 : 13;
        for (const Spot& s :
             ScatterSpots(model, stage, 4000, spacing, 11, landmarks, 100 + stage)) {
            props.push_back({s, stage, 0});
        }
    }
    std::sort(props.begin(), props.end(),
              [](const Prop& a, const Prop& b) { return a.at.y < b.at.y; });

    MapProps::Lake(cr, lake.x, lake.y, 19, 11);
    Random random(9);
    for (const Prop& p : props) {
        const double x = p.at.x;
        const double y = p.at.y;
        switch (p.kind) {
        case 1: // village: apple trees and flower beds
            if (random.Below(3) == 0) {
                MapProps::Flowers(cr, x, y, random.Next());
            } else {
                MapProps::RoundTree(cr, x, y, random.Range(4.5, 6), Palette::kLeaf, true);
            }
            break;
        case 2: // lakeside: willows and reeds
            MapProps::RoundTree(cr, x, y, random.Range(4.5, 6.5), Palette::kLeafLight, false);
            break;
        case 3: // forest
            if (random.Below(3) == 0) {
                MapProps::RoundTree(cr, x, y, random.Range(5, 7), Palette::kLeafDark, false);
            } else {
                MapProps::Pine(cr, x, y, random.Range(14, 19));
            }
            break;
        case 4: // castle hills: lone trees
            MapProps::RoundTree(cr, x, y, random.Range(4.5, 6), Palette::kLeaf, false);
            break;
        case 5: // mountains
            if (random.Below(3) == 0) {
                MapProps::Rock(cr, x, y, random.Range(3.5, 5));
            } else {
                const bool snow = random.Below(2) == 0;
                const double h = random.Range(16, 22);
                const double w = random.Range(20, 28);
                MapProps::Mountain(cr, x, y, w, h, snow);
            }
            break;
        case 6: { // town houses
            const Rgb roofs[] = {Palette::kRoofRed, Palette::kButtonBlue, Palette::kButtonOrange,
                                 Palette::kPlum};
            const Rgb& roof = roofs[random.Below(4)];
            const double w = random.Range(9, 12);
            MapProps::House(cr, x, y, w, Palette::kWallCream, roof);
            break;
        }
        case 10:
            MapProps::House(cr, x - 9, y, p.size, Palette::kWallCream, Palette::kRoofRed);
            MapProps::Windmill(cr, x + 12, y - 2, 22);
            break;
        case 14:
            MapProps::Castle(cr, x, y, p.size);
            break;
        case 15:
            MapProps::Mountain(cr, x, y, p.size, p.size * 0.85, true);
            break;
        case 16:
            MapProps::Fountain(cr, x, y, p.size);
            break;
        default:
            break;
        }
    }
}

void PaintRoad(cairo_t* cr, const MapModel& model) {
    const int points = static_cast<int>(kStoryPoints.size());
    auto trace = [&] {
        cairo_new_path(cr);
        for (int n = 0; n < points; ++n) {
            if (n == 0) {
                cairo_move_to(cr, model.PointX(n), model.PointY(n));
            } else {
                cairo_line_to(cr, model.PointX(n), model.PointY(n));
            }
        }
    };
    trace();
    SetColor(cr, Palette::kOutline, 0.75);
    cairo_set_line_width(cr, 5.5);
    cairo_stroke(cr);
    trace();
    SetColor(cr, Palette::kParchment);
    cairo_set_line_width(cr, 3.2);
    cairo_stroke(cr);
    trace();
    const double dashes[] = {3, 5};
    cairo_set_dash(cr, dashes, 2, 0);
    SetColor(cr, Palette::kParchmentDark);
    cairo_set_line_width(cr, 1.4);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
}

} // namespace

void PaintMap(Sheet& sheet, const MenuArtSources& sources) {
    const MapModel& model = Model();
    sheet.DrawCel(0, [&](cairo_t* cr) {
        PaintTerrain(cr, model);
        PaintWaves(cr, model);
        PaintRoad(cr, model);
        PaintProps(cr, model);
        MapProps::Compass(cr, 46, 52, 24, sources.Line("map.north").c_str());
        // Where the map writes: the title, the point balance, the stage's name and price, the
        // difficulty caption.
        Plaques::Ribbon(cr, 212, 4, 216, 30);
        Plaques::Parchment(cr, 500, 13, 128, 32);
        Plaques::Coin(cr, 520, 29, 10);
        Plaques::Parchment(cr, 432, 314, 196, 62);
        Plaques::Board(cr, 466, 394, 164, 24);
        Plaques::Frame(cr, kW, kH);
    });
}

namespace {

// A stage's highlight: a warm glow over its land with a bright rim along its edge, cut out at
// the place the map draws it.
void PaintStageHighlight(Sheet& sheet, int stage, int left, int top) {
    const MapModel& model = Model();
    Canvas& canvas = sheet.GetCanvas();
    const int w = canvas.Width();
    const int h = canvas.Height();
    // The weight blurred a little, so the rim is a few pixels wide.
    auto weight = [&](int x, int y) {
        double sum = 0;
        int count = 0;
        for (int dy = -2; dy <= 2; ++dy) {
            for (int dx = -2; dx <= 2; ++dx) {
                const int sx = std::clamp(x + dx, 0, kW - 1);
                const int sy = std::clamp(y + dy, 0, kH - 1);
                sum += model.StageWeight(stage, sx, sy);
                ++count;
            }
        }
        return sum / count;
    };
    std::vector<uint32_t> pixels(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int mx = left + x;
            const int my = top + y;
            if (mx >= kW || my >= kH) {
                continue;
            }
            const double soft = weight(mx, my);
            const double rim = std::clamp(4 * soft * (1 - soft) * 1.4, 0.0, 1.0);
            const double fill = model.StageWeight(stage, mx, my) * 0.3;
            const double alpha = std::max(rim * 0.95, fill);
            const Rgb colour = Palette::kGoldLight.Mix(Palette::kWhite, fill / (rim + fill + 1e-9));
            pixels[y * w + x] = Pack(colour, alpha);
        }
    }
    sheet.DrawCel(0, [&](cairo_t* cr) { PaintPixels(cr, pixels, w, h, 0, 0); });
}

} // namespace

// A stage's highlight where the map draws it.
void PaintLevelSelect(Sheet& sheet, const MenuArtSources& /*sources*/, int stage) {
    const StageLook& look = kStageLooks[stage - 1];
    PaintStageHighlight(sheet, stage, look.mHighlightX, look.mHighlightY);
}

} // namespace Vuro::AssetGen
