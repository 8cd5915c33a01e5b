// quindlemini-dump: loads a plot file and prints its drawing list as text.

#include <cstdio>
#include <cstring>
#include <string>

#include "interp/loader.h"
#include "interp/record_dump.h"
#include "settings/pen_tables.h"
#include "tools/synopsis.h"

namespace {

class StderrReporter : public interp::Reporter {
  public:
    void report(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
};

int usage() {
    std::fprintf(stderr,
                 "usage: quindlemini-dump [--multipage] [--drawsize-ps] [--penpen FILE] FILE\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0)
        return tools::printSynopsis(tools::kDumpSynopsis);
    interp::LoadOptions options;
    options.defaultColours = settings::defaultPenColours();
    std::string file;
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (std::strcmp(a, "--multipage") == 0) {
            options.multiPage = true;
        } else if (std::strcmp(a, "--drawsize-ps") == 0) {
            options.drawSizePs = true;
        } else if (std::strcmp(a, "--penpen") == 0) {
            if (++i >= argc) return usage();
            std::string name;
            if (!settings::readPenPenTableFile(argv[i], options.penPen, name)) {
                std::fprintf(stderr, "cannot read pen-to-pen table %s\n", argv[i]);
                return 2;
            }
            options.penPenTableNo = 1;
        } else if (a[0] == '-' && a[1] == '-') {
            return usage();
        } else if (file.empty()) {
            file = a;
        } else {
            return usage();
        }
    }
    if (file.empty()) return usage();

    interp::DrawingModel model;
    StderrReporter reporter;
    interp::LoadResult result = interp::LoadPlotFile(model, file, options, reporter);
    if (!result.opened) return 1;
    std::string text = interp::dumpDrawing(model, result);
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
}
