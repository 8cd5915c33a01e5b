#pragma once
// The interpreter's working state during one load: the buffered byte reader,
// the parameter reader with its conversions, and the state of every command
// family. Handlers (one source per command group) act on it.

#include <cstdint>
#include <cstdio>
#include <string>

#include "interp/coord_state.h"
#include "interp/drawing_model.h"
#include "interp/label_state.h"
#include "interp/loader.h"
#include "interp/pen_state.h"
#include "interp/poly_state.h"
#include "interp/rtl_state.h"

namespace interp {

constexpr int kBufferSize = 8192;
constexpr int kTokenLimit = 255;

// Outcome of reading one parameter through a conversion.
enum class Param {
    Omitted, // the parameter text was empty
    Value,   // converted
    Bad,     // conversion failed; the pending error is set
};

class Interpreter {
  public:
    Interpreter(DrawingModel& model, const LoadOptions& options, Reporter& reporter);

    // Runs the main loop over an open file (not closed here). The model must
    // have been reset.
    void run(std::FILE* file);

    // ---- bytes ----

    // Next byte with the character filter: bytes above 127 and control bytes
    // other than ESC are dropped, blanks only kept when asked. 0 at end of file.
    int readChar(bool keepSpace) {
        for (;;) {
            if (pos_ >= count_ && !refill()) return 0;
            uint8_t c = buf_[pos_++];
            if (c > 32 && c < 128) return c;
            if (c == 27) return 27;
            if (c == 32 && keepSpace) return 32;
        }
    }
    // Next byte unfiltered, -1 at end of file.
    int readRaw() {
        if (pos_ >= count_ && !refill()) return -1;
        return buf_[pos_++];
    }
    // Steps back over the byte just taken.
    void pushBack() {
        if (pos_ > 0) --pos_;
    }
    bool atEndOfFile() const { return lastRead_ == 0; }
    // The reading stopped early because the load was cancelled.
    bool cancelled() const { return cancelled_; }

    // ---- parameters ----

    // Fills the token with the next parameter text (possibly empty) and sets
    // commandEnded when the command's end was met.
    void readParam();
    const char* token() const { return token_; }
    int tokenLength() const { return tokenLen_; }
    bool tokenEmpty() const { return tokenLen_ == 0; }
    bool commandEnded() const { return commandEnded_; }
    void setCommandEnded(bool ended = true) { commandEnded_ = ended; }
    // The character that ended the last parameter: ',', ';', a blank, 0 at the
    // end of the file, or the letter or ESC left unread for the next command.
    int paramEnd() const { return paramEnd_; }

    // The current token as a whole number, without touching the pending error.
    bool tokenIsInt(int32_t& v) const;
    // The current token as a real, without touching the pending error.
    bool tokenIsReal(double& v) const;

    // Conversions of the current token; false on failure (pending error set).
    bool tokenToInt(int32_t& v);
    bool tokenToReal(double& v);
    // Integer, or else real rounded to nearest (ties to even).
    bool tokenToIntOrReal(int32_t& v);

    // Reads a parameter and converts it.
    Param intParam(int32_t& v);
    Param realParam(double& v);
    Param intOrRealParam(int32_t& v);

    // Rounds to nearest, ties to even; false (pending error set) when the value
    // is not finite or does not fit into 32 bits.
    bool roundToInt(double d, int32_t& out);

    void setPendingError(int code = 1) { pendingError = code; }

    // Rounds to nearest (ties to even), saturating at the 32-bit limits; for
    // values recorded from state that is already range-checked.
    static int32_t roundSaturated(double d);

    // ---- recording ----

    // A point record at (x, y), or a vertex of the polygon being built while
    // polygon mode is on.
    void writePoint(int32_t x, int32_t y);
    PaperCorner paperCorner() const;
    // The label-origin point becomes the current position, its offsets (0, 0).
    void resetLabelOrigin() {
        label.startX = posX;
        label.startY = posY;
        label.offsetX = 0;
        label.offsetY = 0;
    }
    // distance(P1, P2) rounded to whole plotter units.
    double p1p2Distance() const;

    DrawingModel& model;
    const LoadOptions& options;
    Reporter& reporter;

    bool absoluteMode = true;
    bool penUp = true;
    int32_t posX = 0, posY = 0;
    double userX = 0, userY = 0;
    int pendingError = 0;
    int errorCount = 0;
    int32_t hpgl2Pieces = 0;
    int32_t rtlPieces = 0;

    PenState pen;
    CoordState coord;
    PolyState poly;
    LabelState label;
    RtlState rtl;

    // Counting of ignored pieces, saturating instead of overflowing.
    void countHpgl2() {
        if (hpgl2Pieces < INT32_MAX) ++hpgl2Pieces;
    }
    void countRtl() {
        if (rtlPieces < INT32_MAX) ++rtlPieces;
    }

  private:
    bool refill();
    // Adds `bytes` to the progress of the load; false (and reading ended) once it is
    // cancelled.
    bool reportAndCheck(size_t bytes);
    bool mutoHeader() const;

    std::FILE* file_ = nullptr;
    uint8_t buf_[kBufferSize];
    uint32_t pos_ = 0;
    uint32_t count_ = 0;
    size_t lastRead_ = 1;
    bool cancelled_ = false;

    char token_[kTokenLimit + 1];
    int tokenLen_ = 0;
    bool commandEnded_ = false;
    int paramEnd_ = 0;
};

} // namespace interp
