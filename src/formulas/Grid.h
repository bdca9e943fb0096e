#pragma once

#include <QTableWidget>

namespace tavirel::formulas {

// A table whose rows are numbered the way the formula windows speak of them: row 0 is the
// fixed title row, data rows start at 1, and rows() counts the title row too.
class Grid : public QTableWidget
{
    Q_OBJECT

public:
    explicit Grid(QWidget* parent = nullptr);

    int rows() const { return rowCount() + 1; }
    void setRows(int rows);
    int cols() const { return columnCount(); }
    void setCols(int cols);

    QString text(int row, int col) const;
    void setText(int row, int col, const QString& text);

    // The current cell; row 0 when no data row is current.
    int row() const { return currentRow() + 1; }
    int col() const { return currentColumn(); }
    void setCurrent(int row, int col);

    // Widths given in twips at 96 dots per inch.
    void setColWidthTwips(int col, int twips);
    // Where a data cell is drawn, in the grid's own coordinates (for editors laid over it).
    QRect cellRect(int row, int col) const;
    void clearData();
};

} // namespace tavirel::formulas
