#include "checking/UVerificaArchivio.h"

#include "checking/CheckPlays.h"
#include "components/UDaiNumEstra.h"
#include "components/UFieldFilters.h"
#include "components/UHelp.h"
#include "components/UHint.h"
#include "components/UMessageBox.h"
#include "components/UPrinter.h"
#include "components/UProgressPanel.h"
#include "components/UWindowRegistry.h"
#include "core/FileIo.h"
#include "core/Globali.h"
#include "platform/QtText.h"

#include <QAbstractTableModel>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTableView>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace numora {

// The rows of the last run, all of them or only the winning ones.
class TBacktestModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setLines(const std::vector<BacktestLine>* lines, bool onlyWinning) {
        beginResetModel();
        lines_ = lines;
        shown_.clear();
        if (lines_)
            for (std::size_t i = 0; i < lines_->size(); ++i)
                if (!onlyWinning || (*lines_)[i].winning) shown_.push_back(i);
        endResetModel();
    }
    const BacktestLine& line(int row) const { return (*lines_)[shown_[static_cast<std::size_t>(row)]]; }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(shown_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 9; }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid()) return {};
        const BacktestLine& l = line(index.row());
        const int c = index.column();
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
        if (role == Qt::ForegroundRole && c == 8 && l.balanceEuro < 0) return QColor(Qt::darkRed);
        if (role != Qt::DisplayRole) return {};
        if (c == 0) return Q(l.date);
        if (c <= 5) return QString::number(l.counts[static_cast<std::size_t>(c - 1)]);
        return Q(c == 6 ? l.win : c == 7 ? l.cost : l.balance);
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (role != Qt::DisplayRole) return {};
        if (orientation == Qt::Vertical) return QString::number(line(section).draw);
        static const QStringList captions{u"Data"_s,     u"Estratti"_s, u"Ambi"_s,  u"Terni"_s, u"Quaterne"_s,
                                          u"Cinquine"_s, u"Vincita"_s,  u"Spesa"_s, u"Saldo"_s};
        return captions.value(section);
    }

private:
    const std::vector<BacktestLine>* lines_ = nullptr;
    std::vector<std::size_t> shown_;
};

namespace {

constexpr int HelpContext = 114;
constexpr const char* EmptyArchive = "L'archivio storico è vuoto.";

QPushButton* Button(const QString& caption, const QString& name, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QString DrawText(int index) {
    const DrawArchive& a = Globals().archive;
    if (index < 1 || index > a.count()) return u"-"_s;
    return u"nº %1 del %2"_s.arg(index).arg(Q(DateText(a.draw(index))));
}

} // namespace

TVerificaArchivio::TVerificaArchivio(QWidget* parent) : TRunDialog(parent) {
    setObjectName(u"TVerificaArchivio"_s);
    setWindowTitle(u"Verifica su archivio"_s);

    auto* period = new QGroupBox(u"Periodo da verificare"_s, this);
    Intervallo = new QRadioButton(u"Dall'estrazione"_s, period);
    Intervallo->setObjectName(u"Intervallo"_s);
    DaEstrazione = new QLabel(period);
    DaEstrazione->setObjectName(u"DaEstrazione"_s);
    DaEstrazione->setMinimumWidth(170);
    SceltaDa = Button(u"Scegli..."_s, u"SceltaDa"_s, period);
    SetHint(SceltaDa, u" Sceglie la prima estrazione del periodo "_s);
    AEstrazione = new QLabel(period);
    AEstrazione->setObjectName(u"AEstrazione"_s);
    AEstrazione->setMinimumWidth(170);
    SceltaA = Button(u"Scegli..."_s, u"SceltaA"_s, period);
    SetHint(SceltaA, u" Sceglie l'ultima estrazione del periodo "_s);
    Ultime = new QRadioButton(u"Ultime"_s, period);
    Ultime->setObjectName(u"Ultime"_s);
    Ultime->setChecked(true);
    NumUltime = new QLineEdit(u"100"_s, period);
    NumUltime->setObjectName(u"NumUltime"_s);
    ApplyNumberFilter(NumUltime, 5);
    NumUltime->setMaximumWidth(70);
    SetHint(NumUltime, u" Quante estrazioni, fino alla più recente "_s);
    connect(SceltaDa, &QPushButton::clicked, this, &TVerificaArchivio::SceltaDaClick);
    connect(SceltaA, &QPushButton::clicked, this, &TVerificaArchivio::SceltaAClick);
    connect(NumUltime, &QLineEdit::textEdited, this, [this] { Ultime->setChecked(true); });

    auto* pl = new QGridLayout(period);
    pl->addWidget(Intervallo, 0, 0);
    pl->addWidget(DaEstrazione, 0, 1);
    pl->addWidget(SceltaDa, 0, 2);
    pl->addWidget(new QLabel(u"all'estrazione"_s, period), 0, 3);
    pl->addWidget(AEstrazione, 0, 4);
    pl->addWidget(SceltaA, 0, 5);
    pl->addWidget(Ultime, 1, 0);
    auto* last = new QHBoxLayout;
    last->addWidget(NumUltime);
    last->addWidget(new QLabel(u"estrazioni"_s, period));
    last->addStretch(1);
    pl->addLayout(last, 1, 1, 1, 5);
    pl->setColumnStretch(6, 1);

    go = Button(u"Verifica"_s, u"go"_s, this);
    SetHint(go, u" Controlla le giocate su ogni estrazione del periodo "_s);
    stampa = Button(u"Stampa"_s, u"stampa"_s, this);
    SetHint(stampa, u" Stampa il riepilogo e il grafico "_s);
    esporta = Button(u"Esporta CSV"_s, u"esporta"_s, this);
    SetHint(esporta, u" Salva la tabella in un file per il foglio di calcolo "_s);
    SpeedButton2 = Button(u"Manuale"_s, u"SpeedButton2"_s, this);
    SpeedButton3 = Button(u"Chiudi"_s, u"SpeedButton3"_s, this);
    stampa->setEnabled(false);
    esporta->setEnabled(false);
    connect(go, &QPushButton::clicked, this, &TVerificaArchivio::goClick);
    connect(stampa, &QPushButton::clicked, this, &TVerificaArchivio::stampaClick);
    connect(esporta, &QPushButton::clicked, this, &TVerificaArchivio::esportaClick);
    connect(SpeedButton2, &QPushButton::clicked, this, [this] { ShowHelpContext(HelpContext, this); });
    connect(SpeedButton3, &QPushButton::clicked, this, &QDialog::reject);

    AntiPan3 = new TProgressPanel(this);
    SetHint(AntiPan3->sb1, u" Interrompe l'elaborazione "_s);

    model_ = new TBacktestModel(this);
    sg = new QTableView(this);
    sg->setObjectName(u"sg"_s);
    sg->setModel(model_);
    sg->setSelectionBehavior(QAbstractItemView::SelectRows);
    sg->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sg->verticalHeader()->setDefaultSectionSize(20);
    sg->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    sg->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    sg->setColumnWidth(0, 80);
    for (int c = 1; c <= 5; ++c) sg->setColumnWidth(c, 62);
    for (int c = 6; c <= 8; ++c) sg->setColumnWidth(c, 96);
    SoloVincenti = new QCheckBox(u"Solo estrazioni vincenti"_s, this);
    SoloVincenti->setObjectName(u"SoloVincenti"_s);
    connect(SoloVincenti, &QCheckBox::toggled, this, [this](bool only) { model_->setLines(&lines_, only); });
    auto* tableBox = new QGroupBox(u"Estrazioni del periodo"_s, this);
    auto* tl = new QVBoxLayout(tableBox);
    tl->addWidget(sg, 1);
    tl->addWidget(SoloVincenti);

    auto* summary = new QGroupBox(u"Riepilogo"_s, this);
    auto* sl = new QGridLayout(summary);
    const std::vector<std::pair<std::string, std::string>> captions = BacktestSummaryFields(BacktestResult{}, 2);
    for (std::size_t i = 0; i < riepilogo.size(); ++i) {
        const int row = static_cast<int>(i);
        sl->addWidget(new QLabel(Q(captions[i].first), summary), row, 0);
        riepilogo[i] = new QLabel(u"-"_s, summary);
        riepilogo[i]->setObjectName(u"riepilogo%1"_s.arg(i + 1));
        riepilogo[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        riepilogo[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        sl->addWidget(riepilogo[i], row, 1);
    }
    auto* note = new QLabel(Q(GrossNote) + u"\nVincita attesa: la media che i moltiplicatori del gioco promettono "
                                           u"sulle stesse giocate, senza il limite di vincita."_s,
                            summary);
    note->setWordWrap(true);
    sl->addWidget(note, static_cast<int>(riepilogo.size()), 0, 1, 2);
    sl->setRowStretch(static_cast<int>(riepilogo.size()) + 1, 1);

    auto* chart = new QChart;
    chart->setTitle(u"Saldo del periodo"_s);
    chart->legend()->setAlignment(Qt::AlignBottom);
    Chart1 = new QChartView(chart, this);
    Chart1->setObjectName(u"Chart1"_s);
    Chart1->setRenderHint(QPainter::Antialiasing);
    Chart1->setMinimumSize(460, 300);

    auto* right = new QVBoxLayout;
    right->addWidget(summary);
    right->addWidget(Chart1, 1);
    auto* middle = new QHBoxLayout;
    middle->addWidget(tableBox, 3);
    middle->addLayout(right, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(go);
    buttons->addWidget(stampa);
    buttons->addWidget(esporta);
    buttons->addStretch(1);
    buttons->addWidget(SpeedButton2);
    buttons->addWidget(SpeedButton3);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(period);
    layout->addLayout(middle, 1);
    layout->addWidget(AntiPan3);
    layout->addLayout(buttons);
    resize(1280, 760);

    Windows().enrol(this);
}

TVerificaArchivio::~TVerificaArchivio() {
    Windows().forget(this);
    // The dialog's own destructor hides the table, whose header still asks the model for its rows:
    // they must not point into the lines this destructor is about to free.
    model_->setLines(nullptr, false);
}

TVerificaArchivio* TVerificaArchivio::instance() {
    return Windows().find<TVerificaArchivio>();
}

void TVerificaArchivio::showEvent(QShowEvent* event) {
    TRunDialog::showEvent(event);
    if (!event->spontaneous()) FormActivate();
}

void TVerificaArchivio::FormActivate() {
    // The archive may have changed since the last opening: the period stays inside it.
    const int n = Globals().archive.count();
    if (first_ < 1 || last_ < 1 || last_ > n)
        setInterval(std::max(1, n - 99), n);
    else
        showInterval();
}

void TVerificaArchivio::setInterval(int first, int last) {
    first_ = first;
    last_ = last;
    showInterval();
}

void TVerificaArchivio::showInterval() {
    DaEstrazione->setText(DrawText(first_));
    AEstrazione->setText(DrawText(last_));
}

bool TVerificaArchivio::FormCloseQuery() {
    return !AntiPan3->busy();
}

int TVerificaArchivio::pickDraw(const QString& instruction, int position) {
    const int n = Globals().archive.count();
    if (n < 1) {
        MessageBox::show(this, u"Attenzione"_s, Q(EmptyArchive), MsgIcon::Error, MsgButtons::Ok, MsgAnswer::Ok);
        return 0;
    }
    TDaiNumEstra* picker = TDaiNumEstra::instance();
    std::unique_ptr<TDaiNumEstra> own;
    if (!picker) {
        own = std::make_unique<TDaiNumEstra>(this);
        picker = own.get();
    }
    // The picker is shared with "Spoglio delle giocate": its instruction goes back as it was.
    const QString before = picker->Label1->text();
    picker->Label1->setText(instruction);
    picker->setRange(1, n);
    picker->setPosition(std::clamp(position, 1, n));
    const bool ok = picker->exec() == QDialog::Accepted;
    picker->Label1->setText(before);
    const int chosen = picker->chosenIndex();
    return ok && chosen >= 1 && chosen <= n ? chosen : 0;
}

void TVerificaArchivio::SceltaDaClick() {
    const int chosen = pickDraw(u"Indicare la prima estrazione del periodo da verificare"_s, first_);
    if (chosen == 0) return;
    // As in the deletion of a range, moving one end past the other pushes it along.
    setInterval(chosen, std::max(chosen, last_));
    Intervallo->setChecked(true);
}

void TVerificaArchivio::SceltaAClick() {
    const int chosen = pickDraw(u"Indicare l'ultima estrazione del periodo da verificare"_s, last_);
    if (chosen == 0) return;
    setInterval(std::min(first_, chosen), chosen);
    Intervallo->setChecked(true);
}

void TVerificaArchivio::goClick() {
    Globali& g = Globals();
    auto refuse = [this](const QString& text) {
        MessageBox::show(this, u"Attenzione"_s, text, MsgIcon::Error, MsgButtons::Ok, MsgAnswer::Ok);
    };
    if (g.system.list.count() < 1) {
        MessageBox::information(this, Q(NoPlaysToCheckMessage), u"Numora"_s);
        return;
    }
    const int n = g.archive.count();
    if (n < 1) return refuse(Q(EmptyArchive));
    int first = first_, last = last_;
    if (Ultime->isChecked()) {
        bool ok = false;
        const int k = NumUltime->text().toInt(&ok);
        if (!ok || k < 1 || k > n) {
            NumUltime->setFocus();
            return refuse(u"Il numero delle estrazioni da verificare deve essere compreso fra 1 e %1."_s.arg(n));
        }
        first = n - k + 1;
        last = n;
    } else if (first < 1 || last > n || first > last) {
        return refuse(u"Il periodo indicato non è valido: scegliere di nuovo la prima e l'ultima estrazione."_s);
    }

    const int draws = last - first + 1;
    BacktestResult r;
    {
        ProgressRun run(*AntiPan3, {go, stampa, esporta, SpeedButton3, SceltaDa, SceltaA, Intervallo, Ultime, NumUltime,
                                    SoloVincenti});
        // About two hundred looks at the window per run, however long the period.
        const Progress progress{AntiPan3->callback(), static_cast<std::uint64_t>(std::max(1, draws / 200))};
        r = RunBacktest(g.system.list.data(), g.system.list.count(), g.archive, first, last,
                        Amount::fromDouble(g.settings.vincitaMassima), progress);
    }
    // An interrupted run leaves the last result on show, as if it had never started.
    if (!r.completed) return;
    result_ = std::move(r);
    // The draws of the last run are where a change of period by draw starts from.
    setInterval(first, last);
    lines_ = BacktestLines(result_, g.archive, g.settings.decimali);
    periodText_ = u"Dall'estrazione %1 all'estrazione %2"_s.arg(DrawText(first), DrawText(last));
    showResult();
}

void TVerificaArchivio::showResult() {
    model_->setLines(&lines_, SoloVincenti->isChecked());
    const auto fields = BacktestSummaryFields(result_, Globals().settings.decimali);
    for (std::size_t i = 0; i < riepilogo.size(); ++i) riepilogo[i]->setText(Q(fields[i].second));
    const bool any = !lines_.empty();
    stampa->setEnabled(any);
    esporta->setEnabled(any);

    QChart* chart = Chart1->chart();
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    auto* balance = new QLineSeries;
    balance->setName(u"Saldo"_s);
    balance->setPen(QPen(QColor(0x1f, 0x3b, 0x73), 2));
    auto* expected = new QLineSeries;
    expected->setName(u"Saldo atteso"_s);
    expected->setPen(QPen(QColor(0xc0, 0x60, 0x00), 2, Qt::DashLine));
    QList<QPointF> b, e;
    b.reserve(static_cast<qsizetype>(lines_.size()) + 1);
    e.reserve(static_cast<qsizetype>(lines_.size()) + 1);
    // Both lines start from nothing spent and nothing won, just before the first draw.
    double low = 0, high = 0;
    if (any) {
        b.append({lines_.front().draw - 1.0, 0});
        e.append({lines_.front().draw - 1.0, 0});
    }
    for (const BacktestLine& l : lines_) {
        b.append({double(l.draw), l.balanceEuro});
        e.append({double(l.draw), l.expectedBalanceEuro});
        low = std::min({low, l.balanceEuro, l.expectedBalanceEuro});
        high = std::max({high, l.balanceEuro, l.expectedBalanceEuro});
    }
    balance->replace(b);
    expected->replace(e);
    chart->addSeries(expected);
    chart->addSeries(balance);
    auto* x = new QValueAxis;
    x->setTitleText(u"Nº Concorso"_s);
    x->setLabelFormat(u"%d"_s);
    if (any) x->setRange(b.front().x(), b.back().x());
    auto* y = new QValueAxis;
    y->setTitleText(u"Euro"_s);
    y->setLabelFormat(u"%.0f"_s); // whole euro: "-20000", not "-20000.0"
    y->setRange(low, high > low ? high : low + 1);
    y->applyNiceNumbers();
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QLineSeries* s : {expected, balance}) {
        s->attachAxis(x);
        s->attachAxis(y);
    }
}

void TVerificaArchivio::stampaClick() {
    QPrinter& printer = ProgramPrinter();
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    printReport(printer);
}

void TVerificaArchivio::printReport(QPrinter& printer) {
    printer.setDocName(u"Numora"_s);
    QPainter p;
    if (!p.begin(&printer)) {
        MessageBox::error(this, u"Impossibile stampare: la stampante non è disponibile."_s);
        return;
    }
    const QRect page = p.viewport();
    QFont font(u"Arial"_s);
    font.setStyleHint(QFont::SansSerif);
    // About ninety characters across the page, whatever the printer's resolution.
    font.setPixelSize(std::max(1, page.width() / 60));
    QFont bold = font;
    bold.setBold(true);
    const QFontMetrics m(font, &printer);
    const int h = m.height();
    const int cw = m.horizontalAdvance(u"H"_s);
    int y = h;
    auto line = [&](const QString& text, const QFont& f, int x = 0) {
        p.setFont(f);
        p.drawText(cw + x, y + m.ascent(), text);
    };
    line(u"Numora - Verifica su archivio"_s, bold);
    y += h;
    line(periodText_, font);
    y += h + h / 2;
    const auto fields = BacktestSummaryFields(result_, Globals().settings.decimali);
    int captionWidth = 0;
    for (const auto& f : fields) captionWidth = std::max(captionWidth, m.horizontalAdvance(Q(f.first)));
    for (const auto& f : fields) {
        line(Q(f.first), font);
        line(Q(f.second), f.first == "Saldo:" ? bold : font, captionWidth + 2 * cw);
        y += h;
    }
    y += h / 2;
    line(Q(GrossNote), font);
    y += 2 * h;
    const QRect target(cw, y, page.width() - 2 * cw, std::min(page.height() - y - h, (page.width() - 2 * cw) * 2 / 3));
    if (target.height() > 0) Chart1->render(&p, target, Chart1->viewport()->rect(), Qt::KeepAspectRatio);
    p.end();
}

void TVerificaArchivio::esportaClick() {
    if (lines_.empty()) return;
    const Globali& g = Globals();
    QString file;
    if (chooseCsvFile) {
        file = chooseCsvFile(this);
    } else {
        QFileDialog dialog(this, u"Esporta la tabella"_s, Q(g.appDir), u"File CSV (*.csv)"_s);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(u"csv"_s);
        dialog.selectFile(u"Verifica su archivio.csv"_s);
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
            file = dialog.selectedFiles().front();
    }
    if (file.isEmpty()) return;
    std::string why;
    if (!WriteFileAtomically(S(file), BacktestCsv(lines_, SoloVincenti->isChecked()), &why))
        MessageBox::error(this, u"Impossibile scrivere il file %1: %2.\r\nUn file che esisteva già con quel nome non è "
                                u"stato modificato."_s.arg(file, Q(why)));
}

} // namespace numora
