#include "view/window/action_table.h"

#include <QAction>
#include <QActionGroup>
#include <QIcon>
#include <QMenu>
#include <QToolBar>
#include <QWidgetAction>

namespace view {

QStringList numberedNames(const QString& stem, int count) {
    QStringList names;
    for (int n = 1; n <= count; ++n)
        names << stem + QString::number(n);
    return names;
}

ActionTable::ActionTable(QWidget* owner) : owner_(owner) {}

void ActionTable::add(const ActionRow& row) {
    Q_ASSERT_X(!actions_.contains(row.name), "ActionTable::add", qPrintable(row.name));
    auto* a = new QAction(row.text, owner_);
    a->setObjectName(row.name);
    if (!row.iconText.isEmpty()) a->setIconText(row.iconText);
    if (!row.hint.isEmpty()) {
        const qsizetype bar = row.hint.indexOf(QLatin1Char('|'));
        a->setToolTip(bar < 0 ? row.hint : row.hint.left(bar));
        if (bar >= 0) a->setStatusTip(row.hint.mid(bar + 1));
    }
    if (!row.iconName.isEmpty())
        a->setIcon(QIcon::fromTheme(row.iconName,
                                    QIcon(QStringLiteral(":/icons/%1.svg").arg(row.iconName))));
    if (!row.shortcut.isEmpty()) a->setShortcut(row.shortcut);
    a->setCheckable(row.checkable);
    a->setEnabled(row.enabled);
    if (!row.group.isEmpty()) {
        QActionGroup*& group = groups_[row.group];
        if (!group) group = new QActionGroup(owner_);
        group->addAction(a);
    }
    if (row.slot) QObject::connect(a, &QAction::triggered, owner_, row.slot);
    actions_.insert(row.name, a);
}

void ActionTable::add(std::initializer_list<ActionRow> rows) {
    for (const ActionRow& s : rows)
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

QAction* ActionTable::layoutEntry(const QString& item) {
    if (item == kSeparator) {
        auto* separator = new QAction(owner_);
        separator->setSeparator(true);
        return separator;
    }
    if (QMenu* sub = menus_.value(item)) return sub->menuAction();
    if (QWidget* w = widgets_.value(item)) {
        auto* holder = new QWidgetAction(owner_);
        holder->setDefaultWidget(w);
        return holder;
    }
    return action(item);
}

void ActionTable::place(QWidget* target, const QStringList& items) {
    for (const QString& item : items)
        target->addAction(layoutEntry(item));
}

QMenu* ActionTable::menu(const QString& name, const QString& title, const QStringList& items) {
    auto* m = new QMenu(title, owner_);
    m->setObjectName(name);
    place(m, items);
    menus_.insert(name, m);
    return m;
}

void ActionTable::fill(QToolBar* bar, const QStringList& items) {
    place(bar, items);
}

} // namespace view
