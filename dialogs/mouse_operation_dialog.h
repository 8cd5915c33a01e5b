#pragma once
// The mouse operation dialog ("SetMouseOperation"): what a left or right click does, what a
// left or right drag does with display drag off and on, and where the zoom icon zooms. One
// radio group per setting; OK stores the seven choices.

#include <array>

#include "dialogs/settings_dialog.h"
#include "settings/settings_record.h"

class QButtonGroup;

namespace dialogs {

class MouseOperationDialog : public SettingsDialog {
    Q_OBJECT
  public:
    MouseOperationDialog(settings::SettingsRecord& record, DialogServices& services,
                         QWidget* parent = nullptr);

  protected:
    void okClicked() override;

  private:
    settings::MouseSettings& stored_;
    // LClick, RClick, OffLDrag, OffRDrag, OnLDrag, OnRDrag, ZoomIcon.
    std::array<QButtonGroup*, 7> groups_{};
};

} // namespace dialogs
