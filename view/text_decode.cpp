#include "view/text_decode.h"

#include <iconv.h>

#include <string>

namespace view {

namespace {

QString decodeWith(const char* charset, const uint8_t* text, size_t length) {
    iconv_t cd = iconv_open("UTF-8", charset);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return QString::fromLatin1(reinterpret_cast<const char*>(text), qsizetype(length));
    std::string out;
    out.resize(length * 4 + 16);
    char* in = const_cast<char*>(reinterpret_cast<const char*>(text));
    size_t inLeft = length;
    char* dst = out.data();
    size_t outLeft = out.size();
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &dst, &outLeft) != size_t(-1)) break;
        // An unconvertible or cut-off byte: show a replacement and go on.
        if (outLeft < 3) break;
        const char repl[3] = {char(0xEF), char(0xBF), char(0xBD)};
        for (char c : repl) {
            *dst++ = c;
            --outLeft;
        }
        ++in;
        --inLeft;
    }
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return QString::fromUtf8(out.data(), qsizetype(out.size()));
}

} // namespace

QString decodeShiftJis(const uint8_t* text, size_t length) {
    return decodeWith("CP932", text, length);
}

QString decodeSingleByte(const uint8_t* text, size_t length) {
    return decodeWith("CP1252", text, length);
}

} // namespace view
