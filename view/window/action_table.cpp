#include "view/window/action_table.h"

#include <QAction>
#include <QActionGroup>
#include <QIcon>
#include <QMenu>
#include <QToolBar>

namespace view {

QStringList numberedNames(const QString& stem, int count) {
    QStringList names;
    for (int n = 1; n <= count; ++n)
        names << stem + QString::number(n);
    return names;
}

ActionTable::ActionTable(QWidget* owner) : owner_(owner) {}

void ActionTable::add(const ActionSpec& spec) {
    Q_ASSERT_X(!actions_.contains(spec.name), "ActionTable::add", qPrintable(spec.name));
    auto* a = new QAction(spec.text, owner_);
    a->setObjectName(spec.name);
    if (!spec.iconText.isEmpty()) a->setIconText(spec.iconText);
    if (!spec.hint.isEmpty()) {
        const qsizetype bar = spec.hint.indexOf(QLatin1Char('|'));
        a->setToolTip(bar < 0 ? spec.hint : spec.hint.left(bar));
        if (bar >= 0) a->setStatusTip(spec.hint.mid(bar + 1));
    }
    if (!spec.iconName.isEmpty()) a->setIcon(QIcon::fromTheme(spec.iconName));
    if (!spec.shortcut.isEmpty()) a->setShortcut(spec.shortcut);
    a->setCheckable(spec.checkable);
    a->setEnabled(spec.enabled);
    if (!spec.group.isEmpty()) {
        QActionGroup*& group = groups_[spec.group];
        if (!group) group = new QActionGroup(owner_);
        group->addAction(a);
    }
    if (spec.slot) QObject::connect(a, &QAction::triggered, owner_, spec.slot);
    actions_.insert(spec.name, a);
}

void ActionTable::add(std::initializer_list<ActionSpec> specs) {
    for (const ActionSpec& s : specs)
        add(s);
}

QAction* ActionTable::action(const QString& name) const {
    QAction* a = actions_.value(name);
    Q_ASSERT_X(a, "ActionTable::action", qPrintable(name));
    return a;
}

QList<QAction*> ActionTable::actions(const QStringList& names) const {
    QList<QAction*> list;
    for (const QString& n : names)
        list << action(n);
    return list;
}

void ActionTable::addWidget(const QString& name, QWidget* widget) {
    widgets_.insert(name, widget);
}

QMenu* ActionTable::menu(const QString& name, const QString& title, const QStringList& items) {
    auto* m = new QMenu(title, owner_);
    m->setObjectName(name);
    for (const QString& item : items) {
        if (item == kSeparator)
            m->addSeparator();
        else if (QMenu* sub = menus_.value(item))
            m->addMenu(sub);
        else
            m->addAction(action(item));
    }
    menus_.insert(name, m);
    return m;
}

void ActionTable::fill(QToolBar* bar, const QStringList& items) const {
    for (const QString& item : items) {
        if (item == kSeparator)
            bar->addSeparator();
        else if (QWidget* w = widgets_.value(item))
            bar->addWidget(w);
        else
            bar->addAction(action(item));
    }
}

} // namespace view
