#pragma once
// Handlers of pen moves, pen selection, line types, symbol mode, ticks,
// user-defined characters, the reset commands and the HP-GL/2 commands read past.

namespace interp {

class Interpreter;

void cmdPA(Interpreter& in, int);
void cmdPR(Interpreter& in, int);
void cmdPU(Interpreter& in, int);
void cmdPD(Interpreter& in, int);
void cmdSP(Interpreter& in, int);
void cmdLT(Interpreter& in, int);
void cmdSM(Interpreter& in, int);
void cmdTL(Interpreter& in, int);
void cmdTick(Interpreter& in, int axis);        // XT 0, YT 1
void cmdTickVariant(Interpreter& in, int axis); // XA 0, YA 1
void cmdUC(Interpreter& in, int);
void cmdGR(Interpreter& in, int);
void cmdReset(Interpreter& in, int which); // IN 0, DF 1

// Read past, one ignored HP-GL/2 piece each.
void cmdPW(Interpreter& in, int);
void cmdPE(Interpreter& in, int);
void cmdPC(Interpreter& in, int);
void cmdCR(Interpreter& in, int);
void cmdLA(Interpreter& in, int);
void cmdMC(Interpreter& in, int);
void cmdMG(Interpreter& in, int);
void cmdTR(Interpreter& in, int);
void cmdBP(Interpreter& in, int);
void cmdBezier(Interpreter& in, int relative); // BR 1, BZ 0
void cmdRF(Interpreter& in, int);
void cmdCO(Interpreter& in, int);

// Reads the coordinate pairs of PA/PR/PU/PD, absolute or relative, and
// records a point for each.
void readCoordinatePairs(Interpreter& in, bool absolute);

} // namespace interp
