#include "interp/model_rotation.h"

#include <algorithm>
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

// Adds `step` to an angle held in `full`-th parts of a turn, taking one turn
// off when it reaches a full turn.
int32_t addAngle(int32_t value, int64_t step, int64_t full) {
    int64_t v = int64_t(value) + step;
    if (v >= full) v -= full;
    return saturate(v);
}

// Decodes the payload of the record at `record` as R, lets `change` work on
// it and writes it back in place.
template <class R, class Change> void update(uint8_t* record, Change change) {
    R r = decodePayload<R>(record + 1);
    change(r);
    encodePayload(r, record + 1);
}

// One record whose code byte is at `r`, its payload inside the block.
void rotateRecord(uint8_t* r, int turns) {
    const bool odd = turns % 2 == 1;
    auto swapFactors = [odd](auto& x) {
        if (odd) std::swap(x.scaleX, x.scaleY);
    };
    switch (static_cast<Rec>(r[0])) {
    case Rec::Point:
        update<rec::Point>(r, [&](rec::Point& x) { rotatePoint(turns, x.x, x.y); });
        break;
    case Rec::Arc:
        update<rec::Arc>(r, [&](rec::Arc& x) { rotatePoint(turns, x.centreX, x.centreY); });
        break;
    case Rec::ArcScaled:
        update<rec::ArcScaled>(r, [&](rec::ArcScaled& x) {
            rotatePoint(turns, x.centreX, x.centreY);
            swapFactors(x);
        });
        break;
    case Rec::CircleScaled:
        update<rec::CircleScaled>(r, swapFactors);
        break;
    case Rec::FillPolygon:
        update<rec::FillPolygon>(r, swapFactors);
        break;
    case Rec::EdgePolygon:
        update<rec::EdgePolygon>(r, swapFactors);
        break;
    case Rec::InputWindow:
        update<rec::InputWindow>(r, [&](rec::InputWindow& x) {
            if (x.x1 != kNoInputWindow && x.y1 != kNoInputWindow) rotatePoint(turns, x.x1, x.y1);
            if (x.x2 != kNoInputWindow && x.y2 != kNoInputWindow) rotatePoint(turns, x.x2, x.y2);
        });
        break;
    case Rec::LabelDirection:
        update<rec::LabelDirection>(r, [&](rec::LabelDirection& x) {
            x.direction = addAngle(x.direction, 90000LL * turns, 360000);
        });
        break;
    case Rec::FillType:
        update<rec::FillType>(r, [&](rec::FillType& x) {
            const auto kind = static_cast<FillKind>(x.type);
            if (kind == FillKind::Shading || kind == FillKind::UserPattern) return;
            x.angle = addAngle(x.angle, 9000LL * turns, 36000);
        });
        break;
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
        const uint8_t code = b[offset];
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
        if (code == uint8_t(Rec::Label) && textExpected) {
            textExpected = false;
            if (offset + 1 + labelText > uint32_t(kBlockSize)) return;
            offset += 1 + labelText;
            continue;
        }
        const RecordExtent e = recordExtent(b + offset, uint32_t(kBlockSize) - offset);
        if (e.bytes == 0) return;
        if (code == uint8_t(Rec::Label)) {
            labelText = decodePayload<rec::Label>(b + offset + 1).textLength;
            textExpected = true;
        }
        rotateRecord(b + offset, turns);
        offset += e.bytes;
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
    // The chunk boxes turn with the points: cut the list again.
    if (model.chunks.matches(model)) model.chunks.build(model);
}

} // namespace interp
