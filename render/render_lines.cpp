// Segments of the render pass: culling, the thin path through MoveTo/LineTo,
// thick polylines as filled outlines, and dashes.

#include <algorithm>
#include <cmath>

#include "render/clip_segment.h"
#include "render/render_pass.h"
#include "render/round.h"

namespace view {

namespace {

constexpr double kPi = 3.14159265358979323846;

// Signed area of a ring (pixels, y down).
double ringArea(const PointD* p, int n) {
    double a = 0.0;
    for (int i = 0, j = n - 1; i < n; j = i++)
        a += (p[j].x - p[i].x) * (p[j].y + p[i].y);
    return a;
}

// Collects rings of one filled outline, all turned the same way so that a
// nonzero fill unites them.
struct Outline {
    std::vector<PointD> points;
    std::vector<int> sizes;

    void add(std::initializer_list<PointD> ring) {
        const size_t start = points.size();
        points.insert(points.end(), ring);
        close(start);
    }
    void disc(PointD c, double r) {
        const size_t start = points.size();
        const int n = std::clamp(int(r * 1.5), 8, 64);
        for (int k = 0; k < n; ++k) {
            const double a = 2.0 * kPi * k / n;
            points.push_back({c.x + r * std::cos(a), c.y + r * std::sin(a)});
        }
        close(start);
    }
    void close(size_t start) {
        const int n = int(points.size() - start);
        if (ringArea(points.data() + start, n) < 0.0)
            std::reverse(points.begin() + long(start), points.end());
        sizes.push_back(n);
    }
};

// Adds the line-end shape at `p`, the line leaving in direction u (unit).
void addEnd(Outline& o, LineEnd lineEnd, PointD p, PointD u, double h) {
    const PointD n{-u.y * h, u.x * h};
    const PointD back{-u.x * h, -u.y * h};
    switch (lineEnd) {
    case LineEnd::Square:
        o.add({p + n, p - n, p - n + back, p + n + back});
        break;
    case LineEnd::Triangular:
        o.add({p + n, p + back, p - n});
        break;
    case LineEnd::Round:
        o.disc(p, h);
        break;
    default:
        break;
    }
}

} // namespace

bool RenderPass::roundLines() const {
    return (st_.lineJoin == LineJoin::Round || st_.lineJoin == LineJoin::None) &&
           st_.lineEnd == LineEnd::Round;
}

bool RenderPass::thinPath() const {
    return roundLines() || st_.widthPx < 4 || st_.widthPu <= 14.0 ||
           st_.dash.family != DashFamily::Solid;
}

bool RenderPass::boxTouchesView(double x0, double y0, double x1, double y1) const {
    return !(x1 < view_.rX1 || x0 > view_.rX2 || y1 < view_.rY1 || y0 > view_.rY2);
}

bool RenderPass::boxStrictlyInside(double x0, double y0, double x1, double y1) const {
    return x0 > view_.rX1 && x1 < view_.rX2 && y0 > view_.rY1 && y1 < view_.rY2;
}

void RenderPass::drawSegment() {
    const double x0 = std::min(st_.prevX, st_.curX), x1 = std::max(st_.prevX, st_.curX);
    const double y0 = std::min(st_.prevY, st_.curY), y1 = std::max(st_.prevY, st_.curY);
    if (!boxTouchesView(x0, y0, x1, y1)) return;
    if (boxStrictlyInside(x0, y0, x1, y1)) {
        if (!st_.continuing || st_.logicalX != st_.prevX || st_.logicalY != st_.prevY)
            MoveTo(st_.prevX, st_.prevY);
    } else {
        MoveTo(st_.prevX, st_.prevY);
    }
    LineTo(st_.curX, st_.curY);
}

void RenderPass::drawPiece(double ax, double ay, double bx, double by) {
    if (st_.dash.active()) {
        drawDashed(ax, ay, bx, by);
        return;
    }
    if (roundLines() || st_.widthPx < 4 || st_.widthPu <= 4.0) {
        const int x0 = int(ax), y0 = int(ay);
        int x1 = int(bx), y1 = int(by);
        if (x0 == x1 && y0 == y1) ++x1;
        canvas_.moveTo(x0, y0);
        canvas_.lineTo(x1, y1);
    } else {
        strokeFilled(ax, ay, bx, by);
    }
    canvas_.moveTo(int(bx), int(by));
}

void RenderPass::strokeFilled(double ax, double ay, double bx, double by) {
    const double h = canvasWidth_ * 0.5;
    const double dx = bx - ax, dy = by - ay;
    const double len = std::hypot(dx, dy);
    Outline o;
    PointD u{1.0, 0.0};
    if (len > 0.0) u = PointD{dx / len, dy / len};
    const PointD n{-u.y * h, u.x * h};
    const PointD a{ax, ay}, b{bx, by};
    if (len > 0.0) o.add({a + n, b + n, b - n, a - n});
    addEnd(o, st_.lineEnd, a, u, h);
    addEnd(o, st_.lineEnd, b, -u, h);
    if (o.sizes.empty()) return;
    CanvasBrush brush;
    brush.colour = penColour_;
    canvas_.fillPolygon(o.points.data(), o.sizes.data(), int(o.sizes.size()), FillRule::Winding,
                        brush, penOp_);
}

void RenderPass::drawThickRun() {
    std::vector<PointD> pts{{st_.prevX, st_.prevY}, {st_.curX, st_.curY}};
    if (pts[1].x == pts[0].x && pts[1].y == pts[0].y) pts.pop_back();
    interp::Record r;
    for (;;) {
        if (!reader_->nextOnPage(r)) {
            pending_ = interp::Record{}; // an end record: the walk ends
            pendingRecord_ = true;
            break;
        }
        if (r.code == interp::Rec::PenDown) continue;
        if (r.code != interp::Rec::Point) {
            pending_ = r;
            pendingRecord_ = true;
            break;
        }
        const interp::rec::Point point = r.as<interp::rec::Point>();
        const PointD p{double(point.x), double(point.y)};
        if (p.x != pts.back().x || p.y != pts.back().y) pts.push_back(p);
    }
    drawThickPolyline(pts);
    st_.curX = st_.prevX = pts.back().x;
    st_.curY = st_.prevY = pts.back().y;
    MoveTo(st_.curX, st_.curY);
    st_.continuing = st_.penDown;
}

void RenderPass::drawThickPolyline(const std::vector<PointD>& pts) {
    if (pts.empty()) return;
    const double h = canvasWidth_ * 0.5;
    const double marginPu = h / view_.scale + view_.snap;
    // Pixel positions as reals; segments are cut to the window widened by the
    // pen so that no far coordinate reaches the canvas.
    const double limX = view_.hwLimit + h + 4.0, limY = view_.hhLimit + h + 4.0;
    auto device = [&](const PointD& p) {
        double dx, dy;
        deviceOffset(view_, p.x, p.y, dx, dy);
        return PointD{dx, dy};
    };
    auto toPixel = [&](PointD d) { return PointD{view_.hw + d.x, view_.hh - d.y}; };
    Outline o;
    if (pts.size() == 1) {
        const PointD d = device(pts[0]);
        if (std::fabs(d.x) <= limX && std::fabs(d.y) <= limY)
            addEnd(o, st_.lineEnd, toPixel(d), PointD{1, 0}, h);
    }
    const size_t last = pts.size() - 1;
    for (size_t i = 0; i < last; ++i) {
        const PointD& p = pts[i];
        const PointD& q = pts[i + 1];
        if (!boxTouchesView(std::min(p.x, q.x) - marginPu, std::min(p.y, q.y) - marginPu,
                            std::max(p.x, q.x) + marginPu, std::max(p.y, q.y) + marginPu))
            continue;
        PointD a = device(p), b = device(q);
        // Cut to the widened window (Liang-Barsky).
        double t0 = 0.0, t1 = 1.0;
        const double ddx = b.x - a.x, ddy = b.y - a.y;
        if (!clipSegment(a.x, a.y, ddx, ddy, -limX, -limY, limX, limY, t0, t1)) continue;
        const PointD pa = toPixel(PointD{a.x + t0 * ddx, a.y + t0 * ddy});
        const PointD pb = toPixel(PointD{a.x + t1 * ddx, a.y + t1 * ddy});
        const double len = std::hypot(pb.x - pa.x, pb.y - pa.y);
        if (len <= 0.0) continue;
        const PointD u{(pb.x - pa.x) / len, (pb.y - pa.y) / len};
        const PointD n{-u.y * h, u.x * h};
        o.add({pa + n, pb + n, pb - n, pa - n});
        if (i == 0 && t0 == 0.0) addEnd(o, st_.lineEnd, pa, u, h);
        if (i + 1 == last && t1 == 1.0) addEnd(o, st_.lineEnd, pb, -u, h);
        if (i + 1 < last && t1 == 1.0) {
            // Join at pb: round for join 4, none for 6, a bevel otherwise.
            const PointD& r2 = pts[i + 2];
            const PointD c = toPixel(device(r2));
            const double l2 = std::hypot(c.x - pb.x, c.y - pb.y);
            if (st_.lineJoin == LineJoin::Round) {
                o.disc(pb, h);
            } else if (st_.lineJoin != LineJoin::None && l2 > 0.0 && std::fabs(c.x) < 1e7 &&
                       std::fabs(c.y) < 1e7) {
                const PointD n2{-(c.y - pb.y) / l2 * h, (c.x - pb.x) / l2 * h};
                o.add({pb, pb + n, pb + n2});
                o.add({pb, pb - n, pb - n2});
            }
        }
    }
    if (o.sizes.empty()) return;
    CanvasBrush brush;
    brush.colour = penColour_;
    canvas_.fillPolygon(o.points.data(), o.sizes.data(), int(o.sizes.size()), FillRule::Winding,
                        brush, penOp_);
}

void RenderPass::drawPolylinePu(const std::vector<PointD>& pts) {
    if (pts.empty()) return;
    if (!thinPath()) {
        drawThickPolyline(pts);
        return;
    }
    bool joined = false; // the canvas pen is at the start of the next chord
    for (size_t i = 0; i + 1 < pts.size(); ++i) {
        const PointD& p = pts[i];
        const PointD& q = pts[i + 1];
        const double x0 = std::min(p.x, q.x), x1 = std::max(p.x, q.x);
        const double y0 = std::min(p.y, q.y), y1 = std::max(p.y, q.y);
        if (!boxTouchesView(x0, y0, x1, y1)) {
            joined = false;
            continue;
        }
        if (!joined || !boxStrictlyInside(x0, y0, x1, y1)) MoveTo(p.x, p.y);
        LineTo(q.x, q.y);
        joined = true;
    }
    if (pts.size() == 1) {
        MoveTo(pts[0].x, pts[0].y);
        LineTo(pts[0].x, pts[0].y);
    }
}

void RenderPass::drawDashed(double ax, double ay, double bx, double by) {
    DashState& d = st_.dash;
    const double dx = bx - ax, dy = by - ay;
    const double len = std::hypot(dx, dy);
    auto dash = [&](double from, double to) {
        const double ux = len > 0.0 ? dx / len : 0.0, uy = len > 0.0 ? dy / len : 0.0;
        const int x0 = roundInt(ax + ux * from), y0 = roundInt(ay + uy * from);
        int x1 = roundInt(ax + ux * to), y1 = roundInt(ay + uy * to);
        if (x0 == x1 && y0 == y1) ++x1;
        canvas_.moveTo(x0, y0);
        canvas_.lineTo(x1, y1);
    };
    if (len == 0.0) {
        // A zero-length piece (a dot, a circle below two pixels) shows one
        // pixel whatever the pattern; the pattern position does not move.
        dash(0.0, 0.0);
        canvas_.moveTo(int(bx), int(by));
        return;
    }
    if (d.family == DashFamily::DotPerSegment) {
        // Type 0: one dot at the start of every segment.
        dash(0.0, std::min(d.shortDash, len));
        canvas_.moveTo(int(bx), int(by));
        return;
    }
    if (d.cycleCount == 0 || !(d.cycleLength >= 1.0)) {
        // A pattern shorter than a pixel cannot show: drawn solid.
        dash(0.0, len);
        canvas_.moveTo(int(bx), int(by));
        return;
    }
    double factor = 1.0;
    if (d.adaptive) {
        const double l = std::max(len, 1.0);
        const double cycles = std::trunc(l / d.cycleLength) + 1.0;
        factor = (l / cycles) / d.cycleLength;
        d.element = 0;
        d.used = 0.0;
        if (d.type < -1) d.used = d.cycle[0].length * factor * 0.5;
    }
    double pos = 0.0;
    // Every element of a cycle of at least one pixel advances at least a
    // pixel per turn, so this bound is never reached for pieces on a canvas.
    for (int guard = 0; pos < len && guard < 200000; ++guard) {
        const DashElement& e = d.cycle[d.element];
        const double el = e.length * factor;
        const double step = std::min(el - d.used, len - pos);
        if (step > 0.0) {
            if (e.drawn) dash(pos, pos + step);
            pos += step;
            d.used += step;
        }
        if (d.used >= el) {
            d.used = 0.0;
            d.element = (d.element + 1) % d.cycleCount;
        }
    }
    canvas_.moveTo(int(bx), int(by));
}

} // namespace view
