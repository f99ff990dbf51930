#include "archive/UArchiveGrid.h"

#include "core/Types.h"

#include <QHeaderView>
#include <QPainter>
#include <QTableWidget>

namespace numora {

QColor AlternatingRowDelegate::background(int row) {
    return row % 2 == 1 ? QColor(252, 252, 255) : QColor(252, 255, 252);
}

QColor AlternatingRowDelegate::text(int row) {
    return row % 2 == 1 ? QColor(0, 0, 0) : QColor(0, 0, 64);
}

void AlternatingRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
    const int row = index.row();
    painter->save();
    painter->fillRect(option.rect, background(row));
    painter->setPen(text(row));
    painter->setFont(option.font);
    const QRect inside = option.rect.adjusted(2, 2, -2, -2);
    painter->drawText(inside, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                      index.data(Qt::DisplayRole).toString());
    painter->restore();
}

void SetUpArchiveGrid(QTableWidget* grid, const int (&widths)[6]) {
    grid->horizontalHeader()->setVisible(false);
    grid->verticalHeader()->setVisible(false);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setMinimumSectionSize(1);
    grid->horizontalHeader()->setMinimumSectionSize(1);
    int width = 0;
    for (int c = 0; c < 6; ++c) {
        grid->setColumnWidth(c, widths[c]);
        width += widths[c];
    }
    // Text 2 pixels below the top, room for descenders and the grid line below.
    const int rowHeight = grid->fontMetrics().height() + 6;
    for (int r = 0; r < grid->rowCount(); ++r) grid->setRowHeight(r, rowHeight);
    const int frame = 2 * grid->frameWidth();
    grid->setFixedSize(width + frame, rowHeight * grid->rowCount() + frame);
}

QString WheelText(int wheel) {
    const std::string_view name = WheelName(wheel);
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

} // namespace numora
