#pragma once
// The commands of one window as a table: every command is one named QAction
// made from a row (text, hint, icon, shortcut, check and enabled state, slot),
// and the window's menus, pop-ups and toolbars are filled from lists of those
// names, so a command looks and acts the same wherever it is offered.

#include <QKeySequence>
#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>

class QAction;
class QActionGroup;
class QMenu;
class QToolBar;
class QWidget;

namespace view {

// One row of the table.
struct ActionRow {
    QString name = {};          // unique within the window; also the action's object name
    QString text = {};          // menu caption with its "&" mnemonic; set later when empty
    QString iconText = {};      // toolbar caption when it is not the menu caption
    QString hint = {};          // "tool tip|status text"; without "|" a tool tip only
    QString iconName = {};      // freedesktop icon name (own ":/icons/<name>.svg" when the
                                // theme lacks it); empty: toolbars show the text
    QKeySequence shortcut = {}; // empty: none
    bool checkable = false;
    bool enabled = true;
    QString group = {};              // rows sharing a group name check one another out
    std::function<void()> slot = {}; // run when the action is triggered
};

// In a layout list: a separator.
inline const QString kSeparator = QStringLiteral("-");

// `stem`1 .. `stem``count`: the names of a numbered series of rows.
QStringList numberedNames(const QString& stem, int count);

class ActionTable {
  public:
    // Actions, groups and menus are children of `owner`.
    explicit ActionTable(QWidget* owner);

    // Makes the action of each row, in order. A name used twice is a
    // programming error.
    void add(const ActionRow& row);
    void add(std::initializer_list<ActionRow> rows);
    // The action made for `name`; asking for an unknown name is a
    // programming error.
    QAction* action(const QString& name) const;
    QList<QAction*> actions(const QStringList& names) const;

    // A widget that toolbar layouts may name (a spin box among the buttons).
    void addWidget(const QString& name, QWidget* widget);

    // A menu titled `title` holding `items` in order: action names,
    // kSeparator, or the names of menus made before (they become submenus).
    // Later layouts may name this menu by `name`.
    QMenu* menu(const QString& name, const QString& title, const QStringList& items);
    // Appends `items` to `bar`: action names, kSeparator or widget names.
    void fill(QToolBar* bar, const QStringList& items);

  private:
    // The action that stands for one layout item (separators and widgets get
    // an action of their own each time).
    QAction* layoutEntry(const QString& item);
    void place(QWidget* target, const QStringList& items);

    QWidget* owner_;
    QMap<QString, QAction*> actions_;
    QMap<QString, QActionGroup*> groups_;
    QMap<QString, QMenu*> menus_;
    QMap<QString, QWidget*> widgets_;
};

} // namespace view
