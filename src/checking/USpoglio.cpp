#include "checking/USpoglio.h"

#include "components/UArchiveSave.h"
#include "components/UCommandTable.h"
#include "components/UDaiNumEstra.h"
#include "components/UFieldFilters.h"
#include "components/UHelp.h"
#include "components/UHint.h"
#include "components/UMessageBox.h"
#include "components/UPrinter.h"
#include "components/UWindowRegistry.h"
#include "core/Globali.h"
#include "core/TextHelpers.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

QString Money(Amount a) {
    return QString::fromStdString(FormatAmount(a, Globals().settings)) + u" €"_s;
}

} // namespace

TSpoglio::TSpoglio(QWidget* parent) : QDialog(parent) {
    setObjectName(u"TSpoglio"_s);
    setWindowTitle(u"Spoglio delle giocate"_s);

    stg = new QTableWidget(11, 6, this);
    stg->setObjectName(u"stg"_s);
    stg->horizontalHeader()->hide();
    stg->verticalHeader()->hide();
    stg->setColumnWidth(0, 110);
    for (int c = 1; c <= 5; ++c) stg->setColumnWidth(c, 36);
    for (int r = 0; r < 11; ++r) {
        auto* head = new QTableWidgetItem(u" "_s + QString::fromUtf8(WheelName(r + 1).data()));
        head->setFlags(Qt::ItemIsEnabled);
        stg->setItem(r, 0, head);
        stg->setRowHeight(r, 22);
    }
    stg->setFixedSize(110 + 5 * 36 + 4, 11 * 22 + 4);
    stg->installEventFilter(this);
    stg->setItemDelegate(new FieldItemDelegate(FieldKind::Number, 2, stg));
    connect(stg, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (item->column() > 0) go->setEnabled(true);
    });
    auto* gridBox = new QGroupBox(u"Estrazioni del Lotto"_s, this);
    auto* gridLayout = new QVBoxLayout(gridBox);
    gridLayout->addWidget(stg);

    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(u"Edit1"_s);
    Edit1->setMaxLength(10);
    SetHint(Edit1, u"Inserire la data dell'estrazione nel formato gg/mm/aaaa"_s);

    auto button = [this](const QString& caption, const QString& name) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };
    SpeedButton1 = button(u"Apri"_s, u"SpeedButton1"_s);
    SetHint(SpeedButton1, u" Carica l'estrazione dall'archivio storico "_s);
    SpeedButton4 = button(u"Salva"_s, u"SpeedButton4"_s);
    SetHint(SpeedButton4, u" Salva l'estrazione nell'archivio storico "_s);
    go = button(u"Verifica"_s, u"go"_s);
    stampa = button(u"Stampa"_s, u"stampa"_s);
    SpeedButton2 = button(u"Manuale"_s, u"SpeedButton2"_s);
    SpeedButton3 = button(u"Annulla"_s, u"SpeedButton3"_s);
    connect(SpeedButton1, &QPushButton::clicked, this, &TSpoglio::SpeedButton1Click);
    connect(SpeedButton4, &QPushButton::clicked, this, &TSpoglio::SpeedButton4Click);
    connect(go, &QPushButton::clicked, this, &TSpoglio::goClick);
    connect(stampa, &QPushButton::clicked, this, &TSpoglio::stampaClick);
    connect(SpeedButton2, &QPushButton::clicked, this, [this] { ShowHelpContext(8, this); });
    connect(SpeedButton3, &QPushButton::clicked, this, &QDialog::reject);

    auto* results = new QGroupBox(u"Vincite"_s, this);
    auto* rl = new QGridLayout(results);
    for (std::size_t k = 0; k < 5; ++k) {
        const int row = static_cast<int>(k);
        rl->addWidget(new QLabel(QString::fromUtf8(HitLabels[k]), results), row, 0);
        counts[k] = new QLabel(u"0"_s, results);
        counts[k]->setObjectName(u"count%1"_s.arg(k + 1));
        rl->addWidget(counts[k], row, 1);
        rl->addWidget(new QLabel(u"Vincita:"_s, results), row, 2);
        amounts[k] = new QLabel(u"0,00 €"_s, results);
        amounts[k]->setObjectName(u"amount%1"_s.arg(k + 1));
        amounts[k]->setMinimumWidth(120);
        rl->addWidget(amounts[k], row, 3);
    }
    auto* totalCaption = new QLabel(u"Vincita Totale*:"_s, results);
    total = new QLabel(u"0,00 €"_s, results);
    total->setObjectName(u"total"_s);
    QFont bold = total->font();
    bold.setBold(true);
    totalCaption->setFont(bold);
    total->setFont(bold);
    rl->addWidget(totalCaption, 5, 2);
    rl->addWidget(total, 5, 3);
    rl->addWidget(new QLabel(QString::fromUtf8(GrossNote), results), 6, 0, 1, 4);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(u"Memo1"_s);
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* memoBox = new QGroupBox(u"Giocate vincenti"_s, this);
    auto* memoLayout = new QVBoxLayout(memoBox);
    memoLayout->addWidget(Memo1);

    auto* date = new QHBoxLayout;
    date->addWidget(new QLabel(u"Estrazione del:"_s, this));
    date->addWidget(Edit1);
    date->addStretch(1);
    date->addWidget(SpeedButton1);
    date->addWidget(SpeedButton4);
    auto* left = new QVBoxLayout;
    left->addLayout(date);
    left->addWidget(gridBox);
    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addWidget(results, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(go);
    buttons->addWidget(stampa);
    buttons->addStretch(1);
    buttons->addWidget(SpeedButton2);
    buttons->addWidget(SpeedButton3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(memoBox, 1);
    layout->addLayout(buttons);
    resize(860, 640);

    Windows().enrol(this);
}

TSpoglio::~TSpoglio() {
    Windows().forget(this);
}

TSpoglio* TSpoglio::instance() {
    return Windows().find<TSpoglio>();
}

void TSpoglio::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void TSpoglio::FormActivate() {
    Memo1->clear();
    go->setEnabled(true);
    if (auto* picker = TDaiNumEstra::instance()) {
        const int n = Globals().archive.count();
        picker->setRange(1, n);
        picker->setPosition(n);
    }
}

void TSpoglio::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
        // Both keys act only while "Verifica" is enabled.
        if (go->isEnabled()) {
            if (key == Qt::Key_Escape)
                reject();
            else
                goClick();
        }
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TSpoglio::eventFilter(QObject* watched, QEvent* event) {
    if (watched == stg && event->type() == QEvent::KeyPress) {
        const QString t = static_cast<QKeyEvent*>(event)->text();
        if (!t.isEmpty() && t[0].unicode() >= 32) go->setEnabled(true);
    }
    return QDialog::eventFilter(watched, event);
}

CheckCells TSpoglio::cells() const {
    CheckCells c;
    for (int r = 0; r < 11; ++r)
        for (int k = 0; k < 5; ++k) {
            const QTableWidgetItem* item = stg->item(r, k + 1);
            c[static_cast<std::size_t>(r)][static_cast<std::size_t>(k)] =
                item ? item->text().toStdString() : std::string();
        }
    return c;
}

void TSpoglio::SpeedButton1Click() {
    TDaiNumEstra* picker = TDaiNumEstra::instance();
    std::unique_ptr<TDaiNumEstra> own;
    if (!picker) {
        own = std::make_unique<TDaiNumEstra>(this);
        picker = own.get();
    }
    const Globali& g = Globals();
    if (picker->exec() == QDialog::Accepted && picker->chosenIndex() >= 1 &&
        picker->chosenIndex() <= g.archive.count()) {
        const DrawRecord& d = g.archive.draw(picker->chosenIndex());
        Edit1->setText(QString::fromStdString(DateText(d)));
        const CheckDraw draw = CheckDrawOf(d);
        const QSignalBlocker block(stg);
        for (int r = 0; r < 11; ++r)
            for (int k = 0; k < 5; ++k) {
                const int n = draw[static_cast<std::size_t>(r)][static_cast<std::size_t>(k)];
                stg->setItem(r, k + 1, new QTableWidgetItem(n == 0 ? QString() : QString::number(n)));
            }
    }
    go->setEnabled(true);
}

void TSpoglio::SpeedButton4Click() {
    const DateParse date = ParseDate(Edit1->text().toStdString());
    if (!date.ok) {
        MessageBox::show(this, u"Attenzione"_s, QString::fromUtf8(InvalidDateMessage), MsgIcon::Error, MsgButtons::Ok,
                         MsgAnswer::Ok);
        return;
    }
    const CheckDrawRead read = ReadCheckCells(cells(), true);
    if (!read.ok) {
        MessageBox::show(this, u"Attenzione"_s, QString::fromStdString(read.message), MsgIcon::Error, MsgButtons::Ok,
                         MsgAnswer::Ok);
        return;
    }
    DrawRecord record;
    record.day = date.day;
    record.month = date.month;
    record.year = date.year;
    for (int w = 1; w <= 11; ++w)
        for (int k = 0; k < 5; ++k)
            record.setNumber(
                w, k,
                static_cast<std::uint8_t>(read.draw[static_cast<std::size_t>(w - 1)][static_cast<std::size_t>(k)]));
    Globali& g = Globals();
    int index = 0;
    try {
        index = g.insertDraw(record);
    } catch (const ArchiveError& e) {
        MessageBox::error(this, QString::fromUtf8(e.what()));
        return;
    }
    // The viewer shows the stored draw, so its range takes in the new one.
    if (SaveArchiveOrSayWhy(this) && Commands().views.refreshViewerAt) Commands().views.refreshViewerAt(index);
}

void TSpoglio::goClick() {
    const CheckDrawRead read = ReadCheckCells(cells(), false);
    if (!read.ok) {
        MessageBox::show(this, u"Attenzione"_s, QString::fromStdString(read.message), MsgIcon::Error, MsgButtons::Ok,
                         MsgAnswer::Ok);
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Memo1->clear();
    Memo1->hide();
    const Globali& g = Globals();
    const CheckResult r = CheckPlays(g.system.list.data(), g.system.list.count(), read.draw,
                                     Amount::fromDouble(g.settings.vincitaMassima), g.settings.decimali);
    QString text;
    for (const std::string& line : r.listing) {
        text += QString::fromStdString(line);
        text += u'\n';
    }
    if (!text.isEmpty()) text.chop(1);
    Memo1->setPlainText(text);
    Memo1->show();
    QApplication::restoreOverrideCursor();
    go->setEnabled(false);
    for (std::size_t k = 0; k < 5; ++k) {
        counts[k]->setText(QString::number(r.counts[k]));
        amounts[k]->setText(Money(r.amounts[k]));
    }
    total->setText(Money(r.total));
}

void TSpoglio::stampaClick() {
    QPrinter& printer = ProgramPrinter();
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted) return;
    printReport(printer);
}

void TSpoglio::printReport(QPrinter& printer) {
    printer.setDocName(u"Numora"_s);
    QPainter p;
    if (!BeginPrint(p, printer, this)) return;
    const QRect page = p.viewport();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::black, 1, Qt::SolidLine));
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    QFont font(u"Arial"_s);
    font.setStyleHint(QFont::SansSerif);
    font.setFixedPitch(false);
    // The largest font for which ninety characters fit the page width.
    int h = 1, cw = 1;
    for (int i = 61; i <= 201; ++i) {
        // The height asked for is the character cell's (ascent plus descent), not the em size.
        const int cell = std::max(1, static_cast<int>(std::lround(double(page.height()) / i)));
        font.setPixelSize(cell);
        const int measured = QFontMetrics(font, &printer).height();
        if (measured > 0) font.setPixelSize(std::max(1, static_cast<int>(std::lround(double(cell) * cell / measured))));
        const QFontMetrics m(font, &printer);
        h = m.boundingRect(u"Hq"_s).height();
        cw = m.horizontalAdvance(u"H"_s);
        if (90 * cw <= page.width()) break;
    }
    p.setFont(font);
    const QFontMetrics m(font, &printer);
    auto text = [&](int x, int y, const QString& s) { p.drawText(x, y + m.ascent(), s); };

    text(cw, h / 2, u"Estrazione del: "_s + Edit1->text());
    const int y = h / 2 + h + h / 2;
    for (int j = 0; j < 11; ++j) {
        text(cw, y + j * h, QString::fromUtf8(WheelName(j + 1).data()));
        for (int k = 0; k < 5; ++k) {
            const QTableWidgetItem* item = stg->item(j, k + 1);
            text(cw * (10 + 3 * k), y + j * h, item ? item->text() : QString());
        }
    }
    for (int k = 0; k < 5; ++k) {
        text(cw * 46, y + k * h,
             QString::fromUtf8(HitLabels[static_cast<std::size_t>(k)]) + u' ' +
                 counts[static_cast<std::size_t>(k)]->text());
        text(cw * 66, y + k * h, u"Vincita: "_s + amounts[static_cast<std::size_t>(k)]->text());
    }
    QFont bold = font;
    bold.setBold(true);
    p.setFont(bold);
    text(cw * 66, y + 5 * h + h / 2, u"Vincita Totale*: "_s + total->text());
    p.setFont(font);

    const QStringList lines = Memo1->toPlainText().split(u'\n');
    int ly = y + 12 * h;
    for (int i = 0; i < lines.size(); ++i) {
        if (!lines[i].contains(u"----"_s))
            for (const ListingPiece& piece : ListingColumns(lines[i].toStdString()))
                text(cw * (1 + piece.column), ly, QString::fromStdString(piece.text));
        ly += h;
        if (ly + h > page.height() && i + 1 < lines.size()) {
            printer.newPage();
            ly = h;
        }
    }
    p.end();
}

} // namespace numora
