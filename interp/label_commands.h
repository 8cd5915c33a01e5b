#pragma once
// Handlers of labels and the label state.

#include <cstdint>

namespace interp {

class Interpreter;

void cmdLB(Interpreter& in, int);
void cmdDT(Interpreter& in, int);
void cmdBL(Interpreter& in, int);
void cmdPB(Interpreter& in, int);
void cmdCharSize(Interpreter& in, int selector);  // a SizeMode: SI, SR, SU
void cmdDirection(Interpreter& in, int selector); // a DirectionMode: DI, DR, DU
void cmdDV(Interpreter& in, int);
void cmdSL(Interpreter& in, int);
void cmdLO(Interpreter& in, int);
void cmdCP(Interpreter& in, int);
void cmdES(Interpreter& in, int);
void cmdDesignateSet(Interpreter& in, int set);   // CS 0, CA 1
void cmdSelectSet(Interpreter& in, int set);      // SS 0, SA 1
void cmdFontDefinition(Interpreter& in, int set); // SD 0, AD 1: read past
void cmdLM(Interpreter& in, int);

// Plots the symbol-mode character centred on the current position.
void plotSymbol(Interpreter& in);
// Recomputes and re-records a relative (SR) character size after P1/P2 changed.
void recomputeRelativeSize(Interpreter& in);
// Derives the label direction anew (after RO or PS) and records it.
void recomputeDirection(Interpreter& in);
// Writes the label-state records of a reset (IN/DF).
void resetLabelState(Interpreter& in);

} // namespace interp
