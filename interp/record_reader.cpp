#include "record_reader.h"

#include <cstring>

namespace interp {

namespace {
int itemWidth(char c) {
    switch (c) {
    case 'b':
        return 1;
    case 'w':
        return 2;
    default:
        return 4;
    }
}
} // namespace

RecordReader::RecordReader(const DrawingModel& model, int page) : model_(model) {
    DrawingModel::PageStart s = model.pageStart(page);
    block_ = s.block;
    offset_ = s.offset;
}

RecordReader::RecordReader(const DrawingModel& model) : model_(model) {}

bool RecordReader::nextSlow(Record& r) {
    if (done_) return false;
    if (block_ >= model_.blockCount() || offset_ >= static_cast<uint32_t>(kBlockSize)) {
        done_ = true;
        return false;
    }
    const uint8_t* b = model_.block(block_);
    uint8_t code = b[offset_];
    r.code = code;
    r.isText = false;
    r.itemCount = 0;
    r.text = nullptr;
    r.textLength = 0;

    if (code == 255) {
        uint32_t link = model_.blockLink(block_);
        if (link == 0 || link >= model_.blockCount() || link == block_) {
            done_ = true;
            return false;
        }
        block_ = link;
        offset_ = kFirstRecordOffset;
        return true;
    }
    if (code == kLabelCode && textExpected_) {
        textExpected_ = false;
        uint32_t len = textPending_;
        if (offset_ + 1 + len > static_cast<uint32_t>(kBlockSize)) {
            done_ = true;
            return false;
        }
        r.isText = true;
        r.text = b + offset_ + 1;
        r.textLength = len;
        offset_ += 1 + len;
        return true;
    }
    const char* layout = recordLayout(code);
    if (!layout) {
        done_ = true;
        return false;
    }
    uint32_t pos = offset_ + 1;
    int n = 0;
    for (const char* c = layout; *c; ++c) {
        int width = itemWidth(*c);
        if (pos + width > static_cast<uint32_t>(kBlockSize)) {
            done_ = true;
            return false;
        }
        int32_t v = 0;
        switch (*c) {
        case 'b':
            v = b[pos];
            break;
        case 'w': {
            uint16_t w;
            std::memcpy(&w, b + pos, 2);
            v = w;
            break;
        }
        default:
            std::memcpy(&v, b + pos, 4);
            break;
        }
        r.item[n++] = v;
        pos += width;
        if (code == 26 && n == 1 && v == kAllPensDefaultColour) break; // short form
    }
    r.itemCount = n;
    offset_ = pos;
    if (code == kLabelCode) {
        textExpected_ = true;
        textPending_ = static_cast<uint32_t>(r.item[0]);
    }
    if (code == 0) done_ = true;
    return true;
}

} // namespace interp
