// Line types of the render pass: dash families, element lengths from the
// pattern length or the user table, and the restart at every move.

#include <algorithm>
#include <cstdlib>

#include "render/render_pass.h"

namespace view {

namespace {

// Element fractions of the pattern length per |n|: gap, short, long, short 2.
struct TypeShape {
    DashFamily family;
    double gap, shortDash, longDash, shortDash2;
    double floorFraction; // fraction whose pixel length must reach DspMinLinDot
};

TypeShape shapeOf(int a) {
    switch (a) {
    case 0:
        return {DashFamily::DotPerSegment, 0.99, 0.01, 0.0, 0.0, 0.05};
    case 1:
        return {DashFamily::Dash, 0.99, 0.01, 0.0, 0.0, 0.05};
    case 2:
        return {DashFamily::Dash, 0.5, 0.5, 0.0, 0.0, 0.5};
    case 3:
        return {DashFamily::Dash, 0.3, 0.7, 0.0, 0.0, 0.75};
    case 4:
        return {DashFamily::LongShort, 0.1, 0.01, 0.79, 0.0, 0.05};
    case 5:
        return {DashFamily::LongShort, 0.1, 0.1, 0.7, 0.0, 0.1};
    case 6:
        return {DashFamily::LongShortShort, 0.1, 0.1, 0.5, 0.0, 0.1};
    case 7:
        return {DashFamily::LongShortShort, 0.1, 0.01, 0.68, 0.0, 0.05};
    case 8:
        return {DashFamily::LongShort3, 0.1, 0.01, 0.48, 0.1, 0.05};
    default:
        return {DashFamily::Solid, 0.0, 0.0, 0.0, 0.0, 1.0};
    }
}

} // namespace

void RenderPass::SetLineType(int n, int32_t length) {
    DashState& d = st_.dash;
    d.type = n;
    const int a = std::abs(n);
    const TypeShape s = (n == 255 || a > 8) ? shapeOf(-1) : shapeOf(a);
    d.family = s.family;
    d.adaptive = n < 0;
    d.cycleCount = 0;
    d.cycleLength = 0.0;
    if (d.family == DashFamily::Solid) return;

    const auto& line = in_.settings.line;
    if (line.UserDefLT) {
        const double k = view_.scale * st_.userLengthFactor;
        const int kind = a <= 1 ? 1 : std::min(a, 6);
        d.gap = line.gap(kind) * k;
        if (kind <= 3) {
            d.shortDash = line.longSolid(kind) * k;
            d.longDash = 0.0;
        } else {
            d.shortDash = line.shortSolid(kind) * k;
            d.longDash = line.longSolid(kind) * k;
        }
        d.shortDash2 = d.shortDash;
    } else {
        double p = double(length) * view_.scale;
        const double minDot = line.DspMinLinDot;
        if (p * s.floorFraction < minDot) p = minDot / s.floorFraction;
        d.gap = s.gap * p;
        d.shortDash = s.shortDash * p;
        d.longDash = s.longDash * p;
        d.shortDash2 = s.shortDash2 * p;
    }
    const DashElement G{d.gap, false}, S{d.shortDash, true}, L{d.longDash, true},
        S2{d.shortDash2, true};
    auto push = [&](std::initializer_list<DashElement> list) {
        for (const DashElement& e : list)
            d.cycle[d.cycleCount++] = e;
    };
    switch (d.family) {
    case DashFamily::DotPerSegment:
    case DashFamily::Dash:
        push({S, G});
        break;
    case DashFamily::LongShort:
        push({L, G, S, G});
        break;
    case DashFamily::LongShortShort:
        push({L, G, S, G, S, G});
        break;
    case DashFamily::LongShort3:
        push({L, G, S, G, S2, G, S, G});
        break;
    case DashFamily::Solid:
        break;
    }
    for (int i = 0; i < d.cycleCount; ++i)
        d.cycleLength += d.cycle[i].length;
    restartDash();
}

void RenderPass::restartDash() {
    st_.dash.element = 0;
    st_.dash.used = 0.0;
}

} // namespace view
