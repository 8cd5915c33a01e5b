#include "label_commands.h"

#include "interp/interpreter.h"

namespace interp {

void cmdLB(Interpreter&, int) {}
void cmdDT(Interpreter&, int) {}
void cmdBL(Interpreter&, int) {}
void cmdPB(Interpreter&, int) {}
void cmdCharSize(Interpreter&, int) {}
void cmdDirection(Interpreter&, int) {}
void cmdDV(Interpreter&, int) {}
void cmdSL(Interpreter&, int) {}
void cmdLO(Interpreter&, int) {}
void cmdCP(Interpreter&, int) {}
void cmdES(Interpreter&, int) {}
void cmdDesignateSet(Interpreter&, int) {}
void cmdSelectSet(Interpreter&, int) {}
void cmdFontDefinition(Interpreter& in, int) { in.countHpgl2(); }
void cmdLM(Interpreter& in, int) { in.countHpgl2(); }

void plotSymbol(Interpreter&) {}
void recomputeRelativeSize(Interpreter&) {}
void recomputeDirection(Interpreter&) {}
void resetLabelState(Interpreter&) {}

}  // namespace interp
