#pragma once
// Pictures of windows for looking at layouts on a real display server: shows a
// window, lets it paint, and saves its area of the screen.

#include <QApplication>
#include <QEventLoop>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace test_support {

// Runs the event loop for about `rounds` x 25 ms so that shown windows are painted.
inline void settle(int rounds = 30) {
    for (int k = 0; k < rounds; ++k) {
        QApplication::processEvents();
        QEventLoop loop;
        QTimer::singleShot(25, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

// Shows `w` at (20, 20), waits for it to be painted, saves its frame's area of the
// screen (or the widget's own picture where the screen cannot be read) to `file`,
// hides it again and prints one line saying what was written.
inline bool shootWindow(QWidget& w, const QString& file) {
    w.show();
    w.move(20, 20);
    settle();
    const QRect g = w.frameGeometry();
    QPixmap shot = w.screen()->grabWindow(0, g.x(), g.y(), g.width(), g.height());
    if (shot.isNull()) shot = w.grab();
    w.hide();
    const bool ok = shot.save(file);
    std::printf("%s %dx%d %s\n", qPrintable(file), shot.width(), shot.height(),
                ok ? "ok" : "FAILED");
    return ok;
}

} // namespace test_support
