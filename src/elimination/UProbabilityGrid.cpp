#include "elimination/UProbabilityGrid.h"

#include "core/Globali.h"
#include "elimination/ProbabilityGrid.h"

#include <QApplication>
#include <QHeaderView>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

constexpr int ProbabilityColumn = 3;

QTableWidgetItem* FixedItem(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled);
    return item;
}

} // namespace

std::vector<std::uint8_t> ForecastNumbers() {
    std::vector<std::uint8_t> list;
    const Forecast& f = Globals().system.forecast;
    for (int n = 1; n <= 90; ++n)
        if (f.isChosen(n)) list.push_back(static_cast<std::uint8_t>(n));
    return list;
}

TProbabilityGrid::TProbabilityGrid(QWidget* parent) : QTableWidget(parent) {
    setObjectName(u"prog"_s);
    setColumnCount(4);
    setHorizontalHeaderLabels({u"Numero"_s, u"Ritardo"_s, u"Frequenza"_s, u"Probabilità (%)"_s});
    // Each column at least as wide as its heading, so that "Probabilità (%)" is read whole.
    int widths[4] = {50, 50, 70, 78};
    int total = 0;
    for (int c = 0; c < 4; ++c) {
        const QString heading = horizontalHeaderItem(c)->text();
        widths[c] = std::max(widths[c], horizontalHeader()->fontMetrics().horizontalAdvance(heading) + 16);
        setColumnWidth(c, widths[c]);
        total += widths[c];
    }
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(18);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::AllEditTriggers);
    setFixedWidth(total + 2 * frameWidth() + 18);
}

void TProbabilityGrid::FillGrid(std::uint16_t wheels) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::vector<std::uint8_t> numbers = ForecastNumbers();
    const Globali& g = Globals();
    const ArchiveHistory h = ComputeArchiveHistory(g.archive, wheels);
    setRowCount(0);
    setRowCount(static_cast<int>(numbers.size()));
    for (int r = 0; r < static_cast<int>(numbers.size()); ++r) {
        const int n = numbers[static_cast<std::size_t>(r)];
        setItem(r, 0, FixedItem(u"     "_s + QString::number(n)));
        setItem(r, 1, FixedItem(u"     "_s + QString::number(h.delay[static_cast<std::size_t>(n)])));
        setItem(r, 2, FixedItem(u"       "_s + QString::number(h.frequency[static_cast<std::size_t>(n)])));
        setItem(r, ProbabilityColumn,
                new QTableWidgetItem(QString::fromStdString(ProbabilityText(g.system.customProbability(n)))));
    }
    QApplication::restoreOverrideCursor();
}

int TProbabilityGrid::StoreGrid() {
    std::vector<ProbabilityRow> rows;
    for (int r = 0; r < rowCount(); ++r) {
        ProbabilityRow row;
        const QTableWidgetItem* number = item(r, 0);
        row.number = number ? number->text().trimmed().toInt() : 0;
        row.text = probabilityText(r + 1).toStdString();
        rows.push_back(std::move(row));
    }
    return StoreProbabilityRows(rows, Globals().system.customProbabilities);
}

QString TProbabilityGrid::probabilityText(int row) const {
    const QTableWidgetItem* cell = item(row - 1, ProbabilityColumn);
    return cell ? cell->text() : QString();
}

void TProbabilityGrid::setProbabilityText(int row, const QString& text) {
    if (QTableWidgetItem* cell = item(row - 1, ProbabilityColumn)) cell->setText(text);
}

} // namespace numora
