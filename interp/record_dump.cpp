#include "record_dump.h"

#include <cstdio>

#include "interp/record_reader.h"

namespace interp {

namespace {
void appendf(std::string& out, const char* fmt, auto... args) {
    char buf[96];
    int n = std::snprintf(buf, sizeof buf, fmt, args...);
    if (n > 0) out.append(buf, static_cast<size_t>(n) < sizeof buf ? n : sizeof buf - 1);
}
} // namespace

std::string formatRecord(const Record& r, const char* layout) {
    std::string out;
    appendf(out, "%d", int(r.code));
    if (r.isText) {
        out += " \"";
        for (uint32_t k = 0; k < r.textLength; ++k) {
            uint8_t c = r.text[k];
            if (c >= 32 && c <= 126 && c != '"' && c != '\\')
                out += static_cast<char>(c);
            else
                appendf(out, "\\x%02X", c);
        }
        out += '"';
        return out;
    }
    for (int k = 0; k < r.itemCount && layout[k]; ++k) {
        switch (layout[k]) {
        case 'f':
            appendf(out, " %.9g", static_cast<double>(r.f(k)));
            break;
        case 'p':
            appendf(out, " #%d", r.item[k]);
            break;
        default:
            appendf(out, " %d", r.item[k]);
            break;
        }
    }
    return out;
}

bool dumpDrawing(const DrawingModel& model, const LoadResult& result,
                 const std::function<bool(std::string_view)>& sink) {
    constexpr std::size_t kPiece = 64 * 1024;
    std::string out;
    out.reserve(kPiece + 4096);
    // Hands the text gathered so far on once a piece is full (or at the end).
    auto pass = [&](bool end) {
        if (out.size() < kPiece && !(end && !out.empty())) return true;
        const bool ok = sink(out);
        out.clear();
        return ok;
    };
    appendf(out, "pages %d\n", model.pageCount());
    for (int p = 1; p <= model.pageCount(); ++p) {
        Extents e = model.pageExtents(p);
        appendf(out, "page %d %d %d %d %d\n", p, e.xMin, e.yMin, e.xMax, e.yMax);
        if (!pass(false)) return false;
    }
    appendf(out, "errors %d\nhpgl2 %d\nrtl %d\nrecords\n", result.errorCount, result.hpgl2Pieces,
            result.rtlPieces);
    RecordReader reader(model);
    Record r;
    while (reader.next(r)) {
        const char* layout = recordLayout(uint8_t(r.code));
        out += formatRecord(r, layout ? layout : "");
        out += '\n';
        if (!pass(false)) return false;
    }
    const PolygonBuffer& pb = model.polygons;
    appendf(out, "polygons %d\n", pb.headerCount());
    for (int32_t h = pb.firstHeader(); h != kNoLink; h = pb.header(h).next) {
        appendf(out, "polygon #%d\n", h);
        int64_t guard = pb.vertexCount();
        for (int32_t v = pb.header(h).first; v != kNoLink && guard-- > 0; v = pb.vertex(v).next) {
            const PolygonVertex& n = pb.vertex(v);
            appendf(out, "v %d %d %d %d %d %d %d\n", n.x, n.y, n.penUp, n.mark, n.kind,
                    n.subPolygon, n.value);
            if (!pass(false)) return false;
        }
    }
    return pass(true);
}

std::string dumpDrawing(const DrawingModel& model, const LoadResult& result) {
    std::string text;
    dumpDrawing(model, result, [&text](std::string_view piece) {
        text.append(piece);
        return true;
    });
    return text;
}

} // namespace interp
