#pragma once

#include "QuickFindIndex.h"

#include <QLineEdit>

#include <functional>

class QListWidget;

namespace tavirel::quickfind {

// A search box with a drop-down list of results under it, as the user types. Arrow keys move
// in the list, Enter or a click opens the entry, Escape closes the list. The list is a child
// of the box's parent, laid over whatever is below the box.
class QuickFindBox : public QLineEdit
{
    Q_OBJECT

public:
    QuickFindBox(const QuickFindIndex& index, QWidget* parent);

    // Called each time the list opens, before the first search: the own entries may have
    // changed since the last time.
    void setRefresh(std::function<void()> refresh) { m_refresh = std::move(refresh); }
    void setVisibleRows(int rows) { m_visibleRows = rows; }

    QListWidget* list() const { return m_list; }
    void closeList();

signals:
    void entryChosen(tavirel::quickfind::Kind kind, const QString& name, bool own);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void search(const QString& text);
    void placeList();
    void choose(int row);
    void moveCurrent(int step);

    const QuickFindIndex& m_index;
    QListWidget* m_list = nullptr;
    std::function<void()> m_refresh;
    int m_visibleRows = 8;
    bool m_listOpen = false;
};

// How one result reads in the list: name, Chinese name, herb or formula, and the text that
// matched when it is not the name itself.
QString resultText(const Result& result);

} // namespace tavirel::quickfind
