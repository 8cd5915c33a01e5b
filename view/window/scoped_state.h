#pragma once
// Scope guards for state that a piece of work sets and has to put back
// however it ends: a flag, and the busy cursor over the whole application.

#include <QGuiApplication>

namespace view {

// Sets `flag` to `value` for the life of the guard, then back to what it was.
class ScopedFlag {
  public:
    explicit ScopedFlag(bool& flag, bool value = true) : flag_(flag), saved_(flag) {
        flag_ = value;
    }
    ~ScopedFlag() { flag_ = saved_; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

  private:
    bool& flag_;
    bool saved_;
};

// The hourglass over every window of the application for the life of the guard.
class BusyCursor {
  public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace view
