#pragma once
// Loading a plot file into the drawing model: the one entry point of the
// interpreter. Never throws; bad input is counted, reported once, and the load
// goes on to the end of the file.

#include <array>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <string>

#include "interp/drawing_model.h"

namespace interp {

// Shows or logs a message (the GUI: a modal box; the tools: standard error).
class Reporter {
  public:
    virtual ~Reporter() = default;
    virtual void report(const std::string& text) = 0;
};

// Shared between a load running on another thread and the thread that waits for it: the
// reader adds the bytes it has taken in after every buffer refill, and stops at the next
// refill once `cancel` is set.
struct LoadControl {
    std::atomic<uint64_t> bytesRead{0};
    std::atomic<bool> cancel{false};
};

// Choices of the open dialog and the pen table that a load depends on.
struct LoadOptions {
    bool multiPage = false;                     // "MultiPage": page advance and IN split pages
    bool drawSizePs = false;                    // "DrawSize" = "PS(Plot Size) command area"
    int penPenTableNo = 0;                      // 0 = no pen-to-pen translation
    std::array<uint8_t, 256> penPen{};          // destination pen per pen read
    std::array<uint32_t, 256> defaultColours{}; // 0x00BBGGRR per pen
    // Also read FIFOs, pipes and devices named as the file (the command-line tools); the
    // program itself opens only regular files, so that nothing can hang it.
    bool specialFiles = false;
    // Progress and cancelling of the load; none when null.
    LoadControl* control = nullptr;
};

struct LoadResult {
    bool opened = false;     // false: open error reported, model untouched
    int errorCount = 0;      // commands that left a pending error
    int32_t hpgl2Pieces = 0; // ignored HP-GL/2 pieces
    int32_t rtlPieces = 0;   // ignored HP RTL pieces
    // Stopped through LoadControl::cancel: the model holds the part read so far, closed
    // like a finished drawing, and no message about the file's content was reported.
    bool cancelled = false;
};

// Reads `path` into `model`, replacing what it held. On an open error the
// message "File=<path> open error ! code=<errno>" is reported and the model
// stays as it was; a file that is not a regular one (unless `specialFiles`)
// is such an error, with code EINVAL (EISDIR for a folder).
LoadResult LoadPlotFile(DrawingModel& model, const std::string& path, const LoadOptions& options,
                        Reporter& reporter);

// The same from an open stream (read from its current position, not closed);
// for input that does not come from a named file.
LoadResult LoadPlotStream(DrawingModel& model, std::FILE* stream, const LoadOptions& options,
                          Reporter& reporter);

} // namespace interp
