#pragma once
// The queue every request to open a file goes through (a hand-over from a later start, a
// recent file, the open dialog): a request waits while a load or one of its boxes runs and
// is carried out afterwards, one at a time in the order they came, always from the event
// loop and never inside the code that asked.

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

namespace app {

class OpenRequestQueue : public QObject {
    Q_OBJECT
  public:
    // `open` carries out one request.
    explicit OpenRequestQueue(std::function<void(const QString&)> open, QObject* parent = nullptr);

    // Adds a request; it runs from the event loop once nothing is busy.
    void push(const QString& fileName);
    // Adds a request that is not a file name (showing the open dialog); it waits in the
    // same line as the files.
    void pushTask(std::function<void()> task);
    // Drops the requests not yet carried out (the program is closing).
    void clear() { pending_.clear(); }

    // Held while a load, one of its boxes or a dialog that leads to one runs: requests
    // wait until the last scope has ended. Scopes may nest.
    class BusyScope {
      public:
        explicit BusyScope(OpenRequestQueue& queue);
        ~BusyScope();
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;

      private:
        OpenRequestQueue& queue_;
    };

    bool busy() const { return busy_ > 0; }
    // The file names still waiting, in order.
    QStringList pending() const;

  private:
    void schedule();
    void runNext();

    struct Request {
        QString fileName;
        std::function<void()> task; // set instead of a file name
    };

    std::function<void(const QString&)> open_;
    QList<Request> pending_;
    int busy_ = 0;
    bool scheduled_ = false;
};

} // namespace app
