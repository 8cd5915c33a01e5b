#pragma once
// The hand-over between a later start and the running instance, byte for byte: the
// request carries the exact bytes of the file name (length first, so blanks and line feeds
// at any place arrive unchanged), the answer is one byte saying it was received.

#include <QByteArray>

namespace app::handover {

// Sent back as soon as a whole request has arrived, before anything is opened.
constexpr char kReceived = 'R';
// Longest file name taken (file names on this system are far shorter).
constexpr qsizetype kMaxNameBytes = 65536;

// "QMH1", the name's length as 4 bytes (most significant first), the name's bytes. An
// empty name asks the running instance only to come forward.
QByteArray encodeRequest(const QByteArray& fileName);

// Gathers the bytes of one request as they arrive.
class RequestReader {
  public:
    enum class State {
        NeedMore, // not all there yet
        Complete, // fileName() holds the name
        Invalid,  // not a request of this program, a name that is too long, or extra bytes
    };
    State feed(const QByteArray& bytes);
    State state() const { return state_; }
    const QByteArray& fileName() const { return name_; }

  private:
    QByteArray buffer_;
    QByteArray name_;
    State state_ = State::NeedMore;
};

} // namespace app::handover
