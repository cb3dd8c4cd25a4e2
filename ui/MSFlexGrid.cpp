#include "ui/MSFlexGrid.h"

#include <QHeaderView>
#include <QPainter>

namespace {
constexpr int kPrintRowHeight = 24;
constexpr int kPrintMargin = 6;
}  // namespace

CMSFlexGrid::CMSFlexGrid(QWidget* parent) : QTableWidget(parent) {
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    verticalHeader()->setDefaultSectionSize(22);
}

void CMSFlexGrid::SetRows(int rows) {
    setRowCount(std::max(rows, 0));
}

void CMSFlexGrid::SetCols(int cols) {
    setColumnCount(std::max(cols, 0));
}

QString CMSFlexGrid::GetTextMatrix(int row, int col) const {
    const QTableWidgetItem* i = item(row, col);
    return i ? i->text() : QString();
}

QTableWidgetItem* CMSFlexGrid::Item(int row, int col) {
    if (row < 0 || col < 0 || row >= rowCount() || col >= columnCount()) return nullptr;
    QTableWidgetItem* i = item(row, col);
    if (!i) {
        i = new QTableWidgetItem;
        if (row == 0) {
            i->setBackground(palette().button());
            QFont bold = font();
            bold.setBold(true);
            i->setFont(bold);
        }
        setItem(row, col, i);
    }
    return i;
}

void CMSFlexGrid::SetTextMatrix(int row, int col, const QString& text) {
    if (QTableWidgetItem* i = Item(row, col); i && i->text() != text) i->setText(text);
}

void CMSFlexGrid::SetCellPicture(const QPixmap& picture) {
    if (QTableWidgetItem* i = Item(m_row, m_col)) i->setIcon(QIcon(picture));
}

void CMSFlexGrid::SetCellAlignment(Qt::Alignment alignment) {
    if (QTableWidgetItem* i = Item(m_row, m_col)) i->setTextAlignment(alignment);
}

QImage CMSFlexGrid::RenderRows(int first, int count, int width, bool blackWhite) const {
    const int rows = std::max(0, std::min(count, rowCount() - first)) + 1;
    QImage image(std::max(width, 1), rows * kPrintRowHeight + 1, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setPen(blackWhite ? Qt::black : QColor(0, 0, 128));
    int total = 0;
    for (int c = 0; c < columnCount(); ++c) total += std::max(columnWidth(c), 1);
    for (int r = 0; r < rows; ++r) {
        const int gridRow = r == 0 ? 0 : first + r - 1;
        int x = 0;
        for (int c = 0; c < columnCount(); ++c) {
            const int w = width * std::max(columnWidth(c), 1) / std::max(total, 1);
            const QRect cell(x, r * kPrintRowHeight, w, kPrintRowHeight);
            p.drawRect(cell.adjusted(0, 0, -1, 0));
            p.drawText(cell.adjusted(kPrintMargin, 0, -kPrintMargin, 0), Qt::AlignVCenter | Qt::AlignLeft,
                       GetTextMatrix(gridRow, c));
            x += w;
        }
    }
    return image;
}
