#include "interp/model_rotation.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "interp/record_codes.h"

namespace interp {

namespace {

int normalTurns(int quarterTurns) {
    return ((quarterTurns % 4) + 4) % 4;
}

int32_t negate(int32_t v) {
    return v == INT32_MIN ? INT32_MAX : -v;
}

int32_t saturate(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

int32_t readI(const uint8_t* p) {
    int32_t v;
    std::memcpy(&v, p, 4);
    return v;
}
void writeI(uint8_t* p, int32_t v) {
    std::memcpy(p, &v, 4);
}

int itemWidth(char c) {
    return c == 'b' ? 1 : c == 'w' ? 2 : 4;
}

// Byte offset of item `k` of a record whose code byte is at `record`.
const uint8_t* itemAt(const uint8_t* record, const char* layout, int k) {
    const uint8_t* p = record + 1;
    for (int i = 0; i < k; ++i)
        p += itemWidth(layout[i]);
    return p;
}
uint8_t* itemAt(uint8_t* record, const char* layout, int k) {
    return const_cast<uint8_t*>(itemAt(static_cast<const uint8_t*>(record), layout, k));
}

void rotateItemPair(uint8_t* record, const char* layout, int kx, int turns) {
    uint8_t* px = itemAt(record, layout, kx);
    uint8_t* py = itemAt(record, layout, kx + 1);
    int32_t x = readI(px), y = readI(py);
    rotatePoint(turns, x, y);
    writeI(px, x);
    writeI(py, y);
}

// Adds `step` to an angle held in `full`-th parts of a turn, taking one turn
// off when it reaches a full turn.
int32_t addAngle(int32_t value, int64_t step, int64_t full) {
    int64_t v = int64_t(value) + step;
    if (v >= full) v -= full;
    return saturate(v);
}

void swapFactors(uint8_t* record, const char* layout, int kx) {
    uint8_t* px = itemAt(record, layout, kx);
    uint8_t* py = itemAt(record, layout, kx + 1);
    uint8_t tmp[4];
    std::memcpy(tmp, px, 4);
    std::memcpy(px, py, 4);
    std::memcpy(py, tmp, 4);
}

// One record whose code byte is at `r`, its payload inside the block.
void rotateRecord(uint8_t* r, const char* layout, int turns) {
    const bool odd = turns % 2 == 1;
    switch (r[0]) {
    case uint8_t(Rec::Point):
        rotateItemPair(r, layout, 0, turns);
        break;
    case uint8_t(Rec::Arc):
        rotateItemPair(r, layout, 0, turns);
        break;
    case uint8_t(Rec::ArcScaled):
        rotateItemPair(r, layout, 2, turns);
        if (odd) swapFactors(r, layout, 0);
        break;
    case uint8_t(Rec::CircleScaled):
        if (odd) swapFactors(r, layout, 0);
        break;
    case uint8_t(Rec::FillPolygon):
        if (odd) swapFactors(r, layout, 2);
        break;
    case uint8_t(Rec::EdgePolygon):
        if (odd) swapFactors(r, layout, 1);
        break;
    case uint8_t(Rec::InputWindow):
        for (int k = 0; k < 4; k += 2) {
            int32_t x = readI(itemAt(r, layout, k)), y = readI(itemAt(r, layout, k + 1));
            if (x == kNoInputWindow || y == kNoInputWindow) continue;
            rotateItemPair(r, layout, k, turns);
        }
        break;
    case uint8_t(Rec::LabelDirection): {
        uint8_t* p = itemAt(r, layout, 0);
        writeI(p, addAngle(readI(p), 90000LL * turns, 360000));
        break;
    }
    case uint8_t(Rec::FillType): {
        uint8_t type = *itemAt(r, layout, 0);
        if (type == 10 || type == 11) break;
        uint8_t* p = itemAt(r, layout, 2);
        writeI(p, addAngle(readI(p), 9000LL * turns, 36000));
        break;
    }
    default:
        break;
    }
}

void rotateRecords(DrawingModel& model, int turns) {
    uint32_t block = 0;
    uint32_t offset = kFirstRecordOffset;
    uint32_t blocksVisited = 1;
    uint32_t labelText = 0;
    bool textExpected = false;
    for (;;) {
        if (block >= model.blockCount() || offset >= uint32_t(kBlockSize)) return;
        uint8_t* b = model.mutableBlock(block);
        uint8_t code = b[offset];
        if (code == uint8_t(Rec::EndOfDrawing)) return;
        if (code == uint8_t(Rec::ContinueBlock)) {
            uint32_t link = model.blockLink(block);
            // A link back or a chain longer than the model is damage: stop.
            if (link == 0 || link >= model.blockCount() || ++blocksVisited > model.blockCount())
                return;
            block = link;
            offset = kFirstRecordOffset;
            continue;
        }
        if (code == kLabelCode && textExpected) {
            textExpected = false;
            if (offset + 1 + labelText > uint32_t(kBlockSize)) return;
            offset += 1 + labelText;
            continue;
        }
        const char* layout = recordLayout(code);
        if (!layout) return;
        uint32_t size = 1;
        for (const char* c = layout; *c; ++c)
            size += itemWidth(*c);
        if (code == uint8_t(Rec::PenColour) && offset + 3 <= uint32_t(kBlockSize)) {
            uint16_t pen;
            std::memcpy(&pen, b + offset + 1, 2);
            if (pen == kAllPensDefaultColour) size = 3; // the short form
        }
        if (offset + size > uint32_t(kBlockSize)) return;
        if (code == kLabelCode) {
            uint16_t len;
            std::memcpy(&len, b + offset + 1, 2);
            labelText = len;
            textExpected = true;
        }
        rotateRecord(b + offset, layout, turns);
        offset += size;
    }
}

void rotatePolygons(PolygonBuffer& polygons, int turns) {
    for (PolygonVertex& v : polygons.allVertices())
        rotatePoint(turns, v.x, v.y);
    for (PolygonHeader& h : polygons.allHeaders()) {
        Extents box{h.boxXMin, h.boxYMin, h.boxXMax, h.boxYMax};
        box = rotateExtents(turns, box);
        h.boxXMin = box.xMin;
        h.boxYMin = box.yMin;
        h.boxXMax = box.xMax;
        h.boxYMax = box.yMax;
        h.hatchAngle += 90.0 * turns;
        if (h.hatchAngle >= 360.0) h.hatchAngle -= 360.0;
    }
}

} // namespace

int rotationQuarterTurns(int from, int to) {
    return normalTurns(to - from);
}

void rotatePoint(int quarterTurns, int32_t& x, int32_t& y) {
    int32_t ox = x, oy = y;
    switch (normalTurns(quarterTurns)) {
    case 1:
        x = negate(oy);
        y = ox;
        break;
    case 2:
        x = negate(ox);
        y = negate(oy);
        break;
    case 3:
        x = oy;
        y = negate(ox);
        break;
    default:
        break;
    }
}

Extents rotateExtents(int quarterTurns, const Extents& e) {
    // An empty box (the reset value) stays empty.
    if (e.xMin > e.xMax || e.yMin > e.yMax) return e;
    int32_t ax = e.xMin, ay = e.yMin, bx = e.xMax, by = e.yMax;
    rotatePoint(quarterTurns, ax, ay);
    rotatePoint(quarterTurns, bx, by);
    Extents r;
    r.xMin = std::min(ax, bx);
    r.xMax = std::max(ax, bx);
    r.yMin = std::min(ay, by);
    r.yMax = std::max(ay, by);
    return r;
}

void rotateModel(DrawingModel& model, int quarterTurns) {
    const int turns = normalTurns(quarterTurns);
    if (turns == 0) return;
    rotateRecords(model, turns);
    rotatePolygons(model.polygons, turns);
    const Extents current = rotateExtents(turns, model.extents());
    for (int page = 1; page <= model.pageCount(); ++page)
        model.setPageExtents(page, rotateExtents(turns, model.pageExtents(page)));
    model.mutableExtents() = current;
}

} // namespace interp
