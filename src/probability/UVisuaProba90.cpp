#include "probability/UVisuaProba90.h"

#include "components/UHelp.h"
#include "components/UHint.h"
#include "components/UMessageBox.h"
#include "components/UStatsShared.h"
#include "components/UWheelSelection.h"
#include "components/UWindowRegistry.h"
#include "core/Globali.h"
#include "probability/UProbabilityFields.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

// Navy number in selected rows, white cells elsewhere, and in the last column a bar scaled to
// the first (largest) row's value.
class ProbabilityDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QAbstractItemModel* m = index.model();
        const QRect r = option.rect;
        if (index.column() == 2) {
            const QString text = m->index(index.row(), 1).data().toString();
            if (text.isEmpty()) return;
            const double max = m->index(0, 1).data().toString().toDouble();
            const double value = text.toDouble();
            if (max > 0 && max >= value) {
                p->fillRect(r, Qt::white);
                const int w = static_cast<int>(std::nearbyint(value / max * r.width()));
                p->fillRect(QRect(r.left(), r.top(), w, r.height()), QColor(0, 128, 64));
            }
            return;
        }
        const bool navy = index.column() == 0 && (option.state & QStyle::State_Selected);
        p->fillRect(r, navy ? QColor(0, 0, 128) : QColor(Qt::white));
        p->setPen(navy ? Qt::white : Qt::black);
        p->setFont(option.font);
        p->drawText(r.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, index.data().toString());
    }
};

QPushButton* Button(const QString& text, const QString& name, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    return b;
}

} // namespace

TVisuaProba90::TVisuaProba90(QWidget* parent) : TStatWindow(parent, Qt::Tool) {
    Windows().enrol(this);
    setObjectName(u"TVisuaProba90"_s);
    setWindowTitle(u"Probabilità dei 90 Numeri"_s);
    setAutoFillBackground(true);

    fields = new ProbabilityFields(this, u"R. Nazionale"_s);

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(u"Bevel1"_s);
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    sg = new QTableWidget(90, 3, Bevel1);
    sg->setObjectName(u"sg"_s);
    sg->verticalHeader()->hide();
    sg->horizontalHeader()->hide();
    sg->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    sg->verticalHeader()->setDefaultSectionSize(sg->fontMetrics().height() + 5);
    sg->horizontalHeader()->setStretchLastSection(true);
    sg->setSelectionBehavior(QAbstractItemView::SelectRows);
    sg->setSelectionMode(QAbstractItemView::ContiguousSelection);
    sg->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sg->setWordWrap(false);
    sg->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sg->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    sg->setItemDelegate(new ProbabilityDelegate(sg));
    const int widths[] = {70, 110, 180};
    for (int c = 0; c < 3; ++c) sg->setColumnWidth(c, widths[c]);
    for (int r = 0; r < 90; ++r)
        for (int c = 0; c < 3; ++c) sg->setItem(r, c, new QTableWidgetItem);
    sg->setMinimumWidth(360 + sg->verticalScrollBar()->sizeHint().width() + 2 * sg->frameWidth());
    sg->setMinimumHeight(300);
    connect(sg->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TVisuaProba90::selectionChanged);

    auto* heads = new QHBoxLayout;
    heads->setSpacing(0);
    int k = 0;
    for (const QString& h : {u"Numero"_s, u"Probabilità (%)"_s, u"Grafico"_s}) {
        auto* l = new QLabel(h, Bevel1);
        l->setFixedWidth(k < 2 ? widths[k] : widths[2]);
        heads->addWidget(l);
        headings_.push_back(l);
        ++k;
    }
    heads->addStretch(1);
    auto* frame = new QVBoxLayout(Bevel1);
    frame->setContentsMargins(3, 3, 3, 3);
    frame->addLayout(heads);
    frame->addWidget(sg);

    go = Button(u"Ricalcola"_s, u"go"_s, this);
    SetHint(go, u" Ricalcola le Probabilità "_s);
    aggpro = Button(u"Aggiungi al pronostico"_s, u"aggpro"_s, this);
    agggio = Button(u"Aggiungi alle giocate"_s, u"agggio"_s, this);
    stampa = Button(u"Stampa"_s, u"stampa"_s, this);
    SetHint(stampa, u" Stampa la schermata "_s);
    manuale = Button(u"Manuale"_s, u"manuale"_s, this);
    chiudi = Button(u"Chiudi"_s, u"chiudi"_s, this);
    for (QPushButton* b : {go, aggpro, agggio}) b->setEnabled(false);
    connect(go, &QPushButton::clicked, this, &TVisuaProba90::goClick);
    connect(aggpro, &QPushButton::clicked, this, &TVisuaProba90::aggproClick);
    connect(agggio, &QPushButton::clicked, this, &TVisuaProba90::agggioClick);
    connect(stampa, &QPushButton::clicked, this, &TVisuaProba90::stampaClick);
    connect(manuale, &QPushButton::clicked, this, [this] { ShowHelpContext(3, this); });
    connect(chiudi, &QPushButton::clicked, this, &QWidget::close);
    connect(fields, &ProbabilityFields::changed, this, [this] { go->setEnabled(true); });

    auto* buttons = new QGridLayout;
    buttons_ = {go, aggpro, agggio, stampa, manuale, chiudi};
    for (int i = 0; i < 6; ++i) buttons->addWidget(buttons_[static_cast<std::size_t>(i)], i / 3, i % 3);

    auto* right = new QVBoxLayout;
    right->addWidget(fields);
    right->addLayout(buttons);
    right->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(Bevel1, 1);
    layout->addLayout(right);
}

TVisuaProba90::~TVisuaProba90() {
    Windows().forget(this);
}

TVisuaProba90* TVisuaProba90::instance() {
    return Windows().find<TVisuaProba90>();
}

bool TVisuaProba90::compute() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const NumberProbabilities r = ComputeNumberProbabilities(Globals().archive, fields->criteria());
    QApplication::restoreOverrideCursor();
    if (!r.ok) {
        showRefusal(r.message);
        return false;
    }
    ranking_ = RankNumbers(r.p, true);
    const QSignalBlocker block(sg->model());
    for (int row = 0; row < 90; ++row) {
        const RankedNumber& n = ranking_[static_cast<std::size_t>(row)];
        sg->item(row, 0)->setText(QString::number(n.number));
        sg->item(row, 1)->setText(QString::fromStdString(FormatProbability(n.probability)));
    }
    sg->viewport()->update();
    return true;
}

void TVisuaProba90::FormActivate() {
    compute();
    go->setEnabled(false);
}

void TVisuaProba90::goClick() {
    go->setEnabled(false);
    compute();
}

void TVisuaProba90::selectionChanged() {
    if (sg->selectedRanges().isEmpty()) return;
    aggpro->setEnabled(true);
    agggio->setEnabled(true);
}

void TVisuaProba90::aggproClick() {
    aggpro->setEnabled(false);
    std::vector<int> numbers;
    for (int r : SelectedRows(sg))
        if (const int n = sg->item(r, 0)->text().toInt(); n >= 1) numbers.push_back(n);
    AddNumbersToForecast(numbers);
}

void TVisuaProba90::agggioClick() {
    StakeSet stakes;
    if (!AskStakes(this, 1, stakes)) return;
    agggio->setEnabled(false);
    std::vector<Play> plays;
    for (int r : SelectedRows(sg)) {
        const int number = sg->item(r, 0)->text().toInt();
        if (number < 1) continue;
        Play p;
        p.numbers[0] = static_cast<std::uint8_t>(number);
        p.stakes[0] = stakes.stakes[0];
        p.wheels = fields->ruote->mask();
        plays.push_back(p);
    }
    AddPlaysToList(this, plays);
}

void TVisuaProba90::stampaClick() {
    PrintWindowImage(this, [this](bool printing) {
        fields->setPrinting(printing);
        for (QPushButton* b : buttons_) b->setVisible(!printing);
        setPrintingLook(printing, Bevel1);
    });
}

} // namespace numora
