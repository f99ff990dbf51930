#include "stats/UPairGrid.h"

#include "core/TextHelpers.h"

#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableView>

#include <cmath>
#include <functional>
#include <set>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

QString WheelText(int wheel) {
    const std::string_view name = WheelName(wheel);
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

class PairDelegate : public QStyledItemDelegate {
public:
    PairDelegate(PairRowsModel* model, QObject* parent) : QStyledItemDelegate(parent), model_(model) {}

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const PairGridStyle& s = model_->style();
        const QRect r = option.rect;
        const int row = index.row();
        const QString valueText = model_->index(row, model_->valueColumn()).data().toString();
        const bool bold = s.neverDrawnBlanks >= 0 && !valueText.isEmpty() && model_->neverDrawn(row);
        QFont font = option.font;
        font.setBold(bold);
        p->save();
        if (index.column() == model_->barColumn()) {
            if (!valueText.isEmpty()) paintBar(p, r, valueText.toInt(), bold, font);
            p->restore();
            return;
        }
        const bool hasData = !model_->rows().empty();
        const int navyColumns = s.withWheel ? 2 : 1;
        const bool navy = index.column() < navyColumns && (option.state & QStyle::State_Selected) && hasData;
        p->fillRect(r, navy ? QColor(0, 0, 128) : QColor(Qt::white));
        p->setPen(navy ? QColor(Qt::white) : QColor(Qt::black));
        p->setFont(font);
        p->drawText(r.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, index.data().toString());
        p->restore();
    }

private:
    void paintBar(QPainter* p, const QRect& r, int value, bool neverDrawn, const QFont& font) const {
        const PairGridStyle& s = model_->style();
        const int rows = model_->rowCount();
        const QString refText = model_->index(s.referenceLast ? rows - 1 : 0, model_->valueColumn()).data().toString();
        const int ref = refText.toInt();
        if (refText.isEmpty() || ref <= 0 || ref < value) return;
        p->fillRect(r, Qt::white);
        const int w = static_cast<int>(std::nearbyint(double(value) / ref * r.width()));
        p->fillRect(QRect(r.left(), r.top(), w, r.height()), s.bar);
        if (neverDrawn) {
            p->setPen(Qt::black);
            p->setFont(font);
            p->drawText(r.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                        QString(s.neverDrawnBlanks, u' ') + QString::fromUtf8(NeverDrawnPairText));
        }
    }

    PairRowsModel* model_;
};

} // namespace

PairRowsModel::PairRowsModel(PairGridStyle style, QObject* parent)
    : QAbstractTableModel(parent), style_(std::move(style)) {}

void PairRowsModel::setRows(std::vector<WheelPairValue> rows, int neverDrawnFrom) {
    beginResetModel();
    rows_ = std::move(rows);
    emptyRows_ = 0;
    neverDrawnFrom_ = neverDrawnFrom;
    endResetModel();
}

void PairRowsModel::setEmptyRows(int count) {
    beginResetModel();
    rows_.clear();
    emptyRows_ = count;
    endResetModel();
}

bool PairRowsModel::neverDrawn(int row) const {
    return row >= 0 && row < static_cast<int>(rows_.size()) &&
           rows_[static_cast<std::size_t>(row)].value >= neverDrawnFrom_;
}

int PairRowsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : (rows_.empty() ? emptyRows_ : static_cast<int>(rows_.size()));
}

int PairRowsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : barColumn() + 1;
}

QVariant PairRowsModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= static_cast<int>(rows_.size())) return {};
    const WheelPairValue& v = rows_[static_cast<std::size_t>(index.row())];
    const int c = index.column();
    if (c == 0) return u"%1 %2"_s.arg(v.j).arg(v.k);
    if (style_.withWheel && c == 1) return WheelText(v.wheel);
    if (c == valueColumn()) return QString::number(v.value);
    return {};
}

QVariant PairRowsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    QStringList h{u"Ambo"_s};
    if (style_.withWheel) h << u"Ruota"_s;
    h << style_.valueHeading << u"Grafico"_s;
    return section >= 0 && section < h.size() ? QVariant(h[section]) : QVariant();
}

QTableView* MakePairGrid(QWidget* parent, PairRowsModel* model, const QList<int>& columnWidths) {
    auto* sg = new QTableView(parent);
    sg->setObjectName(u"sg"_s);
    sg->setModel(model);
    sg->verticalHeader()->hide();
    sg->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    sg->verticalHeader()->setDefaultSectionSize(sg->fontMetrics().height() + 5);
    sg->horizontalHeader()->setSectionsClickable(false);
    sg->horizontalHeader()->setHighlightSections(false);
    sg->setSelectionBehavior(QAbstractItemView::SelectRows);
    sg->setSelectionMode(QAbstractItemView::ContiguousSelection);
    sg->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sg->setWordWrap(false);
    sg->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sg->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    sg->setItemDelegate(new PairDelegate(model, sg));
    int total = 0;
    for (int c = 0; c < columnWidths.size(); ++c) {
        sg->setColumnWidth(c, columnWidths[c]);
        total += columnWidths[c];
    }
    sg->setMinimumWidth(total + sg->verticalScrollBar()->sizeHint().width() + 2 * sg->frameWidth());
    return sg;
}

std::vector<int> SelectedGridRows(const QTableView* grid) {
    std::set<int> rows;
    if (grid->selectionModel())
        for (const QModelIndex& i : grid->selectionModel()->selectedIndexes()) rows.insert(i.row());
    return {rows.begin(), rows.end()};
}

std::vector<int> SelectedPairNumbers(const QTableView* grid) {
    std::vector<int> numbers;
    for (int r : SelectedGridRows(grid)) {
        const QStringList parts = grid->model()->index(r, 0).data().toString().split(u' ');
        if (parts.size() != 2) continue;
        for (const QString& part : parts) numbers.push_back(part.toInt());
    }
    return numbers;
}

std::vector<Play> SelectedPairPlays(const QTableView* grid, const std::array<double, 5>& stakes,
                                    const std::function<std::uint16_t(int row)>& wheels) {
    std::vector<Play> plays;
    for (int r : SelectedGridRows(grid)) {
        const QStringList parts = grid->model()->index(r, 0).data().toString().split(u' ');
        const std::uint16_t mask = wheels(r);
        if (parts.size() != 2 || mask == 0) continue;
        Play p;
        p.numbers[0] = static_cast<std::uint8_t>(parts[0].toInt());
        p.numbers[1] = static_cast<std::uint8_t>(parts[1].toInt());
        p.stakes[0] = stakes[0];
        p.stakes[1] = stakes[1];
        p.wheels = mask;
        plays.push_back(p);
    }
    return plays;
}

} // namespace numora
