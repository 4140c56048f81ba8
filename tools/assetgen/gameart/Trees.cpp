#include "tools/assetgen/gameart/Trees.h"

#include "tools/assetgen/levels/TreeGeometry.h"

#include <cmath>
#include <utility>
#include <vector>

namespace Vuro::AssetGen {

namespace {

using namespace Art;

struct Cluster {
    double x;
    double y;
    double r;
    double phase;
};

// A point on a lobe's edge: a superellipse, round at power 2 and squarish above, so that the
// square grid of fruit cells fits inside a crown right into its corners.
std::pair<double, double> LobePoint(const FoliageLobe& lobe, double a, double shrink) {
    const double power = 2.0 / lobe.mPower;
    const double c = std::cos(a);
    const double s = std::sin(a);
    return {lobe.mX + (lobe.mRx - shrink) * std::copysign(std::pow(std::abs(c), power), c),
            lobe.mY + (lobe.mRy - shrink) * std::copysign(std::pow(std::abs(s), power), s)};
}

std::vector<Cluster> Clusters(const std::vector<FoliageLobe>& lobes, unsigned seed,
                              double clusterRadius) {
    Random random(seed);
    std::vector<Cluster> clusters;
    for (const FoliageLobe& lobe : lobes) {
        // An outer ring gives the silhouette, the inside fills it.
        const int ring =
            static_cast<int>(2 * M_PI * std::max(lobe.mRx, lobe.mRy) / (clusterRadius * 0.75));
        for (int i = 0; i < ring; ++i) {
            const double a = 2 * M_PI * (i + random.Range(-0.2, 0.2)) / ring;
            const double r = clusterRadius * random.Range(0.8, 1.1);
            const auto [x, y] = LobePoint(lobe, a, r * 0.6);
            clusters.push_back({x, y, r, random.Range(0, 6)});
        }
        const int inner =
            static_cast<int>(lobe.mRx * lobe.mRy / (clusterRadius * clusterRadius) * 1.8);
        for (int i = 0; i < inner; ++i) {
            const double a = random.Range(0, 2 * M_PI);
            const double d = std::sqrt(random.Unit()) * 0.85;
            clusters.push_back({lobe.mX + lobe.mRx * d * std::cos(a),
                                lobe.mY + lobe.mRy * d * std::sin(a),
                                clusterRadius * random.Range(0.8, 1.15), random.Range(0, 6)});
        }
    }
    return clusters;
}

void ClusterPath(cairo_t* cr, const Cluster& c, double grow = 0) {
    Blob(cr, c.x, c.y, c.r + grow, c.r * 0.92 + grow, 0.07, 7, c.phase);
}

} // namespace

void PaintFoliage(cairo_t* cr, const std::vector<FoliageLobe>& lobes, const Rgb& leaf,
                  unsigned seed, double clusterRadius) {
    const std::vector<Cluster> clusters = Clusters(lobes, seed, clusterRadius);
    // Light is judged over the whole mass.
    double left = 1e9, right = -1e9, top = 1e9, bottom = -1e9;
    for (const FoliageLobe& lobe : lobes) {
        left = std::min(left, lobe.mX - lobe.mRx);
        right = std::max(right, lobe.mX + lobe.mRx);
        top = std::min(top, lobe.mY - lobe.mRy);
        bottom = std::max(bottom, lobe.mY + lobe.mRy);
    }
    const double cx = (left + right) / 2;
    const double cy = (top + bottom) / 2;
    const double rx = (right - left) / 2;
    const double ry = (bottom - top) / 2;
    auto all = [&](cairo_t* c) {
        for (const FoliageLobe& lobe : lobes) {
            cairo_new_sub_path(c);
            for (int i = 0; i < 64; ++i) {
                const auto [x, y] = LobePoint(lobe, 2 * M_PI * i / 64, 0);
                cairo_line_to(c, x, y);
            }
            cairo_close_path(c);
        }
        for (const Cluster& cluster : clusters) {
            ClusterPath(c, cluster);
        }
    };
    SoftShadow(cr, all, 3, 4, 3, 0.3);
    // The outline of the whole mass: every cluster stroked, then every cluster filled over it,
    // so only the outer edge keeps its line.
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    OutlineBehind(cr, all);
    all(cr);
    SetColor(cr, leaf.Darker(0.3));
    cairo_fill(cr);
    // Each cluster lit on its own, brighter toward the light of the whole crown.
    for (const Cluster& cluster : clusters) {
        const double toLight =
            ((cluster.x - cx) / rx * kLightX + (cluster.y - cy) / ry * kLightY) * 0.5 + 0.5;
        const Rgb colour = leaf.Darker(0.25).Mix(leaf.Lighter(0.25), std::clamp(toLight, 0.0, 1.0));
        ClusterPath(cr, cluster, -1.2);
        FillShaded(cr, colour, cluster.x, cluster.y, cluster.r, 0.8);
        SetColor(cr, leaf.Darker(0.55), 0.55);
        cairo_set_line_width(cr, 0.9);
        cairo_stroke(cr);
    }
    // Single leaves catching the light on the top of the clusters.
    Random random(seed + 1);
    for (const Cluster& cluster : clusters) {
        for (int i = 0; i < 3; ++i) {
            const double a = random.Range(-2.6, -0.6);
            const double d = cluster.r * random.Range(0.3, 0.7);
            cairo_save(cr);
            cairo_translate(cr, cluster.x + d * std::cos(a), cluster.y + d * std::sin(a));
            cairo_rotate(cr, random.Range(0, M_PI));
            Ellipse(cr, 0, 0, 2.6, 1.3);
            cairo_restore(cr);
            SetColor(cr, leaf.Lighter(0.45), 0.55);
            cairo_fill(cr);
        }
    }
}

void PaintTree(Sheet& sheet, int kind) {
    using namespace TreeGeometry;
    sheet.DrawCel(0, [kind](cairo_t* cr) {
        const double cx = (kTrunkLeft + kTrunkRight) / 2.0;
        const double bottom = kTreeHeight - 3;
        // The shadow the tree casts on the ground.
        SoftShadow(
            cr, [&](cairo_t* c) { Ellipse(c, cx + 8, bottom - 2, 46, 6); }, 0, 0, 4, 0.3);
        // Trunk with roots and two boughs into the crown.
        auto trunk = [&](cairo_t* c) {
            cairo_move_to(c, cx - 18, bottom);
            cairo_curve_to(c, cx - 10, bottom - 4, cx - 8, bottom - 20, cx - 8, bottom - 45);
            cairo_curve_to(c, cx - 8, bottom - 65, cx - 20, bottom - 85, cx - 34, bottom - 100);
            cairo_line_to(c, cx - 26, bottom - 106);
            cairo_curve_to(c, cx - 14, bottom - 92, cx - 4, bottom - 86, cx, bottom - 106);
            cairo_line_to(c, cx + 8, bottom - 104);
            cairo_curve_to(c, cx + 6, bottom - 90, cx + 16, bottom - 94, cx + 30, bottom - 108);
            cairo_line_to(c, cx + 36, bottom - 100);
            cairo_curve_to(c, cx + 20, bottom - 85, cx + 9, bottom - 65, cx + 9, bottom - 45);
            cairo_curve_to(c, cx + 9, bottom - 20, cx + 12, bottom - 4, cx + 20, bottom);
            cairo_close_path(c);
        };
        trunk(cr);
        FillLinear(cr, Palette::kBark.Lighter(0.25), Palette::kBarkDark, cx - 12, 0, cx + 12, 0);
        StrokeOutline(cr, 2);
        for (int i = 0; i < 4; ++i) {
            const double y = bottom - 12 - i * 16;
            cairo_move_to(cr, cx - 4 + (i % 2) * 4, y);
            cairo_curve_to(cr, cx - 2, y - 5, cx + 1, y - 8, cx - 1 + (i % 2) * 3, y - 12);
        }
        SetColor(cr, Palette::kBarkDark.Darker(0.3), 0.6);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);

        // The crown: a round mass over the box of fruit cells with two bumps on top. Its body
        // covers every cell that may bear fruit (the corner cells bear none, so the crown can
        // be round); its leaf clusters bulge past it and stay inside the picture.
        const double crownX = kCrownLeft + ((kCrownColumns - 1) * kCellSpacing + kFruitSize) / 2.0;
        const double crownY = kCrownTop + ((kCrownRows - 1) * kCellSpacing + kFruitSize) / 2.0 + 2;
        Rgb leaf = Palette::kLeaf;
        double cluster = 15;
        double roundness = 2.4; // the body's superellipse power
        double spread = 0;      // how far the top bumps lean apart (plum) or together (pear)
        switch (kind) {
        case 2: // pear: yellower leaves, the bumps close together into a peak
            leaf = Palette::kLeaf.Mix(Palette::kLeafLight, 0.35);
            spread = -7;
            break;
        case 3: // plum: blue-green, small leaves, broad
            leaf = Palette::kLeaf.Mix(Hex(0x2f8f6a), 0.5);
            cluster = 13;
            roundness = 2.8;
            spread = 5;
            break;
        case 4: // orange: dark and glossy, round
            leaf = Palette::kLeafDark.Mix(Palette::kLeaf, 0.45);
            cluster = 14;
            roundness = 2.2;
            break;
        default:
            break;
        }
        const std::vector<FoliageLobe> lobes = {
            {crownX, crownY, 57, 54, roundness},
            {crownX - 22 - spread, kCrownTop + 20, 22, 20, 2},
            {crownX + 22 + spread, kCrownTop + 18, 21, 20, 2},
        };
        PaintFoliage(cr, lobes, leaf, 11 + kind * 7, cluster);
    });
}

} // namespace Vuro::AssetGen
