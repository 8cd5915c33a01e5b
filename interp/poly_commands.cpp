#include "poly_commands.h"

#include "interp/interpreter.h"

namespace interp {

void addPolygonPoint(Interpreter& in, int32_t x, int32_t y) { in.model.appendPoint(x, y); }

void cmdCI(Interpreter&, int) {}
void cmdAA(Interpreter&, int) {}
void cmdAR(Interpreter&, int) {}
void cmdArc3(Interpreter& in, int) { in.countHpgl2(); }
void cmdCT(Interpreter&, int) {}
void cmdPM(Interpreter&, int) {}
void cmdEP(Interpreter&, int) {}
void cmdFP(Interpreter&, int) {}
void cmdRect(Interpreter&, int) {}
void cmdWedge(Interpreter&, int) {}
void cmdFT(Interpreter&, int) {}
void cmdPT(Interpreter&, int) {}

}  // namespace interp
