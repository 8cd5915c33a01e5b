#include "rtl_pjl.h"

#include <cstring>
#include <string>
#include <string_view>

#include "interp/interpreter.h"

namespace interp {

namespace {

constexpr int kEsc = 27;
constexpr int kValueLimit = 20;        // characters of one parameter value
constexpr size_t kPjlLineLimit = 1024; // characters of a PJL line looked at

// 0x00BBGGRR
constexpr uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF, kRed = 0x0000FF, kGreen = 0x00FF00,
                   kBlue = 0xFF0000, kCyan = 0xFFFF00, kMagenta = 0xFF00FF, kYellow = 0x00FFFF;

bool isUpper(int c) {
    return c >= 'A' && c <= 'Z';
}
bool isDigit(int c) {
    return c >= '0' && c <= '9';
}
bool isValueChar(int c) {
    return isDigit(c) || c == '+' || c == '-' || c == '.';
}
int toUpper(int c) {
    return c >= 'a' && c <= 'z' ? c - 32 : c;
}
bool fits32(int64_t v) {
    return v >= INT32_MIN && v <= INT32_MAX;
}

// The next input byte unfiltered; at the end of the file the RTL end-of-file
// flag is raised and -1 returned.
int next(Interpreter& in) {
    int c = in.readRaw();
    if (c < 0) in.rtl.endOfFile = true;
    return c;
}

// Skips `n` bytes (none when n <= 0); stops early at the end of the file.
void skipBytes(Interpreter& in, int64_t n) {
    for (; n > 0; --n)
        if (next(in) < 0) return;
}

// Consumes bytes through the next upper-case letter, the end of an escape
// sequence's text.
void skipThroughLetter(Interpreter& in) {
    int c;
    do {
        c = next(in);
    } while (c >= 0 && !isUpper(c));
}

// A whole number fed one character at a time: an optional leading sign, then
// digits. Huge values saturate at the 64-bit limits rather than overflow.
class WholeNumber {
  public:
    void add(int c) {
        if ((c == '+' || c == '-') && length_ == 0) {
            negative_ = c == '-';
        } else if (isDigit(c)) {
            ++digits_;
            int d = c - '0';
            if (value_ > (INT64_MAX - d) / 10)
                value_ = INT64_MAX;
            else
                value_ = value_ * 10 + d;
        } else {
            malformed_ = true;
        }
        ++length_;
    }
    int64_t length() const { return length_; }
    bool hasDigits() const { return digits_ > 0; }
    // False when the text is not a whole number (a point, a misplaced sign,
    // another character, or no digit at all).
    bool get(int64_t& v) const {
        if (malformed_ || digits_ == 0) return false;
        v = negative_ ? -value_ : value_;
        return true;
    }

  private:
    int64_t value_ = 0;
    int64_t length_ = 0; // 64 bits: a run of digits may be as long as the file
    int64_t digits_ = 0;
    bool negative_ = false;
    bool malformed_ = false;
};

uint32_t colourFromComponents(int32_t r, int32_t g, int32_t b) {
    auto clamp = [](int32_t v) { return static_cast<uint32_t>(v < 0 ? 0 : v > 255 ? 255 : v); };
    return clamp(r) | clamp(g) << 8 | clamp(b) << 16;
}

void openRasterBlock(RtlState& s) {
    if (s.rasterActive) return;
    s.rasterActive = true;
    s.rows = 0;
    s.plane = 1;
}

// Configure image data: `count` bytes follow. Outside a raster block the first
// 18 are kept as the descriptor and the palette preset for its bits per index
// is loaded; the rest is skipped.
void configureImageData(Interpreter& in, int64_t count) {
    RtlState& s = in.rtl;
    if (s.rasterActive) {
        skipBytes(in, count);
        return;
    }
    std::memset(s.descriptor, 0, sizeof s.descriptor);
    s.descriptorLength = 0;
    while (s.descriptorLength < static_cast<int>(sizeof s.descriptor) &&
           s.descriptorLength < count) {
        int c = next(in);
        if (c < 0) return;
        s.descriptor[s.descriptorLength++] = static_cast<uint8_t>(c);
    }
    skipBytes(in, count - s.descriptorLength);
    if (s.endOfFile) return;
    s.pixelEncoding = s.descriptor[1];
    s.bitsPerIndex = s.descriptor[2] == 0 ? 1 : s.descriptor[2];
    if (s.pixelEncoding == 3) s.bitsPerIndex = 24;
    loadPalettePreset(s.palette, s.bitsPerIndex);
}

// One value + parameter pair of a "*" group. `value` is valid only when
// `ok`; `live` is false once an earlier value of the sequence was malformed,
// after which nothing takes effect but known byte counts are still skipped.
void applyPair(Interpreter& in, int group, int param, bool ok, int64_t value, bool live) {
    RtlState& s = in.rtl;
    const int64_t count = ok && value > 0 ? value : 0; // bytes following W or V
    const bool set = live && ok;
    const bool set32 = set && fits32(value);
    const int32_t v32 = set32 ? static_cast<int32_t>(value) : 0;
    switch (group) {
    case 'b':
        if (param == 'M') {
            if (set32) s.compression = v32;
        } else if (param == 'W' || param == 'V') {
            if (set) {
                openRasterBlock(s);
                if (s.rows < s.sourceHeight) {
                    if (param == 'W') {
                        if (s.compression != 5 && s.rows < INT32_MAX) ++s.rows;
                        s.plane = 1;
                    } else if (s.plane < INT32_MAX) {
                        ++s.plane;
                    }
                }
            }
            skipBytes(in, count);
        }
        break;
    case 'r':
        if (!set) break;
        if (param == 'A') {
            openRasterBlock(s);
        } else if (param == 'C') {
            if (s.rasterActive) {
                s.rasterActive = false;
                s.rows = 0;
                s.plane = 1;
                s.rowCounter = 0;
            }
        } else if ((param == 'S' || param == 'T') && set32 && !s.rasterActive) {
            if (param == 'S') {
                s.sourceWidth = v32;
                s.widthGiven = v32 != 0;
            } else {
                s.sourceHeight = v32;
                s.heightGiven = v32 != 0;
            }
        }
        break;
    case 't':
        if (!set32 || s.rasterActive) break;
        if (param == 'R')
            s.resolution = v32;
        else if (param == 'H')
            s.destWidth = v32;
        else if (param == 'V')
            s.destHeight = v32;
        break;
    case 'v':
        if (param == 'W') {
            if (set)
                configureImageData(in, count);
            else
                skipBytes(in, count);
        } else if (set32) {
            if (param == 'A')
                s.colourA = v32;
            else if (param == 'B')
                s.colourB = v32;
            else if (param == 'C')
                s.colourC = v32;
            else if (param == 'I' && !s.rasterActive && v32 >= 0 && v32 <= 255) {
                s.colourIndex = v32;
                s.palette[static_cast<size_t>(v32)] =
                    colourFromComponents(s.colourA, s.colourB, s.colourC);
            }
        }
        break;
    case 'c':
    case 'l':
    case 'o':
    case 'p':
        if (param == 'W') skipBytes(in, count);
        break;
    default:
        break;
    }
}

// "*" sequences: a group character, then value + parameter pairs up to the
// upper-case parameter. Bytes announced by a data parameter are skipped right
// after it, lower-case or not, so they are never read as pairs or as HP-GL.
void readParameterGroup(Interpreter& in) {
    int group = next(in);
    if (group < 0 || isUpper(group)) return;
    bool live = true;
    for (;;) {
        WholeNumber number;
        int c;
        for (;;) {
            c = next(in);
            if (c < 0) return;
            if (!isValueChar(c) || number.length() == kValueLimit) break;
            number.add(c);
        }
        int64_t value = 0;
        bool ok = number.hasDigits() ? number.get(value) : true; // no digits: 0
        if (!ok) live = false;
        applyPair(in, group, toUpper(c), ok, value, live);
        if (in.rtl.endOfFile || isUpper(c)) return;
    }
}

// "%" sequences: "%b<count>W" announces `count` bytes to skip; any other
// text ("%-12345X", "%1B", ...) is consumed without effect.
void readPercentSequence(Interpreter& in) {
    int c = next(in);
    if (c < 0 || isUpper(c)) return;
    if (c != 'b') {
        skipThroughLetter(in);
        return;
    }
    WholeNumber number;
    for (;;) {
        c = next(in);
        if (c < 0) return;
        if (isUpper(c)) break;
        number.add(c);
    }
    int64_t count;
    if (c == 'W' && number.get(count)) skipBytes(in, count);
}

// Skips up to ";" (consumed), an ESC (left for the main loop) or the end of
// the file.
void skipToTerminator(Interpreter& in, bool colonEnds) {
    for (;;) {
        int c = next(in);
        if (c < 0 || c == ';' || (colonEnds && c == ':')) return;
        if (c == kEsc) {
            in.pushBack();
            return;
        }
    }
}

// Looks for the PJL keys in their fixed order; only RESOLUTION has an effect.
void applyPjlKeys(Interpreter& in, std::string_view line) {
    static constexpr std::string_view kKeys[] = {"PAPERWIDTH", "PAPERLENGTH", "RESOLUTION",
                                                 "LANGUAGE", "EOJ"};
    for (std::string_view key : kKeys) {
        size_t at = line.find(key);
        if (at == std::string_view::npos) continue;
        size_t eq = line.find('=', at + key.size());
        if (eq == std::string_view::npos) return;
        size_t i = eq + 1;
        while (i < line.size() && line[i] == ' ')
            ++i;
        WholeNumber number;
        for (; i < line.size(); ++i)
            if (isValueChar(static_cast<unsigned char>(line[i]))) number.add(line[i]);
        int64_t value;
        if (!number.get(value) || !fits32(value)) return; // malformed: no effect
        if (key == "RESOLUTION") {
            in.rtl.resolution = static_cast<int32_t>(value);
            return;
        }
        if (key == "PAPERWIDTH" || key == "PAPERLENGTH") return;
    }
}

} // namespace

void loadPalettePreset(RtlPalette& palette, int selector) {
    palette.fill(kBlack);
    auto put = [&palette](std::initializer_list<uint32_t> colours) {
        size_t i = 0;
        for (uint32_t c : colours)
            palette[i++] = c;
    };
    switch (selector) {
    case 1:
        put({kWhite, kBlack});
        break;
    case 2:
        put({kBlack, kRed, kGreen, kWhite});
        break;
    case -3:
        put({kWhite, kCyan, kMagenta, kBlue, kYellow, kGreen, kRed, kBlack});
        break;
    case -4:
        put({kWhite, 0x0F0F0F, kCyan, 0x0F0F00, kMagenta, 0x0F000F, kBlue, 0x0F0000, kYellow,
             0x000F0F, kGreen, 0x000F00, kRed, 0x00000F, kBlack, kBlack});
        break;
    default: {
        static constexpr uint32_t kBasic[8] = {kBlack, kRed,     kGreen, kYellow,
                                               kBlue,  kMagenta, kCyan,  kWhite};
        for (size_t i = 0; i < palette.size(); ++i)
            palette[i] = kBasic[i % 8];
        break;
    }
    }
}

bool RtlState::savePalette() {
    if (savedPalettes.size() >= kMaxSavedPalettes) return false;
    SavedPalette& p = savedPalettes.emplace_back();
    p.colours = palette;
    p.words[0] = colourA;
    p.words[1] = colourB;
    p.words[2] = colourC;
    p.words[3] = colourIndex;
    p.value = static_cast<int16_t>(bitsPerIndex); // a byte, or 24
    return true;
}

bool RtlState::restorePalette() {
    if (savedPalettes.empty()) return false;
    const SavedPalette& p = savedPalettes.back();
    palette = p.colours;
    colourA = p.words[0];
    colourB = p.words[1];
    colourC = p.words[2];
    colourIndex = p.words[3];
    bitsPerIndex = p.value;
    savedPalettes.pop_back();
    return true;
}

void readEscapeSequence(Interpreter& in) {
    in.countRtl();
    int c = next(in);
    switch (c) {
    case -1:
        return;
    case '.':
        skipToTerminator(in, /*colonEnds=*/true);
        return;
    case 'E':
        rtlReset(in);
        return;
    case '&':
        skipThroughLetter(in);
        return;
    case '*':
        readParameterGroup(in);
        return;
    case '%':
        readPercentSequence(in);
        return;
    default:
        if (!isUpper(c)) skipThroughLetter(in);
        if (!in.rtl.endOfFile) skipToTerminator(in, /*colonEnds=*/false);
        return;
    }
}

void readPjlLine(Interpreter& in) {
    char head[3];
    for (char& h : head) {
        int c = next(in);
        if (c < 0 || c == '\n') return; // a bare "@" line ends here
        h = static_cast<char>(toUpper(c));
    }
    if (std::memcmp(head, "PJL", 3) != 0) {
        int c;
        do {
            c = next(in);
        } while (c >= 0 && c != '\n');
        return;
    }
    std::string line;
    for (;;) {
        int c = next(in);
        if (c < 0 || c == '\n') break;
        if (c < 13) continue;
        if (line.size() < kPjlLineLimit) line += static_cast<char>(c);
        if (c == '\r') break;
    }
    applyPjlKeys(in, line);
}

void rtlReset(Interpreter& in) {
    in.rtl = RtlState{};
    loadPalettePreset(in.rtl.palette, 1);
    // The paper orientation value is one setting shared with PS.
    in.coord.paperOrientation = 90;
}

} // namespace interp
