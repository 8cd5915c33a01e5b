#include "view/model_rotation.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "interp/record_reader.h"

namespace view {

namespace {

constexpr int32_t kNoWindow = 2147483647;

int32_t clamp32(int64_t v) { return int32_t(std::clamp<int64_t>(v, INT32_MIN + 1, INT32_MAX)); }

void turn(int q, int32_t& x, int32_t& y) {
    const int64_t X = x, Y = y;
    switch (q) {
        case 1: x = clamp32(-Y); y = clamp32(X); break;
        case 2: x = clamp32(-X); y = clamp32(-Y); break;
        case 3: x = clamp32(Y); y = clamp32(-X); break;
        default: break;
    }
}

int32_t get(const uint8_t* b, uint32_t at) {
    int32_t v;
    std::memcpy(&v, b + at, 4);
    return v;
}
void put(uint8_t* b, uint32_t at, int32_t v) { std::memcpy(b + at, &v, 4); }

void turnAt(uint8_t* b, uint32_t at, int q) {
    int32_t x = get(b, at), y = get(b, at + 4);
    turn(q, x, y);
    put(b, at, x);
    put(b, at + 4, y);
}

void swapAt(uint8_t* b, uint32_t a, uint32_t c) {
    int32_t x = get(b, a), y = get(b, c);
    put(b, a, y);
    put(b, c, x);
}

void turnBox(int q, int32_t& x0, int32_t& y0, int32_t& x1, int32_t& y1) {
    turn(q, x0, y0);
    turn(q, x1, y1);
    if (x0 > x1) std::swap(x0, x1);
    if (y0 > y1) std::swap(y0, y1);
}

}  // namespace

void RotateModel(interp::DrawingModel& model, int quarters) {
    const int q = ((quarters % 4) + 4) % 4;
    if (q == 0) return;
    interp::RecordReader reader(model);
    interp::Record r;
    for (;;) {
        const uint32_t block = reader.block(), start = reader.offset();
        if (!reader.next(r)) break;
        if (r.code == 255 || r.isText) continue;
        uint8_t* b = model.mutableBlock(block);
        const uint32_t p = start + 1;  // first payload byte
        switch (r.code) {
            case 4:
            case 7: turnAt(b, p, q); break;
            case 32:
                turnAt(b, p + 8, q);
                if (q != 2) swapAt(b, p, p + 4);
                break;
            case 31:
                if (q != 2) swapAt(b, p, p + 4);
                break;
            case 21:
                if (q != 2) swapAt(b, p + 5, p + 9);
                break;
            case 22:
                if (q != 2) swapAt(b, p + 4, p + 8);
                break;
            case 12: {
                int64_t v = get(b, p);
                for (int k = 0; k < q; ++k) {
                    v += 90000;
                    if (v >= 360000) v -= 360000;
                }
                put(b, p, clamp32(v));
                break;
            }
            case 18: {
                const uint8_t type = b[p];
                if (type == 10 || type == 11) break;
                int64_t v = get(b, p + 5);
                for (int k = 0; k < q; ++k) {
                    v += 9000;
                    if (v >= 36000) v -= 36000;
                }
                put(b, p + 5, clamp32(v));
                break;
            }
            case 28: {
                int32_t x0 = get(b, p), y0 = get(b, p + 4), x1 = get(b, p + 8), y1 = get(b, p + 12);
                if (x0 == kNoWindow && y0 == kNoWindow && x1 == kNoWindow && y1 == kNoWindow) break;
                turnBox(q, x0, y0, x1, y1);
                put(b, p, x0);
                put(b, p + 4, y0);
                put(b, p + 8, x1);
                put(b, p + 12, y1);
                break;
            }
            default: break;
        }
        if (r.code == 0) break;
    }
    for (interp::PolygonVertex& v : model.polygons.allVertices()) turn(q, v.x, v.y);
    for (interp::PolygonHeader& h : model.polygons.allHeaders()) {
        turnBox(q, h.boxXMin, h.boxYMin, h.boxXMax, h.boxYMax);
        for (int k = 0; k < q; ++k) {
            h.hatchAngle += 90.0;
            if (h.hatchAngle >= 360.0) h.hatchAngle -= 360.0;
        }
    }
    // The page slots and the current extent are turned separately; setting
    // the slots of the selected page may also set the current extent.
    interp::Extents current = model.extents();
    turnBox(q, current.xMin, current.yMin, current.xMax, current.yMax);
    for (int n = 1; n <= model.pageCount(); ++n) {
        interp::Extents e = model.pageExtents(n);
        turnBox(q, e.xMin, e.yMin, e.xMax, e.yMax);
        model.setPageExtents(n, e);
    }
    model.mutableExtents() = current;
}

void ApplyDisplayRotation(interp::DrawingModel& model, ViewValues& values, int rotation) {
    rotation = std::clamp(rotation, 1, 4);
    values.displayRotation = rotation;
    const int step = rotation - values.rotationApplied;
    if (step == 0) return;
    RotateModel(model, step);
    values.rotationApplied = rotation;
    const interp::Extents& e = model.extents();
    values.zoomArea = ZoomArea{e.xMin, e.yMin, e.xMax, e.yMax};
}

}  // namespace view
