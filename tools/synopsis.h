#pragma once
// What --help prints for each tool: the synopsis of its manual page, word for
// word, so that the two are read the same way.

#include <cstdio>

namespace tools {

inline constexpr char kDumpSynopsis[] =
    "Usage: quindlemini-dump [--multipage] [--drawsize-ps] [--penpen TABLE] [--] FILE\n"
    "       quindlemini-dump --help\n";

inline constexpr char kRenderSynopsis[] =
    "Usage: quindlemini-render -o OUT [--size WxH] [--page N] [--rotation 1..4]\n"
    "                          [--mirror] [--multipage] [--settings DIR] [--] FILE\n"
    "       quindlemini-render --help\n";

// Prints `synopsis` on standard output; the exit status of a --help run.
inline int printSynopsis(const char* synopsis) {
    return std::fputs(synopsis, stdout) < 0 || std::fflush(stdout) != 0 ? 1 : 0;
}

} // namespace tools
