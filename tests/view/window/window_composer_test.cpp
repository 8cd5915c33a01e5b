// The drawing window has one picture composer: whatever path redraws it (a
// command, the wheel, a scroll-bar move, opening a file), its picture is the
// one view::composeImage draws for the same view, and the one the headless
// renderer writes for the same file, settings and client size.

#include <QDir>
#include <QProcess>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include "app/main_window.h"
#include "interp/loader.h"
#include "view/compose_image.h"
#include "view/image_canvas.h"
#include "window_fixture.h"

namespace {

class SilentReporter : public interp::Reporter {
  public:
    void report(const std::string&) override {}
};

// The bundled sample read with the options the program uses by default.
void loadSample(testwin::Setup& s) {
    interp::LoadOptions options;
    options.defaultColours = s.store.penTable.colour;
    SilentReporter quiet;
    const interp::LoadResult r =
        interp::LoadPlotFile(s.model, QM_SAMPLES_DIR "/sample.plt", options, quiet);
    QVERIFY(r.opened);
}

// What the composer draws for the window's current view.
QImage composedFor(const testwin::Setup& s, const view::DrawingWindow& w) {
    QImage image(w.clientSize(), QImage::Format_RGB32);
    view::ViewState v = w.viewState();
    const view::RenderInputs in{s.model, s.store.values, s.store.penTable, s.values};
    view::composeImage(image, in, v);
    return image;
}

int differingPixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return -1;
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y)) ++n;
    return n;
}

int pixelsOfColour(const QImage& img, uint32_t colour) {
    const QRgb px = view::toPixel(colour);
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) == px) ++n;
    return n;
}

// Grid colours no pen of the sample uses, so that grid dots can be counted.
constexpr uint32_t kGridFine = 0x00123456;
constexpr uint32_t kGridRough = 0x00654321;

void markGridColours(settings::GridSettings& grid) {
    grid.GridColorFine = kGridFine;
    grid.GridColorRough = kGridRough;
}

int gridDots(const QImage& img) {
    return pixelsOfColour(img, kGridFine) + pixelsOfColour(img, kGridRough);
}

} // namespace

class WindowComposerTest : public QObject {
    Q_OBJECT
  private slots:
    void everyRedrawPathShowsTheComposersPicture_data();
    void everyRedrawPathShowsTheComposersPicture();
    void scrollBarMoveWithTheGridOffDrawsNoGrid();
    void windowAndRenderToolShowTheSamePicture_data();
    void windowAndRenderToolShowTheSamePicture();
};

void WindowComposerTest::everyRedrawPathShowsTheComposersPicture_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("grid");
    for (const char* path : {"zoom command", "wheel", "horizontal bar", "vertical bar"})
        for (bool grid : {false, true})
            QTest::addRow("%s, grid %s", path, grid ? "on" : "off") << QString(path) << grid;
}

void WindowComposerTest::everyRedrawPathShowsTheComposersPicture() {
    QFETCH(QString, path);
    QFETCH(bool, grid);
    testwin::Setup s;
    loadSample(s);
    s.store.values.view.useScrollBar = true;
    s.store.values.grid.DisGrdMode = grid;
    markGridColours(s.store.values.grid);
    auto w = s.window(320, 240);
    // Zoomed in twice: both bars show and can move either way.
    w->zoomIn();
    w->zoomIn();
    QVERIFY(w->horizontalScrollBar()->isVisible());
    QVERIFY(w->verticalScrollBar()->isVisible());
    const view::ViewRect before = w->viewRect();
    if (path == QLatin1String("zoom command")) {
        w->zoomOut();
    } else if (path == QLatin1String("wheel")) {
        w->handleWheel(120, QPoint(100, 80));
    } else {
        QScrollBar* bar = path == QLatin1String("horizontal bar") ? w->horizontalScrollBar()
                                                                  : w->verticalScrollBar();
        bar->setValue(bar->value() + bar->pageStep() / 2);
    }
    QVERIFY(w->viewRect() != before);
    const QImage expected = composedFor(s, *w);
    QCOMPARE(differingPixels(w->screenImage(), expected), 0);
    QVERIFY(w->screenImage() == w->backingImage());
    // The grid shows exactly when it is switched on.
    QCOMPARE(gridDots(w->screenImage()) > 0, grid);
}

void WindowComposerTest::scrollBarMoveWithTheGridOffDrawsNoGrid() {
    testwin::Setup s;
    loadSample(s);
    s.store.values.view.useScrollBar = true;
    markGridColours(s.store.values.grid);
    QVERIFY(!s.store.values.grid.DisGrdMode);
    auto w = s.window(320, 240);
    w->zoomIn();
    w->zoomIn();
    QCOMPARE(gridDots(w->screenImage()), 0);
    // Dragging the thumb ends in a new bar value.
    QScrollBar* bar = w->horizontalScrollBar();
    bar->setValue(bar->value() + 40);
    QCOMPARE(gridDots(w->screenImage()), 0);
    QCOMPARE(differingPixels(w->screenImage(), composedFor(s, *w)), 0);
}

// ---------------------------------------------------------------------------

namespace {

class NoDialogs : public app::AppDialogs {
  public:
    void report(QWidget*, const QString&) override {}
    void dataError(QWidget*, int, int) override {}
};

} // namespace

void WindowComposerTest::windowAndRenderToolShowTheSamePicture_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("grid");
    QTest::addColumn<bool>("mirror");
    QTest::addColumn<int>("rotation");
    const QString sample = QStringLiteral(QM_SAMPLES_DIR "/sample.plt");
    QTest::newRow("sample") << sample << false << false << 1;
    QTest::newRow("sample, grid, mirror, 90 degrees") << sample << true << true << 2;
    const QString corpus = QStringLiteral(QM_CORPUS_DIR "/");
    QTest::newRow("corpus: chiplotle import test")
        << corpus + "chiplotle__hpgl_import_test_file.hpgl" << false << false << 1;
    QTest::newRow("corpus: aristo, mirror, 270 degrees")
        << corpus + "aristo__ARISTO.PLT" << false << true << 4;
}

void WindowComposerTest::windowAndRenderToolShowTheSamePicture() {
    QFETCH(QString, file);
    QFETCH(bool, grid);
    QFETCH(bool, mirror);
    QFETCH(int, rotation);
    if (!QFileInfo::exists(file)) QSKIP("corpus file not present");

    // The program: settings in a folder of their own, the file opened through
    // the main window.
    QTemporaryDir dir;
    interp::DrawingModel model;
    settings::SettingsStore store(dir.path().toStdString(), "QuindleMini");
    store.setDefaults();
    store.values.pens.PenTblNo = 1; // both read pen table 1
    store.values.grid.DisGrdMode = grid;
    markGridColours(store.values.grid);
    store.values.view.displayRotation = uint8_t(rotation);
    view::ViewValues values;
    values.mirror = mirror;
    NoDialogs dialogs;
    app::MainWindow main(model, store, values, dialogs, app::StartUp{});
    main.resize(900, 700);
    main.show();
    main.firstPaint();
    QApplication::processEvents();
    main.openFile(file);
    view::DrawingWindow* w = main.activeDrawingWindow();
    QVERIFY(w);
    const QSize client = w->clientSize();

    // The renderer with the same settings and pen table, at the client size.
    QVERIFY(store.save());
    QVERIFY(store.writePenTable(store.values.pens.PenTblNo));
    const QString out = dir.filePath(QStringLiteral("tool.png"));
    QStringList args{file,
                     QStringLiteral("-o"),
                     out,
                     QStringLiteral("--size"),
                     QStringLiteral("%1x%2").arg(client.width()).arg(client.height()),
                     QStringLiteral("--settings"),
                     dir.path()};
    if (mirror) args << QStringLiteral("--mirror");
    if (store.values.open.MultiPage) args << QStringLiteral("--multipage");
    QProcess tool;
    tool.start(QStringLiteral(QM_RENDER_TOOL), args);
    QVERIFY(tool.waitForFinished(60000));
    QCOMPARE(tool.exitCode(), 0);
    const QImage drawn = QImage(out).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(drawn.size(), client);
    QCOMPARE(differingPixels(w->screenImage(), drawn), 0);
    // Not two empty pictures: the drawing shows, and the grid when it is on.
    const QRgb background = view::toPixel(store.penTable.colour[store.values.pens.BackPenNo]);
    QVERIFY(client.width() * client.height() - pixelsOfColour(drawn, view::fromPixel(background)) >
            1000);
    QCOMPARE(gridDots(drawn) > 0, grid);
}

QTEST_MAIN(WindowComposerTest)
#include "window_composer_test.moc"
