#pragma once
// The status-bar piece shown while a drawing file is read: a bar of the bytes read out
// of the file's size (a running indicator when the size is not known) and a Cancel button.

#include <QWidget>
#include <cstdint>

class QProgressBar;
class QPushButton;

namespace app {

class LoadProgress : public QWidget {
    Q_OBJECT
  public:
    explicit LoadProgress(QWidget* parent = nullptr);

    // A load of `totalBytes` (0: not known) begins to show.
    void begin(uint64_t totalBytes);
    void setBytesRead(uint64_t bytes);
    QProgressBar* bar() const { return bar_; }
    QPushButton* cancelButton() const { return cancel_; }

  signals:
    void cancelClicked();

  private:
    static constexpr int kSteps = 1000;
    QProgressBar* bar_ = nullptr;
    QPushButton* cancel_ = nullptr;
    uint64_t total_ = 0;
};

} // namespace app
