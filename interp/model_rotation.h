#pragma once
// Turning the whole drawing model in place by quarter turns: every record of
// every page, every polygon and every page box, so that the model is stored in
// the display rotation the user chose and the render pass needs no rotation.

#include <cstdint>

#include "interp/drawing_model.h"

namespace interp {

// Counter-clockwise quarter turns (0..3) that take a model stored in rotation
// `from` to rotation `to` (1 = 0 degrees, 2 = 90, 3 = 180, 4 = 270).
int rotationQuarterTurns(int from, int to);

// A point turned by `quarterTurns` (taken modulo 4) counter-clockwise quarter
// turns about the origin, Y up: one turn maps (x, y) to (-y, x). A negated
// -2147483648 saturates at 2147483647.
void rotatePoint(int quarterTurns, int32_t& x, int32_t& y);

// A box turned corner by corner and re-ordered so that minimum <= maximum.
Extents rotateExtents(int quarterTurns, const Extents& e);

// Turns the model in place: point records, arc centres, input-window corners
// (a corner holding 2147483647 stays), label directions, the hatch angle of
// fill-type records other than shading and user patterns, the X and Y factors
// of scaled records on odd turns, every polygon (vertices, box, hatch angle),
// every page box and the current drawing extent. The walk follows the block
// chain from the first block to the end record and stops early, leaving the
// rest untouched, at a record the table does not know. Never throws.
void rotateModel(DrawingModel& model, int quarterTurns);

} // namespace interp
