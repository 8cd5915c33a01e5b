// Render pass throughput: a page of N short random segments drawn with
// display all (1600 x 1000 unless a size is given), as the window draws it
// (two bands on two threads), on one thread, and as the reference pass that
// takes every record through its handler; next to two baselines on the same
// segments in the same run: QPainter::drawLine per segment on a QImage, and a
// bare single-thread integer Bresenham loop writing pixels.
//
// usage: render_bench [vectors=1000000] [repeats=5] [WIDTHxHEIGHT]

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/plot_generator.h"
#include "interp/loader.h"
#include "interp/record_reader.h"
#include "settings/settings_record.h"
#include "view/compose_image.h"

namespace {

int kWidth = 1600;
int kHeight = 1000;

class QuietReporter : public interp::Reporter {
  public:
    void report(const std::string& text) override {
        std::fprintf(stderr, "message: %s\n", text.c_str());
    }
};

struct Seg {
    int x0, y0, x1, y1;
};

double seconds(std::chrono::steady_clock::time_point a, std::chrono::steady_clock::time_point b) {
    return std::chrono::duration<double>(b - a).count();
}

// The pen-down segments of the page, mapped to pixels with the same view.
std::vector<Seg> pixelSegments(const interp::DrawingModel& model, const view::ViewState& v) {
    std::vector<Seg> out;
    interp::RecordReader reader(model, model.currentPage());
    interp::Record r;
    bool down = false;
    double px = 0, py = 0;
    while (reader.nextOnPage(r)) {
        if (r.code == interp::Rec::PenUp)
            down = false;
        else if (r.code == interp::Rec::PenDown)
            down = true;
        else if (r.code == interp::Rec::Point) {
            const interp::rec::Point p = r.as<interp::rec::Point>();
            const double x = p.x, y = p.y;
            if (down) {
                const view::PixelPos a = view::mapToPixel(v, px, py), b = view::mapToPixel(v, x, y);
                if (a.onWindow() && b.onWindow())
                    out.push_back({std::min(a.x, kWidth - 1), std::min(a.y, kHeight - 1),
                                   std::min(b.x, kWidth - 1), std::min(b.y, kHeight - 1)});
            }
            px = x;
            py = y;
        }
    }
    return out;
}

void bresenham(uint32_t* bits, int stride, const Seg& s, uint32_t c) {
    int x = s.x0, y = s.y0;
    const int dx = std::abs(s.x1 - s.x0), dy = -std::abs(s.y1 - s.y0);
    const int sx = s.x0 < s.x1 ? 1 : -1, sy = s.y0 < s.y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        bits[y * stride + x] = c;
        if (x == s.x1 && y == s.y1) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    const size_t vectors = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1000000;
    const int repeats = argc > 2 ? std::atoi(argv[2]) : 5;
    if (argc > 3 && std::sscanf(argv[3], "%dx%d", &kWidth, &kHeight) != 2) kWidth = 0;
    if (vectors == 0 || repeats <= 0 || kWidth <= 0 || kHeight <= 0) {
        std::fprintf(stderr, "usage: render_bench [vectors] [repeats] [WIDTHxHEIGHT]\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const std::string path =
        (std::filesystem::temp_directory_path() / "qm-render-bench.plt").string();
    {
        const std::string text = bench::generatePlot(vectors, 7);
        std::ofstream(path, std::ios::binary).write(text.data(), std::streamsize(text.size()));
    }
    interp::DrawingModel model;
    QuietReporter reporter;
    settings::SettingsRecord record;
    settings::PenTable pens;
    interp::LoadOptions options;
    options.defaultColours = pens.colour;
    if (!interp::LoadPlotFile(model, path, options, reporter).opened) return 1;
    std::filesystem::remove(path);

    view::ViewValues values;
    view::ViewState v;
    view::displayAll(v, model, kWidth, kHeight);
    const view::RenderInputs in{model, record, pens, values};
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    const std::vector<Seg> segs = pixelSegments(model, v);
    const double n = double(segs.size());

    double pass = 1e9, oneThread = 1e9, reference = 1e9, painter = 1e9, bare = 1e9;
    for (int k = 0; k < repeats; ++k) {
        auto t0 = std::chrono::steady_clock::now();
        view::composeImage(image, in, v);
        auto t1 = std::chrono::steady_clock::now();
        pass = std::min(pass, seconds(t0, t1));

        t0 = std::chrono::steady_clock::now();
        view::composeImage(image, in, v, view::PassMode::OneThread);
        t1 = std::chrono::steady_clock::now();
        oneThread = std::min(oneThread, seconds(t0, t1));

        t0 = std::chrono::steady_clock::now();
        view::composeImage(image, in, v, view::PassMode::Reference);
        t1 = std::chrono::steady_clock::now();
        reference = std::min(reference, seconds(t0, t1));

        image.fill(0xFFFFFFFFu);
        t0 = std::chrono::steady_clock::now();
        {
            QPainter p(&image);
            p.setPen(QPen(Qt::black, 0));
            for (const Seg& s : segs)
                p.drawLine(s.x0, s.y0, s.x1, s.y1);
        }
        t1 = std::chrono::steady_clock::now();
        painter = std::min(painter, seconds(t0, t1));

        image.fill(0xFFFFFFFFu);
        uint32_t* bits = reinterpret_cast<uint32_t*>(image.bits());
        const int stride = int(image.bytesPerLine() / 4);
        t0 = std::chrono::steady_clock::now();
        for (const Seg& s : segs)
            bresenham(bits, stride, s, 0xFF000000u);
        t1 = std::chrono::steady_clock::now();
        bare = std::min(bare, seconds(t0, t1));
    }
    std::printf("segments on the page: %.0f (of %zu vectors), %d x %d, display all, best of %d\n",
                n, vectors, kWidth, kHeight, repeats);
    std::printf("render pass, two bands (incl. clear): %8.1f ms  %.4f us/segment\n", pass * 1e3,
                pass * 1e6 / n);
    std::printf("render pass, one thread:              %8.1f ms  %.4f us/segment\n",
                oneThread * 1e3, oneThread * 1e6 / n);
    std::printf("reference pass (every record):        %8.1f ms  %.4f us/segment\n",
                reference * 1e3, reference * 1e6 / n);
    std::printf("QPainter::drawLine baseline:          %8.1f ms  %.4f us/segment\n", painter * 1e3,
                painter * 1e6 / n);
    std::printf("bare Bresenham baseline:              %8.1f ms  %.4f us/segment\n", bare * 1e3,
                bare * 1e6 / n);
    std::printf("pass / bare loop: %.2f x (one thread %.2f x)   QPainter / pass: %.1f x\n",
                pass / bare, oneThread / bare, painter / pass);

    // Zoomed views: the runs outside the view are stepped over.
    const interp::Extents& e = model.extents();
    const int32_t cx = int32_t((int64_t(e.xMin) + e.xMax) / 2);
    const int32_t cy = int32_t((int64_t(e.yMin) + e.yMax) / 2);
    const int32_t w = e.xMax - e.xMin, h = e.yMax - e.yMin;
    struct Zoomed {
        const char* what;
        int32_t x1, y1, x2, y2;
    };
    const Zoomed zoomed[] = {
        {"zoomed 2x on the centre:             ", cx - w / 4, cy - h / 4, cx + w / 4, cy + h / 4},
        {"zoomed 8x on the centre:             ", cx - w / 16, cy - h / 16, cx + w / 16,
         cy + h / 16},
        {"an empty view beside the page:       ", e.xMax + w, cy, e.xMax + 2 * w, cy + h}};
    for (const Zoomed& z : zoomed) {
        view::ViewState zv;
        view::ZoomPnt(zv, z.x1, z.y1, z.x2, z.y2, kWidth, kHeight, e);
        double fast = 1e9, one = 1e9;
        for (int k = 0; k < repeats; ++k) {
            auto t0 = std::chrono::steady_clock::now();
            view::composeImage(image, in, zv);
            auto t1 = std::chrono::steady_clock::now();
            view::composeImage(image, in, zv, view::PassMode::OneThread);
            auto t2 = std::chrono::steady_clock::now();
            fast = std::min(fast, seconds(t0, t1));
            one = std::min(one, seconds(t1, t2));
        }
        std::printf("%s %8.1f ms two bands, %8.1f ms one thread\n", z.what, fast * 1e3, one * 1e3);
    }
    return 0;
}
