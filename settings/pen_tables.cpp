#include "pen_tables.h"

#include <optional>
#include <vector>

#include "settings/atomic_file.h"
#include "settings/text_lines.h"

namespace settings {

namespace {

constexpr int32_t kMaxPenWidth = 1000; // 10 mm in hundredths of a millimetre

constexpr uint32_t rgb(uint32_t r, uint32_t g, uint32_t b) {
    return r | (g << 8) | (b << 16);
}

constexpr uint32_t kPalette[16] = {
    rgb(0, 0, 0),    rgb(127, 0, 0),   rgb(0, 127, 0),   rgb(127, 127, 0),
    rgb(0, 0, 127),  rgb(127, 0, 127), rgb(0, 127, 127), rgb(127, 127, 127),
    rgb(63, 63, 63), rgb(255, 0, 0),   rgb(0, 255, 0),   rgb(255, 255, 0),
    rgb(0, 0, 255),  rgb(255, 0, 255), rgb(0, 255, 255), rgb(255, 255, 255),
};

std::string numberedPath(const std::string& folder, const char* stem, int n) {
    return folder + "/" + stem + std::to_string(n) + ".par";
}

} // namespace

PenColours PenTable::defaultColours() {
    return defaultPenColours();
}

std::array<uint8_t, kPenCount> PenTable::allShown() {
    std::array<uint8_t, kPenCount> d;
    d.fill(1);
    return d;
}

std::array<uint8_t, kPenCount> PenPenTable::identity() {
    std::array<uint8_t, kPenCount> m;
    for (int i = 0; i < kPenCount; ++i)
        m[i] = static_cast<uint8_t>(i);
    return m;
}

PenColours defaultPenColours(int backPenNo, int markPenNo) {
    PenColours c;
    for (int i = 0; i < kPenCount; ++i)
        c[i] = kPalette[i % 16];
    if (backPenNo >= 0 && backPenNo < kPenCount) c[backPenNo] = 0;
    if (markPenNo >= 0 && markPenNo < kPenCount) c[markPenNo] = kPalette[14];
    return c;
}

std::string penTablePath(const std::string& folder, int n) {
    return numberedPath(folder, "PenTable", n);
}

std::string penPenTablePath(const std::string& folder, int n) {
    return numberedPath(folder, "PenPenTable", n);
}

bool readPenTableFile(const std::string& path, PenColours& colours, PenWidths& widths,
                      std::string& name) {
    std::optional<std::vector<std::string>> lines = readTextLines(path);
    if (!lines || lines->size() < 2 * kPenCount) return false;
    PenColours c;
    PenWidths w;
    for (int i = 0; i < kPenCount; ++i) {
        std::optional<int32_t> colour = parseInt32((*lines)[i]);
        std::optional<int32_t> width = parseInt32((*lines)[kPenCount + i]);
        if (!colour || !width) return false;
        c[i] = static_cast<uint32_t>(*colour) & 0x00FFFFFFu;
        w[i] = *width < 0 ? 0 : (*width > kMaxPenWidth ? kMaxPenWidth : *width);
    }
    colours = c;
    widths = w;
    name = lines->size() > 2 * kPenCount ? (*lines)[2 * kPenCount] : std::string();
    return true;
}

bool writePenTableFile(const std::string& path, const PenColours& colours, const PenWidths& widths,
                       const std::string& name) {
    std::string out;
    for (uint32_t c : colours)
        appendLine(out, std::to_string(static_cast<int32_t>(c)));
    for (int32_t w : widths)
        appendLine(out, std::to_string(w));
    appendLine(out, singleLine(name));
    return writeFileAtomically(path, out);
}

std::string readPenTableName(const std::string& path) {
    std::optional<std::vector<std::string>> lines = readTextLines(path);
    if (!lines || lines->size() <= 2 * kPenCount) return {};
    return (*lines)[2 * kPenCount];
}

bool readPenPenTableFile(const std::string& path, std::array<uint8_t, 256>& pens,
                         std::string& name) {
    std::optional<std::vector<std::string>> lines = readTextLines(path);
    if (!lines || lines->size() < kPenCount) return false;
    std::array<uint8_t, 256> m;
    for (int i = 0; i < kPenCount; ++i) {
        std::optional<int64_t> v = parseInteger((*lines)[i]);
        if (!v) return false;
        m[i] = static_cast<uint8_t>(static_cast<uint64_t>(*v) & 0xFF);
    }
    pens = m;
    name = lines->size() > kPenCount ? (*lines)[kPenCount] : std::string();
    return true;
}

bool writePenPenTableFile(const std::string& path, const std::array<uint8_t, 256>& pens,
                          const std::string& name) {
    std::string out;
    for (uint8_t p : pens)
        appendLine(out, std::to_string(p));
    appendLine(out, singleLine(name));
    return writeFileAtomically(path, out);
}

std::string penTableMenuCaption(const std::string& folder, int n) {
    return "PenTable-" + std::to_string(n) + " " + readPenTableName(penTablePath(folder, n));
}

std::string penTableButtonCaption(int penTblNo) {
    return "P" + std::to_string(penTblNo);
}

int translatePen(const PenPenTable& table, int penPenTblNo, int pen) {
    if (penPenTblNo == 0 || pen < 0 || pen >= kPenCount) return pen;
    return table.map[pen];
}

} // namespace settings
