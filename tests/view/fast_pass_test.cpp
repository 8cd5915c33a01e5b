// The fast ways of drawing a page (runs of lines straight onto the pixels,
// runs outside the view or the band stepped over, two bands on two threads)
// must give the pixels of the reference pass, which reads every record and
// draws it through its handler: on random drawings with every line state that
// matters, and on the corpus files at zoomed and shifted views.

#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <random>
#include <string>

#include "interp/loader.h"
#include "interp/model_rotation.h"
#include "scene.h"

namespace fs = std::filesystem;

namespace {

int differingPixels(const QImage& a, const QImage& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) ++n;
    return n;
}

QImage draw(const view::RenderInputs& in, const view::ViewState& at, int w, int h,
            view::PassMode mode) {
    QImage image(w, h, QImage::Format_RGB32);
    view::ViewState v = at;
    view::composeImage(image, in, v, mode);
    return image;
}

// Views of the extents: the whole page, then zoomed in around several
// points (some near the edges), then far in, then shifted off the page.
std::vector<view::ViewState> viewsOf(const interp::Extents& e, int w, int h) {
    std::vector<view::ViewState> views;
    view::ViewState v;
    view::ZoomPnt(v, e.xMin, e.yMin, e.xMax, e.yMax, w, h, e);
    views.push_back(v);
    const int64_t dx = int64_t(e.xMax) - e.xMin, dy = int64_t(e.yMax) - e.yMin;
    const double spots[][3] = {{0.25, 0.25, 2}, {0.75, 0.7, 2}, {0.5, 0.5, 3},
                               {0.1, 0.9, 4},   {0.6, 0.4, 9},  {1.05, 0.5, 2}};
    for (const auto& s : spots) {
        const int64_t cx = e.xMin + int64_t(dx * s[0]), cy = e.yMin + int64_t(dy * s[1]);
        const int64_t hx = int64_t(dx / s[2] / 2) + 1, hy = int64_t(dy / s[2] / 2) + 1;
        view::ZoomPnt(v, int32_t(cx - hx), int32_t(cy - hy), int32_t(cx + hx), int32_t(cy + hy), w,
                      h, e);
        views.push_back(v);
    }
    return views;
}

void expectModesAgree(const view::RenderInputs& in, const view::ViewState& v, int w, int h,
                      const std::string& what) {
    const QImage reference = draw(in, v, w, h, view::PassMode::Reference);
    EXPECT_EQ(differingPixels(reference, draw(in, v, w, h, view::PassMode::OneThread)), 0)
        << what << ", one thread";
    EXPECT_EQ(differingPixels(reference, draw(in, v, w, h, view::PassMode::Bands)), 0)
        << what << ", two bands";
}

} // namespace

TEST(FastPass, RandomDrawingsGiveTheReferencePixels) {
    for (int variant = 0; variant < 8; ++variant) {
        viewtest::Scene s;
        std::mt19937 rng(1234 + variant);
        auto coord = [&](int lo, int hi) { return lo + int(rng() % unsigned(hi - lo + 1)); };
        if (variant == 1) s.record(interp::rec::InputWindow{300, 200, 1500, 800});
        if (variant == 2) s.settings.pens.DrawModes = 1;         // merged with what lies below
        if (variant == 3) s.record(interp::rec::LineType{2, 4}); // dashes run on across runs
        if (variant == 4) s.pens.width[3] = 300;                 // a wide pen among thin ones
        if (variant == 5) s.pens.display[2] = 0;                 // a hidden pen
        for (int run = 0; run < 400; ++run) {
            if (run % 7 == 0) s.penSelect(1 + run % 4);
            if (run % 37 == 5) { // filled and hatched shapes between the runs
                s.fillType(run % 2 ? 1 : 3, 40, 4500);
                const int x0 = coord(-100, 1900), y0 = coord(-100, 900);
                s.fillRectangle(x0, y0, x0 + coord(20, 300), y0 + coord(20, 200));
            }
            if (run % 23 == 11) s.record(interp::rec::Circle{coord(10, 200), 36});
            s.penUp();
            s.point(coord(-400, 2400), coord(-400, 1400));
            s.penDown();
            int x = coord(-200, 2200), y = coord(-200, 1200);
            const int length = coord(1, 70);
            for (int k = 0; k < length; ++k) {
                x += coord(-60, 60);
                y += coord(-60, 60);
                s.point(x, y);
                if (k % 13 == 5) s.point(x, y); // zero-length segments
                if (k % 29 == 17) {             // a pen up and down inside a run
                    s.penUp();
                    s.penDown();
                }
            }
        }
        s.values.mirror = variant == 6;
        s.finish();
        if (variant == 7) {
            interp::rotateModel(s.model, 1);
            ASSERT_TRUE(s.model.chunks.matches(s.model));
        }
        ASSERT_TRUE(s.model.chunks.matches(s.model));
        const int w = 301, h = 187; // odd sizes: bands of unequal height
        for (const view::ViewState& v : viewsOf(s.model.extents(), w, h))
            expectModesAgree(s.inputs(), v, w, h, "variant " + std::to_string(variant));
    }
}

TEST(FastPass, CorpusFilesGiveTheReferencePixelsZoomedIn) {
    const fs::path corpus(QM_CORPUS_DIR);
    if (!fs::is_directory(corpus)) GTEST_SKIP() << "no corpus at " << corpus;
    struct Quiet : interp::Reporter {
        void report(const std::string&) override {}
    } quiet;
    settings::SettingsRecord settings;
    settings::PenTable pens;
    view::ViewValues values;
    int files = 0;
    for (const fs::directory_entry& e : fs::directory_iterator(corpus)) {
        if (!e.is_regular_file()) continue;
        interp::DrawingModel model;
        interp::LoadOptions options;
        options.defaultColours = pens.colour;
        if (!interp::LoadPlotFile(model, e.path().string(), options, quiet).opened) continue;
        ++files;
        const view::RenderInputs in{model, settings, pens, values};
        const int w = 360, h = 250;
        for (const view::ViewState& v : viewsOf(model.extents(), w, h))
            expectModesAgree(in, v, w, h, e.path().filename().string());
    }
    EXPECT_GT(files, 0);
}
