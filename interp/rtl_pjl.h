#pragma once
// Readers of HP RTL / PCL escape sequences and PJL lines: consumed completely,
// binary raster data included, and counted as ignored pieces.

namespace interp {

class Interpreter;

// Called right after an ESC.
void readEscapeSequence(Interpreter& in);
// Called right after an "@".
void readPjlLine(Interpreter& in);
// RTL state back to its reset values (load start, ESC E, IN with page splitting).
void rtlReset(Interpreter& in);

} // namespace interp
