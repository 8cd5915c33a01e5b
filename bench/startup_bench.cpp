// Start-up and navigation times of the viewer on a synthetic drawing of N
// vectors (about 12 MB for 1,000,000): from the start of main to the first
// painted drawing (settings, main window, load, display all, paint), then
// display all, zoom up, zoom down and shift in a 1000 x 700 drawing window.
// Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise.
//
// usage: startup_bench [vectors=1000000] [repeats=5]

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <vector>

#include "app/main_window.h"
#include "bench/plot_generator.h"
#include "view/window/drawing_window.h"

namespace {

class QuietDialogs : public app::AppDialogs {
  public:
    void report(QWidget*, const QString& t) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(t));
    }
    void dataError(QWidget*, int, int) override {}
};

template <typename F> double bestMs(int repeats, F&& f) {
    std::vector<double> ms;
    for (int k = 0; k < repeats; ++k) {
        auto t0 = std::chrono::steady_clock::now();
        f();
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0)
                .count());
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    const size_t vectors = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1000000;
    const int repeats = argc > 2 ? std::atoi(argv[2]) : 5;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");

    // The drawing file is written before the clock starts.
    QTemporaryDir dir;
    const std::string plot = bench::generatePlot(vectors, 7);
    const QString file = dir.filePath(QStringLiteral("bench.plt"));
    std::ofstream(file.toStdString(), std::ios::binary)
        .write(plot.data(), std::streamsize(plot.size()));

    const auto start = std::chrono::steady_clock::now();
    QApplication application(argc, argv);
    settings::SettingsStore store(dir.path().toStdString(), "QuindleMini");
    store.setDefaults();
    store.loadPenTablesAtStartUp(false);
    interp::DrawingModel model;
    view::ViewValues values;
    QuietDialogs dialogs;
    app::MainWindow window(model, store, values, dialogs, app::StartUp{file, true});
    window.setGeometry(0, 0, 1040, 820);
    bool painted = false;
    QObject::connect(&window, &app::MainWindow::firstPicture, [&] { painted = true; });
    window.show();
    while (!painted)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    const double firstMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();

    view::DrawingWindow* w = window.activeDrawingWindow();
    if (!w) return 1;
    w->parentWidget()->showNormal();
    w->parentWidget()->resize(1000 + 16, 700 + 40);
    QApplication::processEvents();
    const QSize client = w->clientSize();

    const double all = bestMs(repeats, [&] { w->displayAll(); });
    const double up = bestMs(repeats,
                             [&] {
                                 w->displayAll();
                                 w->zoomIn();
                             }) -
                      all;
    w->displayAll();
    const double down = bestMs(repeats, [&] { w->zoomOut(); });
    w->displayAll();
    w->zoomIn();
    const double shift = bestMs(repeats,
                                [&] {
                                    w->shiftBy(1, 0);
                                    w->shiftBy(-1, 0);
                                }) /
                         2;
    const double wheel =
        bestMs(repeats,
               [&] {
                   w->handleWheel(120, QPoint(client.width() / 2, client.height() / 2));
                   w->handleWheel(-120, QPoint(client.width() / 2, client.height() / 2));
               }) /
        2;

    std::printf("drawing: %zu vectors, %.1f MB, %d pages, client %dx%d\n", vectors,
                plot.size() / 1e6, model.pageCount(), client.width(), client.height());
    std::printf("start of main to first painted drawing: %8.1f ms\n", firstMs);
    std::printf("display all:                              %8.1f ms (median of %d)\n", all,
                repeats);
    std::printf("zoom up (after display all):              %8.1f ms\n", up);
    std::printf("zoom down:                                %8.1f ms\n", down);
    std::printf("shift (zoomed in 2x):                     %8.1f ms\n", shift);
    std::printf("wheel notch:                              %8.1f ms\n", wheel);
    return 0;
}
