#pragma once
// The modal boxes the main window shows: the shared message box, the input
// data error dialog and the file chooser; with the question, colour chooser and
// manual of the settings dialogs they make the services those dialogs use.
// Tests put a recording implementation in their place.

#include <QString>

#include "dialogs/dialog_services.h"

class QWidget;

namespace app {

// report() is the program's shared message box.
class AppDialogs : public dialogs::DialogServices {
  public:
    // The input data error dialog with the two ignored-piece counts.
    virtual void dataError(QWidget* parent, int hpgl2Pieces, int rtlPieces);
    // The file chooser of "Open(&O)" and of "Start New QuindleMini and Open(&N)";
    // empty when cancelled.
    virtual QString chooseFile(QWidget* parent, const QString& folder);
};

} // namespace app
