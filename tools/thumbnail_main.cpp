// quindlemini-thumbnailer: the file manager's picture of a plot file. Draws
// page 1 with the default pen table into a PNG that fits SIZE x SIZE and keeps
// the drawing's shape. A file that cannot be read or holds no drawing gives no
// picture and status 1; a run is bounded in time and memory, so a damaged or
// huge file never stalls the file manager.
//
// usage: quindlemini-thumbnailer [-s SIZE] INPUT OUTPUT.png

#include <sys/resource.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QImage>
#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "interp/loader.h"
#include "render/model_rotation.h"
#include "settings/settings_store.h"
#include "tools/run_memory.h"
#include "view/compose_image.h"
#include "view/image_canvas.h"
#include "view/png_writer.h"

namespace {

constexpr unsigned kTimeLimitSeconds = 10;
constexpr rlim_t kAddressSpaceLimit = rlim_t(2) << 30;
constexpr int kMaxSize = 4096;

// A thumbnail nobody waits for any longer is a failure like any other.
extern "C" void onTimeLimit(int) {
    _exit(1);
}

void boundRun() {
    std::signal(SIGALRM, onTimeLimit);
    alarm(kTimeLimitSeconds);
    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) == 0 &&
        (limit.rlim_cur == RLIM_INFINITY || limit.rlim_cur > kAddressSpaceLimit)) {
        limit.rlim_cur = kAddressSpaceLimit;
        setrlimit(RLIMIT_AS, &limit);
    }
}

class QuietReporter : public interp::Reporter {
  public:
    void report(const std::string&) override {}
};

int usage() {
    std::fprintf(stderr, "usage: quindlemini-thumbnailer [-s SIZE] INPUT OUTPUT.png\n");
    return 2;
}

// The picture size that fits `size` x `size` with the shape of `e`.
void fitSize(const interp::Extents& e, int size, int& width, int& height) {
    const double w = std::max(1.0, double(e.xMax) - double(e.xMin));
    const double h = std::max(1.0, double(e.yMax) - double(e.yMin));
    if (w >= h) {
        width = size;
        height = int(std::lround(size * h / w));
    } else {
        height = size;
        width = int(std::lround(size * w / h));
    }
    width = std::max(width, 2);
    height = std::max(height, 2);
}

} // namespace

int main(int argc, char** argv) {
    tools::preferHugePages();
    std::string input, output;
    int size = 256;
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (std::strcmp(a, "-s") == 0 || std::strcmp(a, "--size") == 0) {
            if (++i >= argc) return usage();
            char* end = nullptr;
            const long v = std::strtol(argv[i], &end, 10);
            if (*end || v < 2 || v > kMaxSize) return usage();
            size = int(v);
        } else if (std::strcmp(a, "--") == 0) {
            for (++i; i < argc; ++i) {
                if (input.empty())
                    input = argv[i];
                else if (output.empty())
                    output = argv[i];
                else
                    return usage();
            }
        } else if (a[0] == '-' && a[1] != '\0') {
            return usage();
        } else if (input.empty()) {
            input = a;
        } else if (output.empty()) {
            output = a;
        } else {
            return usage();
        }
    }
    if (input.empty() || output.empty()) return usage();
    boundRun();

    // Fonts only when a label asks for a system font.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    std::optional<QGuiApplication> app;

    settings::SettingsStore store(".", "QuindleMini");
    store.setDefaults();
    interp::LoadOptions options;
    options.defaultColours = store.penTable.colour;

    interp::DrawingModel model;
    QuietReporter reporter;
    if (!interp::LoadPlotFile(model, input, options, reporter).opened) return 1;
    if (model.pageCount() < 1 || !model.extents().valid()) return 1;
    model.selectPage(1);

    view::ViewValues values;
    view::ApplyDisplayRotation(model, values, store.values.view.displayRotation);
    int width = 0, height = 0;
    fitSize(model.extents(), size, width, height);

    view::ViewState viewState;
    view::displayAll(viewState, model, width, height);
    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull()) return 1;
    const view::RenderInputs in{model, store.values, store.penTable, values};
    view::ImageCanvas canvas(image);
    canvas.setBeforeFirstText([&] {
        if (!app) app.emplace(argc, argv);
    });
    view::composePicture(canvas, in, viewState);

    const view::PixelRows rows{reinterpret_cast<const uint32_t*>(image.constBits()), width, height,
                               image.bytesPerLine() / 4, false};
    const view::WriteResult written = view::writePng(output, rows);
    if (!written.ok()) {
        std::fprintf(stderr, "%s: %s\n", output.c_str(), written.message().c_str());
        return 1;
    }
    return 0;
}
