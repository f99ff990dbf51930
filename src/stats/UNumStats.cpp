#include "stats/UNumStats.h"

#include "components/UCommandTable.h"
#include "components/UHint.h"
#include "components/UWindowRegistry.h"
#include "core/Globali.h"
#include "core/Types.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

constexpr int Rows = 12;

// Every cell drawn by the panel: banded rows, wheel names black, values dark red.
class PanelDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        p->fillRect(option.rect, index.row() % 2 == 0 ? QColor(214, 221, 180) : QColor(202, 209, 168));
        p->setPen(index.column() == 0 ? QColor(Qt::black) : QColor(128, 0, 0));
        p->setFont(option.font);
        p->drawText(option.rect.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                    index.data().toString());
    }
};

// The panel's row r: wheels 1..10, then "Tutte" (table row 12), then the national wheel.
int TableRowOf(int r) {
    return r < RegionalWheels ? r + 1 : (r == 10 ? WheelTutte : WheelNazionale);
}

} // namespace

TNumStats::TNumStats(QWidget* parent) : QWidget(parent, Qt::Tool) {
    Windows().enrol(this);
    setObjectName(u"TNumStats"_s);
    SetHint(this,
            u" Per visualizzare le statistiche posizionare il puntatore del mouse sulla scheda \"Pronostico\" "_s);

    Label4 = new QLabel(this);
    Label4->setObjectName(u"Label4"_s);
    vdb = new QTableWidget(Rows, 3, this);
    vdb->setObjectName(u"vdb"_s);
    vdb->horizontalHeader()->hide();
    vdb->verticalHeader()->hide();
    vdb->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    vdb->verticalHeader()->setDefaultSectionSize(vdb->fontMetrics().height() + 4);
    vdb->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    vdb->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    vdb->setSelectionMode(QAbstractItemView::NoSelection);
    vdb->setEditTriggers(QAbstractItemView::NoEditTriggers);
    vdb->setFocusPolicy(Qt::NoFocus);
    vdb->setItemDelegate(new PanelDelegate(vdb));
    const int widths[] = {84, 60, 72}; // the panel keeps within the width of the forecast window above it
    for (int c = 0; c < 3; ++c) vdb->setColumnWidth(c, widths[c]);
    for (int r = 0; r < Rows; ++r) {
        for (int c = 0; c < 3; ++c) vdb->setItem(r, c, new QTableWidgetItem);
        const std::string_view name = WheelName(TableRowOf(r));
        vdb->item(r, 0)->setText(u" "_s + QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    }
    vdb->setMinimumSize(widths[0] + widths[1] + widths[2] + 2 * vdb->frameWidth(),
                        Rows * vdb->verticalHeader()->defaultSectionSize() + 2 * vdb->frameWidth());

    auto* heads = new QHBoxLayout;
    heads->setSpacing(0);
    int k = 0;
    for (const QString& h : {u"Ruota"_s, u"Ritardo"_s, u"Frequenza"_s}) {
        auto* l = new QLabel(h, this);
        l->setObjectName(u"Label%1"_s.arg(k + 1));
        l->setFixedWidth(widths[k]);
        if (k == 2) SetHint(l, u" Frequenza sulle ultime 100 estrazioni "_s);
        heads->addWidget(l);
        ++k;
    }
    heads->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(Label4);
    layout->addLayout(heads);
    layout->addWidget(vdb, 1);

    resize(minimumSizeHint());

    if (const auto& listen = Commands().views.setForecastHoverListener)
        listen([this](int n) { ShowNumberStatistics(n); });
    ShowNumberStatistics(1);
}

TNumStats::~TNumStats() {
    resize(minimumSizeHint());

    if (const auto& listen = Commands().views.setForecastHoverListener) listen({});
    Windows().forget(this);
}

TNumStats* TNumStats::instance() {
    return Windows().find<TNumStats>();
}

void TNumStats::ShowNumberStatistics(int n) {
    if (n == shown_ || n < 1 || n > MaxNumber) return;
    shown_ = n;
    setWindowTitle(u"Statistiche relative al nº "_s + QString::number(n));
    Label4->setText(u"Numero: "_s + QString::number(n));
    const Globali& g = Globals();
    for (int r = 0; r < Rows; ++r) {
        const int row = TableRowOf(r);
        vdb->item(r, 1)->setText(u"     "_s + QString::number(g.delays.at(row, n)));
        vdb->item(r, 2)->setText(u"     "_s + QString::number(g.frequencies.at(row, n)));
    }
    vdb->viewport()->update();
}

} // namespace numora
