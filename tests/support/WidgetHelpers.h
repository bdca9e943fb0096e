#pragma once

#include <QString>
#include <QStringList>

class QListWidget;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace tavirel::test {

// What a user reads in a window's controls, and the clicks a user makes there.
QStringList childTexts(const QTreeWidgetItem* node);
QStringList entries(const QListWidget* list);
// The text shown by a label, line box or multi-line box; "<no NAME>" when there is none.
QString textOf(const QWidget* window, const QString& name);
// Texts of the message boxes shown since the last call.
QStringList shownTexts();

// Click then double-click an entry, as a user picks it; fails the test when it is missing.
void doubleClick(QListWidget* list, const QString& text);
// Opens the node's parents and clicks the node.
void clickNode(QTreeWidget* view, QTreeWidgetItem* node);
// Clicks the named control of a window.
void click(QWidget* window, const QString& name);
// Puts a text into a line box or multi-line box (the cursor at its end), as typed at once.
void setBox(QWidget* window, const QString& name, const QString& text);
// Makes an entry the current and selected one.
void select(QListWidget* list, const QString& text);
// Pastes the clipboard into a box by Ctrl+V, or as the context menu's "Paste" does.
void paste(QWidget* box, bool byKey);
// Shows a window and waits until it is on the screen.
bool showExposed(QWidget* window);

} // namespace tavirel::test
