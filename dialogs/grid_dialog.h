#pragma once
// The grid dialog ("SetGrid"): fine grid pitch and origin in the current length unit, the
// rough grid interval, both grid colours and "Display Grid after Draw".
//
// OK stores every value and closes with 1 only when something the picture shows changed
// (a colour, the interval, a pitch, an origin or the display switch), else with 2, so that
// an unchanged OK does not redraw.

#include "dialogs/settings_dialog.h"
#include "settings/settings_record.h"

class QCheckBox;
class QLabel;
class QSpinBox;

namespace dialogs {

class ColourSwatch;

class GridDialog : public SettingsDialog {
    Q_OBJECT
  public:
    GridDialog(settings::SettingsRecord& record, DialogServices& services,
               QWidget* parent = nullptr);

    const settings::GridSettings& edited() const { return edited_; }

  protected:
    void okClicked() override;

  private:
    CheckedEdit* lengthField(double& value, bool pitch, const QString& name);
    ColourSwatch* colourButton(uint32_t colour, const QString& name);
    void showInsertPitch();

    settings::GridSettings& stored_;
    settings::GridSettings edited_;
    int unit_;
    QSpinBox* interval_ = nullptr;
    ColourSwatch* fine_ = nullptr;
    ColourSwatch* rough_ = nullptr;
    QCheckBox* displayAfterDraw_ = nullptr;
    QLabel* insertPitchX_ = nullptr;
    QLabel* insertPitchY_ = nullptr;
};

} // namespace dialogs
