#pragma once
// Test fixture for drawing windows: a model drawn by hand, the settings, the
// view values, a frame that records what the windows ask of it (with the
// services of the settings dialogs), and windows of a chosen client size.

#include <QApplication>
#include <QMouseEvent>
#include <QString>
#include <QStringList>
#include <memory>

#include "dialogs/dialog_services.h"
#include "interp/drawing_model.h"
#include "render/view_values.h"
#include "settings/settings_store.h"
#include "view/window/drawing_window.h"
#include "view/window/window_shared.h"

namespace testwin {

// Settings-dialog services that record messages and help requests and cancel
// the colour chooser.
class RecordingServices : public dialogs::DialogServices {
  public:
    void report(QWidget*, const QString& t) override { reports << t; }
    bool confirm(QWidget*, const QString&) override { return false; }
    std::optional<QColor> pickColour(QWidget*, const QColor&) override {
        if (colours.isEmpty()) return std::nullopt;
        return colours.takeFirst();
    }
    void openHelp(const QString& anchor) override { helpAnchors << anchor; }

    QStringList reports, helpAnchors;
    QList<QColor> colours; // what the colour chooser confirms, in order
};

class RecordingFrame : public view::FrameHooks {
  public:
    void showStatusText(const QString& t) override { status = t; }
    void showPointerText(const QString& t) override { pointer = t; }
    int pageSpinPosition() const override { return page; }
    void setPageSpinPosition(int p) override { page = p; }
    void zoomButtonsChanged(view::CursorMode mode) override { lastMode = mode; }
    void undoRedoChanged(const view::DrawingWindow&, bool u, bool r) override {
        canUndo = u;
        canRedo = r;
    }
    void rotationChanged(view::DisplayRotation r) override { rotation = r; }
    bool hasFile() const override { return true; }
    void report(const QString& t) override { messages << t; }
    dialogs::DialogServices& dialogServices() override { return services; }
    void penTableChanged() override { ++penTableChanges; }

    QString status, pointer;
    int page = 1;
    view::CursorMode lastMode = view::CursorMode::Normal;
    view::DisplayRotation rotation = view::DisplayRotation::Deg0;
    bool canUndo = false, canRedo = false;
    QStringList messages;
    RecordingServices services;
    int penTableChanges = 0;
};

// Pen 1, a polyline through the given points (plotter units), on one page.
inline void drawPolyline(interp::DrawingModel& m, std::initializer_list<std::pair<int, int>> pts) {
    m.writePenSelect(1);
    m.write(interp::rec::PenUp{});
    bool first = true;
    for (auto [x, y] : pts) {
        m.appendPoint(x, y);
        if (first) m.write(interp::rec::PenDown{});
        first = false;
    }
}

struct Setup {
    interp::DrawingModel model;
    settings::SettingsStore store{"/nonexistent", "QuindleMini"};
    view::ViewValues values;
    RecordingFrame frame;
    view::WindowShared shared{model, store, values};

    Setup() {
        store.setDefaults();
        shared.frame = &frame;
    }
    // A window of client size w x h, shown and drawn.
    std::unique_ptr<view::DrawingWindow> window(int w, int h, int number = 1) {
        auto win = std::make_unique<view::DrawingWindow>(shared, number);
        win->setAttribute(Qt::WA_DeleteOnClose, false);
        win->resize(w, h);
        win->show();
        QApplication::processEvents();
        win->displayAll();
        return win;
    }
};

inline void press(view::DrawingWindow& w, Qt::MouseButton b, QPoint p) {
    w.handleMousePress(b, p);
}
inline void move(view::DrawingWindow& w, Qt::MouseButton held, QPoint p) {
    w.handleMouseMove(held, p);
}
// The release point does not count (the last move point does): only the button.
inline void release(view::DrawingWindow& w, Qt::MouseButton b) {
    w.handleMouseRelease(b);
}

} // namespace testwin
