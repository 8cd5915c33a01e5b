// Fuzz target: a plot file loaded with every combination of the page-split and
// plot-size options, then every page walked with the record reader and every
// polygon walked along its links. Built with the render pass, the first pages
// are also drawn into a small image, showing all and zoomed far in.

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "interp/loader.h"
#include "interp/record_reader.h"

#ifdef QM_FUZZ_RENDER
#include <QGuiApplication>
#include <QImage>

#include "render/view_values.h"
#include "settings/pen_tables.h"
#include "settings/settings_record.h"
#include "view/compose_image.h"
#endif

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

#ifdef QM_FUZZ_RENDER
void render(interp::DrawingModel& model) {
    static const settings::SettingsRecord settingsRecord;
    static const settings::PenTable pens;
    view::ViewValues values;
    QImage image(64, 48, QImage::Format_RGB32);
    const view::RenderInputs in{model, settingsRecord, pens, values};
    const int pages = model.pageCount() < 4 ? model.pageCount() : 4;
    for (int p = 1; p <= pages; ++p) {
        model.selectPage(p);
        view::ViewState v;
        view::displayAll(v, model, image.width(), image.height());
        view::composeImage(image, in, v);
        // Far in: a few plotter units around the middle of the page.
        const interp::Extents& e = model.extents();
        const int32_t cx = static_cast<int32_t>((static_cast<int64_t>(e.xMin) + e.xMax) / 2);
        const int32_t cy = static_cast<int32_t>((static_cast<int64_t>(e.yMin) + e.yMax) / 2);
        view::ZoomPnt(v, cx - 3, cy - 2, cx + 3, cy + 2, image.width(), image.height(), e);
        view::composeImage(image, in, v);
    }
    model.selectPage(1);
}
#endif

} // namespace

#ifdef QM_FUZZ_RENDER
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}
#endif

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
#ifdef QM_FUZZ_RENDER
        render(model);
#endif
    }
    return 0;
}
