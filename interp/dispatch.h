#pragma once
// The table of recognised two-letter mnemonics and their handlers.

namespace interp {

class Interpreter;

using Handler = void (*)(Interpreter&, int selector);

struct DispatchEntry {
    Handler handler;
    int selector;
};

// The handler of the pair (a, b), nullptr for an unrecognised pair. Only
// upper-case letters are recognised.
const DispatchEntry* lookupCommand(int a, int b);

} // namespace interp
