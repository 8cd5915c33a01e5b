#include "app/open_queue.h"

namespace app {

OpenRequestQueue::OpenRequestQueue(std::function<void(const QString&)> open, QObject* parent)
    : QObject(parent), open_(std::move(open)) {}

void OpenRequestQueue::push(const QString& fileName) {
    pending_.append(Request{fileName, {}});
    schedule();
}

void OpenRequestQueue::pushTask(std::function<void()> task) {
    pending_.append(Request{QString(), std::move(task)});
    schedule();
}

QStringList OpenRequestQueue::pending() const {
    QStringList names;
    for (const Request& r : pending_)
        if (!r.task) names << r.fileName;
    return names;
}

void OpenRequestQueue::schedule() {
    if (scheduled_ || busy_ > 0 || pending_.isEmpty()) return;
    scheduled_ = true;
    QMetaObject::invokeMethod(this, &OpenRequestQueue::runNext, Qt::QueuedConnection);
}

void OpenRequestQueue::runNext() {
    scheduled_ = false;
    if (busy_ > 0 || pending_.isEmpty()) return;
    const Request request = pending_.takeFirst();
    BusyScope busy(*this);
    if (request.task)
        request.task();
    else
        open_(request.fileName);
}

OpenRequestQueue::BusyScope::BusyScope(OpenRequestQueue& queue) : queue_(queue) {
    ++queue_.busy_;
}

OpenRequestQueue::BusyScope::~BusyScope() {
    // The next request runs from the event loop, after whatever ended this scope.
    if (--queue_.busy_ == 0) queue_.schedule();
}

} // namespace app
