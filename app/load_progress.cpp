#include "app/load_progress.h"

#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>

namespace app {

LoadProgress::LoadProgress(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("loadProgress"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    bar_ = new QProgressBar(this);
    bar_->setObjectName(QStringLiteral("loadProgressBar"));
    bar_->setFixedWidth(200);
    bar_->setTextVisible(true);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_->setObjectName(QStringLiteral("loadCancel"));
    cancel_->setToolTip(QStringLiteral("Stop reading the file (Esc)"));
    cancel_->setFocusPolicy(Qt::NoFocus);
    // No taller than a line of status text: the status bar keeps its height whether the
    // piece shows or not, so the drawing windows above do not change size.
    const int height = fontMetrics().height() + 2;
    bar_->setMaximumHeight(height);
    cancel_->setMaximumHeight(height);
    row->addWidget(bar_);
    row->addWidget(cancel_);
    connect(cancel_, &QPushButton::clicked, this, &LoadProgress::cancelClicked);
}

void LoadProgress::begin(uint64_t totalBytes) {
    total_ = totalBytes;
    // A range of 0..0 makes the bar a running indicator.
    bar_->setRange(0, total_ ? kSteps : 0);
    bar_->setValue(0);
    cancel_->setEnabled(true);
}

void LoadProgress::setBytesRead(uint64_t bytes) {
    if (!total_) return;
    const uint64_t done = std::min(bytes, total_);
    bar_->setValue(static_cast<int>(done * kSteps / total_));
}

} // namespace app
