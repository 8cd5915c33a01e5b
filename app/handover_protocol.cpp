#include "app/handover_protocol.h"

namespace app::handover {

namespace {
constexpr char kMagic[] = "QMH1";
constexpr qsizetype kHeader = 8; // magic and length
} // namespace

QByteArray encodeRequest(const QByteArray& fileName) {
    const quint32 n = quint32(fileName.size());
    QByteArray out(kMagic, 4);
    for (int shift = 24; shift >= 0; shift -= 8)
        out += char((n >> shift) & 0xff);
    return out + fileName;
}

RequestReader::State RequestReader::feed(const QByteArray& bytes) {
    if (state_ != State::NeedMore) {
        // Anything after a whole request is not part of this protocol.
        if (!bytes.isEmpty()) state_ = State::Invalid;
        return state_;
    }
    buffer_ += bytes;
    if (!QByteArray(kMagic, 4).startsWith(buffer_.left(4))) return state_ = State::Invalid;
    if (buffer_.size() < kHeader) return state_;
    quint32 n = 0;
    for (int k = 4; k < kHeader; ++k)
        n = (n << 8) | quint8(buffer_[k]);
    if (n > quint32(kMaxNameBytes)) return state_ = State::Invalid;
    if (buffer_.size() < kHeader + qsizetype(n)) return state_;
    if (buffer_.size() > kHeader + qsizetype(n)) return state_ = State::Invalid;
    name_ = buffer_.mid(kHeader);
    buffer_.clear();
    return state_ = State::Complete;
}

} // namespace app::handover
