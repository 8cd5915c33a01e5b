#pragma once
// The text dialog ("Set Text"): the correction rates of text width, height and spacing,
// the four font names labels are drawn with, and the font switches this viewer keeps but
// does not use (shown disabled). OK copies the controls into the settings record.

#include <array>

#include "dialogs/settings_dialog.h"
#include "settings/settings_record.h"

class QCheckBox;
class QFontComboBox;
class QRadioButton;
class QSpinBox;

namespace dialogs {

class TextDialog : public SettingsDialog {
    Q_OBJECT
  public:
    TextDialog(settings::SettingsRecord& record, DialogServices& services,
               QWidget* parent = nullptr);

  protected:
    void okClicked() override;

  private:
    settings::TextSettings& stored_;
    QRadioButton* vectorFont_ = nullptr;
    QRadioButton* systemFont_ = nullptr;
    std::array<QSpinBox*, 6> rates_{};
    std::array<QFontComboBox*, 4> fonts_{};
    QCheckBox* pdfFontUse_ = nullptr;
};

} // namespace dialogs
