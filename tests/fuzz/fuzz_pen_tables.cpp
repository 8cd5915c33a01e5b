// Fuzz target: the pen table and pen-to-pen table readers.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "settings/pen_tables.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/qm-fuzz-pens-" + std::to_string(getpid());
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    settings::PenColours colours{};
    settings::PenWidths widths{};
    std::string name;
    settings::readPenTableFile(path, colours, widths, name);
    settings::readPenTableName(path);
    std::array<uint8_t, 256> pens{};
    settings::readPenPenTableFile(path, pens, name);
    return 0;
}
