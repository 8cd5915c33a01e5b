#pragma once
// The one table of drawing-list records: code, name and payload fields. All
// else is generated from it: the code enum, a payload struct per record with
// named fields, the layout strings of the generic reader, the dump and the
// rotation walk, and the typed encoding and decoding the writer, the reader
// and the render pass use.
//
// Field types: b = unsigned 8-bit, w = unsigned 16-bit, i = signed 32-bit,
// f = 32-bit float, p = 32-bit polygon index; packed in table order after the
// code byte, in host (little-endian) order.
//
// Units: coordinates, sizes and lengths in plotter units; angles
// (direction, vertical, sweep) in thousandths of a degree, the fill angle
// in hundredths; slant in thousandths; extra space and character moves in
// hundred-thousandths of a character; pen widths in thousandths of a
// millimetre; `chords` is the number of chords a curve is drawn with.

#include <cstdint>
#include <cstring>
#include <type_traits>

namespace interp {

#define QM_RECORD_TABLE(X, F)                                                                      \
    X(0, EndOfDrawing, )                                                                           \
    X(1, PenSelect, F(b, pen))                                                                     \
    X(2, PenUp, )                                                                                  \
    X(3, PenDown, )                                                                                \
    X(4, Point, F(i, x) F(i, y))                                                                   \
    X(6, Circle, F(i, radius) F(b, chords))                                                        \
    X(7, Arc, F(i, centreX) F(i, centreY) F(i, sweep) F(b, chords))                                \
    X(9, PenWidth, F(i, width) F(i, pen))                                                          \
    X(10, Label,                                                                                   \
      F(w, textLength) F(w, longestLine) F(w, lineFeeds) F(w, carriageReturns) F(w, charSet)       \
          F(b, headerByte1) F(b, headerByte2))                                                     \
    X(11, CharSize, F(i, width) F(i, height))                                                      \
    X(12, LabelDirection, F(i, direction))                                                         \
    X(13, CharSlant, F(i, slant))                                                                  \
    X(14, LabelOrigin, F(b, origin))                                                               \
    X(15, ExtraSpace, F(i, spaces) F(i, lines))                                                    \
    X(16, CharMove, F(i, spaces) F(i, lines))                                                      \
    X(18, FillType, F(b, type) F(i, value) F(i, angle))                                            \
    X(21, FillPolygon, F(b, winding) F(p, polygon) F(f, scaleX) F(f, scaleY))                      \
    X(22, EdgePolygon, F(p, polygon) F(f, scaleX) F(f, scaleY))                                    \
    X(23, LineType, F(i, type) F(i, length))                                                       \
    X(24, LabelVertical, F(i, vertical))                                                           \
    X(26, PenColour, F(w, pen) F(w, red) F(w, green) F(w, blue))                                   \
    X(27, FontByte, F(b, value))                                                                   \
    X(28, InputWindow, F(i, x1) F(i, y1) F(i, x2) F(i, y2))                                        \
    X(29, CharSetSelect, F(b, set))                                                                \
    X(30, LineAttributes, F(i, value))                                                             \
    X(31, CircleScaled, F(f, scaleX) F(f, scaleY) F(i, radius) F(b, chords))                       \
    X(32, ArcScaled,                                                                               \
      F(f, scaleX) F(f, scaleY) F(i, centreX) F(i, centreY) F(i, sweep) F(b, chords))              \
    X(254, EndOfPage, )                                                                            \
    X(255, ContinueBlock, )

#define QM_REC_NO_FIELDS(type, name)

enum class Rec : uint8_t {
#define QM_REC_ENUM(code, name, fields) name = code,
    QM_RECORD_TABLE(QM_REC_ENUM, QM_REC_NO_FIELDS)
#undef QM_REC_ENUM
};

// The payload structs, one per record, named as the codes.
namespace rec {

namespace field {
using b = uint8_t;
using w = uint16_t;
using i = int32_t;
using f = float;
using p = int32_t;
} // namespace field

#define QM_REC_FIELD_DECL(type, name) field::type name{};
#define QM_REC_STRUCT(code, name, fields)                                                          \
    struct name {                                                                                  \
        static constexpr Rec kCode = Rec::name;                                                    \
        fields friend bool operator==(const name&, const name&) = default;                         \
    };
QM_RECORD_TABLE(QM_REC_STRUCT, QM_REC_FIELD_DECL)
#undef QM_REC_STRUCT
#undef QM_REC_FIELD_DECL

// forEachField(record, fn) calls fn on every field in table order.
#define QM_REC_FIELD_VISIT(type, name) fn(r.name);
#define QM_REC_VISIT(code, name, fields)                                                           \
    template <class R, class Fn>                                                                   \
    requires std::is_same_v<std::remove_const_t<R>, name>                                          \
    constexpr void forEachField(R& r, Fn&& fn) {                                                   \
        (void)r;                                                                                   \
        (void)fn;                                                                                  \
        fields                                                                                     \
    }
QM_RECORD_TABLE(QM_REC_VISIT, QM_REC_FIELD_VISIT)
#undef QM_REC_VISIT
#undef QM_REC_FIELD_VISIT

} // namespace rec

// Bytes of a record of type R, the code byte included.
template <class R> constexpr uint32_t recordBytes() {
    uint32_t n = 1;
    const R r{};
    rec::forEachField(r, [&n](const auto& f) { n += sizeof f; });
    return n;
}
constexpr uint32_t kPointRecordBytes = recordBytes<rec::Point>();

// The payload of a record of type R from the bytes after its code byte,
// which must hold all of it.
template <class R> R decodePayload(const uint8_t* p) {
    R r;
    rec::forEachField(r, [&p](auto& f) {
        std::memcpy(&f, p, sizeof f);
        p += sizeof f;
    });
    return r;
}

// Writes the payload of `r` to the bytes after its code byte.
template <class R> void encodePayload(const R& r, uint8_t* p) {
    rec::forEachField(r, [&p](const auto& f) {
        std::memcpy(p, &f, sizeof f);
        p += sizeof f;
    });
}

// Payload layout of a code ("" for codes without payload), nullptr for a code
// that the table does not know.
const char* recordLayout(uint8_t code);
const char* recordName(uint8_t code);

// Where a record lies: its layout, how many of its items it holds and its
// bytes, the code byte included.
struct RecordExtent {
    const char* layout = nullptr;
    int items = 0;
    uint32_t bytes = 0;
};

// The extent of the record whose code byte is at `record`, `available` bytes
// lying from there to the end of its block. The pen colour record of all
// default colours holds its pen item only. Bytes 0 when the code is unknown
// or the record runs past the block. Label texts are not records of the
// table: the reader knows where they follow.
RecordExtent recordExtent(const uint8_t* record, uint32_t available);

// A label header is followed by a second Label code byte and the text.
// The fill types as FT numbers them; a FillType record's `type` holds one.
enum class FillKind : uint8_t {
    SolidBidirectional = 1,
    Solid = 2,
    Hatch = 3,
    CrossHatch = 4,
    Shading = 10,
    UserPattern = 11,
    Pattern = 22,
};
// Pen colour record whose only payload is this pen number: all default colours.
constexpr int kAllPensDefaultColour = 1000;
// Input window record with all four values at this: no window.
constexpr int32_t kNoInputWindow = 2147483647;

} // namespace interp
