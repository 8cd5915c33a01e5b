#pragma once
// What the settings dialogs ask of the rest of the program: the shared message box, a
// yes/no question, the colour chooser and the help manual. Tests put a recording
// implementation in its place.

#include <QColor>
#include <QString>
#include <optional>

class QWidget;

namespace dialogs {

class DialogServices {
  public:
    virtual ~DialogServices() = default;
    // A message in a modal box with an OK button.
    virtual void report(QWidget* parent, const QString& text);
    // A confirmation with Yes and No; true for Yes.
    virtual bool confirm(QWidget* parent, const QString& text);
    // The colour chooser preset to `initial`; nothing when it is cancelled.
    virtual std::optional<QColor> pickColour(QWidget* parent, const QColor& initial);
    // Opens the shipped HTML manual in the browser at the section `anchor`.
    virtual void openHelp(const QString& anchor);
};

// The manual shipped beside the program: "<program folder>/help/QuindleMini.html".
QString helpFilePath();

} // namespace dialogs
