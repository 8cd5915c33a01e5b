#pragma once
// A drawing built record by record for the view tests, with the settings,
// pen table and view it is drawn with, and helpers to look at the picture.
//
// The default view shows (0, 0)-(2000, 1000) plotter units on a 200 x 100
// image: 0.1 pixel per plotter unit, plotter (x, y) at pixel
// (x / 10, 100 - y / 10). Pen 0 (the back pen) is black, so the paper is
// black; pen 1 is (127, 0, 0).

#include <QImage>
#include <algorithm>
#include <cstdint>
#include <string>

#include "interp/drawing_model.h"
#include "settings/pen_tables.h"
#include "settings/settings_record.h"
#include "view/compose_image.h"
#include "view/image_canvas.h"

namespace viewtest {

constexpr uint32_t kPen1 = 0x00007F; // 0x00BBGGRR of (127, 0, 0)

struct InkBox {
    int x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1;
    int count = 0;
    bool empty() const { return count == 0; }
};

struct Scene {
    interp::DrawingModel model;
    settings::SettingsRecord settings;
    settings::PenTable pens;
    view::ViewValues values;
    view::ViewState view;
    QImage image;

    // ---- building ----
    void penSelect(int pen) { model.writePenSelect(uint8_t(pen)); }
    void penUp() { model.beginRecord(2); }
    void penDown() { model.beginRecord(3); }
    void point(int32_t x, int32_t y) { model.appendPoint(x, y); }
    void line(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
        penUp();
        point(x0, y0);
        penDown();
        point(x1, y1);
    }
    void record(uint8_t code, std::initializer_list<int32_t> items) {
        model.beginRecord(code);
        for (int32_t v : items)
            model.putI(v);
    }
    void penWidth(int32_t value, int32_t pen) { record(9, {value, pen}); }
    void penColour(int pen, int r, int g, int b) {
        model.beginRecord(26);
        model.putW(pen);
        model.putW(r);
        model.putW(g);
        model.putW(b);
    }
    void fillType(int type, int32_t spacing, int32_t angle100) {
        model.beginRecord(18);
        model.putB(uint8_t(type));
        model.putI(spacing);
        model.putI(angle100);
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
        model.beginRecord(21);
        model.putB(0);
        model.putP(h);
        model.putF(1.0f);
        model.putF(1.0f);
    }
    void label(const std::string& text, int crs = 0, int lfs = 0) {
        model.beginRecord(10);
        model.putW(int32_t(text.size()));
        model.putW(int32_t(text.size()));
        model.putW(lfs);
        model.putW(crs);
        model.putW(48);
        model.putB(0);
        model.putB(0);
        model.appendLabelText(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    }
    void finish() {
        // Keeps the view's corners inside the page box.
        model.extendExtents(0, 0);
        model.extendExtents(2000, 1000);
        model.finishLoad(interp::PaperCorner{});
    }

    // ---- drawing ----
    void render(int width = 200, int height = 100, bool displayAll = false) {
        image = QImage(width, height, QImage::Format_RGB32);
        if (displayAll)
            view::displayAll(view, model, width, height);
        else
            view::ZoomPnt(view, 0, 0, 2000, 1000, width, height, model.extents());
        const view::RenderInputs in{model, settings, pens, values};
        view::composeImage(image, in, view);
    }

    // ---- looking ----
    uint32_t at(int x, int y) const { return view::fromPixel(image.pixel(x, y)); }
    bool inked(int x, int y) const {
        return x >= 0 && y >= 0 && x < image.width() && y < image.height() && at(x, y) != 0;
    }
    InkBox ink(int x0 = 0, int y0 = 0, int x1 = 1 << 30, int y1 = 1 << 30) const {
        InkBox b;
        for (int y = std::max(0, y0); y < std::min(image.height(), y1); ++y)
            for (int x = std::max(0, x0); x < std::min(image.width(), x1); ++x)
                if (at(x, y) != 0) {
                    b.x0 = std::min(b.x0, x);
                    b.y0 = std::min(b.y0, y);
                    b.x1 = std::max(b.x1, x);
                    b.y1 = std::max(b.y1, y);
                    ++b.count;
                }
        return b;
    }
};

} // namespace viewtest
