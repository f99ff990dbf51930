#pragma once

#include <QColor>
#include <QString>
#include <QStyledItemDelegate>

class QTableWidget;

namespace numora {

// What the archive windows share: the wheel grid's look and the row painting of the viewer.

// Rows alternate: even rows (0, 2, ... from Bari) on RGB 252,255,252 with text RGB 0,0,64,
// odd rows on RGB 252,252,255 with black text; the text starts 2 pixels inside the cell.
class AlternatingRowDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    static QColor background(int row);
    static QColor text(int row);
};

// No headers, no scroll bars, fixed column widths, rows a little higher than the text, and
// the table exactly as large as its cells.
void SetUpArchiveGrid(QTableWidget* grid, const int (&widths)[6]);

// The wheel name of wheel w (1..11).
QString WheelText(int wheel);

} // namespace numora
