#include "pen_commands.h"

#include <cmath>

#include "interp/coord_commands.h"
#include "interp/interpreter.h"
#include "interp/label_commands.h"

namespace interp {

namespace {

bool fits32(int64_t v) { return v >= INT32_MIN && v <= INT32_MAX; }

// One coordinate pair of PA/PR in plotter units (not yet rotated). False when
// the list ends or a value is bad (pending error set where that counts).
bool readPairUnscaled(Interpreter& in, int32_t& x, int32_t& y) {
    if (!in.tokenToIntOrReal(x)) return false;
    if (in.commandEnded()) {
        in.setPendingError();  // an odd number of coordinates
        return false;
    }
    in.readParam();
    return in.tokenToIntOrReal(y);
}

bool readPairReal(Interpreter& in, double& x, double& y) {
    if (!in.tokenToReal(x)) return false;
    if (in.commandEnded()) return false;
    in.readParam();
    return in.tokenToReal(y);
}

// The user-unit position that matches the current plotter position: the kept
// one when it still leads to the pen position, else derived back from it.
void syncUserPosition(Interpreter& in) {
    int32_t px, py;
    if (userToPlotter(in, in.userX, in.userY, px, py)) {
        rotatePoint(in.coord.rotation, px, py);
        if (px == in.posX && py == in.posY) return;
    }
    double x = in.posX, y = in.posY;
    rotatePoint((360 - in.coord.rotation) % 360, x, y);
    in.userX = x / in.coord.fX + in.coord.oX;
    in.userY = y / in.coord.fY + in.coord.oY;
}

}  // namespace

void readCoordinatePairs(Interpreter& in, bool absolute) {
    for (;;) {
        in.readParam();
        if (in.tokenEmpty()) {
            if (in.commandEnded()) return;
            in.readParam();  // a single empty parameter between separators is skipped
            if (in.tokenEmpty()) return;
        }
        if (!in.coord.scaling) {
            int32_t x, y;
            if (!readPairUnscaled(in, x, y)) return;
            rotatePoint(in.coord.rotation, x, y);
            if (absolute) {
                in.posX = x;
                in.posY = y;
            } else {
                int64_t nx = static_cast<int64_t>(in.posX) + x;
                int64_t ny = static_cast<int64_t>(in.posY) + y;
                if (!fits32(nx) || !fits32(ny)) {
                    in.setPendingError();
                    return;
                }
                in.posX = static_cast<int32_t>(nx);
                in.posY = static_cast<int32_t>(ny);
            }
        } else {
            double ux, uy;
            if (!readPairReal(in, ux, uy)) return;
            if (!absolute) {
                syncUserPosition(in);
                ux += in.userX;
                uy += in.userY;
            }
            int32_t px, py;
            if (!userToPlotter(in, ux, uy, px, py)) {
                in.setPendingError();
                return;
            }
            rotatePoint(in.coord.rotation, px, py);
            in.userX = ux;
            in.userY = uy;
            in.posX = px;
            in.posY = py;
        }
        in.writePoint(in.posX, in.posY);
        if (in.pen.symbol) plotSymbol(in);
        in.resetLabelOrigin();
        if (in.commandEnded()) return;
    }
}

void cmdPA(Interpreter& in, int) {
    in.absoluteMode = true;
    readCoordinatePairs(in, true);
}

void cmdPR(Interpreter& in, int) {
    in.absoluteMode = false;
    readCoordinatePairs(in, false);
}

void cmdPU(Interpreter& in, int) {
    in.penUp = true;
    in.model.beginRecord(2);
    readCoordinatePairs(in, in.absoluteMode);
}

void cmdPD(Interpreter& in, int) {
    in.penUp = false;
    in.model.beginRecord(3);
    int c = in.readChar(false);
    if (c == 0) {
        in.setCommandEnded();
        return;
    }
    if (c != ',') in.pushBack();
    readCoordinatePairs(in, in.absoluteMode);
}

void cmdSP(Interpreter& in, int) {
    in.readParam();
    int32_t n = 1;
    if (in.tokenEmpty() || !in.tokenIsInt(n) || n < 0) n = 1;
    if (n > 255) n = (n - 1) % 255 + 1;
    if (in.options.penPenTableNo != 0) n = in.options.penPen[n];
    DrawingModel& m = in.model;
    if (!in.penUp && n != 0) {
        // The line goes on from the same point in the new pen.
        m.beginRecord(2);
        in.writePoint(in.posX, in.posY);
        m.writePenSelect(static_cast<uint8_t>(n));
        m.beginRecord(3);
    } else {
        m.writePenSelect(static_cast<uint8_t>(n));
    }
    in.pen.currentPen = n;
    in.pen.penSelected = true;
}

void cmdLT(Interpreter&, int) {}
void cmdSM(Interpreter&, int) {}
void cmdTL(Interpreter&, int) {}
void cmdTick(Interpreter&, int) {}
void cmdTickVariant(Interpreter&, int) {}
void cmdUC(Interpreter&, int) {}
void cmdGR(Interpreter&, int) {}
void cmdReset(Interpreter&, int) {}

void cmdPW(Interpreter& in, int) { in.countHpgl2(); }
void cmdPE(Interpreter& in, int) { in.countHpgl2(); }
void cmdPC(Interpreter& in, int) { in.countHpgl2(); }
void cmdCR(Interpreter& in, int) { in.countHpgl2(); }
void cmdLA(Interpreter& in, int) { in.countHpgl2(); }
void cmdMC(Interpreter& in, int) { in.countHpgl2(); }
void cmdMG(Interpreter& in, int) { in.countHpgl2(); }
void cmdTR(Interpreter& in, int) { in.countHpgl2(); }
void cmdBP(Interpreter& in, int) { in.countHpgl2(); }
void cmdBezier(Interpreter& in, int) { in.countHpgl2(); }
void cmdRF(Interpreter& in, int) { in.countHpgl2(); }
void cmdCO(Interpreter& in, int) { in.countHpgl2(); }

}  // namespace interp
