#pragma once
// Polygons built in polygon mode, by rectangles and by wedges. They live beside
// the drawing list; fill and edge records refer to a polygon by its index.

#include <cstdint>
#include <vector>

namespace interp {

constexpr int32_t kNoLink = -1;

// How the interpreter lays out items in a vertex chain:
// - a straight vertex (kind 2) is a corner; its pen-up flag tells whether the
//   edge that reaches it was drawn with the pen up;
// - an arc item (kind 0) sits at the arc's centre, between the vertex the arc
//   starts from and the vertex it ends at; value = segment count, spare = 1
//   when the arc runs clockwise (negative sweep), 0 counter-clockwise; the arc
//   is shorter than a full turn;
// - a circle item (kind 1) sits at the centre between two equal vertices on
//   the circle: a full turn from the one before it back to the one after it;
//   value = segment count. A circle of CI is a sub-polygon of its own: a
//   pen-up move to (centre X + radius, centre Y), the item, and that point
//   again as the closing vertex;
// - each sub-polygon (sub-polygon number) is one closed ring; mark 2 is on its
//   closing vertex, which equals its first one.
// Rectangles: corner (x0, y0) as a pen-up start, then (x1, y0), (x1, y1),
// (x0, y1) and (x0, y0) closing. Wedges: the centre as a pen-up start, the arc
// start, the arc (or circle) item at the centre, the arc end, the centre closing.

// Segment kinds of a vertex.
enum VertexKind : uint8_t { kKindArcItem = 0, kKindCircleItem = 1, kKindStraight = 2 };
// Mark byte of a vertex.
enum VertexMark : uint8_t { kMarkNone = 0, kMarkOpen = 1, kMarkClosing = 2 };

struct PolygonVertex {
    int32_t next = kNoLink;
    int32_t prev = kNoLink;
    int32_t x = 0;
    int32_t y = 0;
    uint8_t penUp = 0;
    uint8_t mark = kMarkNone;
    uint8_t kind = kKindStraight;
    uint8_t spare = 0;
    int32_t subPolygon = 0;
    uint16_t value = 0; // segment count of an arc or circle item, 0 for points
};

struct PolygonHeader {
    int32_t next = kNoLink;
    int32_t prev = kNoLink;
    int32_t first = kNoLink; // first vertex, kNoLink while empty
    int32_t last = kNoLink;
    uint16_t word1 = 0;
    int32_t boxXMin = 0, boxYMin = 0, boxXMax = 0, boxYMax = 0;
    uint8_t flag = 1; // 1 unless the fill type was 4 when the polygon began
    uint16_t word2 = 0;
    double hatchAngle = 0.0;
};

class PolygonBuffer {
  public:
    void clear();

    // Starts a new header at the end of the chain and returns its index.
    int32_t addHeader();
    // Appends a vertex to the header's chain and returns the vertex index.
    int32_t appendVertex(int32_t header, const PolygonVertex& v);
    // Drops the last vertex of the header's chain (no-op when empty).
    void dropLastVertex(int32_t header);

    bool validHeader(int32_t h) const {
        return h >= 0 && h < static_cast<int32_t>(headers_.size());
    }
    bool validVertex(int32_t v) const {
        return v >= 0 && v < static_cast<int32_t>(vertices_.size());
    }
    PolygonHeader& header(int32_t h) { return headers_[h]; }
    const PolygonHeader& header(int32_t h) const { return headers_[h]; }
    PolygonVertex& vertex(int32_t v) { return vertices_[v]; }
    const PolygonVertex& vertex(int32_t v) const { return vertices_[v]; }

    int32_t firstHeader() const { return headers_.empty() ? kNoLink : 0; }
    int32_t headerCount() const { return static_cast<int32_t>(headers_.size()); }
    int64_t vertexCount() const { return static_cast<int64_t>(vertices_.size()); }

    // Every vertex of every polygon, for walks that treat all of them alike
    // (rotating the model in place).
    std::vector<PolygonVertex>& allVertices() { return vertices_; }
    std::vector<PolygonHeader>& allHeaders() { return headers_; }

  private:
    std::vector<PolygonHeader> headers_;
    std::vector<PolygonVertex> vertices_;
};

} // namespace interp
