#include "polygon_buffer.h"

namespace interp {

void PolygonBuffer::clear() {
    std::vector<PolygonHeader>().swap(headers_);
    std::vector<PolygonVertex>().swap(vertices_);
}

int32_t PolygonBuffer::addHeader() {
    int32_t idx = static_cast<int32_t>(headers_.size());
    PolygonHeader h;
    if (idx > 0) {
        h.prev = idx - 1;
        headers_[idx - 1].next = idx;
    }
    headers_.push_back(h);
    return idx;
}

int32_t PolygonBuffer::appendVertex(int32_t header, const PolygonVertex& v) {
    PolygonHeader& h = headers_[header];
    int32_t idx = static_cast<int32_t>(vertices_.size());
    PolygonVertex node = v;
    node.next = kNoLink;
    node.prev = h.last;
    vertices_.push_back(node);
    if (h.last != kNoLink)
        vertices_[h.last].next = idx;
    else
        h.first = idx;
    h.last = idx;
    return idx;
}

void PolygonBuffer::dropLastVertex(int32_t header) {
    PolygonHeader& h = headers_[header];
    if (h.last == kNoLink) return;
    int32_t idx = h.last;
    h.last = vertices_[idx].prev;
    if (h.last != kNoLink)
        vertices_[h.last].next = kNoLink;
    else
        h.first = kNoLink;
    // The node stays in storage, unlinked, unless it is the newest one.
    if (idx == static_cast<int32_t>(vertices_.size()) - 1) vertices_.pop_back();
}

} // namespace interp
