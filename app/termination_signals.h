#pragma once
// Logout (SIGTERM), Ctrl+C (SIGINT) and a closed terminal (SIGHUP) end the program the
// way File > Exit does, with the settings saved: the signal handler only writes the signal
// number into a pipe, and the event loop reads it and asks for the main window to close.

#include <QObject>
#include <csignal>
#include <iterator>

class QSocketNotifier;
class QWidget;

namespace app {

class TerminationSignals : public QObject {
    Q_OBJECT
  public:
    // Installs the handlers (a signal that was ignored when the program started, as under
    // nohup, stays ignored). Only one object of this kind may exist at a time.
    explicit TerminationSignals(QObject* parent = nullptr);
    // Puts the earlier handlers back.
    ~TerminationSignals() override;
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    // The first signal received; 0 while none came.
    int received() const { return received_; }

  signals:
    // Emitted from the event loop for every signal received.
    void requested(int signalNumber);

  private:
    void readPipe();

    static constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
    struct sigaction previous_[std::size(kSignals)]{};
    int pipe_[2] = {-1, -1};
    QSocketNotifier* notifier_ = nullptr;
    int received_ = 0;
};

// Closes `window` as File > Exit does, but only from the outermost event loop: modal boxes
// and menus still open are closed first, and the close is tried again shortly after, so
// that nothing still running inside one of them finds its windows gone.
void closeWhenIdle(QWidget* window);

} // namespace app
