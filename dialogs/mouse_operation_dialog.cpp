#include "dialogs/mouse_operation_dialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace dialogs {

namespace {

// One radio group: its caption, object name and choices by index.
struct RadioChoices {
    const char* caption;
    const char* name;
    std::initializer_list<const char*> labels;
};

const RadioChoices kClickLeft{
    "Click Left Mouse", "MouseOpeLClick", {"NoOperation", "DisAll", "DisShift"}};
const RadioChoices kClickRight{
    "Click Right Mouse", "MouseOpeRClick", {"DisPopupMenu", "DisAll", "DisShift"}};
const RadioChoices kOffLeft{"Drag Left Mouse", "MouseOpeOffLDrag", {"SetArea", "DisZoom"}};
const RadioChoices kOffRight{"Drag Right Mouse", "MouseOpeOffRDrag", {"SetArea", "DisZoom"}};
const RadioChoices kOnLeft{
    "Drag Left Mouse", "MouseOpeOnLDrag", {"DispDragShift", "DispDragUpDown"}};
const RadioChoices kOnRight{
    "Drag Right Mouse", "MouseOpeOnRDrag", {"DispDragShift", "DispDragUpDown"}};
const RadioChoices kZoomIcon{
    "ZoomIcon",
    "ZoomIconMode",
    {"ZoomUpDown at window center", "ZoomUpDown at left click point, Zoom on left drag"}};

// A group box of radio buttons named "<name><index>", the button of `index` checked.
QGroupBox* radioGroup(const RadioChoices& choices, uint8_t index, QButtonGroup*& group,
                      QObject* owner) {
    auto* box = new QGroupBox(QString::fromLatin1(choices.caption));
    box->setObjectName(QString::fromLatin1(choices.name));
    auto* layout = new QVBoxLayout(box);
    group = new QButtonGroup(owner);
    int id = 0;
    for (const char* choice : choices.labels) {
        auto* b = new QRadioButton(QString::fromLatin1(choice));
        b->setObjectName(QString::fromLatin1(choices.name) + QString::number(id));
        group->addButton(b, id);
        layout->addWidget(b);
        ++id;
    }
    QAbstractButton* checked = group->button(index);
    (checked ? checked : group->button(0))->setChecked(true);
    layout->addStretch();
    return box;
}

} // namespace

MouseOperationDialog::MouseOperationDialog(settings::SettingsRecord& record,
                                           DialogServices& services, QWidget* parent)
    : SettingsDialog(services, QStringLiteral("mouse-operation-dialog"), parent),
      stored_(record.mouse) {
    setWindowTitle(QStringLiteral("SetMouseOperation"));
    const settings::MouseSettings& m = stored_;
    auto* top = new QVBoxLayout(this);

    auto* clicks = new QHBoxLayout;
    clicks->addWidget(radioGroup(kClickLeft, m.MouseOpeLClick, groups_[0], this));
    clicks->addWidget(radioGroup(kClickRight, m.MouseOpeRClick, groups_[1], this));
    top->addLayout(clicks);

    auto* off = new QGroupBox(QStringLiteral("When display drag is OFF"));
    auto* offLayout = new QHBoxLayout(off);
    offLayout->addWidget(radioGroup(kOffLeft, m.MouseOpeOffLDrag, groups_[2], this));
    offLayout->addWidget(radioGroup(kOffRight, m.MouseOpeOffRDrag, groups_[3], this));
    top->addWidget(off);

    auto* on = new QGroupBox(QStringLiteral("When display drag is ON"));
    auto* onLayout = new QHBoxLayout(on);
    onLayout->addWidget(radioGroup(kOnLeft, m.MouseOpeOnLDrag, groups_[4], this));
    onLayout->addWidget(radioGroup(kOnRight, m.MouseOpeOnRDrag, groups_[5], this));
    top->addWidget(on);

    top->addWidget(radioGroup(kZoomIcon, m.ZoomIconMode, groups_[6], this));
    top->addWidget(makeButtons());
}

void MouseOperationDialog::okClicked() {
    uint8_t* values[7] = {&stored_.MouseOpeLClick,   &stored_.MouseOpeRClick,
                          &stored_.MouseOpeOffLDrag, &stored_.MouseOpeOffRDrag,
                          &stored_.MouseOpeOnLDrag,  &stored_.MouseOpeOnRDrag,
                          &stored_.ZoomIconMode};
    for (int k = 0; k < 7; ++k)
        *values[k] = static_cast<uint8_t>(groups_[k]->checkedId());
    done(kResultOk);
}

} // namespace dialogs
