#include "record_codes.h"

namespace interp {

namespace {

struct CodeInfo {
    const char* layout = nullptr;
    const char* name = nullptr;
    uint32_t bytes = 0; // the code byte included
};

constexpr uint32_t layoutBytes(const char* layout) {
    uint32_t n = 1;
    for (const char* c = layout; *c; ++c)
        n += *c == 'b' ? 1 : *c == 'w' ? 2 : 4;
    return n;
}

struct CodeTable {
    CodeInfo info[256];
    constexpr CodeTable() {
#define QM_REC_LETTER(type, name) #type
#define QM_REC_INFO(code, nm, fields) info[code] = CodeInfo{"" fields, #nm, layoutBytes("" fields)};
        QM_RECORD_TABLE(QM_REC_INFO, QM_REC_LETTER)
#undef QM_REC_INFO
#undef QM_REC_LETTER
    }
};
constexpr CodeTable kTable;

// The layout letters and the payload structs must agree.
#define QM_REC_CHECK(code, nm, fields)                                                             \
    static_assert(layoutBytes(kTable.info[code].layout) == recordBytes<rec::nm>());
QM_RECORD_TABLE(QM_REC_CHECK, QM_REC_NO_FIELDS)
#undef QM_REC_CHECK

} // namespace

const char* recordLayout(uint8_t code) {
    return kTable.info[code].layout;
}
const char* recordName(uint8_t code) {
    return kTable.info[code].name;
}

RecordExtent recordExtent(const uint8_t* record, uint32_t available) {
    const CodeInfo& info = kTable.info[record[0]];
    RecordExtent e;
    if (!info.layout || available == 0) return e;
    e.layout = info.layout;
    if (record[0] == uint8_t(Rec::PenColour) && available >= 3) {
        uint16_t pen;
        std::memcpy(&pen, record + 1, 2);
        if (pen == kAllPensDefaultColour) {
            e.items = 1;
            e.bytes = 3;
            return e;
        }
    }
    if (info.bytes > available) return e;
    for (const char* c = info.layout; *c; ++c)
        ++e.items;
    e.bytes = info.bytes;
    return e;
}

} // namespace interp
