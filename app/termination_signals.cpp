#include "app/termination_signals.h"

#include <QApplication>
#include <QPointer>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <iterator>
#include <unistd.h>

namespace app {

namespace {

// How soon a close that had to wait for a box to go is tried again.
constexpr int kRetryMs = 20;

// The write end of the pipe: the one thing a signal handler can reach. Set before the
// handlers are installed and cleared after they are removed.
volatile std::sig_atomic_t signalPipe = -1;

void onSignal(int signalNumber) {
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    if (signalPipe >= 0) (void)!::write(signalPipe, &byte, 1);
    errno = saved;
}

} // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
    if (::pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0) {
        pipe_[0] = pipe_[1] = -1;
        return;
    }
    signalPipe = pipe_[1];
    notifier_ = new QSocketNotifier(pipe_[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::readPipe);
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    // A second signal of the same kind ends the program at once, for when the first one
    // has to wait (a long load does not look at the event loop).
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (std::size_t k = 0; k < std::size(kSignals); ++k) {
        ::sigaction(kSignals[k], nullptr, &previous_[k]);
        // A signal ignored by whoever started the program (nohup) stays ignored.
        if (previous_[k].sa_handler != SIG_IGN) ::sigaction(kSignals[k], &action, nullptr);
    }
}

TerminationSignals::~TerminationSignals() {
    for (std::size_t k = 0; k < std::size(kSignals); ++k)
        if (pipe_[1] >= 0) ::sigaction(kSignals[k], &previous_[k], nullptr);
    signalPipe = -1;
    delete notifier_;
    for (int fd : pipe_)
        if (fd >= 0) ::close(fd);
}

void TerminationSignals::readPipe() {
    unsigned char bytes[16];
    ssize_t n;
    while ((n = ::read(pipe_[0], bytes, sizeof bytes)) > 0) {
        for (ssize_t k = 0; k < n; ++k) {
            if (received_ == 0) received_ = bytes[k];
            emit requested(bytes[k]);
        }
    }
}

void closeWhenIdle(QWidget* window) {
    QPointer<QWidget> target(window);
    if (!target) return;
    QWidget* popup = QApplication::activePopupWidget();
    QWidget* modal = QApplication::activeModalWidget();
    if (popup || modal || QThread::currentThread()->loopLevel() > 1) {
        // Inside a modal box or menu: close it and come back once its loop has ended.
        if (popup) popup->close();
        if (modal) modal->close();
        QTimer::singleShot(kRetryMs, target, [target] { closeWhenIdle(target); });
        return;
    }
    target->close();
}

} // namespace app
