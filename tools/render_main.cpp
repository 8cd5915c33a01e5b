// quindlemini-render: loads a plot file, performs display all for a client
// area of the given size and writes the picture as PNG.
//
// usage: quindlemini-render FILE -o OUT.png [--size WxH] [--page N]
//        [--rotation 1..4] [--mirror] [--multipage] [--settings DIR]

#include <QGuiApplication>
#include <QImage>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "interp/loader.h"
#include "render/model_rotation.h"
#include "settings/settings_store.h"
#include "view/compose_image.h"

namespace {

class StderrReporter : public interp::Reporter {
  public:
    void report(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
};

int usage() {
    std::fprintf(
        stderr,
        "usage: quindlemini-render FILE -o OUT.png [--size WxH] [--page N] [--rotation 1..4]\n"
        "                          [--mirror] [--multipage] [--settings DIR]\n");
    return 2;
}

bool parseSize(const char* s, int& w, int& h) {
    char* end = nullptr;
    const long a = std::strtol(s, &end, 10);
    if (!end || (*end != 'x' && *end != 'X')) return false;
    const long b = std::strtol(end + 1, &end, 10);
    if (*end || a < 2 || b < 2 || a > 20000 || b > 20000) return false;
    w = int(a);
    h = int(b);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    std::string file, out, settingsDir;
    int width = 1600, height = 1000, page = 1, rotation = 0;
    bool mirror = false, multiPage = false;
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        if (std::strcmp(a, "-o") == 0) {
            const char* v = value();
            if (!v) return usage();
            out = v;
        } else if (std::strcmp(a, "--size") == 0) {
            const char* v = value();
            if (!v || !parseSize(v, width, height)) return usage();
        } else if (std::strcmp(a, "--page") == 0) {
            const char* v = value();
            if (!v) return usage();
            page = std::atoi(v);
        } else if (std::strcmp(a, "--rotation") == 0) {
            const char* v = value();
            if (!v) return usage();
            rotation = std::atoi(v);
            if (rotation < 1 || rotation > 4) return usage();
        } else if (std::strcmp(a, "--mirror") == 0) {
            mirror = true;
        } else if (std::strcmp(a, "--multipage") == 0) {
            multiPage = true;
        } else if (std::strcmp(a, "--settings") == 0) {
            const char* v = value();
            if (!v) return usage();
            settingsDir = v;
        } else if (a[0] == '-' && a[1] != '\0') {
            return usage();
        } else if (file.empty()) {
            file = a;
        } else {
            return usage();
        }
    }
    if (file.empty() || out.empty()) return usage();

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    settings::SettingsStore store(settingsDir.empty() ? std::string(".") : settingsDir,
                                  "QuindleMini");
    store.setDefaults();
    if (!settingsDir.empty()) {
        const bool loaded = store.load() == settings::LoadResult::Loaded;
        store.loadPenTablesAtStartUp(loaded);
    }

    interp::LoadOptions options;
    options.multiPage = multiPage;
    options.drawSizePs = store.values.open.DrawSize == 1;
    options.defaultColours = store.penTable.colour;
    options.penPenTableNo = store.values.pens.PenPenTblNo;
    options.penPen = store.penPenTable.map;

    interp::DrawingModel model;
    StderrReporter reporter;
    const interp::LoadResult result = interp::LoadPlotFile(model, file, options, reporter);
    if (!result.opened) return 1;
    model.selectPage(page);

    view::ViewValues values;
    values.mirror = mirror;
    view::ApplyDisplayRotation(model, values,
                               rotation != 0 ? rotation : store.values.view.displayRotation);

    view::ViewState viewState;
    view::displayAll(viewState, model, width, height);
    QImage image(width, height, QImage::Format_RGB32);
    const view::RenderInputs in{model, store.values, store.penTable, values};
    view::composeImage(image, in, viewState);
    if (!image.save(QString::fromLocal8Bit(out.c_str()), "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", out.c_str());
        return 1;
    }
    return 0;
}
