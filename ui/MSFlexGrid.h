#pragma once
// CMSFlexGrid: the grid of the measurement and data-table windows, a thin
// wrapper over a Qt table widget offering what those windows use: row and
// column counts, the current cell, a cell's text (current or by row and
// column), column widths, row heights, a cell picture and cell alignment.
// Rows and columns count from 0; row 0 holds the column headers (a fixed row,
// drawn like a header), so data rows start at row 1.
#include <QImage>
#include <QPixmap>
#include <QTableWidget>

class CMSFlexGrid : public QTableWidget {
public:
    explicit CMSFlexGrid(QWidget* parent = nullptr);

    int GetRows() const { return rowCount(); }
    void SetRows(int rows);
    int GetCols() const { return columnCount(); }
    void SetCols(int cols);

    // The current cell, which GetText / SetText / SetCellPicture /
    // SetCellAlignment act on.
    int GetRow() const { return m_row; }
    void SetRow(int row) { m_row = row; }
    int GetCol() const { return m_col; }
    void SetCol(int col) { m_col = col; }

    QString GetText() const { return GetTextMatrix(m_row, m_col); }
    void SetText(const QString& text) { SetTextMatrix(m_row, m_col, text); }
    // Text of any cell; a cell outside the grid reads as empty and ignores writes.
    QString GetTextMatrix(int row, int col) const;
    void SetTextMatrix(int row, int col, const QString& text);

    int GetColWidth(int col) const { return columnWidth(col); }
    void SetColWidth(int col, int width) { setColumnWidth(col, width); }
    int GetRowHeight(int row) const { return rowHeight(row); }
    void SetRowHeight(int row, int height) { setRowHeight(row, height); }
    void SetCellPicture(const QPixmap& picture);
    void SetCellAlignment(Qt::Alignment alignment);

    // The texts of rows [first, first + count) drawn as a plain table (header
    // row on top) into an image width pixels wide, for printing.
    QImage RenderRows(int first, int count, int width, bool blackWhite) const;

private:
    QTableWidgetItem* Item(int row, int col);

    int m_row = 0;
    int m_col = 0;
};
