// Fuzz target: a plot file loaded with every combination of the page-split and
// plot-size options, then every page walked with the record reader and every
// polygon walked along its links.

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "interp/loader.h"
#include "interp/record_reader.h"

namespace {

class NullReporter : public interp::Reporter {
public:
    void report(const std::string&) override {}
};

void walk(const interp::DrawingModel& model) {
    // The walk may never need more steps than the list has bytes.
    const size_t limit = model.streamBytes() + 16;
    for (int p = 1; p <= model.pageCount(); ++p) {
        interp::RecordReader rd(model, p);
        interp::Record r;
        size_t steps = 0;
        while (rd.nextOnPage(r)) {
            if (++steps > limit) std::abort();
            if (r.isText && r.textLength && !r.text) std::abort();
        }
    }
    const interp::PolygonBuffer& pb = model.polygons;
    const int64_t vertices = pb.vertexCount();
    int64_t seen = 0;
    for (int32_t h = pb.firstHeader(); h != interp::kNoLink; h = pb.header(h).next) {
        if (!pb.validHeader(h)) std::abort();
        for (int32_t v = pb.header(h).first; v != interp::kNoLink; v = pb.vertex(v).next) {
            if (!pb.validVertex(v) || ++seen > vertices) std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static interp::DrawingModel model;
    NullReporter reporter;
    for (int combo = 0; combo < 4; ++combo) {
        std::FILE* f = fmemopen(const_cast<uint8_t*>(data), size ? size : 1, "rb");
        if (!f) return 0;
        if (size == 0) std::fseek(f, 1, SEEK_SET);
        interp::LoadOptions options;
        options.multiPage = combo & 1;
        options.drawSizePs = combo & 2;
        interp::LoadPlotStream(model, f, options, reporter);
        std::fclose(f);
        walk(model);
    }
    return 0;
}
