// Fill types, filled and hatched polygons and polygon edges of the render pass.

#include <algorithm>
#include <cmath>

#include "render/fill_patterns.h"
#include "render/render_pass.h"
#include "render/round.h"

namespace view {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr size_t kMaxFillPoints = 10000;
constexpr int kMaxHatchLines = 20000;

// Sutherland-Hodgman against an axis-aligned rectangle, in pixels.
std::vector<PointD> clipRing(const std::vector<PointD>& in, double x0, double y0, double x1,
                             double y1) {
    std::vector<PointD> cur = in, next;
    for (int edge = 0; edge < 4 && !cur.empty(); ++edge) {
        auto inside = [&](const PointD& p) {
            switch (edge) {
            case 0:
                return p.x >= x0;
            case 1:
                return p.x <= x1;
            case 2:
                return p.y >= y0;
            default:
                return p.y <= y1;
            }
        };
        auto cross = [&](const PointD& a, const PointD& b) {
            double t;
            switch (edge) {
            case 0:
                t = (x0 - a.x) / (b.x - a.x);
                break;
            case 1:
                t = (x1 - a.x) / (b.x - a.x);
                break;
            case 2:
                t = (y0 - a.y) / (b.y - a.y);
                break;
            default:
                t = (y1 - a.y) / (b.y - a.y);
                break;
            }
            return PointD{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
        };
        next.clear();
        for (size_t i = 0; i < cur.size(); ++i) {
            const PointD& a = cur[(i + cur.size() - 1) % cur.size()];
            const PointD& b = cur[i];
            const bool ina = inside(a), inb = inside(b);
            if (inb) {
                if (!ina) next.push_back(cross(a, b));
                next.push_back(b);
            } else if (ina) {
                next.push_back(cross(a, b));
            }
        }
        cur.swap(next);
    }
    return cur;
}

} // namespace

void RenderPass::setFillType(interp::FillKind type, int32_t value, int32_t angle100) {
    const bool always100 = in_.settings.pens.FTLebel100;
    st_.fillType = type;
    switch (type) {
    case interp::FillKind::Shading: {
        const int level = std::clamp(value, 0, 100);
        if (always100) {
            st_.shadingLevel = 100;
            st_.shadingDensity = 16;
            st_.fillOn = false;
        } else {
            st_.shadingLevel = level;
            st_.fillOn = level != 100;
            st_.shadingDensity = std::max(1, roundInt(level * 16.0 / 100.0));
        }
        break;
    }
    case interp::FillKind::UserPattern:
        // No user pattern is ever defined, so the fill is solid.
        st_.patternNumber = value;
        st_.shadingLevel = 100;
        st_.shadingDensity = 16;
        st_.fillOn = false;
        break;
    case interp::FillKind::Pattern:
        st_.patternNumber = value;
        st_.shadingDensity = 16;
        st_.shadingLevel = always100 ? 100 : 50;
        st_.fillOn = !always100;
        break;
    default:
        st_.hatchSpacing = value;
        st_.hatchAngle = angle100 * 0.01;
        st_.shadingLevel = 100;
        st_.shadingDensity = 16;
        st_.fillOn = false;
        break;
    }
}

void RenderPass::collectRings(int32_t h, std::vector<std::vector<PointD>>& rings,
                              std::vector<std::vector<uint8_t>>& penUp) const {
    const interp::PolygonBuffer& buf = in_.model.polygons;
    if (!buf.validHeader(h)) return;
    const interp::PolygonHeader& header = buf.header(h);
    int64_t guard = buf.vertexCount();
    int32_t sub = -1;
    double fx = st_.ellipse ? std::fabs(st_.ellipseX) : 1.0;
    double fy = st_.ellipse ? std::fabs(st_.ellipseY) : 1.0;
    if (!(fx > 0.0) || !std::isfinite(fx)) fx = 1.0;
    if (!(fy > 0.0) || !std::isfinite(fy)) fy = 1.0;
    std::vector<int32_t> order;
    for (int32_t v = header.first; buf.validVertex(v) && guard-- > 0; v = buf.vertex(v).next)
        order.push_back(v);
    for (size_t i = 0; i < order.size(); ++i) {
        const interp::PolygonVertex& vx = buf.vertex(order[i]);
        if (rings.empty() || vx.subPolygon != sub) {
            rings.emplace_back();
            penUp.emplace_back();
            sub = vx.subPolygon;
        }
        auto& ring = rings.back();
        auto& up = penUp.back();
        if (vx.kind == interp::kKindStraight || ring.empty()) {
            ring.push_back({double(vx.x), double(vx.y)});
            up.push_back(vx.penUp);
            continue;
        }
        // A circle or arc item: this vertex is the centre, the point before it
        // the start; a circle returns to its start, an arc runs to the next
        // vertex (counter-clockwise, clockwise when the spare byte is 1).
        // Under unequal scales the points lie on an ellipse: the factors are
        // taken out to find radius and angles, and put back on every chord.
        const PointD start = ring.back();
        const double cx = vx.x, cy = vx.y;
        const double ox = (start.x - cx) / fx, oy = (start.y - cy) / fy;
        const double r = std::hypot(ox, oy);
        const double a0 = std::atan2(oy, ox);
        double sweep = 2.0 * kPi;
        if (vx.kind == interp::kKindArcItem) {
            if (i + 1 >= order.size()) continue;
            const interp::PolygonVertex& end = buf.vertex(order[i + 1]);
            double a1 = std::atan2((end.y - cy) / fy, (end.x - cx) / fx);
            sweep = a1 - a0;
            if (vx.spare == 1) {
                if (sweep >= 0.0) sweep -= 2.0 * kPi;
            } else if (sweep <= 0.0) {
                sweep += 2.0 * kPi;
            }
        }
        int n = vx.value > 0 ? vx.value : 36;
        const double chords = std::nearbyint(std::fabs(sweep) * r / view_.snap);
        n = std::clamp(std::min(n, int(std::min(chords, 255.0))), 2, 255);
        for (int k = 1; k <= n; ++k) {
            const double a = a0 + sweep * k / n;
            ring.push_back({cx + r * fx * std::cos(a), cy + r * fy * std::sin(a)});
            up.push_back(0);
        }
    }
}

void RenderPass::drawPolygonRecord(int32_t h, bool fill, bool winding) {
    const interp::PolygonBuffer& buf = in_.model.polygons;
    if (!buf.validHeader(h) || !st_.penVisible) return;
    const interp::PolygonHeader& header = buf.header(h);
    if (!boxTouchesView(
            std::min(header.boxXMin, header.boxXMax), std::min(header.boxYMin, header.boxYMax),
            std::max(header.boxXMin, header.boxXMax), std::max(header.boxYMin, header.boxYMax)))
        return;
    std::vector<std::vector<PointD>> rings;
    std::vector<std::vector<uint8_t>> penUp;
    collectRings(h, rings, penUp);
    if (rings.empty()) return;
    if (!fill) {
        edgeRings(rings, penUp);
        return;
    }
    if (st_.fillType == interp::FillKind::Hatch || st_.fillType == interp::FillKind::CrossHatch) {
        const LineEnd end = st_.lineEnd;
        const LineJoin join = st_.lineJoin;
        st_.lineEnd = LineEnd::Round;
        st_.lineJoin = LineJoin::Round;
        hatchRings(rings, st_.hatchAngle);
        if (st_.fillType == interp::FillKind::CrossHatch) hatchRings(rings, st_.hatchAngle + 90.0);
        st_.lineEnd = end;
        st_.lineJoin = join;
        MoveTo(st_.curX, st_.curY);
        return;
    }
    if (st_.shadingLevel != 0) fillRings(rings, winding);
}

void RenderPass::fillRings(const std::vector<std::vector<PointD>>& rings, bool winding) {
    size_t total = 0;
    for (const auto& r : rings)
        total += r.size();
    const size_t thin = total > kMaxFillPoints ? (total + kMaxFillPoints - 1) / kMaxFillPoints : 1;
    // Rings are cut to the window widened by a few pixels, so that neither a
    // far vertex reaches the canvas nor a large area vanishes when zoomed in.
    const double x0 = -4.0, y0 = -4.0, x1 = canvas_.width() + 4.0, y1 = canvas_.height() + 4.0;
    std::vector<PointD> points;
    std::vector<int> sizes;
    std::vector<PointD> ring;
    for (const auto& r : rings) {
        ring.clear();
        for (size_t i = 0; i < r.size(); i += thin) {
            double dx, dy;
            deviceOffset(view_, r[i].x, r[i].y, dx, dy);
            ring.push_back({view_.hw + dx, view_.hh - dy});
        }
        if (ring.size() < 3) continue;
        const std::vector<PointD> cut = clipRing(ring, x0, y0, x1, y1);
        if (cut.size() < 3) continue;
        points.insert(points.end(), cut.begin(), cut.end());
        sizes.push_back(int(cut.size()));
    }
    if (sizes.empty()) return;

    CanvasBrush brush;
    brush.colour = penColour_;
    brush.background = st_.paper;
    if (st_.fillType == interp::FillKind::Shading && st_.shadingLevel != 100) {
        if (const Pattern8* p = shadingPattern(st_.shadingDensity)) {
            brush.pattern = true;
            brush.rows = *p;
        }
    } else if (st_.fillType == interp::FillKind::Pattern && st_.fillOn) {
        brush.pattern = true;
        brush.rows = predefinedPattern(st_.patternNumber);
    }
    RasterOp op;
    if (st_.fillOn) {
        op = st_.paper == 0 ? RasterOp::Merge : RasterOp::Mask;
    } else {
        switch (settings::fillDrawMode(in_.settings.pens.DrawModes)) {
        case settings::DrawMode::Merge:
            op = RasterOp::Merge;
            break;
        case settings::DrawMode::Xor:
            op = RasterOp::Xor;
            break;
        case settings::DrawMode::CommandInData:
            op = mergeControlOp();
            break;
        default:
            op = RasterOp::Copy;
            break;
        }
    }
    canvas_.fillPolygon(points.data(), sizes.data(), int(sizes.size()),
                        winding ? FillRule::Winding : FillRule::Alternate, brush, op);
}

void RenderPass::hatchRings(const std::vector<std::vector<PointD>>& rings, double angle) {
    double s = std::fabs(double(st_.hatchSpacing));
    if (s == 0.0) s = std::nearbyint(0.01 * std::hypot(15120.0, 10760.0));
    if (s * view_.scale < 1.0) s = 1.0 / view_.scale;
    const double a = angle * kPi / 180.0;
    const double ux = std::cos(a), uy = std::sin(a); // along the lines
    const double nx = -uy, ny = ux;                  // across them
    // Only the part of the polygon inside the view needs lines.
    double bx0 = 1e300, by0 = 1e300, bx1 = -1e300, by1 = -1e300;
    for (const auto& r : rings)
        for (const PointD& p : r) {
            bx0 = std::min(bx0, p.x);
            by0 = std::min(by0, p.y);
            bx1 = std::max(bx1, p.x);
            by1 = std::max(by1, p.y);
        }
    bx0 = std::max(bx0, view_.rX1 - view_.snap);
    by0 = std::max(by0, view_.rY1 - view_.snap);
    bx1 = std::min(bx1, view_.rX2 + view_.snap);
    by1 = std::min(by1, view_.rY2 + view_.snap);
    if (bx0 > bx1 || by0 > by1) return;
    double t0 = 1e300, t1 = -1e300;
    for (double cx : {bx0, bx1})
        for (double cy : {by0, by1}) {
            const double t = cx * nx + cy * ny;
            t0 = std::min(t0, t);
            t1 = std::max(t1, t);
        }
    const double k0 = std::ceil(t0 / s), k1 = std::floor(t1 / s);
    if (k1 < k0 || k1 - k0 > kMaxHatchLines) return;
    std::vector<double> cuts;
    for (double k = k0; k <= k1; k += 1.0) {
        const double c = k * s;
        cuts.clear();
        for (const auto& r : rings) {
            const size_t n = r.size();
            for (size_t i = 0; i < n; ++i) {
                const PointD& p = r[i];
                const PointD& q = r[(i + 1) % n];
                const double dp = p.x * nx + p.y * ny - c, dq = q.x * nx + q.y * ny - c;
                if ((dp < 0.0) == (dq < 0.0)) continue;
                const double f = dp / (dp - dq);
                const double x = p.x + f * (q.x - p.x), y = p.y + f * (q.y - p.y);
                cuts.push_back(x * ux + y * uy);
            }
        }
        std::sort(cuts.begin(), cuts.end());
        for (size_t i = 0; i + 1 < cuts.size(); i += 2) {
            const double ax = nx * c + ux * cuts[i], ay = ny * c + uy * cuts[i];
            const double bx = nx * c + ux * cuts[i + 1], by = ny * c + uy * cuts[i + 1];
            if (!boxTouchesView(std::min(ax, bx), std::min(ay, by), std::max(ax, bx),
                                std::max(ay, by)))
                continue;
            MoveTo(ax, ay);
            LineTo(bx, by);
        }
    }
}

void RenderPass::edgeRings(const std::vector<std::vector<PointD>>& rings,
                           const std::vector<std::vector<uint8_t>>& penUp) {
    for (size_t k = 0; k < rings.size(); ++k) {
        const auto& r = rings[k];
        if (r.empty()) continue;
        MoveTo(r[0].x, r[0].y);
        for (size_t i = 1; i < r.size(); ++i) {
            const double x0 = std::min(r[i - 1].x, r[i].x), x1 = std::max(r[i - 1].x, r[i].x);
            const double y0 = std::min(r[i - 1].y, r[i].y), y1 = std::max(r[i - 1].y, r[i].y);
            if (penUp[k][i] || !boxTouchesView(x0, y0, x1, y1))
                MoveTo(r[i].x, r[i].y);
            else
                LineTo(r[i].x, r[i].y);
        }
    }
    MoveTo(st_.curX, st_.curY);
}

} // namespace view
