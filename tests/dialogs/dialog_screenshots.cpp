// Shows each settings dialog on the display in turn and saves a picture of it, so that the
// layouts can be looked at on a real display server (Xvfb) and at other scale factors:
//
//     dialog_screenshots OUTDIR [UNIT]
//
// writes OUTDIR/pen.png, line.png, grid.png, mouse.png and text.png; UNIT is the length
// unit index (0 mm .. 5 yd). Settings are defaults with a few pens made visible.

#include <QApplication>
#include <QDir>
#include <cstdio>
#include <memory>

#include "../support/window_shot.h"
#include "dialogs/grid_dialog.h"
#include "dialogs/line_property_dialog.h"
#include "dialogs/mouse_operation_dialog.h"
#include "dialogs/pen_dialog.h"
#include "dialogs/text_dialog.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: dialog_screenshots OUTDIR [UNIT]\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    settings::SettingsStore store{"/nonexistent", "QuindleMini"};
    store.values.view.lengthUnit = static_cast<uint8_t>(argc > 2 ? std::atoi(argv[2]) : 0);
    store.values.pens.PenTblNo = 1;
    store.penTable.name = "Sample pens";
    store.penTable.width[1] = 35;
    store.penTable.width[2] = 50;
    store.penTable.width[3] = 100;
    store.penTable.width[4] = 200;
    store.penTable.display[5] = 0;
    store.values.line.UserDefLT = true;
    dialogs::DrawingFacts drawing;
    for (int p : {1, 2, 3, 4, 7})
        drawing.penUsed[p] = true;
    drawing.pageExtents.grow(0, 0);
    drawing.pageExtents.grow(16800, 11880); // A3 landscape

    dialogs::DialogServices services;
    bool ok = true;
    {
        dialogs::PenDialog d(store, drawing, services);
        d.setPreview([] {});
        ok &= test_support::shootWindow(d, out + "/pen.png");
    }
    {
        dialogs::LinePropertyDialog d(store.values, services);
        ok &= test_support::shootWindow(d, out + "/line.png");
    }
    {
        dialogs::GridDialog d(store.values, services);
        ok &= test_support::shootWindow(d, out + "/grid.png");
    }
    {
        dialogs::MouseOperationDialog d(store.values, services);
        ok &= test_support::shootWindow(d, out + "/mouse.png");
    }
    {
        dialogs::TextDialog d(store.values, services);
        ok &= test_support::shootWindow(d, out + "/text.png");
    }
    return ok ? 0 : 1;
}
