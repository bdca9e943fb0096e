#include "QuickFindBox.h"

#include <QKeyEvent>
#include <QListWidget>

namespace tavirel::quickfind {

namespace {

enum Role { KindRole = Qt::UserRole, NameRole, OwnRole };

QString kindText(const Result& result)
{
    if (result.kind == Kind::Herb)
        return result.own ? QStringLiteral("own herb") : QStringLiteral("herb");
    return result.own ? QStringLiteral("own formula") : QStringLiteral("formula");
}

} // namespace

QString resultText(const Result& result)
{
    QString text = result.name;
    if (!result.chinese.isEmpty())
        text += QLatin1Char(' ') + result.chinese;
    text += QStringLiteral("  \u2014 ") + kindText(result);
    const bool nameItself =
        result.matchedText == result.name || result.matchedText == result.chinese;
    if (!nameItself)
        text += QStringLiteral("  (%1: %2)").arg(result.matchedLabel, result.matchedText);
    return text;
}

QuickFindBox::QuickFindBox(const QuickFindIndex& index, QWidget* parent)
    : QLineEdit(parent), m_index(index)
{
    setObjectName(QStringLiteral("QuickFind"));
    setAccessibleName(QStringLiteral("Quick find"));
    setPlaceholderText(QStringLiteral("Find a herb or formula (Ctrl+K)"));
    setClearButtonEnabled(true);

    m_list = new QListWidget(parent);
    m_list->setObjectName(QStringLiteral("QuickFindList"));
    m_list->setAccessibleName(QStringLiteral("Quick find results"));
    m_list->setFocusPolicy(Qt::NoFocus); // typing goes on in the box while the list is open
    m_list->setUniformItemSizes(true);
    m_list->hide();
    connect(m_list, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { choose(m_list->row(item)); });
    connect(this, &QLineEdit::textChanged, this, &QuickFindBox::search);
}

void QuickFindBox::search(const QString& text)
{
    if (text.trimmed().isEmpty()) {
        closeList();
        return;
    }
    if (!m_listOpen && m_refresh)
        m_refresh();
    m_listOpen = true;

    m_list->clear();
    const QList<Result> results = m_index.find(text);
    for (const Result& result : results) {
        auto* item = new QListWidgetItem(resultText(result), m_list);
        item->setData(KindRole, int(result.kind));
        item->setData(NameRole, result.name);
        item->setData(OwnRole, result.own);
        item->setToolTip(item->text());
    }
    if (results.isEmpty())
        m_list->addItem(QStringLiteral("Nothing found")); // no data: it opens nothing
    m_list->setCurrentRow(0);
    placeList();
    m_list->show();
    m_list->raise();
}

void QuickFindBox::placeList()
{
    const int rows = qBound(1, m_list->count(), m_visibleRows);
    const int rowHeight = qMax(m_list->sizeHintForRow(0), fontMetrics().height() + 4);
    const int height = rows * rowHeight + 2 * m_list->frameWidth();
    m_list->setGeometry(x(), y() + QLineEdit::height(), width(), height);
}

void QuickFindBox::closeList()
{
    m_listOpen = false;
    m_list->hide();
    m_list->clear();
}

void QuickFindBox::moveCurrent(int step)
{
    if (!m_list->isVisible() || m_list->count() == 0)
        return;
    const int row = qBound(0, m_list->currentRow() + step, m_list->count() - 1);
    m_list->setCurrentRow(row);
    m_list->scrollToItem(m_list->item(row));
}

void QuickFindBox::choose(int row)
{
    QListWidgetItem* item = m_list->item(row);
    if (!item || !item->data(NameRole).isValid())
        return;
    const auto kind = Kind(item->data(KindRole).toInt());
    const QString name = item->data(NameRole).toString();
    const bool own = item->data(OwnRole).toBool();
    closeList();
    emit entryChosen(kind, name, own);
}

void QuickFindBox::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Down:
        moveCurrent(1);
        return;
    case Qt::Key_Up:
        moveCurrent(-1);
        return;
    case Qt::Key_PageDown:
        moveCurrent(m_visibleRows);
        return;
    case Qt::Key_PageUp:
        moveCurrent(-m_visibleRows);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (m_list->isVisible())
            choose(m_list->currentRow());
        return; // never the window's default button
    case Qt::Key_Escape:
        if (m_list->isVisible())
            closeList();
        else
            clear();
        return;
    default:
        QLineEdit::keyPressEvent(event);
    }
}

void QuickFindBox::focusOutEvent(QFocusEvent* event)
{
    // A click into the list keeps it (the list takes no focus); anything else closes it.
    if (event->reason() != Qt::PopupFocusReason && !m_list->underMouse())
        closeList();
    QLineEdit::focusOutEvent(event);
}

} // namespace tavirel::quickfind
