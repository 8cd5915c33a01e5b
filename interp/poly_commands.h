#pragma once
// Handlers of circles, arcs, polygon mode, rectangles, wedges and fill types.

#include <cstdint>

namespace interp {

class Interpreter;

// The variants of the rectangle and wedge handlers (the dispatch selector).
enum class RectCommand : int { FillAbsolute, FillRelative, EdgeAbsolute, EdgeRelative };
enum class WedgeCommand : int { Fill, Edge };

void cmdCI(Interpreter& in, int);
void cmdAA(Interpreter& in, int);
void cmdAR(Interpreter& in, int);
void cmdArc3(Interpreter& in, int relative); // AT 0, RT 1: read past
void cmdCT(Interpreter& in, int);
void cmdPM(Interpreter& in, int);
void cmdEP(Interpreter& in, int);
void cmdFP(Interpreter& in, int);
void cmdRect(Interpreter& in, int selector);  // a RectCommand: RA, RR, EA, ER
void cmdWedge(Interpreter& in, int selector); // a WedgeCommand: WG, EW
void cmdFT(Interpreter& in, int);
void cmdPT(Interpreter& in, int);

// Adds a straight vertex to the polygon being built (polygon mode on).
void addPolygonPoint(Interpreter& in, int32_t x, int32_t y);

} // namespace interp
