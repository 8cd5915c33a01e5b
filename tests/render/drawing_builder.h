#pragma once
// A drawing built record by record for the render tests, with the settings,
// pen table, view values and view it is drawn with.
//
// The default view shows (0, 0)-(2000, 1000) plotter units on a 200 x 100
// canvas: 0.1 pixel per plotter unit, plotter (x, y) at pixel
// (x / 10, 100 - y / 10). Pen 0 (the back pen) is black, so the paper is
// black; pen 1 is (127, 0, 0).

#include <cstdint>
#include <string>

#include <vector>

#include "interp/drawing_model.h"
#include "render/compose_picture.h"
#include "render/trace_canvas.h"
#include "settings/pen_tables.h"
#include "settings/settings_record.h"

namespace rendertest {

namespace rec = interp::rec;

constexpr uint32_t kPen1 = 0x00007F; // 0x00BBGGRR of (127, 0, 0)

struct Drawing {
    interp::DrawingModel model;
    settings::SettingsRecord settings;
    settings::PenTable pens;
    view::ViewValues values;
    view::ViewState view;

    view::RenderInputs inputs() const { return {model, settings, pens, values}; }

    // ---- building ----
    template <class R> void record(const R& r) { model.write(r); }
    void penSelect(int pen) { model.writePenSelect(uint8_t(pen)); }
    void penUp() { record(rec::PenUp{}); }
    void penDown() { record(rec::PenDown{}); }
    void point(int32_t x, int32_t y) { model.appendPoint(x, y); }
    void line(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
        penUp();
        point(x0, y0);
        penDown();
        point(x1, y1);
    }
    void penWidth(int32_t value, int32_t pen) { record(rec::PenWidth{value, pen}); }
    void penColour(int pen, int r, int g, int b) {
        record(rec::PenColour{uint16_t(pen), uint16_t(r), uint16_t(g), uint16_t(b)});
    }
    void fillType(int type, int32_t spacing, int32_t angle100) {
        record(rec::FillType{uint8_t(type), spacing, angle100});
    }
    // A closed rectangle polygon and its fill record.
    void fillRectangle(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
        interp::PolygonBuffer& pb = model.polygons;
        const int32_t h = pb.addHeader();
        const int32_t xs[5] = {x0, x1, x1, x0, x0}, ys[5] = {y0, y0, y1, y1, y0};
        for (int i = 0; i < 5; ++i) {
            interp::PolygonVertex v;
            v.x = xs[i];
            v.y = ys[i];
            v.penUp = i == 0;
            v.mark = i == 4 ? interp::kMarkClosing : interp::kMarkOpen;
            pb.appendVertex(h, v);
        }
        interp::PolygonHeader& hd = pb.header(h);
        hd.boxXMin = x0;
        hd.boxYMin = y0;
        hd.boxXMax = x1;
        hd.boxYMax = y1;
        model.extendExtents(x0, y0);
        model.extendExtents(x1, y1);
        record(rec::FillPolygon{0, h, 1.0f, 1.0f});
    }
    // A label in character set `charSet` (48: set "0"; 80, 152 and 153 are
    // the two-byte sets).
    void label(const std::string& text, int crs = 0, int lfs = 0, int charSet = 48) {
        record(rec::Label{uint16_t(text.size()), uint16_t(text.size()), uint16_t(lfs),
                          uint16_t(crs), uint16_t(charSet), 0, 0});
        model.appendLabelText(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    }
    void finish() {
        // Keeps the view's corners inside the page box.
        model.extendExtents(0, 0);
        model.extendExtents(2000, 1000);
        model.finishLoad(interp::PaperCorner{});
    }
    // ---- drawing without pixels ----
    // The default view for a canvas of `width` x `height`, or display all.
    void setView(int width, int height, bool displayAll) {
        if (displayAll)
            view::displayAll(view, model, width, height);
        else
            view::ZoomPnt(view, 0, 0, 2000, 1000, width, height, model.extents());
    }
    // The canvas calls of the composed picture with the default view.
    std::vector<std::string> trace(int width = 200, int height = 100) {
        setView(width, height, false);
        view::TraceCanvas canvas(width, height);
        view::composePicture(canvas, inputs(), view);
        return canvas.lines();
    }
    // The state a walk of the page leaves, with the view as it is set.
    view::RenderState walkState() {
        view::TraceCanvas canvas(view.clientWidth, view.clientHeight);
        view::RenderPass pass(inputs(), view, canvas);
        pass.DrawPage();
        return pass.state();
    }
};

} // namespace rendertest
