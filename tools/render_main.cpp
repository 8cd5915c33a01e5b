// quindlemini-render: loads a plot file, performs display all for a client
// area of the given size and writes the picture: PNG, or SVG or PDF vectors,
// as the output's extension says.
//
// usage: quindlemini-render -o OUT.{png,svg,pdf} [--size WxH] [--page N]
//        [--rotation 1..4] [--mirror] [--multipage] [--settings DIR] [--] FILE
// The output's extension picks the format. Exit status: 0 written, 1 the file
// could not be read or the picture not written (an old OUT then stays as it
// was), 2 usage.

#include <sys/stat.h>

#include <QGuiApplication>
#include <QImage>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "interp/loader.h"
#include "render/compose_picture.h"
#include "render/model_rotation.h"
#include "settings/atomic_file.h"
#include "settings/settings_store.h"
#include "tools/run_memory.h"
#include "tools/synopsis.h"
#include "view/image_canvas.h"
#include "view/output_format.h"
#include "view/pdf_export.h"
#include "view/png_writer.h"
#include "view/svg_export.h"
#include "view/text_font.h"

namespace {

class StderrReporter : public interp::Reporter {
  public:
    void report(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
};

int usage() {
    std::fprintf(stderr, "usage: quindlemini-render -o OUT.{png,svg,pdf} [--size WxH] [--page N]\n"
                         "                          [--rotation 1..4] [--mirror] [--multipage]\n"
                         "                          [--settings DIR] [--] FILE\n"
                         "A .pdf holds every page with --multipage, else the page asked for.\n");
    return 2;
}

// A whole argument as a decimal number in [low, high]; false for anything else ("3abc").
bool parseNumber(const char* s, long low, long high, int& value) {
    if (!s || !*s) return false;
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(s, &end, 10);
    if (errno != 0 || *end != '\0' || v < low || v > high) return false;
    value = int(v);
    return true;
}

// Writes `bytes` to `path` through a temporary file renamed into place; a FIFO or device
// named as output is written directly. False with a message on standard error on failure.
bool writeOutput(const std::string& path, std::string_view bytes) {
    settings::OutputFile out;
    if (out.open(path, settings::SpecialFiles::WriteDirectly) && out.write(bytes) && out.commit())
        return true;
    std::fprintf(stderr, "cannot write %s: %s\n", path.c_str(), std::strerror(out.error()));
    return false;
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
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0)
        return tools::printSynopsis(tools::kRenderSynopsis);
    tools::preferHugePages();
    std::string file, out, settingsDir;
    int width = 1600, height = 1000, page = 0, rotation = 0;
    bool mirror = false, multiPage = false, optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        if (optionsEnded || a[0] != '-' || a[1] == '\0') {
            if (!file.empty()) return usage();
            file = a;
        } else if (std::strcmp(a, "--") == 0) {
            optionsEnded = true;
        } else if (std::strcmp(a, "-o") == 0) {
            const char* v = value();
            if (!v) return usage();
            out = v;
        } else if (std::strcmp(a, "--size") == 0) {
            const char* v = value();
            if (!v || !parseSize(v, width, height)) return usage();
        } else if (std::strcmp(a, "--page") == 0) {
            // Checked against the page count once the file is read.
            if (!parseNumber(value(), 1, 1000000000, page)) return usage();
        } else if (std::strcmp(a, "--rotation") == 0) {
            if (!parseNumber(value(), 1, 4, rotation)) return usage();
        } else if (std::strcmp(a, "--mirror") == 0) {
            mirror = true;
        } else if (std::strcmp(a, "--multipage") == 0) {
            multiPage = true;
        } else if (std::strcmp(a, "--settings") == 0) {
            const char* v = value();
            if (!v) return usage();
            settingsDir = v;
        } else {
            return usage();
        }
    }
    if (file.empty() || out.empty()) return usage();
    view::OutputFormat format = view::outputFormatOf(out);
    // A pipe or device named as output (/dev/stdout, a FIFO) takes PNG.
    struct stat target {};
    if (format == view::OutputFormat::Unknown && ::stat(out.c_str(), &target) == 0 &&
        !S_ISREG(target.st_mode) && !S_ISDIR(target.st_mode))
        format = view::OutputFormat::Png;
    if (format == view::OutputFormat::Unknown) {
        std::fprintf(stderr, "%s: unknown picture format; name the output .png, .svg or .pdf\n",
                     out.c_str());
        return usage();
    }

    // Fonts, and with them the application object, only when a label asks for
    // a system font: most drawings use the vector font only.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    std::optional<QGuiApplication> app;
    const auto startFonts = [&] {
        if (!app) app.emplace(argc, argv);
    };

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
    // Like any Unix tool, this one reads pipes and FIFOs too.
    options.specialFiles = true;

    interp::DrawingModel model;
    StderrReporter reporter;
    const interp::LoadResult result = interp::LoadPlotFile(model, file, options, reporter);
    if (!result.opened) return 1;
    if (page != 0 && page > model.pageCount()) {
        std::fprintf(stderr, "--page %d: the file has %d page(s)\n", page, model.pageCount());
        return usage();
    }
    model.selectPage(page != 0 ? page : 1);

    view::ViewValues values;
    values.mirror = mirror;
    view::ApplyDisplayRotation(model, values,
                               rotation != 0 ? rotation : store.values.view.displayRotation);

    const view::RenderInputs in{model, store.values, store.penTable, values};
    std::string bytes;
    if (format == view::OutputFormat::Png) {
        view::ViewState viewState;
        view::displayAll(viewState, model, width, height);
        QImage image(width, height, QImage::Format_RGB32);
        if (image.isNull()) {
            std::fprintf(stderr, "not enough memory for a %dx%d picture\n", width, height);
            return 1;
        }
        view::ImageCanvas canvas(image);
        canvas.setBeforeFirstText(startFonts);
        view::composePicture(canvas, in, viewState);
        std::vector<uint8_t> png;
        if (!view::encodePng({reinterpret_cast<const uint32_t*>(image.constBits()), width, height,
                              image.bytesPerLine() / 4, false},
                             png)) {
            std::fprintf(stderr, "cannot encode the picture as PNG\n");
            return 1;
        }
        bytes.assign(png.begin(), png.end());
    } else if (format == view::OutputFormat::Svg) {
        bytes = view::svgOfCurrentPage(in, [&](const view::TextRun& run) {
            startFonts();
            const view::TextRunMetrics m = view::measureTextRun(run);
            return view::SvgCanvas::TextMetrics{m.width, m.ascent, m.stretch};
        });
    } else {
        startFonts();
        std::vector<int> pages;
        if (multiPage)
            for (int n = 1; n <= model.pageCount(); ++n)
                pages.push_back(n);
        else
            pages.push_back(model.currentPage());
        if (!view::pdfOfPages(model, store.values, store.penTable, values, pages, bytes)) {
            std::fprintf(stderr, "cannot make the PDF document\n");
            return 1;
        }
    }
    if (!writeOutput(out, bytes)) return 1;
    // The drawing is not freed block by block: the process ends here.
    std::fflush(nullptr);
    std::_Exit(0);
}
