#include "app/data_error_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace app {

namespace {
constexpr char kMakerPage[] = "https://www.kestrune.example/quindle/";
}

DataErrorDialog::DataErrorDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Input data error"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(QStringLiteral("This file contains data out of support shown below.")));
    hpgl2_ = new QLabel;
    rtl_ = new QLabel;
    layout->addWidget(hpgl2_);
    layout->addWidget(rtl_);
    layout->addWidget(new QLabel(QStringLiteral("This data was ignored.")));
    layout->addSpacing(8);
    layout->addWidget(new QLabel(
        QStringLiteral("We recommend you use of Quindle of the highly efficient version.")));
    layout->addWidget(new QLabel(QStringLiteral("Quindle is downloadable from the next HP.")));
    auto* link = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(QLatin1String(kMakerPage)));
    link->setOpenExternalLinks(true);
    layout->addWidget(link);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
    setCounts(0, 0);
}

void DataErrorDialog::setCounts(int hpgl2Pieces, int rtlPieces) {
    hpgl2_->setText(QStringLiteral("HP-GL/2: %1 pieces").arg(hpgl2Pieces));
    rtl_->setText(QStringLiteral("HP RTL: %1 pieces").arg(rtlPieces));
}

} // namespace app
