#include "printing/UColSuSche.h"

#include "components/UMessageBox.h"
#include "components/UWindowRegistry.h"
#include "core/Globali.h"
#include "printing/OldSlipSettings.h"
#include "printing/USlipPrint.h"

#include <QCheckBox>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

const OldSlipLayout& LayoutOf(printing::SlipOrientation o) {
    const auto& s = Globals().settings;
    return o == printing::SlipOrientation::Vertical ? s.oldVertical : s.oldHorizontal;
}

} // namespace

TOldSlipPreview::TOldSlipPreview(QWidget* parent) : QWidget(parent) {
    setObjectName(u"antep"_s);
    setFixedSize(300, 230);
}

void TOldSlipPreview::setCells(std::vector<printing::Cell> cells) {
    cells_ = std::move(cells);
    update();
}

QPoint TOldSlipPreview::cellPosition(const printing::Cell& c) {
    // The numbers' panel (columns 1..10), the wheels (13) and the amounts (14..31).
    const int x = c.a <= 13 ? 8 + (c.a - 1) * 10 : 140 + (c.a - 14) * 8;
    return {x, 30 + (c.b - 1) * 14};
}

void TOldSlipPreview::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QColor ink(30, 90, 170);
    p.fillRect(rect(), QColor(236, 244, 255));
    p.setPen(QPen(ink, 1));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    QFont f = font();
    f.setPixelSize(10);
    p.setFont(f);
    p.drawText(QRect(0, 4, width(), 20), Qt::AlignCenter, u"LOTTO (vecchia schedina)"_s);
    auto box = [&p](const printing::Cell& c, int size) {
        QPoint at = cellPosition(c);
        p.drawRect(at.x(), at.y(), size, size);
    };
    for (int b = 1; b <= 9; ++b)
        for (int a = 1; a <= 10; ++a) box({a, b}, 7);
    for (int b : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13}) box({13, b}, 7);
    for (int b = 1; b <= 6; ++b)
        for (int a = 14; a <= 31; ++a) box({a, b}, 5);
    p.setPen(QPen(QColor(128, 128, 128), 1));
    p.setBrush(Qt::black);
    for (const auto& c : cells_) {
        QPoint at = cellPosition(c);
        p.drawEllipse(QRect(at.x(), at.y(), c.a >= 14 ? 5 : 7, c.a >= 14 ? 5 : 7));
    }
}

TColSuSche::TColSuSche(QWidget* parent) : TSlipPrintDialog(parent, u"Calibra stampante"_s, u"Spiegazioni"_s) {
    setObjectName(u"ColSuSche"_s);
    antep = new TOldSlipPreview(this);
    previewArea->addWidget(antep);
    pronostico = new QPushButton(u"Stampa il pronostico"_s, this);
    pronostico->setAutoDefault(false);
    buttonArea->insertWidget(buttonArea->count() - 1, pronostico);
    connect(pronostico, &QPushButton::clicked, this, [this] { pronosticoClick(); });
    Windows().enrol(this);
}

TColSuSche::~TColSuSche() {
    Windows().forget(this);
}

TColSuSche* TColSuSche::instance() {
    return Windows().find<TColSuSche>();
}

void TColSuSche::showEvent(QShowEvent* event) {
    FormActivate();
    TSlipPrintDialog::showEvent(event);
    placeOnScreen();
}

void TColSuSche::placeOnScreen() {
    // The dialog lives for the whole run and its native window exists before its first showing,
    // so Qt places it by its client area: centred on the short main strip, the client area went to
    // the screen's top and the window manager's title bar above it. It is placed here by its
    // frame, centred on the main strip and inside the screen's free area.
    QWidget* anchor = parentWidget() ? parentWidget()->window() : nullptr;
    const QScreen* s = anchor ? anchor->screen() : screen();
    if (!s) return;
    const QRect free = s->availableGeometry();
    // The decorations of this dialog from an earlier showing, else those of the main strip.
    QMargins frame;
    for (const QWidget* w : {static_cast<const QWidget*>(this), static_cast<const QWidget*>(anchor)}) {
        if (!w) continue;
        const QRect f = w->frameGeometry(), g = w->geometry();
        frame = QMargins(g.left() - f.left(), g.top() - f.top(), f.right() - g.right(), f.bottom() - g.bottom());
        if (!frame.isNull()) break;
    }
    QRect outer(QPoint(), size().grownBy(frame));
    outer.moveCenter(anchor ? anchor->frameGeometry().center() : free.center());
    outer.moveLeft(std::clamp(outer.left(), free.left(), std::max(free.left(), free.right() + 1 - outer.width())));
    outer.moveTop(std::clamp(outer.top(), free.top(), std::max(free.top(), free.bottom() + 1 - outer.height())));
    // The client area's place, which Qt takes as it is (a move would count a frame it may not know yet).
    setGeometry(QRect(outer.topLeft() + QPoint(frame.left(), frame.top()), size()));
}

QString TColSuSche::calibrationCommand(printing::SlipOrientation o) const {
    return o == printing::SlipOrientation::Vertical ? u"Calibrastampaverticalesuschedine1"_s
                                                    : u"Calibrastampaorizzontalesuschedine1"_s;
}

void TColSuSche::drawPreview(int index) {
    std::vector<printing::Cell> cells;
    if (index > 0)
        for (const auto& box : printing::PlayBoxes(Globals().system.list.play(index), Globals().settings.denominations))
            cells.push_back(printing::OldSlipBoxCell(printing::SlipOrientation::Horizontal, box));
    antep->setCells(std::move(cells));
}

void TColSuSche::PrintSlip(QPainter& painter, int index) {
    const auto o = orientation();
    const auto& layout = LayoutOf(o);
    const auto page = PageOf(PrintingPrinter());
    DrawDots(painter, printing::OldSlipDots(Globals().system.list.play(index), o, layout,
                                            Globals().settings.denominations, page));
    if (stanu->isChecked()) {
        const auto at = printing::OldSlipNumberPosition(o, layout);
        DrawSlipNumber(painter, page, 200, QString::fromStdString(printing::SlipNumberText(index)),
                       {printing::MmToPixelsX(page, printing::OldSlipPage, at.x),
                        printing::MmToPixelsY(page, printing::OldSlipPage, at.y)});
    }
}

void TColSuSche::pronosticoClick() {
    std::vector<int> numbers;
    for (int n = 1; n <= 90; ++n)
        if (Globals().system.forecast.isChosen(n)) numbers.push_back(n);
    QPainter painter;
    if (!beginJob(painter)) return;
    const auto o = orientation();
    DrawDots(painter, printing::OldSlipNumberDots(numbers, o, LayoutOf(o), PageOf(PrintingPrinter())));
    painter.end();
}

void TColSuSche::SpeedButton9Click() {
    auto& g = Globals();
    g.settings.orientamento = printing::StoredOrientation(orientation());
    if (!g.readOnly && !printing::WriteIniKeys(g.path(SettingsFileName), "MARGINI_STAMPANTE",
                                               {{"orientamento", std::to_string(g.settings.orientamento)}}))
        MessageBox::error(this, u"Impossibile scrivere il file Numora.ini."_s);
    accept();
}

} // namespace numora
