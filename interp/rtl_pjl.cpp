#include "rtl_pjl.h"

#include "interp/interpreter.h"

namespace interp {

void readEscapeSequence(Interpreter& in) { in.countRtl(); }

void readPjlLine(Interpreter& in) {
    int c;
    do {
        c = in.readRaw();
    } while (c >= 0 && c != '\n');
}

void rtlReset(Interpreter& in) { in.rtl = RtlState{}; }

}  // namespace interp
