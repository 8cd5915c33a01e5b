// Runs of one-pixel segments are drawn straight onto the image's pixels; the
// picture must be the one the general canvas path draws, pixel for pixel.

#include <gtest/gtest.h>

#include <random>

#include "scene.h"
#include "view/image_canvas.h"

namespace {

// Hands every call on to an image canvas; offering no pixel surface, it keeps
// the pass on its general path.
class ForwardingCanvas : public view::Canvas {
  public:
    explicit ForwardingCanvas(view::ImageCanvas& inner) : c_(inner) {}
    int width() const override { return c_.width(); }
    int height() const override { return c_.height(); }
    void setPen(uint32_t colour, int width, view::RasterOp op) override {
        c_.setPen(colour, width, op);
    }
    void moveTo(int x, int y) override { c_.moveTo(x, y); }
    void lineTo(int x, int y) override { c_.lineTo(x, y); }
    void fillRect(int x, int y, int w, int h, uint32_t colour) override {
        c_.fillRect(x, y, w, h, colour);
    }
    void setPixel(int x, int y, uint32_t colour) override { c_.setPixel(x, y, colour); }
    void fillPolygon(const view::PointD* p, const int* sizes, int parts, view::FillRule rule,
                     const view::CanvasBrush& brush, view::RasterOp op) override {
        c_.fillPolygon(p, sizes, parts, rule, brush, op);
    }
    void setClipRect(int x0, int y0, int x1, int y1) override { c_.setClipRect(x0, y0, x1, y1); }
    void clearClip() override { c_.clearClip(); }
    void drawText(const view::TextRun& run) override { c_.drawText(run); }
    double textWidth(const view::TextRun& run) override { return c_.textWidth(run); }

  private:
    view::ImageCanvas& c_;
};

QImage generalPath(viewtest::Scene& s) {
    QImage image(s.image.size(), QImage::Format_RGB32);
    view::ImageCanvas inner(image);
    ForwardingCanvas canvas(inner);
    view::composePicture(canvas, s.inputs(), s.view);
    return image;
}

} // namespace

TEST(PointRuns, MatchTheGeneralPathPixelForPixel) {
    for (int variant = 0; variant < 4; ++variant) {
        viewtest::Scene s;
        std::mt19937 rng(77 + variant);
        auto coord = [&](int lo, int hi) { return lo + int(rng() % unsigned(hi - lo + 1)); };
        if (variant == 2)
            s.record(interp::rec::InputWindow{300, 200, 1500, 800}); // a smaller clip box
        for (int run = 0; run < 60; ++run) {
            s.penSelect(1 + run % 4);
            s.penUp();
            s.point(coord(-300, 2300), coord(-300, 1300));
            s.penDown();
            int x = coord(0, 2000), y = coord(0, 1000);
            for (int k = 0; k < 30; ++k) {
                x += coord(-150, 150); // wanders off the window now and then
                y += coord(-150, 150);
                s.point(x, y);
                if (k % 11 == 0) s.point(x, y); // zero-length segments
            }
        }
        s.values.mirror = variant == 3;
        if (variant == 1) s.settings.pens.DrawModes = 1; // lines merged with what lies below
        s.finish();
        s.render();
        const QImage general = generalPath(s);
        int differing = 0;
        for (int y = 0; y < s.image.height(); ++y)
            for (int x = 0; x < s.image.width(); ++x)
                if (s.image.pixel(x, y) != general.pixel(x, y)) ++differing;
        EXPECT_EQ(differing, 0) << "variant " << variant;
        EXPECT_GT(s.ink().count, 1000) << "variant " << variant;
    }
}
