#pragma once
// "ToolBar.par": where the main window's toolbars sit (dock, row, position,
// floating), kept between runs as a small sectioned text file around the
// window's own saved state. A file that is missing, damaged or from another
// program is simply not used.

#include <QByteArray>
#include <QString>

class QMainWindow;

namespace app {

// "<folder>/ToolBar.par"
QString toolBarLayoutPath(const QString& folder);

// The file text for a saved window state, and back. The reading side gives an
// empty array for anything that is not such a file.
QByteArray toolBarLayoutText(const QByteArray& state);
QByteArray toolBarStateFromText(const QByteArray& text);

// Restores the toolbar layout of `window` from the file; false (nothing
// changed) when there is no usable layout in it.
bool restoreToolBarLayout(QMainWindow& window, const QString& path);
// Writes the toolbar layout of `window`, replacing the file only when complete.
bool saveToolBarLayout(const QMainWindow& window, const QString& path);

} // namespace app
