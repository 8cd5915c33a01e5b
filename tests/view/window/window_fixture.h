#pragma once
// Test fixture for drawing windows: a model drawn by hand, the settings, the
// view values, a frame that records what the windows ask of it, and windows
// of a chosen client size.

#include <QApplication>
#include <QMouseEvent>
#include <QString>
#include <QStringList>
#include <memory>

#include "interp/drawing_model.h"
#include "settings/settings_store.h"
#include "view/view_values.h"
#include "view/window/quindle2_form.h"
#include "view/window/window_shared.h"

namespace testwin {

class RecordingFrame : public view::FrameHooks {
  public:
    void showStatusText(const QString& t) override { status = t; }
    void showPointerText(const QString& t) override { pointer = t; }
    int pageSpinPosition() const override { return page; }
    void setPageSpinPosition(int p) override { page = p; }
    void zoomButtonsChanged(int mode) override { lastMode = mode; }
    void undoRedoChanged(const view::TQuindle2Form&, bool u, bool r) override {
        canUndo = u;
        canRedo = r;
    }
    void rotationChanged(int r) override { rotation = r; }
    bool hasFile() const override { return true; }
    void report(const QString& t) override { messages << t; }

    QString status, pointer;
    int page = 1, lastMode = 2, rotation = 1;
    bool canUndo = false, canRedo = false;
    QStringList messages;
};

// Pen 1, a polyline through the given points (plotter units), on one page.
inline void drawPolyline(interp::DrawingModel& m, std::initializer_list<std::pair<int, int>> pts) {
    m.writePenSelect(1);
    m.beginRecord(2);
    bool first = true;
    for (auto [x, y] : pts) {
        m.appendPoint(x, y);
        if (first) m.beginRecord(3);
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
    std::unique_ptr<view::TQuindle2Form> window(int w, int h, int number = 1) {
        auto f = std::make_unique<view::TQuindle2Form>(shared, number);
        f->setAttribute(Qt::WA_DeleteOnClose, false);
        f->resize(w, h);
        f->show();
        QApplication::processEvents();
        f->DisAllClick();
        return f;
    }
};

inline void press(view::TQuindle2Form& f, Qt::MouseButton b, QPoint p) {
    f.FormMouseDown(b, b, Qt::NoModifier, p);
}
inline void move(view::TQuindle2Form& f, Qt::MouseButton held, QPoint p) {
    f.FormMouseMove(held, Qt::NoModifier, p);
}
inline void release(view::TQuindle2Form& f, Qt::MouseButton b, QPoint p) {
    f.FormMouseUp(b, Qt::NoModifier, p);
}

} // namespace testwin
