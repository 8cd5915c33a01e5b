#pragma once
// The modal boxes the main window shows: the shared message box and the input
// data error dialog. Tests put a recording implementation in their place.

#include <QString>

class QWidget;

namespace app {

class AppDialogs {
  public:
    virtual ~AppDialogs() = default;
    // A message in a warning box with an OK button.
    virtual void report(QWidget* parent, const QString& text);
    // The input data error dialog with the two ignored-piece counts.
    virtual void dataError(QWidget* parent, int hpgl2Pieces, int rtlPieces);
    // The file chooser of "Open(&O)" and of "Start New QuindleMini and Open(&N)";
    // empty when cancelled.
    virtual QString chooseFile(QWidget* parent, const QString& folder);
};

} // namespace app
