#pragma once
// Synthetic HP-GL drawings for the benchmarks: runs of short pen-down vectors
// with pen changes and pen-up moves, integer coordinates.

#include <cstddef>
#include <string>

namespace bench {

// About 12 bytes of HP-GL per vector. Coordinates stay within 0..40000.
std::string generatePlot(size_t vectors, unsigned seed = 1);

} // namespace bench
