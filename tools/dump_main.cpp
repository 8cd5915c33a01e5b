// quindlemini-dump: loads a plot file and prints its drawing list as text.
//
// usage: quindlemini-dump [--multipage] [--drawsize-ps] [--penpen FILE] [--] FILE
// Exit status: 0 done, 1 the file could not be read or the output not written, 2 usage.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <unistd.h>

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
    std::fprintf(
        stderr,
        "usage: quindlemini-dump [--multipage] [--drawsize-ps] [--penpen FILE] [--] FILE\n");
    return 2;
}

// Writes all of `text` to standard output; false with errno set on failure.
bool writeOut(std::string_view text) {
    while (!text.empty()) {
        const ssize_t n = ::write(STDOUT_FILENO, text.data(), text.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0)
        return tools::printSynopsis(tools::kDumpSynopsis);
    interp::LoadOptions options;
    options.defaultColours = settings::defaultPenColours();
    // Like any Unix tool, this one reads pipes and FIFOs too.
    options.specialFiles = true;
    std::string file;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        if (optionsEnded || a[0] != '-' || a[1] == '\0') {
            if (!file.empty()) return usage();
            file = a;
        } else if (std::strcmp(a, "--") == 0) {
            optionsEnded = true;
        } else if (std::strcmp(a, "--multipage") == 0) {
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
        } else {
            return usage();
        }
    }
    if (file.empty()) return usage();

    interp::DrawingModel model;
    StderrReporter reporter;
    interp::LoadResult result = interp::LoadPlotFile(model, file, options, reporter);
    if (!result.opened) return 1;
    // The text goes out piece by piece as it is made; every write and the close are checked.
    bool ok = interp::dumpDrawing(model, result, writeOut);
    int error = ok ? 0 : errno;
    if (::close(STDOUT_FILENO) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        std::fprintf(stderr, "cannot write the dump: %s\n", std::strerror(error));
        return 1;
    }
    return 0;
}
