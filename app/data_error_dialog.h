#pragma once
// The input data error dialog: how many HP-GL/2 and HP RTL pieces a load read
// past without drawing them.

#include <QDialog>

class QLabel;

namespace app {

class DataErrorDialog : public QDialog {
    Q_OBJECT
  public:
    explicit DataErrorDialog(QWidget* parent = nullptr);
    // The two counts shown.
    void setCounts(int hpgl2Pieces, int rtlPieces);

  private:
    QLabel* hpgl2_ = nullptr;
    QLabel* rtl_ = nullptr;
};

} // namespace app
