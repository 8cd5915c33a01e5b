#pragma once
// The line property dialog ("SetLineProperty"): the pattern lengths of the six line kinds,
// the shortest solid piece on screen and on output, the switch that makes the pattern
// lengths override the drawing's own, and the initial line end shape.
//
// Entries are checked when a field is left and kept in a working copy; OK stores the
// working copy into the settings record, Cancel drops it.

#include "dialogs/settings_dialog.h"
#include "settings/settings_record.h"

class QCheckBox;
class QRadioButton;

namespace dialogs {

class LinePropertyDialog : public SettingsDialog {
    Q_OBJECT
  public:
    LinePropertyDialog(settings::SettingsRecord& record, DialogServices& services,
                       QWidget* parent = nullptr);

    // The values OK would store.
    const settings::LineSettings& edited() const { return edited_; }

  protected:
    void okClicked() override;

  private:
    CheckedEdit* lengthField(int32_t& value, const QString& name);
    void enablePatternFields(bool on);

    settings::LineSettings& stored_;
    settings::LineSettings edited_;
    int unit_;
    QList<CheckedEdit*> patternFields_;
    QCheckBox* userDefined_ = nullptr;
    QRadioButton* edgeRound_ = nullptr;
    QRadioButton* edgeSquare_ = nullptr;
};

} // namespace dialogs
