#pragma once
// The pen dialog ("SetPen"): colours, widths and display switches of the pens, switching
// between the five pen tables and the five pen-to-pen tables (with their names), the back
// and mark pens and the pen switches of the display, the interpreter and the output.
//
// Works on copies (PenWorkingCopy); OK commits them and writes the changed tables, Cancel
// drops them. "Display" lends the copies to the in-use values for one redraw of the active
// drawing window (the callback given by setPreview) and then puts every value back.

#include <array>
#include <functional>

#include "dialogs/pen_working_copy.h"
#include "dialogs/settings_dialog.h"
#include "interp/extents.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace dialogs {

class ColourSwatch;
class PenRows;

// What the pen dialog shows of the loaded drawing.
struct DrawingFacts {
    std::array<bool, settings::kPenCount> penUsed{}; // a pen select names the pen
    interp::Extents pageExtents;                     // box of the current page
};

class PenDialog : public SettingsDialog {
    Q_OBJECT
  public:
    PenDialog(settings::SettingsStore& store, const DrawingFacts& drawing, DialogServices& services,
              QWidget* parent = nullptr);

    // The redraw of the active drawing window run by "Display"; without one the button is
    // disabled.
    void setPreview(std::function<void()> redraw);
    // "Display": the dialog's values in place for one redraw, then the in-use values back.
    void preview();

    const PenWorkingCopy& workingCopy() const { return copy_; }
    PenRows* rows() const { return rows_; }

  protected:
    void okClicked() override;

  private:
    QWidget* buildPenTableArea();
    QWidget* buildTranslationArea();
    QWidget* buildBackAndMarkArea();
    QWidget* buildSwitchArea();
    QCheckBox* switchBox(const char* caption, const char* name, bool on);
    void fillRows();
    void refreshPenSwatches();
    void pickPenColour(int pen);
    void showDestination();
    // The switches as the controls show them.
    settings::PenSettings switches() const;
    void reportWrites(const std::vector<std::string>& failedWrites);
    bool askOverwrite(const std::string& text);

    settings::SettingsStore& store_;
    DrawingFacts drawing_;
    PenWorkingCopy copy_;
    int unit_;
    std::function<void()> redraw_;

    PenRows* rows_ = nullptr;
    QComboBox* tableNo_ = nullptr;
    QLineEdit* tableName_ = nullptr;
    QComboBox* mapNo_ = nullptr;
    QLineEdit* mapName_ = nullptr;
    QSpinBox* origin_ = nullptr;
    QSpinBox* destination_ = nullptr;
    QCheckBox* resetMap_ = nullptr;
    QSpinBox* backPen_ = nullptr;
    QSpinBox* markPen_ = nullptr;
    ColourSwatch* backSwatch_ = nullptr;
    ColourSwatch* markSwatch_ = nullptr;
    QCheckBox* outBackColor_ = nullptr;
    QCheckBox* notPC_ = nullptr;
    QCheckBox* notPW_ = nullptr;
    QCheckBox* notFP_ = nullptr;
    QCheckBox* ftLevel100_ = nullptr;
    QCheckBox* changeBackColour_ = nullptr;
    QCheckBox* blackDisplay_ = nullptr;
    QCheckBox* blackPrinter_ = nullptr;
    QCheckBox* pen16Display_ = nullptr;
    QCheckBox* pen16Printer_ = nullptr;
    QCheckBox* bitmapBack_ = nullptr;
    QComboBox* lineMode_ = nullptr;
    QComboBox* fillMode_ = nullptr;
    QPushButton* previewButton_ = nullptr;
    bool settingMap_ = false;
};

} // namespace dialogs
