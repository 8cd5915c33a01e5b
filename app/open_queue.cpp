#include "app/open_queue.h"

namespace app {

OpenRequestQueue::OpenRequestQueue(std::function<void(const QString&)> open, QObject* parent)
    : QObject(parent), open_(std::move(open)) {}

void OpenRequestQueue::push(const QString& fileName) {
    pending_ << fileName;
    schedule();
}

void OpenRequestQueue::schedule() {
    if (scheduled_ || busy_ > 0 || pending_.isEmpty()) return;
    scheduled_ = true;
    QMetaObject::invokeMethod(this, &OpenRequestQueue::runNext, Qt::QueuedConnection);
}

void OpenRequestQueue::runNext() {
    scheduled_ = false;
    if (busy_ > 0 || pending_.isEmpty()) return;
    const QString fileName = pending_.takeFirst();
    BusyScope busy(*this);
    open_(fileName);
}

OpenRequestQueue::BusyScope::BusyScope(OpenRequestQueue& queue) : queue_(queue) {
    ++queue_.busy_;
}

OpenRequestQueue::BusyScope::~BusyScope() {
    // The next request runs from the event loop, after whatever ended this scope.
    if (--queue_.busy_ == 0) queue_.schedule();
}

} // namespace app
