#pragma once
// What the main-window tests share: message boxes that record what they were asked
// to show, and a main window on a settings folder of its own.

#include <QApplication>
#include <QFile>
#include <QList>
#include <QPair>
#include <QSize>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

#include "app/main_window.h"
#include "interp/drawing_model.h"
#include "render/view_values.h"
#include "settings/settings_store.h"

namespace testshell {

inline void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Message boxes and data error dialogs as lists: each kind on its own, and both in the
// order they came. `onReport` runs inside a message box, where a hand-over from a later
// start can arrive.
class RecordingDialogs : public app::AppDialogs {
  public:
    void report(QWidget*, const QString& t) override {
        messages << t;
        log << t;
        if (onReport) onReport();
    }
    void dataError(QWidget*, int hpgl2, int rtl) override {
        dataErrors << qMakePair(hpgl2, rtl);
        log << QStringLiteral("data error %1 %2").arg(hpgl2).arg(rtl);
    }
    QString chooseFile(QWidget*, const QString&) override { return QString(); }
    QStringList messages;
    QList<QPair<int, int>> dataErrors;
    QStringList log;
    std::function<void()> onReport;
};

// A main window on a temporary settings folder, made by start().
struct MainWindowShell {
    QTemporaryDir dir;
    interp::DrawingModel model;
    settings::SettingsStore store{dir.path().toStdString(), "QuindleMini"};
    view::ViewValues values;
    RecordingDialogs dialogs;
    std::unique_ptr<app::MainWindow> window;

    MainWindowShell() { store.setDefaults(); }
    // Makes the window with `file` as the start-up file, gives it `size` (none: the size
    // it picks itself), shows it and runs its first paint.
    app::MainWindow& start(const QString& file = QString(), QSize size = QSize(800, 600)) {
        window = std::make_unique<app::MainWindow>(model, store, values, dialogs,
                                                   app::StartUp{file, false});
        if (size.isValid()) window->resize(size);
        window->show();
        window->firstPaint();
        return *window;
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    static QString title(const QString& file) {
        return QStringLiteral("QuindleMini - [") + file + QStringLiteral("]");
    }
};

} // namespace testshell
