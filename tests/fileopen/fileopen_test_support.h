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

namespace fileopen_test {

inline QString fixture(const char* name) {
    return QStringLiteral(QM_ARCHIVE_DATA "/") + QString::fromUtf8(name);
}

class RecordingDialogs : public app::AppDialogs {
  public:
    void report(QWidget*, const QString& t) override { messages << t; }
    void dataError(QWidget*, int, int) override {}
    QString chooseFile(QWidget*, const QString&) override { return QString(); }
    QStringList messages;
};

inline void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
}

// A main window on a temporary settings folder.
struct Shell {
    QTemporaryDir dir;
    interp::DrawingModel model;
    settings::SettingsStore store{dir.path().toStdString(), "QuindleMini"};
    view::ViewValues values;
    RecordingDialogs dialogs;
    std::unique_ptr<app::MainWindow> window;

    explicit Shell(const QString& file = QString()) {
        store.setDefaults();
        window = std::make_unique<app::MainWindow>(model, store, values, dialogs,
                                                   app::StartUp{file, false});
        window->resize(800, 600);
        window->show();
        window->firstPaint();
        QApplication::processEvents();
    }
    QString path(const QString& name) const { return dir.filePath(name); }
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
