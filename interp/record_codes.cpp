#include "record_codes.h"

namespace interp {

namespace {
struct CodeInfo {
    const char* layout = nullptr;
    const char* name = nullptr;
};

struct CodeTable {
    CodeInfo info[256];
    constexpr CodeTable() {
#define QM_REC_INFO(code, nm, lay) info[code] = CodeInfo{lay, #nm};
        QM_RECORD_TABLE(QM_REC_INFO)
#undef QM_REC_INFO
    }
};
constexpr CodeTable kTable;
} // namespace

const char* recordLayout(uint8_t code) {
    return kTable.info[code].layout;
}
const char* recordName(uint8_t code) {
    return kTable.info[code].name;
}

} // namespace interp
