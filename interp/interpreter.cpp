#include "interpreter.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

#include "interp/dispatch.h"
#include "interp/poly_commands.h"
#include "interp/rtl_pjl.h"

namespace interp {

namespace {

// Whole decimal number with optional sign, within 32 bits.
bool parseInt(const char* s, int len, int32_t& out) {
    int i = 0;
    bool neg = false;
    if (i < len && (s[i] == '+' || s[i] == '-')) {
        neg = s[i] == '-';
        ++i;
    }
    if (i >= len) return false;
    int64_t v = 0;
    for (; i < len; ++i) {
        unsigned d = static_cast<unsigned char>(s[i]) - '0';
        if (d > 9) return false;
        v = v * 10 + d;
        if (v > 2147483648LL) return false;
    }
    if (neg) v = -v;
    if (v > INT32_MAX) return false;
    out = static_cast<int32_t>(v);
    return true;
}

// Decimal number with optional sign, point and exponent; finite values only.
bool parseReal(const char* s, int len, double& out) {
    int i = 0;
    bool neg = false;
    if (i < len && (s[i] == '+' || s[i] == '-')) {
        neg = s[i] == '-';
        ++i;
    }
    int start = i;
    int digits = 0;
    while (i < len && s[i] >= '0' && s[i] <= '9')
        ++i, ++digits;
    if (i < len && s[i] == '.') {
        ++i;
        while (i < len && s[i] >= '0' && s[i] <= '9')
            ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < len && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < len && (s[i] == '+' || s[i] == '-')) ++i;
        int expDigits = 0;
        while (i < len && s[i] >= '0' && s[i] <= '9')
            ++i, ++expDigits;
        if (expDigits == 0) return false;
    }
    if (i != len) return false;
    double v = 0;
    auto res = std::from_chars(s + start, s + len, v);
    if (res.ec == std::errc::result_out_of_range) {
        // Tiny values (negative exponent) read as zero; huge ones fail.
        const char* e =
            std::find_if(s + start, s + len, [](char ch) { return ch == 'e' || ch == 'E'; });
        if (e + 1 < s + len && e[1] == '-')
            v = 0;
        else
            return false;
    } else if (res.ec != std::errc() || res.ptr != s + len) {
        return false;
    }
    if (!std::isfinite(v)) return false;
    out = neg ? -v : v;
    return true;
}

} // namespace

Interpreter::Interpreter(DrawingModel& m, const LoadOptions& o, Reporter& r)
    : model(m), options(o), reporter(r) {
    token_[0] = 0;
    pen.patternLength = static_cast<int32_t>(std::nearbyint(0.04 * p1p2Distance()));
    pen.previousPatternLength = pen.patternLength;
}

bool Interpreter::refill() {
    if (!file_) {
        lastRead_ = 0;
        return false;
    }
    if (options.control && !reportAndCheck(0)) return false;
    size_t n = std::fread(buf_, 1, kBufferSize, file_);
    lastRead_ = n;
    if (options.control) reportAndCheck(n);
    if (n == 0) {
        count_ = 0;
        pos_ = 0;
        return false;
    }
    count_ = static_cast<uint32_t>(n);
    pos_ = 0;
    return true;
}

bool Interpreter::reportAndCheck(size_t bytes) {
    LoadControl& control = *options.control;
    if (bytes) control.bytesRead.fetch_add(bytes, std::memory_order_relaxed);
    if (!control.cancel.load(std::memory_order_relaxed)) return true;
    // Cancelled: the reader sees the end of the file from now on.
    cancelled_ = true;
    file_ = nullptr;
    lastRead_ = 0;
    count_ = 0;
    pos_ = 0;
    return false;
}

void Interpreter::readParam() {
    tokenLen_ = 0;
    commandEnded_ = false;
    for (;;) {
        int c = readChar(tokenLen_ > 0);
        paramEnd_ = c;
        if (c == ',') break;
        if (c == ' ') {
            int d = readChar(false);
            if (d == 0 || d == ';')
                commandEnded_ = true;
            else if (d != ',')
                pushBack();
            break;
        }
        if (c != 0 && c != ';' && c != 27 && c < 'A') {
            if (tokenLen_ < kTokenLimit) token_[tokenLen_++] = static_cast<char>(c);
            continue;
        }
        commandEnded_ = true;
        if (c != 0 && c != ';') pushBack();
        break;
    }
    token_[tokenLen_] = 0;
}

bool Interpreter::tokenIsInt(int32_t& v) const {
    return parseInt(token_, tokenLen_, v);
}

bool Interpreter::tokenIsReal(double& v) const {
    return parseReal(token_, tokenLen_, v);
}

int32_t Interpreter::roundSaturated(double d) {
    double r = std::nearbyint(d);
    if (r >= 2147483647.0) return INT32_MAX;
    if (r <= -2147483648.0) return INT32_MIN;
    if (r != r) return 0;
    return static_cast<int32_t>(r);
}

bool Interpreter::tokenToInt(int32_t& v) {
    if (parseInt(token_, tokenLen_, v)) return true;
    setPendingError();
    return false;
}

bool Interpreter::tokenToReal(double& v) {
    if (parseReal(token_, tokenLen_, v)) return true;
    setPendingError();
    return false;
}

bool Interpreter::tokenToIntOrReal(int32_t& v) {
    if (parseInt(token_, tokenLen_, v)) return true;
    double d;
    if (!parseReal(token_, tokenLen_, d)) {
        setPendingError();
        return false;
    }
    return roundToInt(d, v);
}

bool Interpreter::roundToInt(double d, int32_t& out) {
    double r = std::nearbyint(d);
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) {
        setPendingError();
        return false;
    }
    out = static_cast<int32_t>(r);
    return true;
}

Param Interpreter::intParam(int32_t& v) {
    readParam();
    if (tokenLen_ == 0) return Param::Omitted;
    return tokenToInt(v) ? Param::Value : Param::Bad;
}

Param Interpreter::realParam(double& v) {
    readParam();
    if (tokenLen_ == 0) return Param::Omitted;
    return tokenToReal(v) ? Param::Value : Param::Bad;
}

Param Interpreter::intOrRealParam(int32_t& v) {
    readParam();
    if (tokenLen_ == 0) return Param::Omitted;
    return tokenToIntOrReal(v) ? Param::Value : Param::Bad;
}

void Interpreter::writePoint(int32_t x, int32_t y) {
    if (poly.mode != PolygonMode::Off)
        addPolygonPoint(*this, x, y);
    else
        model.appendPoint(x, y);
}

PaperCorner Interpreter::paperCorner() const {
    PaperCorner c;
    c.apply = options.drawSizePs && coord.plotSizeGiven;
    c.rotation = coord.rotation;
    c.width = coord.hardClipW;
    c.height = coord.hardClipH;
    return c;
}

double Interpreter::p1p2Distance() const {
    double dx = static_cast<double>(coord.p2x) - coord.p1x;
    double dy = static_cast<double>(coord.p2y) - coord.p1y;
    return std::nearbyint(std::sqrt(dx * dx + dy * dy));
}

bool Interpreter::mutoHeader() const {
    return pos_ < 11 && count_ >= 5 && std::memcmp(buf_ + 1, "Muto", 4) == 0;
}

void Interpreter::run(std::FILE* file) {
    file_ = file;
    pos_ = count_ = 0;
    lastRead_ = 1;
    for (;;) {
        commandEnded_ = false;
        int c;
        do {
            c = readChar(false);
        } while (c == ';');
        if (c == 0) break;
        if (c == 27) {
            readEscapeSequence(*this);
            commandEnded_ = true;
        } else if (c == '@') {
            readPjlLine(*this);
            commandEnded_ = true;
        } else {
            int c2 = readChar(false);
            if (c2 == 0) break;
            const DispatchEntry* e = lookupCommand(c, c2);
            if (e) e->handler(*this, e->selector);
        }
        if (pendingError != 0) {
            ++errorCount;
            pendingError = 0;
            // A header that some plotters write at the start of a file.
            if (errorCount == 1 && mutoHeader()) errorCount = 0;
        }
        if (rtl.endOfFile || lastRead_ == 0) break;
        if (mutoHeader()) {
            int s;
            do {
                s = readChar(false);
            } while (s != 0 && s != ';');
        } else {
            while (!commandEnded_)
                readParam();
        }
        if (lastRead_ == 0) break;
    }
}

} // namespace interp
