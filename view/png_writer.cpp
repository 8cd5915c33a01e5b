#include "view/png_writer.h"

#include <zlib.h>

#include <array>
#include <cstring>

namespace view {

namespace {

constexpr int kMaxSide = 100000;
constexpr int kMaxPalette = 256;

// Colour to palette index for at most 256 colours: open addressing over a
// table four times as large, so a probe rarely takes more than two steps.
class PaletteMap {
  public:
    PaletteMap() { used_.fill(false); }

    // Index of `colour`, adding it when new; -1 once a 257th colour shows up.
    int indexOf(uint32_t colour) {
        uint32_t slot = hash(colour);
        for (;;) {
            if (!used_[slot]) {
                if (count_ == kMaxPalette) return -1;
                used_[slot] = true;
                keys_[slot] = colour;
                values_[slot] = uint8_t(count_);
                colours_[count_] = colour;
                return count_++;
            }
            if (keys_[slot] == colour) return values_[slot];
            slot = (slot + 1) & (kSlots - 1);
        }
    }
    int count() const { return count_; }
    uint32_t colour(int index) const { return colours_[size_t(index)]; }

  private:
    static constexpr uint32_t kSlots = 1024;
    static uint32_t hash(uint32_t c) { return (c * 2654435761u) >> 22; }

    std::array<uint32_t, kSlots> keys_{};
    std::array<uint8_t, kSlots> values_{};
    std::array<bool, kSlots> used_{};
    std::array<uint32_t, kMaxPalette> colours_{};
    int count_ = 0;
};

// Palette indices of every pixel, row after row, each row led by its filter
// byte 0 (none): `width` + 1 bytes a row. False as soon as a 257th colour
// shows up.
bool indexPixels(const PixelRows& rows, uint32_t mask, PaletteMap& map,
                 std::vector<uint8_t>& indices) {
    const size_t rowSize = size_t(rows.width) + 1;
    indices.resize(rowSize * size_t(rows.height));
    uint32_t last = ~(rows.pixels[0] & mask); // differs from the first pixel
    int index = 0;
    for (int y = 0; y < rows.height; ++y) {
        const uint32_t* p = rows.pixels + y * rows.stride;
        uint8_t* o = indices.data() + size_t(y) * rowSize;
        *o++ = 0;
        for (int x = 0; x < rows.width; ++x) {
            const uint32_t c = p[x] & mask;
            if (c != last) {
                last = c;
                index = map.indexOf(c);
                if (index < 0) return false;
            }
            o[x] = uint8_t(index);
        }
    }
    return true;
}

int bitsFor(int colours) {
    if (colours <= 2) return 1;
    if (colours <= 4) return 2;
    if (colours <= 16) return 4;
    return 8;
}

// Packs the `width` indices after the filter byte at `row` into `Bits` bits
// each, leftmost pixel in the high bits, in place.
template <int Bits> void packRow(uint8_t* row, int width) {
    constexpr int kPerByte = 8 / Bits;
    const uint8_t* in = row + 1;
    uint8_t* out = row + 1;
    const int whole = width / kPerByte;
    for (int i = 0; i < whole; ++i) {
        uint32_t acc = 0;
        for (int k = 0; k < kPerByte; ++k)
            acc = (acc << Bits) | in[k];
        in += kPerByte;
        out[i] = uint8_t(acc);
    }
    const int rest = width - whole * kPerByte;
    if (rest) {
        uint32_t acc = 0;
        for (int k = 0; k < rest; ++k)
            acc = (acc << Bits) | in[k];
        out[whole] = uint8_t(acc << (Bits * (kPerByte - rest)));
    }
}

// Packs row `y` as RGB or RGBA after the filter byte 1 (sub): each byte less
// the same byte of the pixel to its left.
void packTrueColourRow(const PixelRows& rows, int y, uint8_t* out) {
    const uint32_t* p = rows.pixels + y * rows.stride;
    *out++ = 1;
    uint32_t left = 0;
    for (int x = 0; x < rows.width; ++x) {
        const uint32_t c = p[x];
        out[0] = uint8_t((c >> 16) - (left >> 16));
        out[1] = uint8_t((c >> 8) - (left >> 8));
        out[2] = uint8_t(c - left);
        if (rows.keepAlpha) {
            out[3] = uint8_t((c >> 24) - (left >> 24));
            out += 4;
        } else {
            out += 3;
        }
        left = c;
    }
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
    const uint8_t b[4] = {uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)};
    out.insert(out.end(), b, b + 4);
}

// Starts a chunk: room for its length and type, filled in by closeChunk.
size_t openChunk(std::vector<uint8_t>& out) {
    const size_t start = out.size();
    out.resize(start + 8);
    return start;
}

// Ends the chunk whose data follows out[start + 8]: fills in its length and
// type and appends the CRC over type and data.
void closeChunk(std::vector<uint8_t>& out, size_t start, const char* type) {
    const uint32_t length = uint32_t(out.size() - start - 8);
    for (int k = 0; k < 4; ++k) {
        out[start + size_t(k)] = uint8_t(length >> (24 - 8 * k));
        out[start + 4 + size_t(k)] = uint8_t(type[k]);
    }
    const uLong crc = crc32(crc32(0, nullptr, 0), out.data() + start + 4, uInt(length + 4));
    put32(out, uint32_t(crc));
}

// Deflates `size` bytes into the zlib stream `z`, appending its output to
// `out`; `finish` ends the stream. Run-length matching only (set up by the
// caller): line drawings are long runs of one colour, and for them it is
// several times faster than the general matcher at about the same size.
bool feed(z_stream& z, const uint8_t* data, size_t size, bool finish, std::vector<uint8_t>& out) {
    uint8_t staging[1 << 16];
    z.next_in = const_cast<Bytef*>(data);
    z.avail_in = uInt(size);
    const int flush = finish ? Z_FINISH : Z_NO_FLUSH;
    for (;;) {
        z.next_out = staging;
        z.avail_out = uInt(sizeof staging);
        const int rc = deflate(&z, flush);
        out.insert(out.end(), staging, z.next_out);
        if (rc == Z_STREAM_END) return true;
        const bool stuck = rc == Z_BUF_ERROR && z.avail_out != 0;
        if (rc == Z_STREAM_ERROR || (finish && stuck)) return false;
        if (!finish && z.avail_in == 0 && z.avail_out != 0) return true; // all taken
    }
}

// The zlib stream of the picture's rows, appended to `out`: palette indices
// packed to `bits` (when `indices` is not empty) or RGB(A) bytes.
bool deflateRows(const PixelRows& rows, std::vector<uint8_t>& indices, int bits, size_t rowBytes,
                 std::vector<uint8_t>& out) {
    z_stream z{};
    if (deflateInit2(&z, 1, Z_DEFLATED, 15, 8, Z_RLE) != Z_OK) return false;
    std::vector<uint8_t> row(indices.empty() ? rowBytes + 1 : 0);
    bool ok = true;
    for (int y = 0; y < rows.height && ok; ++y) {
        const uint8_t* data = row.data();
        if (indices.empty()) {
            packTrueColourRow(rows, y, row.data());
        } else {
            uint8_t* r = indices.data() + size_t(y) * (size_t(rows.width) + 1);
            if (bits == 1)
                packRow<1>(r, rows.width);
            else if (bits == 2)
                packRow<2>(r, rows.width);
            else if (bits == 4)
                packRow<4>(r, rows.width);
            data = r;
        }
        ok = feed(z, data, rowBytes + 1, y + 1 == rows.height, out);
    }
    deflateEnd(&z);
    return ok;
}

} // namespace

bool encodePng(const PixelRows& rows, std::vector<uint8_t>& out) {
    out.clear();
    if (!rows.pixels || rows.width < 1 || rows.height < 1 || rows.width > kMaxSide ||
        rows.height > kMaxSide || rows.stride < rows.width)
        return false;

    // One IDAT chunk holds under 2 GB; a gigabyte of rows is far beyond any
    // picture made here.
    constexpr size_t kMaxRaw = size_t(1) << 30;
    if ((size_t(rows.width) + 1) * size_t(rows.height) > kMaxRaw) return false;

    const uint32_t mask = rows.keepAlpha ? 0xFFFFFFFFu : 0x00FFFFFFu;
    PaletteMap map;
    std::vector<uint8_t> indices;
    bool indexed = false;
    try {
        indexed = indexPixels(rows, mask, map, indices);
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (!indexed) std::vector<uint8_t>().swap(indices);
    const int bits = indexed ? bitsFor(map.count()) : 8;
    const int channels = indexed ? 1 : (rows.keepAlpha ? 4 : 3);
    const size_t rowBytes = (size_t(rows.width) * size_t(channels) * size_t(bits) + 7) / 8;
    if ((rowBytes + 1) * size_t(rows.height) > kMaxRaw) return false;

    static constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    out.assign(kSignature, kSignature + 8);

    size_t chunk = openChunk(out);
    put32(out, uint32_t(rows.width));
    put32(out, uint32_t(rows.height));
    const uint8_t colourType = indexed ? 3 : (rows.keepAlpha ? 6 : 2);
    const uint8_t header[5] = {uint8_t(bits), colourType, 0, 0, 0};
    out.insert(out.end(), header, header + 5);
    closeChunk(out, chunk, "IHDR");

    if (indexed) {
        chunk = openChunk(out);
        bool anyAlpha = false;
        for (int i = 0; i < map.count(); ++i) {
            const uint32_t c = map.colour(i);
            const uint8_t rgb[3] = {uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)};
            out.insert(out.end(), rgb, rgb + 3);
            anyAlpha = anyAlpha || (rows.keepAlpha && (c >> 24) != 0xFF);
        }
        closeChunk(out, chunk, "PLTE");
        if (anyAlpha) {
            chunk = openChunk(out);
            for (int i = 0; i < map.count(); ++i)
                out.push_back(uint8_t(map.colour(i) >> 24));
            closeChunk(out, chunk, "tRNS");
        }
    }

    chunk = openChunk(out);
    bool deflated = false;
    try {
        // Line drawings shrink to a tenth or less; start with room for that.
        out.reserve(out.size() + rowBytes * size_t(rows.height) / 8 + 4096);
        deflated = deflateRows(rows, indices, bits, rowBytes, out);
    } catch (const std::bad_alloc&) {
    }
    if (!deflated) {
        out.clear();
        return false;
    }
    closeChunk(out, chunk, "IDAT");
    chunk = openChunk(out);
    closeChunk(out, chunk, "IEND");
    return true;
}

WriteResult writePng(const std::string& path, const PixelRows& rows) {
    std::vector<uint8_t> data;
    if (!encodePng(rows, data)) return {WriteStatus::WriteFailed, 0};
    return writeFileAtomically(path, data.data(), data.size());
}

} // namespace view
