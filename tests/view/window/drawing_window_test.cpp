// The drawing window under the offscreen platform: view commands, display
// undo, wheel, mirror, rubber band, drags, clicks with zoom armed, rotation,
// shifts at the coordinate limit and resizes inside the multi-document frame.

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QTest>

#include "interp/record_reader.h"
#include "view/image_canvas.h"
#include "window_fixture.h"

using testwin::Setup;
using view::CursorMode;
using view::DisplayRotation;
using view::DragState;
using view::ViewRect;

class DrawingWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void displayAllOnAWideWindowGrowsToTheRight();
    void zoomUpThenDownComesBackUpToRounding();
    void elevenViewsKeepTenUndoEntries();
    void wheelActsOncePerWholeNotch();
    void shiftsStopAtTheLimitAndNeverBackOff();
    void maximiseInTheFrameRefitsThePicture();
    void mirrorShowsTheLeftmostPointAtTheRightEdge();
    void rubberBandEitherWayGivesTheSameArea();
    void shiftDragWaitsForMoreThanFivePixels();
    void middleDragShiftsWithDisplayDragOff();
    void releaseOutsideEndsTheDrag();
    void leftClickWithZoomInArmedHalvesTheView();
    void keysShiftAndCtrl();
    void rotationFrom270To0IsAQuarterTurn();
    void noBusyCursorStaysAfterARedraw();
};

namespace {
// A square drawing 10000 x 10000 with a line along its left side.
void squareDrawing(Setup& s) {
    testwin::drawPolyline(s.model, {{0, 0}, {0, 10000}, {10000, 10000}, {10000, 0}});
    s.model.finishLoad({});
}

// Ink columns of a picture: for each x, the pixels that differ from (0, 0)'s
// background colour (the corner pixel is outside the drawing).
std::vector<int> inkPerColumn(const QImage& img, QRgb background) {
    std::vector<int> cols(img.width(), 0);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != background) ++cols[x];
    return cols;
}
} // namespace

void DrawingWindowTest::displayAllOnAWideWindowGrowsToTheRight() {
    Setup s;
    squareDrawing(s);
    auto w = s.window(400, 200);
    QCOMPARE(w->clientSize(), QSize(400, 200));
    const ViewRect r = w->viewRect();
    // Extent -40..10040 both ways; the rectangle becomes twice as wide as high.
    QCOMPARE(r.X1, -40);
    QCOMPARE(r.Y1, -40);
    QCOMPARE(r.Y2, 10040);
    QCOMPARE(r.X2, -40 + 2 * 10080);
}

void DrawingWindowTest::zoomUpThenDownComesBackUpToRounding() {
    Setup s;
    squareDrawing(s);
    auto w = s.window(300, 300);
    const ViewRect start = w->viewRect();
    w->zoomIn();
    const ViewRect up = w->viewRect();
    QVERIFY(up.width() <= start.width() / 2 + 2);
    QVERIFY(up.width() >= start.width() / 2 - 2);
    w->zoomOut();
    const ViewRect back = w->viewRect();
    QVERIFY(std::abs(back.X1 - start.X1) <= 2);
    QVERIFY(std::abs(back.Y1 - start.Y1) <= 2);
    QVERIFY(std::abs(back.X2 - start.X2) <= 2);
    QVERIFY(std::abs(back.Y2 - start.Y2) <= 2);
}

void DrawingWindowTest::elevenViewsKeepTenUndoEntries() {
    Setup s;
    squareDrawing(s);
    auto w = s.window(300, 300); // view 1: display all
    for (int k = 0; k < 10; ++k)
        w->shiftBy(1, 0); // views 2..11
    QCOMPARE(w->undoList().count(), 10);
    const ViewRect newest = w->viewRect();
    QVERIFY(s.frame.canUndo);
    QVERIFY(!s.frame.canRedo);
    for (int k = 0; k < 9; ++k)
        w->undoView();
    QVERIFY(s.frame.messages.isEmpty());
    // The oldest kept view is the second one: one shift right of display all.
    const ViewRect oldest = w->viewRect();
    QCOMPARE(oldest.width(), newest.width());
    QCOMPARE(newest.X1 - oldest.X1, 9 * (newest.width() / 2));
    w->undoView();
    QCOMPARE(s.frame.messages, QStringList{QStringLiteral("Can not execute Display Undo/Redo !")});
    QCOMPARE(w->viewRect(), oldest);
    // Redo walks forward again; undo and redo add no entries.
    w->redoView();
    QCOMPARE(w->undoList().count(), 10);
    QCOMPARE(w->undoList().position(), 2);
    // A new view after an undo goes behind the newest entry.
    w->zoomIn();
    QCOMPARE(w->undoList().position(), 10);
    QCOMPARE(w->undoList().entry(10), w->viewRect());
}

void DrawingWindowTest::wheelActsOncePerWholeNotch() {
    Setup s;
    squareDrawing(s);
    auto w = s.window(300, 300);
    const ViewRect start = w->viewRect();
    const int entries = w->undoList().count();
    // Parts of a notch do nothing until they make a whole one.
    w->handleWheel(60, QPoint(150, 150));
    QCOMPARE(w->viewRect(), start);
    w->handleWheel(60, QPoint(150, 150));
    const ViewRect in = w->viewRect();
    QVERIFY(in.width() < start.width());
    QVERIFY(in.X1 > start.X1);
    // The wheel sets the zoom area but adds no undo entry.
    QCOMPARE(s.values.zoomArea.X1, in.X1);
    QCOMPARE(w->undoList().count(), entries);
    // One notch, however it is sliced, is one step.
    auto stepped = s.window(300, 300, 2);
    stepped->handleWheel(120, QPoint(150, 150));
    const ViewRect oneNotch = stepped->viewRect();
    auto sliced = s.window(300, 300, 3);
    for (int k = 0; k < 8; ++k)
        sliced->handleWheel(15, QPoint(150, 150));
    QCOMPARE(sliced->viewRect(), oneNotch);
    // A turn the other way drops what was left over.
    sliced->handleWheel(100, QPoint(150, 150));
    sliced->handleWheel(-20, QPoint(150, 150));
    sliced->handleWheel(20, QPoint(150, 150));
    QCOMPARE(sliced->viewRect(), oneNotch);
    // Two notches at once are two steps.
    stepped->handleWheel(120, QPoint(150, 150));
    const ViewRect twoNotches = stepped->viewRect();
    auto fast = s.window(300, 300, 4);
    fast->handleWheel(240, QPoint(150, 150));
    QCOMPARE(fast->viewRect(), twoNotches);
}

void DrawingWindowTest::shiftsStopAtTheLimitAndNeverBackOff() {
    Setup s;
    squareDrawing(s);
    auto w = s.window(400, 300); // wider than high: the view outgrows the limit sideways
    for (int k = 0; k < 40; ++k)
        w->zoomOut();
    for (int k = 0; k < 3; ++k) {
        const ViewRect before = w->viewRect();
        w->shiftBy(1, 0);
        const ViewRect after = w->viewRect();
        QVERIFY(after.X1 >= before.X1);
        QVERIFY(after.X1 >= -view::kViewLimit);
        w->shiftBy(0, -1);
        QVERIFY(w->viewRect().Y2 <= before.Y2);
        QVERIFY(w->viewRect().Y1 >= -view::kViewLimit);
    }
    // The plain rules: a view past the limit stays put, one inside stops at it.
    const ViewRect past{-100, 0, view::kViewLimit + 500, 1000};
    const ViewRect right = view::shiftRect(past, 1, 0);
    QCOMPARE(right.X1, -100);
    QVERIFY(right.X2 <= view::kViewLimit);
    const ViewRect left = view::shiftRect({-view::kViewLimit - 10, 0, 100, 10}, -1, 0);
    QVERIFY(left.X1 >= -view::kViewLimit);
    QCOMPARE(left.X2, 100);
    const ViewRect near{view::kViewLimit - 1000, 0, view::kViewLimit - 10, 10};
    QCOMPARE(view::shiftRect(near, 1, 0).X2, view::kViewLimit);
    const ViewRect dragged = view::shiftRectBy(past, 5000, 0);
    QCOMPARE(dragged.X1, -100);
    QCOMPARE(view::shiftRectBy(past, -5000, 0).X1, -5100);
}

void DrawingWindowTest::maximiseInTheFrameRefitsThePicture() {
    Setup s;
    squareDrawing(s);
    QMdiArea area;
    area.resize(800, 600);
    auto* w = new view::DrawingWindow(s.shared, 1);
    QMdiSubWindow* sub = area.addSubWindow(w);
    sub->resize(300, 200);
    area.show();
    QApplication::processEvents();
    w->displayAll();
    QApplication::processEvents();
    const QSize small = w->screenImage().size();
    sub->showMaximized();
    QApplication::processEvents();
    QVERIFY(w->clientSize().width() > small.width());
    QCOMPARE(w->screenImage().size(), w->clientSize());
    // The same area, fitted to the new shape: the drawing is still in view.
    QVERIFY(w->viewRect().X1 <= 0 && w->viewRect().X2 >= 10000);
    const QSize big = w->clientSize();
    QVERIFY(qAbs(double(w->viewRect().width()) / double(w->viewRect().height()) -
                 double(big.width()) / big.height()) < 0.02);
    sub->showNormal();
    QApplication::processEvents();
    QCOMPARE(w->screenImage().size(), w->clientSize());
}

void DrawingWindowTest::mirrorShowsTheLeftmostPointAtTheRightEdge() {
    Setup s;
    // A long line on the left side with a short spur to the right.
    testwin::drawPolyline(s.model, {{0, 0}, {0, 10000}});
    testwin::drawPolyline(s.model, {{0, 5000}, {2000, 5000}});
    s.model.finishLoad({});
    // Client 60 x 250: the extent (2080 x 10080) fills the height.
    auto w = s.window(60, 250);
    const QRgb bg = w->screenImage().pixel(0, 0);
    auto plain = inkPerColumn(w->screenImage(), bg);
    const int plainLine = int(std::max_element(plain.begin(), plain.end()) - plain.begin());
    QVERIFY(plainLine <= 2);
    w->toggleMirror();
    QVERIFY(s.values.mirror);
    auto mirrored = inkPerColumn(w->screenImage(), bg);
    const int mirroredLine =
        int(std::max_element(mirrored.begin(), mirrored.end()) - mirrored.begin());
    // The extent spans about 2080 / 10080 * 250 = 52 pixels; the line is at its right end.
    QVERIFY2(mirroredLine >= 48 && mirroredLine <= 53, qPrintable(QString::number(mirroredLine)));
}

void DrawingWindowTest::rubberBandEitherWayGivesTheSameArea() {
    Setup s;
    squareDrawing(s);
    s.store.values.mouse.MouseOpeOffLDrag = 0; // "SetArea"
    auto w = s.window(300, 300);
    const ViewRect view = w->viewRect();
    using testwin::move, testwin::press, testwin::release;
    press(*w, Qt::LeftButton, {50, 40});
    move(*w, Qt::LeftButton, {120, 90});
    QVERIFY(w->screenImage() != w->backingImage()); // the band shows
    move(*w, Qt::LeftButton, {150, 120});
    release(*w, Qt::LeftButton);
    QVERIFY(w->screenImage() == w->backingImage()); // and is gone
    const ViewRect a = s.shared.mouse.requested;
    press(*w, Qt::LeftButton, {150, 120});
    move(*w, Qt::LeftButton, {50, 40});
    release(*w, Qt::LeftButton);
    const ViewRect b = s.shared.mouse.requested;
    QCOMPARE(a, b);
    QVERIFY(a.X1 < a.X2 && a.Y1 < a.Y2);
    QCOMPARE(s.values.zoomArea.X1, a.X1);
    QCOMPARE(s.values.zoomArea.Y2, a.Y2);
    QCOMPARE(w->viewRect(), view); // marking an area does not move the view
    // With "DisZoom" the same drag zooms to the area.
    s.store.values.mouse.MouseOpeOffLDrag = 1;
    press(*w, Qt::LeftButton, {50, 40});
    move(*w, Qt::LeftButton, {150, 120});
    release(*w, Qt::LeftButton);
    QCOMPARE(w->viewRect().X1, a.X1);
    QCOMPARE(w->viewRect().Y1, a.Y1);
}

void DrawingWindowTest::shiftDragWaitsForMoreThanFivePixels() {
    Setup s;
    squareDrawing(s);
    s.shared.setDragMode(true);
    auto w = s.window(300, 300);
    const ViewRect start = w->viewRect();
    using testwin::move, testwin::press, testwin::release;
    press(*w, Qt::LeftButton, {100, 100});
    QCOMPARE(s.frame.status, QStringLiteral("DispShift"));
    move(*w, Qt::LeftButton, {105, 95});
    QCOMPARE(w->viewRect(), start);
    release(*w, Qt::LeftButton);
    QCOMPARE(w->viewRect(), start);
    // Past five pixels the view jumps by the whole distance.
    press(*w, Qt::LeftButton, {100, 100});
    move(*w, Qt::LeftButton, {104, 100});
    move(*w, Qt::LeftButton, {130, 100});
    const double perPixel = double(start.width()) / 300.0;
    QVERIFY(std::abs((start.X1 - w->viewRect().X1) - 30 * perPixel) <= 1.0);
    QCOMPARE(w->viewRect().Y1, start.Y1);
    release(*w, Qt::LeftButton);
    QCOMPARE(s.shared.mouse.dragState, DragState::Shift);
}

void DrawingWindowTest::middleDragShiftsWithDisplayDragOff() {
    Setup s;
    squareDrawing(s);
    auto w = s.window(300, 300);
    QCOMPARE(s.shared.mouse.dragState, DragState::RubberBand);
    const ViewRect start = w->viewRect();
    using testwin::move, testwin::press, testwin::release;
    press(*w, Qt::MiddleButton, {100, 100});
    move(*w, Qt::MiddleButton, {100, 140});
    QVERIFY(w->viewRect().Y1 > start.Y1);
    release(*w, Qt::MiddleButton);
    QCOMPARE(s.shared.mouse.dragState, DragState::RubberBand);
    QVERIFY(!s.store.values.view.DragMode);
}

void DrawingWindowTest::releaseOutsideEndsTheDrag() {
    Setup s;
    squareDrawing(s);
    auto w = s.window(300, 300);
    using testwin::move, testwin::press;
    press(*w, Qt::LeftButton, {50, 50});
    move(*w, Qt::LeftButton, {120, 120});
    QVERIFY(w->pressed());
    // The next move comes with no button held.
    w->handleMouseMove(Qt::NoButton, {130, 130});
    QVERIFY(!w->pressed());
    QVERIFY(w->screenImage() == w->backingImage());
}

void DrawingWindowTest::leftClickWithZoomInArmedHalvesTheView() {
    Setup s;
    squareDrawing(s);
    auto w = s.window(300, 300);
    s.shared.setCursorMode(CursorMode::ZoomInArmed);
    QCOMPARE(s.frame.lastMode, CursorMode::ZoomInArmed);
    const ViewRect start = w->viewRect();
    int32_t px, py;
    w->pixelToPlotter({100, 200}, px, py);
    using testwin::press, testwin::release;
    press(*w, Qt::LeftButton, {100, 200});
    release(*w, Qt::LeftButton);
    const ViewRect r = w->viewRect();
    QVERIFY(std::abs(r.width() - start.width() / 2) <= 1);
    QVERIFY(std::abs(r.height() - start.height() / 2) <= 1);
    QVERIFY(std::abs((int64_t(r.X1) + r.X2) / 2 - px) <= 1);
    QVERIFY(std::abs((int64_t(r.Y1) + r.Y2) / 2 - py) <= 1);
    QCOMPARE(s.shared.cursorMode, CursorMode::ZoomInArmed); // stays armed
    // Zoom out armed: twice the size around the click.
    s.shared.setCursorMode(CursorMode::ZoomOutArmed);
    press(*w, Qt::LeftButton, {150, 150});
    release(*w, Qt::LeftButton);
    QVERIFY(std::abs(w->viewRect().width() - 2 * r.width()) <= 2);
}

void DrawingWindowTest::keysShiftAndCtrl() {
    Setup s;
    squareDrawing(s);
    auto w = s.window(300, 300);
    const ViewRect start = w->viewRect();
    w->handleKeyPress(Qt::Key_Right, Qt::NoModifier);
    QCOMPARE(w->viewRect().X1, start.X1 + int32_t(start.width() / 2));
    w->handleKeyPress(Qt::Key_Home, Qt::NoModifier);
    QCOMPARE(w->viewRect(), start);
    // Shift: display drag on. Ctrl swaps an armed zoom, else turns drag off.
    w->handleKeyPress(Qt::Key_A, Qt::ShiftModifier);
    QVERIFY(s.store.values.view.DragMode);
    QCOMPARE(s.shared.mouse.dragState, DragState::Shift);
    s.shared.setCursorMode(CursorMode::ZoomInArmed);
    w->handleKeyPress(Qt::Key_Control, Qt::ControlModifier);
    QCOMPARE(s.shared.cursorMode, CursorMode::ZoomOutArmed);
    QCOMPARE(s.frame.lastMode, CursorMode::ZoomOutArmed);
    QVERIFY(s.store.values.view.DragMode);
    s.shared.setCursorMode(CursorMode::Normal);
    w->handleKeyPress(Qt::Key_Control, Qt::ControlModifier);
    QVERIFY(!s.store.values.view.DragMode);
    QCOMPARE(s.shared.mouse.dragState, DragState::RubberBand);
    QVERIFY(s.frame.status.startsWith(QStringLiteral("LeftClick:")));
}

void DrawingWindowTest::rotationFrom270To0IsAQuarterTurn() {
    Setup s;
    testwin::drawPolyline(s.model, {{100, 200}, {3000, 500}});
    s.model.finishLoad({});
    auto w = s.window(300, 300);
    w->setRotation(DisplayRotation::Deg270);
    QCOMPARE(s.frame.rotation, DisplayRotation::Deg270);
    QCOMPARE(s.values.rotationApplied, 4);
    QCOMPARE(int(s.store.values.view.displayRotation), 4);
    auto firstPoint = [&s] {
        interp::RecordReader rd(s.model);
        interp::Record r;
        while (rd.next(r))
            if (r.code == interp::Rec::Point) {
                const interp::rec::Point p = r.as<interp::rec::Point>();
                return std::pair{p.x, p.y};
            }
        return std::pair{0, 0};
    };
    QCOMPARE(firstPoint(), (std::pair{200, -100})); // three quarter turns from 0
    w->setRotation(DisplayRotation::Deg0);
    // 270 -> 0: (x, y) -> (-y, x).
    QCOMPARE(firstPoint(), (std::pair{100, 200}));
    const interp::Extents& e = s.model.extents();
    QCOMPARE(e.xMin, 60);
    QCOMPARE(e.yMax, 540);
    QCOMPARE(s.values.zoomArea.X1, e.xMin);
    QCOMPARE(w->viewRect().X1, e.xMin); // followed by display all
    QCOMPARE(w->viewRect().Y1, e.yMin);
}

void DrawingWindowTest::noBusyCursorStaysAfterARedraw() {
    Setup s;
    squareDrawing(s);
    s.store.values.view.useScrollBar = true;
    auto w = s.window(300, 300);
    w->zoomIn();
    QVERIFY(w->horizontalScrollBar()->isVisible());
    // The pass shows the hourglass only while it runs: afterwards the drawing
    // shows the cross and the scroll bars their own arrow.
    QCOMPARE(w->surface()->cursor().shape(), Qt::CrossCursor);
    QCOMPARE(w->horizontalScrollBar()->cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(w->verticalScrollBar()->cursor().shape(), Qt::ArrowCursor);
    QVERIFY(!QApplication::overrideCursor());
    QVERIFY(!s.shared.passRunning);
}

QTEST_MAIN(DrawingWindowTest)
#include "drawing_window_test.moc"
