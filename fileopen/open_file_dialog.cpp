#include "fileopen/open_file_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

#include "archive/open_from_archive.h"
#include "fileopen/archive_step.h"
#include "settings/settings_store.h"

namespace fileopen {

namespace {
enum ViewStyle { Report = 0, List = 1, SmallIcon = 2, LargeIcon = 3 };

// Moves a window out of sight for as long as it lives, when asked to.
class OutOfSight {
  public:
    OutOfSight(QWidget* w, bool away) : w_(away ? w : nullptr), home_(w->pos()) {
        if (w_) w_->move(-1000, home_.y());
    }
    ~OutOfSight() {
        if (w_) w_->move(home_);
    }
    OutOfSight(const OutOfSight&) = delete;
    OutOfSight& operator=(const OutOfSight&) = delete;

  private:
    QWidget* w_;
    QPoint home_;
};
} // namespace

OpenFileDialog::OpenFileDialog(settings::SettingsStore& store, OpenDialogHooks hooks,
                               const QString& startFolder, QWidget* parent)
    : QDialog(parent), store_(store), hooks_(std::move(hooks)) {
    setObjectName(QStringLiteral("OpenFileDialog"));
    setWindowTitle(QStringLiteral("OpenFile"));
    kinds_ = parseFileKinds(QString::fromStdString(store_.values.open.fileFilter));
    buildControls();
    loadOptions();
    const QString start =
        !startFolder.isEmpty() && QFileInfo(startFolder).isDir() ? startFolder : QDir::homePath();
    setFolder(start);
    kindChanged(fileKind_->currentIndex());
    viewStyleChanged(viewStyle_->currentIndex());
}

OpenFileDialog::~OpenFileDialog() = default;

void OpenFileDialog::buildControls() {
    // Folder tree and file list on two models: folders only, and the files of one folder.
    folders_ = new QFileSystemModel(this);
    folders_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    folders_->setRootPath(QDir::rootPath());
    folderTree_ = new QTreeView(this);
    folderTree_->setObjectName(QStringLiteral("folderTree"));
    folderTree_->setModel(folders_);
    for (int c = 1; c < folders_->columnCount(); ++c)
        folderTree_->hideColumn(c);
    folderTree_->setHeaderHidden(true);
    // Folders are read in the background: follow the shown folder down as they arrive.
    connect(folders_, &QFileSystemModel::directoryLoaded, this, [this](const QString& loaded) {
        if (folder_.startsWith(loaded)) showFolderInTree();
    });

    files_ = new QFileSystemModel(this);
    files_->setFilter(QDir::AllDirs | QDir::Files | QDir::NoDotAndDotDot);
    files_->setNameFilterDisables(false);
    reportView_ = new QTreeView(this);
    reportView_->setObjectName(QStringLiteral("fileReport"));
    reportView_->setModel(files_);
    reportView_->setRootIsDecorated(false);
    reportView_->setItemsExpandable(false);
    reportView_->setSortingEnabled(true);
    reportView_->sortByColumn(0, Qt::AscendingOrder);
    reportView_->header()->resizeSection(0, 220);
    listView_ = new QListView(this);
    listView_->setObjectName(QStringLiteral("fileList"));
    listView_->setModel(files_);
    listView_->setSelectionModel(reportView_->selectionModel());
    listView_->setResizeMode(QListView::Adjust);
    fileViews_ = new QStackedWidget(this);
    fileViews_->addWidget(reportView_);
    fileViews_->addWidget(listView_);
    for (QAbstractItemView* v : {static_cast<QAbstractItemView*>(reportView_),
                                 static_cast<QAbstractItemView*>(listView_)}) {
        v->setSelectionMode(QAbstractItemView::SingleSelection);
        v->setEditTriggers(QAbstractItemView::NoEditTriggers);
        connect(v, &QAbstractItemView::clicked, this, &OpenFileDialog::fileClicked);
        connect(v, &QAbstractItemView::doubleClicked, this, &OpenFileDialog::fileDoubleClicked);
    }
    connect(folderTree_, &QTreeView::clicked, this, &OpenFileDialog::folderClicked);

    auto* splitter = new QSplitter(this);
    splitter->addWidget(folderTree_);
    splitter->addWidget(fileViews_);
    splitter->setStretchFactor(1, 2);
    splitter->setSizes({220, 440});

    address_ = new QLineEdit(this);
    address_->setObjectName(QStringLiteral("address"));
    connect(address_, &QLineEdit::returnPressed, this, &OpenFileDialog::addressEntered);
    up_ = new QPushButton(QStringLiteral("Up"), this);
    up_->setObjectName(QStringLiteral("up"));
    up_->setAutoDefault(false);
    connect(up_, &QPushButton::clicked, this, [this] {
        QDir d(folder_);
        if (d.cdUp()) setFolder(d.absolutePath());
    });
    viewStyle_ = new QComboBox(this);
    viewStyle_->setObjectName(QStringLiteral("viewStyle"));
    viewStyle_->addItems({"Report", "List", "Small Icon", "Large Icon"});
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Address:"), this));
    top->addWidget(address_, 1);
    top->addWidget(up_);
    top->addWidget(viewStyle_);

    fileName_ = new QLineEdit(this);
    fileName_->setObjectName(QStringLiteral("fileName"));
    fileKind_ = new QComboBox(this);
    fileKind_->setObjectName(QStringLiteral("fileKind"));
    for (const FileKind& k : kinds_)
        fileKind_->addItem(k.description);
    auto* names = new QFormLayout;
    names->addRow(QStringLiteral("File name:"), fileName_);
    names->addRow(QStringLiteral("Kind of File:"), fileKind_);

    // Options of the next load.
    auto* drawSize = new QGroupBox(QStringLiteral("DrawSize"), this);
    drawSizeMax_ = new QRadioButton(QStringLiteral("Max area of Figure"), drawSize);
    drawSizePs_ = new QRadioButton(QStringLiteral("PS(Plot Size) command area"), drawSize);
    auto* drawSizeLayout = new QVBoxLayout(drawSize);
    drawSizeLayout->addWidget(drawSizeMax_);
    drawSizeLayout->addWidget(drawSizePs_);

    penPen_ = new QComboBox(this);
    penPen_->setObjectName(QStringLiteral("penPenTable"));
    for (int n = 0; n <= 5; ++n)
        penPen_->addItem(QString::number(n));
    auto* penPenLabel = new QLabel(QStringLiteral("Pen No. translat table:"), this);
    penPenLabel->setBuddy(penPen_);
    multiPage_ = new QCheckBox(QStringLiteral("MultiPage"), this);
    multiPage_->setObjectName(QStringLiteral("multiPage"));
    preview_ = new QCheckBox(QStringLiteral("PreView Mode"), this);
    preview_->setObjectName(QStringLiteral("previewMode"));
    auto* loadOptions = new QGridLayout;
    loadOptions->addWidget(penPenLabel, 0, 0);
    loadOptions->addWidget(penPen_, 0, 1);
    loadOptions->addWidget(multiPage_, 1, 0, 1, 2);
    loadOptions->addWidget(preview_, 2, 0, 1, 2);

    // PDF files are not opened by this program: the group is shown, disabled.
    auto* pdf = new QGroupBox(QStringLiteral("Setup when opening PDF file"), this);
    pdfScale_ = new QDoubleSpinBox(pdf);
    pdfScale_->setRange(0.1, 10.0);
    pdfScale_->setDecimals(5);
    pdfScale_->setSingleStep(0.1);
    auto* pdfLayout = new QFormLayout(pdf);
    pdfLayout->addRow(QStringLiteral("Scale:"), pdfScale_);
    auto* pdfText = new QCheckBox(QStringLiteral("Text as lines"), pdf);
    auto* pdfPages = new QCheckBox(QStringLiteral("All pages"), pdf);
    pdfText->setChecked(store_.values.reserved.g2PdfFlags[0]);
    pdfPages->setChecked(store_.values.reserved.g2PdfFlags[1]);
    pdfLayout->addRow(pdfText);
    pdfLayout->addRow(pdfPages);
    pdf->setEnabled(false);

    auto* options = new QHBoxLayout;
    options->addWidget(drawSize);
    options->addLayout(loadOptions);
    options->addWidget(pdf);

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setObjectName(QStringLiteral("ok"));
    ok_->setDefault(true);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_->setObjectName(QStringLiteral("cancel"));
    cancel_->setAutoDefault(false);
    connect(ok_, &QPushButton::clicked, this, &OpenFileDialog::okClicked);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(splitter, 1);
    layout->addLayout(names);
    layout->addLayout(options);
    layout->addLayout(buttons);
    resize(760, 560);

    connect(fileKind_, &QComboBox::currentIndexChanged, this, &OpenFileDialog::kindChanged);
    connect(viewStyle_, &QComboBox::currentIndexChanged, this, &OpenFileDialog::viewStyleChanged);
}

void OpenFileDialog::loadOptions() {
    const auto& o = store_.values.open;
    const QSignalBlocker kindBlock(fileKind_), styleBlock(viewStyle_);
    preview_->setChecked(o.PreViewMode);
    multiPage_->setChecked(o.MultiPage);
    fileKind_->setCurrentIndex(
        o.FileKindIndex >= 0 && o.FileKindIndex < kinds_.size() ? int(o.FileKindIndex) : 0);
    viewStyle_->setCurrentIndex(o.FileViewStyle <= LargeIcon ? int(o.FileViewStyle) : int(List));
    (o.DrawSize == 1 ? drawSizePs_ : drawSizeMax_)->setChecked(true);
    penPen_->setCurrentIndex(std::min<int>(store_.values.pens.PenPenTblNo, 5));
    pdfScale_->setValue(o.pdfOpenScale);
}

void OpenFileDialog::storeOptions() {
    auto& o = store_.values.open;
    o.DrawSize = drawSizePs_->isChecked() ? 1 : 0;
    o.MultiPage = multiPage_->isChecked();
    o.PreViewMode = preview_->isChecked();
    o.FileKindIndex = fileKind_->currentIndex();
    o.FileViewStyle = uint8_t(viewStyle_->currentIndex());
    const int table = penPen_->currentIndex();
    store_.values.pens.PenPenTblNo = uint8_t(table);
    // The table is read now, before the drawing that it renumbers.
    if (table != 0) store_.loadPenPenTable(table);
}

void OpenFileDialog::setFolder(const QString& folder) {
    folder_ = QDir(folder).absolutePath();
    files_->setRootPath(folder_);
    const QModelIndex root = files_->index(folder_);
    reportView_->setRootIndex(root);
    listView_->setRootIndex(root);
    showFolderInTree();
    address_->setText(QDir::toNativeSeparators(folder_));
}

void OpenFileDialog::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    // The tree can only scroll once it is laid out.
    QTimer::singleShot(0, this, &OpenFileDialog::showFolderInTree);
}

void OpenFileDialog::showFolderInTree() {
    const QModelIndex inTree = folders_->index(folder_);
    if (!inTree.isValid()) return;
    folderTree_->setCurrentIndex(inTree);
    folderTree_->scrollTo(inTree, QAbstractItemView::PositionAtCenter);
}

QModelIndex OpenFileDialog::fileIndex(const QString& path) const {
    const QModelIndex i = files_->index(QFileInfo(path).absoluteFilePath());
    return i.isValid() && i.parent() == reportView_->rootIndex() ? i : QModelIndex();
}

QStringList OpenFileDialog::fileMasks() const {
    return files_->nameFilters();
}

QAbstractItemView* OpenFileDialog::fileView() const {
    return static_cast<QAbstractItemView*>(fileViews_->currentWidget());
}

void OpenFileDialog::kindChanged(int index) {
    if (index < 0 || index >= kinds_.size()) return;
    files_->setNameFilters(fileListMasks(kinds_[index]));
    fileName_->clear();
    entryMask_ = archiveEntryMask(kinds_[index]);
}

void OpenFileDialog::viewStyleChanged(int index) {
    if (index == Report) {
        fileViews_->setCurrentWidget(reportView_);
        return;
    }
    fileViews_->setCurrentWidget(listView_);
    if (index == SmallIcon || index == LargeIcon) {
        const int size = index == SmallIcon ? 16 : 48;
        listView_->setViewMode(QListView::IconMode);
        listView_->setIconSize(QSize(size, size));
        listView_->setGridSize(index == SmallIcon ? QSize(140, 24) : QSize(110, 90));
        listView_->setFlow(QListView::LeftToRight);
        listView_->setWordWrap(index == LargeIcon);
    } else {
        listView_->setViewMode(QListView::ListMode);
        listView_->setIconSize(QSize(16, 16));
        listView_->setGridSize(QSize());
        listView_->setFlow(QListView::TopToBottom);
        listView_->setWrapping(true);
        listView_->setWordWrap(false);
    }
    listView_->setMovement(QListView::Static);
}

void OpenFileDialog::folderClicked(const QModelIndex& index) {
    if (index.isValid()) setFolder(folders_->filePath(index));
}

void OpenFileDialog::addressEntered() {
    const QString typed = QDir::fromNativeSeparators(address_->text().trimmed());
    if (QFileInfo(typed).isDir())
        setFolder(typed);
    else
        address_->setText(QDir::toNativeSeparators(folder_));
}

void OpenFileDialog::fileClicked(const QModelIndex& index) {
    if (!index.isValid() || files_->isDir(index)) return;
    const QString path = files_->filePath(index);
    fileName_->setText(path);
    if (preview_->isChecked()) preview(path);
}

void OpenFileDialog::fileDoubleClicked(const QModelIndex& index) {
    if (!index.isValid()) return;
    if (files_->isDir(index)) {
        setFolder(files_->filePath(index));
        return;
    }
    // In preview mode the single click has opened it already.
    if (!preview_->isChecked()) okClicked();
}

QString OpenFileDialog::typedPath() const {
    const QString typed = fileName_->text().trimmed();
    if (typed.isEmpty()) return QString();
    return QDir(folder_).absoluteFilePath(QDir::fromNativeSeparators(typed));
}

void OpenFileDialog::okClicked() {
    const QString path = typedPath();
    if (path.isEmpty()) return;
    if (QFileInfo(path).isDir()) {
        setFolder(path);
        fileName_->clear();
        return;
    }
    if (preview_->isChecked()) {
        preview(path);
        return;
    }
    ArchiveStepContext c{
        QString::fromStdString(store_.folder()), entryMask_, this, hooks_.report, {}, {}};
    const std::optional<OpenTarget> target = resolveOpenTarget(path, c);
    if (!target) return; // reported or cancelled: choose again
    storeOptions();
    chosen_ = target;
    accept();
}

void OpenFileDialog::preview(const QString& path) {
    storeOptions();
    ArchiveStepContext c{
        QString::fromStdString(store_.folder()),     entryMask_, this, hooks_.report,
        [this](const OpenTarget& t) { openNow(t); }, {}};
    // The chooser comes up with this dialog out of its way.
    std::optional<OutOfSight> away;
    c.chooserShown = [this, &away](bool shown) {
        if (shown)
            away.emplace(this, true);
        else
            away.reset();
    };
    const std::optional<OpenTarget> target = resolveOpenTarget(path, c);
    if (target) openNow(*target);
}

void OpenFileDialog::openNow(const OpenTarget& target) {
    if (!hooks_.openNow) {
        discardExtracted(target);
        return;
    }
    const QRect drawing = hooks_.drawingArea ? hooks_.drawingArea() : QRect();
    const OutOfSight away(this, drawing.isValid() && frameGeometry().intersects(drawing));
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    hooks_.openNow(target); // the main window deletes a scratch copy once it is read
    QGuiApplication::restoreOverrideCursor();
}

} // namespace fileopen
