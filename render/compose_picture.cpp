#include "render/compose_picture.h"

#include <exception>
#include <thread>

#include "render/grid.h"

namespace view {

namespace {

// Below this much list a second thread costs more than it saves.
constexpr uint32_t kBlocksWorthSplitting = 16;

// Draws the page in two bands of rows on two threads when the canvas and the
// page allow it; false when they do not and nothing was drawn. Each band's
// pass reads the whole page but steps over the runs of lines that lie in the
// other band, so the two share the work; the pixels are those of one pass.
bool drawPageInBands(Canvas& canvas, const RenderInputs& in, ViewState& view, bool anySize) {
    const interp::DrawingModel& model = in.model;
    const int height = canvas.height();
    // Text goes through the platform's fonts, which stay on the calling thread.
    if (height < 2 || (!anySize && model.blockCount() < kBlocksWorthSplitting) ||
        !model.chunks.matches(model) || model.chunks.pageHasLabels(model.currentPage()))
        return false;
    const int middle = height / 2;
    std::unique_ptr<Canvas> top = canvas.band(0, middle);
    std::unique_ptr<Canvas> bottom = canvas.band(middle, height);
    if (!top || !bottom) return false;

    // Each pass lives on the stack of the thread that runs it: the state both
    // write all the time must not share cache lines.
    const ViewState startView = view;
    std::exception_ptr failed;
    auto drawLower = [&in, &startView, &bottom, middle, height, &failed] {
        try {
            ViewState v = startView;
            RenderPass lower(in, v, *bottom);
            lower.setBand(middle, height);
            lower.DrawPage();
        } catch (...) {
            failed = std::current_exception();
        }
    };
    std::thread worker;
    try {
        worker = std::thread(drawLower);
    } catch (const std::exception&) {
        drawLower(); // no thread to be had: both bands here
    }
    std::exception_ptr ownFailure;
    try {
        RenderPass upper(in, view, *top);
        upper.setBand(0, middle);
        upper.DrawPage();
    } catch (...) {
        ownFailure = std::current_exception();
    }
    if (worker.joinable()) worker.join();
    if (ownFailure) std::rethrow_exception(ownFailure);
    if (failed) std::rethrow_exception(failed);
    // The pen as a single pass leaves it, for the rubber band.
    canvas.setPen(in.pens.colour[in.settings.pens.MarkPenNo], 1, RasterOp::Xor);
    return true;
}

} // namespace

void displayAll(ViewState& view, const interp::DrawingModel& model, int width, int height) {
    const interp::Extents& e = model.extents();
    ZoomPnt(view, e.xMin, e.yMin, e.xMax, e.yMax, width, height, e);
}

void composePicture(Canvas& canvas, const RenderInputs& in, ViewState& view, PassMode mode) {
    const uint32_t background = in.pens.colour[in.settings.pens.BackPenNo];
    canvas.fillRect(0, 0, canvas.width(), canvas.height(), background);
    canvas.setPen(0, 1, RasterOp::Copy);
    const bool split = mode == PassMode::Fast || mode == PassMode::Bands;
    if (!split || !drawPageInBands(canvas, in, view, mode == PassMode::Bands)) {
        RenderPass pass(in, view, canvas);
        if (mode == PassMode::Reference) pass.setReference();
        pass.DrawPage();
    }
    if (in.settings.grid.DisGrdMode)
        DrawGrid(canvas, view, in.settings.grid, in.values, in.model.extents());
}

} // namespace view
