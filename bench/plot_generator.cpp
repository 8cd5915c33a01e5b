#include "plot_generator.h"

#include <cstdint>
#include <cstdio>

namespace bench {

namespace {
// Small, fast and the same everywhere (no dependence on the library's engines).
struct Rng {
    uint64_t s;
    uint32_t next() {
        s ^= s << 13;
        s ^= s >> 7;
        s ^= s << 17;
        return static_cast<uint32_t>(s);
    }
    int range(int lo, int hi) {
        return lo + static_cast<int>(next() % static_cast<uint32_t>(hi - lo + 1));
    }
};
} // namespace

std::string generatePlot(size_t vectors, unsigned seed) {
    Rng rng{0x9E3779B97F4A7C15ull ^ seed};
    std::string out;
    out.reserve(vectors * 13 + 64);
    out += "IN;SP1;";
    int x = 20000, y = 20000;
    char buf[32];
    size_t done = 0;
    while (done < vectors) {
        if (rng.next() % 8 == 0) {
            std::snprintf(buf, sizeof buf, "SP%d;", rng.range(1, 8));
            out += buf;
        }
        x = rng.range(1000, 39000);
        y = rng.range(1000, 39000);
        std::snprintf(buf, sizeof buf, "PU%d,%d;PD", x, y);
        out += buf;
        int run = rng.range(5, 40);
        for (int k = 0; k < run && done < vectors; ++k, ++done) {
            x += rng.range(-300, 300);
            y += rng.range(-300, 300);
            if (x < 0) x = 0;
            if (y < 0) y = 0;
            if (x > 40000) x = 40000;
            if (y > 40000) y = 40000;
            std::snprintf(buf, sizeof buf, k ? ",%d,%d" : "%d,%d", x, y);
            out += buf;
        }
        out += ';';
    }
    return out;
}

} // namespace bench
