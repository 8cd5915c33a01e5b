#pragma once
// What the file-open tests share: a main window in a temporary settings folder with
// recording message boxes, fixture paths, and waiting for a modal box to come up.

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "app/main_window.h"
#include "interp/drawing_model.h"
#include "render/view_values.h"
#include "settings/settings_store.h"
#include "tests/support/main_window_shell.h"

namespace fileopen_test {

inline QString fixture(const char* name) {
    return QStringLiteral(QM_ARCHIVE_DATA "/") + QString::fromUtf8(name);
}

using testshell::RecordingDialogs;
using testshell::writeFile;

// A main window on a temporary settings folder.
struct Shell : testshell::MainWindowShell {
    explicit Shell(const QString& file = QString()) {
        start(file);
        QApplication::processEvents();
    }
    QString scratch() const { return dir.filePath(QStringLiteral("TEMP")); }
    // What the scratch folder holds.
    QStringList scratchFiles() const {
        return QDir(scratch()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System |
                                         QDir::Hidden);
    }
    QString title() const { return window->windowTitle(); }
};

// Runs `act` on the first modal box of type T once it shows (while the caller is blocked in
// that box's exec()); sets `seen` when it did.
template <class T> void whenModal(std::function<void(T&)> act, bool* seen) {
    auto poll = std::make_shared<std::function<void(int)>>();
    *poll = [act, seen, poll](int left) {
        if (auto* box = qobject_cast<T*>(QApplication::activeModalWidget())) {
            if (seen) *seen = true;
            act(*box);
            return;
        }
        if (left > 0) QTimer::singleShot(20, [poll, left] { (*poll)(left - 1); });
    };
    QTimer::singleShot(0, [poll] { (*poll)(250); });
}

} // namespace fileopen_test
