#include "forecast/UPronostico.h"

#include "components/UHint.h"
#include "components/UWindowRegistry.h"

#include "components/UMessageBox.h"
#include "core/Globali.h"

#include <QEvent>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

const QString FixedHint = u"Le fisse sono quei numeri che saranno presenti in tutte le giocate"_s;

QRect CellRect(BoardCell cell) {
    return {cell.x(), cell.y(), BoardCellWidth, BoardCellHeight};
}

// Each number sits in a box of its own with a small gap around it, like the grid of a play
// slip; a marked number is covered by a filled disc so it stands out at a glance.
QPixmap DrawBoardPicture(bool marked) {
    QPixmap picture(BoardWidth, BoardHeight);
    picture.fill(QColor(0xff, 0xfb, 0xf2));
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    QFont font(u"Arial"_s);
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    const QColor line(0xc8, 0x3c, 0x3c);
    const QColor ink(0x8a, 0x1c, 0x1c);
    const QColor mark(0x1d, 0x3f, 0x9a);
    for (int n = 1; n <= 90; ++n) {
        const QRect cell = CellRect(BoardCellOfNumber(n));
        const QRectF box = QRectF(cell).adjusted(1.5, 1.5, -1.5, -1.5);
        p.setPen(QPen(line, 1.0));
        p.setBrush(Qt::white);
        p.drawRoundedRect(box, 2.0, 2.0);
        if (marked) {
            p.setPen(Qt::NoPen);
            p.setBrush(mark);
            const QPointF centre = QRectF(cell).center();
            p.drawEllipse(centre, 9.0, 8.0);
            p.setPen(Qt::white);
        } else {
            p.setPen(ink);
        }
        p.drawText(cell, Qt::AlignCenter, QString::number(n));
    }
    return picture;
}

} // namespace

ForecastBoardWidget::ForecastBoardWidget(QWidget* parent, const Forecast* forecast)
    : QWidget(parent), plain_(DrawBoardPicture(false)), marked_(DrawBoardPicture(true)), forecast_(forecast) {
    setFixedSize(BoardWidth, BoardHeight);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ForecastBoardWidget::repaintCell(BoardCell cell) {
    update(CellRect(cell));
}

void ForecastBoardWidget::paintEvent(QPaintEvent*) {
    const Forecast& forecast = *forecast_;
    QPainter p(this);
    p.drawPixmap(0, 0, plain_);
    for (int n = 1; n <= 90; ++n) {
        if (!forecast.isChosen(n)) continue;
        const QRect cell = CellRect(BoardCellOfNumber(n));
        p.drawPixmap(cell, marked_, cell);
    }
}

void ForecastBoardWidget::mousePressEvent(QMouseEvent* event) {
    if (onPress) onPress(event);
}

void ForecastBoardWidget::mouseMoveEvent(QMouseEvent* event) {
    if (onMove) onMove(event);
}

TPronostico* TPronostico::instance() {
    return Windows().find<TPronostico>();
}

TPronostico::TPronostico(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setObjectName(u"TPronostico"_s);
    setWindowTitle(u"Pronostico"_s);

    Image1 = new ForecastBoardWidget(this, &Globals().system.forecast);
    Image1->setObjectName(u"Image1"_s);
    Image1->onPress = [this](QMouseEvent* e) { Image1MouseDown(e); };
    Image1->onMove = [this](QMouseEvent* e) { Image1MouseMove(e); };

    Label1 = new QLabel(u"Fisse:"_s, this);
    Label1->setObjectName(u"Label1"_s);
    Label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    static const char16_t* const names[9] = {u"Edit23", u"Edit24", u"Edit25", u"Edit26", u"Edit27",
                                             u"Edit3",  u"Edit4",  u"Edit1",  u"Edit2"};
    std::array<QLineEdit*, 9> made{};
    auto* row = new QHBoxLayout;
    row->setSpacing(1);
    row->addWidget(Label1);
    row->addSpacing(2);
    for (std::size_t i = 0; i < made.size(); ++i) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QString::fromUtf16(names[i]));
        box->setMaxLength(2);
        box->setAlignment(Qt::AlignCenter);
        box->setFixedWidth(20);
        SetHint(box, FixedHint);
        box->installEventFilter(this);
        connect(box, &QLineEdit::textChanged, this, [this, box] { Edit23Change(box); });
        row->addWidget(box);
        made[i] = box;
    }
    Label1->setBuddy(made[0]);
    Edit23 = made[0];
    Edit24 = made[1];
    Edit25 = made[2];
    Edit26 = made[3];
    Edit27 = made[4];
    Edit3 = made[5];
    Edit4 = made[6];
    Edit1 = made[7];
    Edit2 = made[8];

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addWidget(Image1, 0, Qt::AlignHCenter);
    layout->addLayout(row);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    Windows().enrol(this);
    // Every change of the forecast made elsewhere reaches the board through this hook.
    Globals().system.forecastChanged = [] {
        if (TPronostico* f = TPronostico::instance()) f->RefreshForecast();
    };
    MettiFisse();
    showCaption();
}

TPronostico::~TPronostico() {
    Windows().forget(this);
}

int TPronostico::chosenCount() const {
    return Globals().system.forecast.chosenCount();
}

void TPronostico::showCaption() {
    setWindowTitle(u"Pronostico: "_s + QString::number(chosenCount()) + u" numeri"_s);
}

void TPronostico::showInvalidValue() {
    MessageBox::error(this, u"Il valore inserito non è valido!"_s, u"Attenzione"_s);
}

int TPronostico::PrendiFisse() {
    FixedBoxTexts texts;
    const auto all = boxes();
    for (std::size_t i = 0; i < all.size(); ++i) texts[i] = all[i]->text().toStdString();
    return TakeFixedNumbers(texts, Globals().system.forecast);
}

void TPronostico::MettiFisse() {
    filling_ = true;
    const FixedBoxTexts texts = FixedNumberTexts(Globals().system.forecast);
    const auto all = boxes();
    for (QLineEdit* box : all) box->clear();
    for (std::size_t i = 0; i < all.size(); ++i)
        if (!texts[i].empty()) all[i]->setText(QString::fromStdString(texts[i]));
    filling_ = false;
}

void TPronostico::RefreshForecast() {
    MettiFisse();
    Image1->update();
    showCaption();
}

void TPronostico::AddRandomNumber() {
    show();
    raise();
    ChangeForecast(Globals().system, [](Forecast& f) { return ChooseRandomNumber(f, Globals().random) != 0; });
}

void TPronostico::RemoveRandomNumber() {
    show();
    raise();
    ChangeForecast(Globals().system, [](Forecast& f) { return UnchooseRandomNumber(f, Globals().random) != 0; });
}

void TPronostico::Image1MouseDown(QMouseEvent* event) {
    pointer_.press();
    Image1MouseMove(event);
}

void TPronostico::Image1MouseMove(QMouseEvent* event) {
    const QPointF pos = event->position();
    const BoardCell cell = BoardCellAt(static_cast<int>(std::floor(pos.x())), static_cast<int>(std::floor(pos.y())));
    if (hover_) hover_(cell.number());
    const Qt::MouseButtons buttons = event->buttons();
    const BoardButtons held = (buttons & Qt::LeftButton)    ? BoardButtons::Left
                              : (buttons & Qt::RightButton) ? BoardButtons::Right
                                                            : BoardButtons::None;
    if (!ChangeForecast(Globals().system, [&](Forecast& f) { return pointer_.apply(f, cell, held); },
                        {.notify = false}))
        return;
    Image1->repaintCell(cell);
    showCaption();
}

void TPronostico::Edit23Change(QLineEdit* box) {
    if (filling_) return;
    PrendiFisse();
    const QString text = box->text();
    if (!text.isEmpty() && !IsFixedNumberText(text.toStdString())) {
        showInvalidValue();
        box->clear();
    }
}

void TPronostico::Edit23Exit(QLineEdit* box) {
    if (PrendiFisse() <= 0) return;
    // The focus is still on its way to the next control: refuse the value once it has
    // arrived, so the box can take the focus back.
    QTimer::singleShot(0, this, [this, box] {
        showInvalidValue();
        box->clear();
        box->setFocus(Qt::OtherFocusReason);
    });
}

bool TPronostico::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (box == nullptr || box->parent() != this) return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        // Tab and Shift+Tab move the focus and never reach the box as a character.
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) return false;
        const QString text = key->text();
        if (text.isEmpty() && key->key() != Qt::Key_Delete) return false;
        // Every key counts as a change of the fixed numbers, which are read from the boxes.
        ChangeForecast(Globals().system, [](Forecast&) { return true; }, {.notify = false});
        if (key->key() == Qt::Key_Delete) return false;
        for (QChar c : text)
            if (!FixedBoxAcceptsChar(c.unicode())) return true;
        return false;
    }
    if (event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        // Only leaving the box for another control of this window counts; switching to
        // another window or opening a menu leaves the box as it is.
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return false;
        Edit23Exit(box);
    }
    return false;
}

} // namespace numora
