#pragma once
// The point type of the render core: a pair of reals, in plotter units or in
// pixels as the caller says, with the few operations outline building needs.

namespace view {

struct PointD {
    double x = 0.0, y = 0.0;
};

inline PointD operator+(PointD a, PointD b) {
    return {a.x + b.x, a.y + b.y};
}
inline PointD operator-(PointD a, PointD b) {
    return {a.x - b.x, a.y - b.y};
}
inline PointD operator-(PointD a) {
    return {-a.x, -a.y};
}

} // namespace view
