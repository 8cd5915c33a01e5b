#pragma once
// Page advance (PG, AF, AH, FR, NR) and the state replay at a page start.

namespace interp {

class Interpreter;

void cmdPageAdvance(Interpreter& in, int resetPosition); // PG/AF/AH/FR 1, NR 0
// Replays the current state at the start of a page begun by a page advance.
void writePageStart(Interpreter& in);

} // namespace interp
