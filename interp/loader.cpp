#include "loader.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <memory>
#include <new>

#include "interp/interpreter.h"
#include "interp/regular_file.h"
#include "interp/rtl_pjl.h"

namespace interp {

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

std::unique_ptr<std::FILE, FileCloser> openForReading(const std::string& path, bool specialFiles,
                                                      int& error) {
    if (!specialFiles)
        return std::unique_ptr<std::FILE, FileCloser>(openRegularFileStream(path, error));
    // Pipes, FIFOs and devices are read like any stream; only a folder is refused.
    errno = 0;
    std::unique_ptr<std::FILE, FileCloser> f(std::fopen(path.c_str(), "rb"));
    if (!f) {
        error = errno ? errno : EIO;
        return f;
    }
    struct stat st;
    if (fstat(fileno(f.get()), &st) == 0 && S_ISDIR(st.st_mode)) {
        error = EISDIR;
        f.reset();
    }
    return f;
}

} // namespace

LoadResult LoadPlotFile(DrawingModel& model, const std::string& path, const LoadOptions& options,
                        Reporter& reporter) {
    LoadResult result;
    int error = 0;
    auto file = openForReading(path, options.specialFiles, error);
    if (!file) {
        reporter.report("File=" + path + " open error ! code=" + std::to_string(error));
        return result;
    }
    return LoadPlotStream(model, file.get(), options, reporter);
}

LoadResult LoadPlotStream(DrawingModel& model, std::FILE* stream, const LoadOptions& options,
                          Reporter& reporter) {
    LoadResult result;
    result.opened = true;

    model.reset();
    model.pens.colour = options.defaultColours;
    model.pens.colourDefined.fill(false);
    model.pens.width.fill(0.0f);
    model.pens.widthsSet = false;

    auto in = std::make_unique<Interpreter>(model, options, reporter);
    rtlReset(*in);
    bool cutShort = false;
    try {
        in->run(stream);
    } catch (const std::bad_alloc&) {
        // The drawing so far stays; the list is ended where it stood.
        cutShort = true;
    }

    result.cancelled = in->cancelled();
    if (in->errorCount > 0 && !result.cancelled)
        reporter.report("HPGL Data Error Count=" + std::to_string(in->errorCount));
    if (cutShort) {
        reporter.report(
            "Not enough memory to read the whole file; the drawing is shown up to there.");
        model.writeEndMarker();
    }
    model.finishLoad(in->paperCorner(), /*endWritten=*/cutShort);
    result.errorCount = in->errorCount;
    result.hpgl2Pieces = in->hpgl2Pieces;
    result.rtlPieces = in->rtlPieces;
    return result;
}

} // namespace interp
