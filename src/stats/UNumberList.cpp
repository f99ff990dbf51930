#include "stats/UNumberList.h"

#include "components/UHelp.h"
#include "components/UHint.h"
#include "components/UMessageBox.h"
#include "components/UStatsShared.h"
#include "core/Globali.h"
#include "core/TextHelpers.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
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

constexpr int RowCount = 90 * 11;

// Paints the cells as the lists always have: navy number and wheel in selected rows, white
// elsewhere, and in the last column a bar scaled to the list's largest value.
class ListDelegate : public QStyledItemDelegate {
public:
    ListDelegate(QObject* parent, QColor bar, bool referenceLast)
        : QStyledItemDelegate(parent), bar_(bar), referenceLast_(referenceLast) {}

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QAbstractItemModel* m = index.model();
        const QRect r = option.rect;
        if (index.column() == 3) {
            const QString text = m->index(index.row(), 2).data().toString();
            if (text.isEmpty()) return;
            const int refRow = referenceLast_ ? m->rowCount() - 1 : 0;
            const int ref = m->index(refRow, 2).data().toString().toInt();
            const int value = text.toInt();
            if (ref > 0 && ref >= value) {
                p->fillRect(r, Qt::white);
                const int w = static_cast<int>(std::nearbyint(double(value) / ref * r.width()));
                p->fillRect(QRect(r.left(), r.top(), w, r.height()), bar_);
            }
            return;
        }
        const bool navy = index.column() <= 1 && (option.state & QStyle::State_Selected);
        p->fillRect(r, navy ? QColor(0, 0, 128) : QColor(Qt::white));
        p->setPen(navy ? Qt::white : Qt::black);
        p->setFont(option.font);
        p->drawText(r.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, index.data().toString());
    }

private:
    QColor bar_;
    bool referenceLast_;
};

QPushButton* Button(const QString& text, const QString& name, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    return b;
}

} // namespace

TStatNumList::TStatNumList(QWidget* parent, const QString& caption, const QString& valueHeading, QColor barColour,
                           bool barReferenceLast)
    : TStatWindow(parent, Qt::Tool) {
    setWindowTitle(caption);
    setAutoFillBackground(true);

    Bevel1 = new QFrame(this);
    Bevel1->setObjectName(u"Bevel1"_s);
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    sg = new QTableWidget(RowCount, 4, Bevel1);
    sg->setObjectName(u"sg"_s);
    sg->setHorizontalHeaderLabels({u"Numero"_s, u"Ruota"_s, valueHeading, u"Grafico"_s});
    sg->verticalHeader()->hide();
    sg->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    sg->verticalHeader()->setDefaultSectionSize(sg->fontMetrics().height() + 5);
    sg->horizontalHeader()->setSectionsClickable(false);
    sg->horizontalHeader()->setHighlightSections(false);
    sg->horizontalHeader()->setStretchLastSection(true);
    sg->setSelectionBehavior(QAbstractItemView::SelectRows);
    sg->setSelectionMode(QAbstractItemView::ContiguousSelection);
    sg->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sg->setShowGrid(true);
    sg->setWordWrap(false);
    sg->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    sg->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    sg->setItemDelegate(new ListDelegate(sg, barColour, barReferenceLast));
    const int widths[] = {70, 110, 70, 160};
    for (int c = 0; c < 4; ++c) sg->setColumnWidth(c, widths[c]);
    for (int r = 0; r < RowCount; ++r)
        for (int c = 0; c < 4; ++c) sg->setItem(r, c, new QTableWidgetItem);
    connect(sg->selectionModel(), &QItemSelectionModel::selectionChanged, this, &TStatNumList::selectionChanged);
    auto* frame = new QVBoxLayout(Bevel1);
    frame->setContentsMargins(3, 3, 3, 3);
    frame->addWidget(sg);
    sg->setMinimumWidth(410 + sg->verticalScrollBar()->sizeHint().width() + 2 * sg->frameWidth());
    sg->setMinimumHeight(380);

    aggpro = Button(u"Aggiungi al pronostico"_s, u"aggpro"_s, this);
    agggio = Button(u"Aggiungi alle giocate"_s, u"agggio"_s, this);
    stampa = Button(u"Stampa"_s, u"stampa"_s, this);
    SetHint(stampa, u" Stampa la schermata "_s);
    manuale = Button(u"Manuale"_s, u"manuale"_s, this);
    chiudi = Button(u"Chiudi"_s, u"chiudi"_s, this);
    aggpro->setEnabled(false);
    agggio->setEnabled(false);
    connect(aggpro, &QPushButton::clicked, this, &TStatNumList::aggproClick);
    connect(agggio, &QPushButton::clicked, this, &TStatNumList::agggioClick);
    connect(stampa, &QPushButton::clicked, this, &TStatNumList::stampaClick);
    connect(manuale, &QPushButton::clicked, this, [this] { ShowHelpContext(3, this); });
    connect(chiudi, &QPushButton::clicked, this, &QWidget::close);

    buttons_ = new QHBoxLayout;
    allButtons_ = {aggpro, agggio, stampa, manuale, chiudi};
    for (QPushButton* b : allButtons_) buttons_->addWidget(b);
    buttons_->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(Bevel1, 1);
    layout->addLayout(buttons_);
}

void TStatNumList::addButton(QPushButton* button, int position) {
    buttons_->insertWidget(position, button);
    allButtons_.push_back(button);
}

bool TStatNumList::recompute() {
    std::vector<NumberWheelValue> rows;
    if (!compute(rows)) return false;
    rows_ = std::move(rows);
    fill();
    return true;
}

void TStatNumList::fill() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QSignalBlocker block(sg->model());
    for (int r = 0; r < RowCount; ++r) {
        const bool has = static_cast<std::size_t>(r) < rows_.size();
        const NumberWheelValue v = has ? rows_[static_cast<std::size_t>(r)] : NumberWheelValue{};
        const std::string_view wheel = has ? WheelName(v.wheel) : std::string_view();
        sg->item(r, 0)->setText(has ? u"    %1"_s.arg(v.number) : QString());
        sg->item(r, 1)->setText(QString::fromUtf8(wheel.data(), static_cast<qsizetype>(wheel.size())));
        sg->item(r, 2)->setText(has ? QString::number(v.value) : QString());
    }
    sg->viewport()->update();
    QApplication::restoreOverrideCursor();
}

void TStatNumList::FormActivate() {
    recompute();
}

void TStatNumList::selectionChanged() {
    const bool any = !sg->selectedRanges().isEmpty();
    if (any) {
        aggpro->setEnabled(true);
        agggio->setEnabled(true);
    }
}

void TStatNumList::aggproClick() {
    aggpro->setEnabled(false);
    std::vector<int> numbers;
    for (int r : SelectedRows(sg)) numbers.push_back(sg->item(r, 0)->text().trimmed().toInt());
    AddNumbersToForecast(numbers);
}

void TStatNumList::agggioClick() {
    StakeSet stakes;
    if (!AskStakes(this, 1, stakes)) return;
    agggio->setEnabled(false);
    std::vector<Play> plays;
    for (int r : SelectedRows(sg)) {
        const int wheel = FindWheelByName(sg->item(r, 1)->text().toStdString());
        const int number = sg->item(r, 0)->text().trimmed().toInt();
        if (wheel < 1 || number < 1) continue;
        Play p;
        p.numbers[0] = static_cast<std::uint8_t>(number);
        p.stakes[0] = stakes.stakes[0];
        p.wheels = WheelBit(wheel);
        plays.push_back(p);
    }
    AddPlaysToList(this, plays);
}

void TStatNumList::stampaClick() {
    PrintWindowImage(this, [this](bool printing) {
        for (QPushButton* b : allButtons_) b->setVisible(!printing);
        setPrintingLook(printing, Bevel1);
    });
}

} // namespace numora
