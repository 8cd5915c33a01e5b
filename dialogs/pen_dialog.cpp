#include "dialogs/pen_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "dialogs/colour_swatch.h"
#include "dialogs/pen_rows.h"
#include "interp/length_units.h"

namespace dialogs {

namespace {

constexpr const char* kDrawModes[4] = {"Copy", "Merge", "Xor", "Command in data"};

// A size of the page box (plotter units) in the current unit with two decimals more than
// the unit's own, a blank and the unit name. An empty page shows 0.
QString pageSize(int32_t low, int32_t high, bool valid, int unit) {
    const double mm = valid ? (double(high) - double(low)) / 40.0 : 0.0;
    return QString::fromStdString(interp::formatLength(mm, 2, unit)).trimmed() + QLatin1Char(' ') +
           QString::fromLatin1(interp::lengthUnit(unit).name).trimmed();
}

QComboBox* numberCombo(int first, int last, const QString& name) {
    auto* box = new QComboBox;
    box->setObjectName(name);
    for (int n = first; n <= last; ++n)
        box->addItem(QString::number(n), n);
    return box;
}

QComboBox* drawModeCombo(const QString& name, settings::DrawMode mode) {
    auto* box = new QComboBox;
    box->setObjectName(name);
    for (const char* m : kDrawModes)
        box->addItem(QString::fromLatin1(m));
    box->setCurrentIndex(static_cast<int>(mode));
    // Kept and written back; this viewer draws every mode as a copy.
    box->setEnabled(false);
    return box;
}

QSpinBox* penSpin(int low, int value, const QString& name) {
    auto* spin = new QSpinBox;
    spin->setObjectName(name);
    spin->setRange(low, 255);
    spin->setValue(value);
    return spin;
}

// A swatch that only shows a colour.
ColourSwatch* shownSwatch(const QString& name) {
    auto* s = new ColourSwatch;
    s->setObjectName(name);
    s->setFocusPolicy(Qt::NoFocus);
    s->setAttribute(Qt::WA_TransparentForMouseEvents);
    return s;
}

} // namespace

PenDialog::PenDialog(settings::SettingsStore& store, const DrawingFacts& drawing,
                     DialogServices& services, QWidget* parent)
    : SettingsDialog(services, QStringLiteral("pen-dialog"), parent), store_(store),
      drawing_(drawing), copy_(store), unit_(store.values.view.lengthUnit) {
    setWindowTitle(QStringLiteral("SetPen"));
    auto* top = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(buildPenTableArea());
    left->addWidget(buildTranslationArea());
    left->addStretch();
    columns->addLayout(left, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(buildBackAndMarkArea());
    right->addWidget(buildSwitchArea());
    right->addStretch();
    columns->addLayout(right);
    top->addLayout(columns);

    auto* bottom = new QHBoxLayout;
    previewButton_ = new QPushButton(QStringLiteral("Display"));
    previewButton_->setObjectName(QStringLiteral("PreviewButton"));
    previewButton_->setToolTip(QStringLiteral("Redraw the drawing with these settings"));
    previewButton_->setAutoDefault(false);
    previewButton_->setEnabled(false);
    connect(previewButton_, &QPushButton::clicked, this, &PenDialog::preview);
    bottom->addWidget(previewButton_);
    bottom->addStretch();
    bottom->addWidget(makeButtons());
    top->addLayout(bottom);

    fillRows();
    refreshPenSwatches();
    showDestination();
}

QWidget* PenDialog::buildPenTableArea() {
    auto* area = new QGroupBox(QStringLiteral("Pen table"));
    auto* layout = new QVBoxLayout(area);

    auto* choice = new QHBoxLayout;
    choice->addWidget(new QLabel(QStringLiteral("Pen table No.")));
    tableNo_ = numberCombo(1, settings::kPenTableCount, QStringLiteral("PenTblNo"));
    tableNo_->setCurrentIndex(copy_.tableNo() - 1);
    choice->addWidget(tableNo_);
    tableName_ = new QLineEdit(QString::fromStdString(copy_.tableName()));
    tableName_->setObjectName(QStringLiteral("PenTableName"));
    choice->addWidget(tableName_, 1);
    layout->addLayout(choice);
    connect(tableName_, &QLineEdit::textChanged, this,
            [this](const QString& t) { copy_.setTableName(t.toStdString()); });
    connect(tableNo_, &QComboBox::currentIndexChanged, this, [this](int index) {
        rows_->enterPendingWidths();
        std::vector<std::string> failed;
        copy_.switchTable(
            index + 1, [this](const std::string& t) { return askOverwrite(t); }, failed);
        reportWrites(failed);
        const QSignalBlocker block(tableName_);
        tableName_->setText(QString::fromStdString(copy_.tableName()));
        fillRows();
        refreshPenSwatches();
    });

    rows_ = new PenRows(drawing_.penUsed, unit_);
    layout->addWidget(rows_);
    connect(rows_, &PenRows::positionChanged, this, &PenDialog::fillRows);
    connect(rows_, &PenRows::colourClicked, this, &PenDialog::pickPenColour);
    connect(rows_, &PenRows::widthChanged, this,
            [this](int pen, int32_t w) { copy_.setWidth(pen, w); });
    connect(rows_, &PenRows::displayToggled, this,
            [this](int pen, bool on) { copy_.setDisplay(pen, on); });

    auto* size = new QHBoxLayout;
    const interp::Extents& e = drawing_.pageExtents;
    const bool valid = e.valid();
    auto* width = new QLabel(pageSize(e.xMin, e.xMax, valid, unit_));
    auto* height = new QLabel(pageSize(e.yMin, e.yMax, valid, unit_));
    width->setObjectName(QStringLiteral("DrawWidthSize"));
    height->setObjectName(QStringLiteral("DrawHeightSize"));
    size->addWidget(new QLabel(QStringLiteral("DrawWidth")));
    size->addWidget(width);
    size->addSpacing(16);
    size->addWidget(new QLabel(QStringLiteral("DrawHeight")));
    size->addWidget(height);
    size->addStretch();
    layout->addLayout(size);
    return area;
}

QWidget* PenDialog::buildTranslationArea() {
    const settings::PenSettings& p = store_.values.pens;
    auto* area = new QGroupBox(QStringLiteral("Pen No. translation"));
    auto* form = new QFormLayout(area);
    mapNo_ = numberCombo(0, settings::kPenTableCount, QStringLiteral("PenPenTblNo"));
    mapNo_->setCurrentIndex(copy_.mapNo());
    form->addRow(QStringLiteral("Table No.(if 0, does not translate):"), mapNo_);
    mapName_ = new QLineEdit(QString::fromStdString(copy_.mapName()));
    mapName_->setObjectName(QStringLiteral("PenPenTableName"));
    form->addRow(mapName_);
    origin_ = penSpin(0, 0, QStringLiteral("OriginPen"));
    destination_ = penSpin(0, 0, QStringLiteral("DestinationPen"));
    form->addRow(QStringLiteral("Origin pen No."), origin_);
    form->addRow(QStringLiteral("-->  Destination pen No."), destination_);
    resetMap_ =
        switchBox("Table No. is set to 0 after opening file", "ResetPenPenTBL", p.ResetPenPenTBL);
    form->addRow(resetMap_);

    connect(mapName_, &QLineEdit::textChanged, this,
            [this](const QString& t) { copy_.setMapName(t.toStdString()); });
    connect(origin_, &QSpinBox::valueChanged, this, &PenDialog::showDestination);
    connect(destination_, &QSpinBox::valueChanged, this, [this](int d) {
        if (!settingMap_) copy_.setDestination(origin_->value(), d);
    });
    connect(mapNo_, &QComboBox::currentIndexChanged, this, [this](int n) {
        std::vector<std::string> failed;
        copy_.switchMap(
            n, [this](const std::string& t) { return askOverwrite(t); }, failed);
        reportWrites(failed);
        {
            const QSignalBlocker block(mapName_);
            mapName_->setText(QString::fromStdString(copy_.mapName()));
        }
        {
            const QSignalBlocker block(origin_);
            origin_->setValue(0);
        }
        showDestination();
    });
    return area;
}

QWidget* PenDialog::buildBackAndMarkArea() {
    const settings::PenSettings& p = store_.values.pens;
    auto* area = new QGroupBox(QStringLiteral("Background and mark"));
    auto* grid = new QGridLayout(area);
    backPen_ = penSpin(0, p.BackPenNo, QStringLiteral("BackPenNo"));
    markPen_ = penSpin(1, p.MarkPenNo, QStringLiteral("MarkPenNo"));
    backSwatch_ = shownSwatch(QStringLiteral("BackPenColour"));
    markSwatch_ = shownSwatch(QStringLiteral("MarkPenColour"));
    grid->addWidget(new QLabel(QStringLiteral("Back Pen No.")), 0, 0);
    grid->addWidget(backPen_, 0, 1);
    grid->addWidget(backSwatch_, 0, 2);
    outBackColor_ =
        switchBox("This background color is used with output", "OutBackColor", p.OutBackColor);
    grid->addWidget(outBackColor_, 1, 0, 1, 4);
    grid->addWidget(new QLabel(QStringLiteral("Mark Pen No.")), 2, 0);
    grid->addWidget(markPen_, 2, 1);
    grid->addWidget(markSwatch_, 2, 2);
    grid->setColumnStretch(3, 1);
    connect(backPen_, &QSpinBox::valueChanged, this, &PenDialog::refreshPenSwatches);
    connect(markPen_, &QSpinBox::valueChanged, this, &PenDialog::refreshPenSwatches);
    return area;
}

QWidget* PenDialog::buildSwitchArea() {
    const settings::PenSettings& p = store_.values.pens;
    auto* area = new QGroupBox(QStringLiteral("Switches"));
    auto* layout = new QVBoxLayout(area);
    notPC_ = switchBox("Ignore PC(pen color) command", "NotPC", p.NotPC);
    notPW_ = switchBox("Ignore PW(pen width) command", "NotPW", p.NotPW);
    notFP_ = switchBox("Ignore FP,RA,RR,WG(paint polygon,rectangle,fan) command", "NotFP", p.NotFP);
    ftLevel100_ = switchBox("Shade level FT(Fill Type) command is always made 100%", "FTLebel100",
                            p.FTLebel100);
    changeBackColour_ = switchBox("Color is changed when pen color is same color as background",
                                  "ChgColor_not_BackC", p.ChgColor_not_BackC);
    for (QCheckBox* b : {notPC_, notPW_, notFP_, ftLevel100_, changeBackColour_})
        layout->addWidget(b);

    auto* black = new QGroupBox(QStringLiteral("Set to Black and White mode"));
    auto* bl = new QHBoxLayout(black);
    blackDisplay_ = switchBox("Display", "BlackPenDisplay", p.BlackPenDisplay);
    blackPrinter_ = switchBox("Printer,PDF,TIFF,JPEG,Bitmap", "BlackPenPrinter", p.BlackPenPrinter);
    bl->addWidget(blackDisplay_);
    bl->addWidget(blackPrinter_);
    bl->addStretch();
    layout->addWidget(black);

    auto* pen16 = new QGroupBox(QStringLiteral("Set to mode:all line width is 16th pen"));
    auto* pl = new QVBoxLayout(pen16);
    pen16Display_ =
        switchBox("Display,ClipBoard Copy,EMF", "PenWidthPen16Display", p.PenWidthPen16Display);
    pen16Printer_ = switchBox("Printer,PDF,TIFF,JPEG,Bitmap,DXF,IGES", "PenWidthPen16Printer",
                              p.PenWidthPen16Printer);
    pl->addWidget(pen16Display_);
    pl->addWidget(pen16Printer_);
    layout->addWidget(pen16);

    bitmapBack_ = switchBox("Turn down image", "BitmapBack", p.BitmapBack);
    bitmapBack_->setEnabled(false);
    layout->addWidget(bitmapBack_);
    auto* modes = new QFormLayout;
    lineMode_ = drawModeCombo(QStringLiteral("PenMode1"), settings::lineDrawMode(p.DrawModes));
    fillMode_ = drawModeCombo(QStringLiteral("PenMode2"), settings::fillDrawMode(p.DrawModes));
    modes->addRow(QStringLiteral("Line DrawMode:"), lineMode_);
    modes->addRow(QStringLiteral("Fill DrawMode:"), fillMode_);
    layout->addLayout(modes);
    return area;
}

QCheckBox* PenDialog::switchBox(const char* caption, const char* name, bool on) {
    auto* b = new QCheckBox(QString::fromLatin1(caption));
    b->setObjectName(QString::fromLatin1(name));
    b->setChecked(on);
    return b;
}

void PenDialog::setPreview(std::function<void()> redraw) {
    redraw_ = std::move(redraw);
    previewButton_->setEnabled(static_cast<bool>(redraw_));
}

void PenDialog::fillRows() {
    rows_->fill(copy_.colours(), copy_.widths(), copy_.display());
}

void PenDialog::refreshPenSwatches() {
    backSwatch_->setColour(copy_.colours()[backPen_->value()]);
    markSwatch_->setColour(copy_.colours()[markPen_->value()]);
}

void PenDialog::pickPenColour(int pen) {
    const uint32_t old = copy_.colours()[pen];
    std::optional<QColor> c = services_.pickColour(this, toQColor(old));
    if (!c || toBgr(*c) == old) return;
    copy_.setColour(pen, toBgr(*c));
    fillRows();
    refreshPenSwatches();
}

void PenDialog::showDestination() {
    const bool active = copy_.mapNo() != 0;
    mapName_->setEnabled(active);
    origin_->setEnabled(active);
    destination_->setEnabled(active);
    settingMap_ = true;
    destination_->setValue(active ? copy_.map()[origin_->value()] : 0);
    settingMap_ = false;
}

settings::PenSettings PenDialog::switches() const {
    settings::PenSettings p = store_.values.pens;
    p.ResetPenPenTBL = resetMap_->isChecked();
    p.BackPenNo = static_cast<uint8_t>(backPen_->value());
    p.MarkPenNo = static_cast<uint8_t>(markPen_->value());
    p.OutBackColor = outBackColor_->isChecked();
    p.NotPC = notPC_->isChecked();
    p.NotPW = notPW_->isChecked();
    p.NotFP = notFP_->isChecked();
    p.FTLebel100 = ftLevel100_->isChecked();
    p.ChgColor_not_BackC = changeBackColour_->isChecked();
    p.BlackPenDisplay = blackDisplay_->isChecked();
    p.BlackPenPrinter = blackPrinter_->isChecked();
    p.PenWidthPen16Display = pen16Display_->isChecked();
    p.PenWidthPen16Printer = pen16Printer_->isChecked();
    p.BitmapBack = bitmapBack_->isChecked();
    p.DrawModes = settings::packDrawModes(settings::DrawMode(lineMode_->currentIndex()),
                                          settings::DrawMode(fillMode_->currentIndex()));
    return p;
}

void PenDialog::preview() {
    if (!redraw_) return;
    rows_->enterPendingWidths();
    const PenPreview lent(store_, copy_, switches());
    redraw_();
    // The window beneath paints while the values are lent; input waits, so that nothing
    // can commit or close the dialog before they are put back.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void PenDialog::okClicked() {
    rows_->enterPendingWidths();
    std::vector<std::string> failed;
    copy_.commit(switches(), failed);
    reportWrites(failed);
    done(kResultOk);
}

void PenDialog::reportWrites(const std::vector<std::string>& failedWrites) {
    for (const std::string& path : failedWrites)
        services_.report(this,
                         QString::fromStdString(path) + QStringLiteral(" : Can not write file !"));
}

bool PenDialog::askOverwrite(const std::string& text) {
    return services_.confirm(this, QString::fromStdString(text));
}

} // namespace dialogs
