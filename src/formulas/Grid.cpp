#include "Grid.h"

#include <QHeaderView>

namespace tavirel::formulas {

Grid::Grid(QWidget* parent) : QTableWidget(parent)
{
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    verticalHeader()->setVisible(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setWordWrap(false);
}

void Grid::setRows(int rows)
{
    setRowCount(qMax(0, rows - 1));
}

void Grid::setCols(int cols)
{
    setColumnCount(qMax(0, cols));
}

QString Grid::text(int row, int col) const
{
    if (col < 0 || col >= columnCount())
        return {};
    if (row == 0) {
        const QTableWidgetItem* header = horizontalHeaderItem(col);
        return header ? header->text() : QString();
    }
    const QTableWidgetItem* cell = item(row - 1, col);
    return cell ? cell->text() : QString();
}

void Grid::setText(int row, int col, const QString& text)
{
    if (col < 0 || col >= columnCount() || row < 0 || row >= rows())
        return;
    if (row == 0) {
        setHorizontalHeaderItem(col, new QTableWidgetItem(text));
        return;
    }
    if (QTableWidgetItem* cell = item(row - 1, col))
        cell->setText(text);
    else
        setItem(row - 1, col, new QTableWidgetItem(text));
}

void Grid::setCurrent(int row, int col)
{
    if (row >= 1)
        setCurrentCell(row - 1, col);
}

void Grid::setColWidthTwips(int col, int twips)
{
    setColumnWidth(col, qRound(twips / 15.0));
}

QRect Grid::cellRect(int row, int col) const
{
    if (row < 1 || row >= rows() || col < 0 || col >= cols())
        return {};
    // The same rectangle whether or not the cell holds an item yet.
    return visualRect(model()->index(row - 1, col)).translated(viewport()->pos());
}

void Grid::clearData()
{
    clearContents();
}

} // namespace tavirel::formulas
