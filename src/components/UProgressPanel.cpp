#include "components/UProgressPanel.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace numora {

TProgressPanel::TProgressPanel(QWidget* parent)
    : QFrame(parent), question_(u"Sei sicuro di voler interrompere l'elaborazione?"_s) {
    setObjectName(u"AntiPan3"_s);
    setFrameShape(QFrame::StyledPanel);

    gg = new QProgressBar(this);
    gg->setObjectName(u"gg"_s);
    gg->setRange(0, 100);
    gg->setValue(0);
    conta = new QLabel(this);
    conta->setObjectName(u"conta"_s);
    conta->hide();
    sb1 = new QPushButton(u"Interrompi"_s, this);
    sb1->setObjectName(u"sb1"_s);
    sb1->setAutoDefault(false);
    connect(sb1, &QPushButton::clicked, this, &TProgressPanel::sb1Click);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->addWidget(gg, 1);
    layout->addWidget(conta);
    layout->addWidget(sb1);
    hide();
}

TProgressPanel::~TProgressPanel() {
    if (busy_) end();
}

void TProgressPanel::setQuestion(const QString& text, MsgAnswer preselected) {
    question_ = text;
    preselected_ = preselected;
}

void TProgressPanel::setCountCaption(const QString& caption) {
    countCaption_ = caption;
    conta->setVisible(!caption.isEmpty());
}

void TProgressPanel::setGaugeMaximum(int maximum) {
    gg->setRange(0, maximum < 1 ? 1 : maximum);
}

void TProgressPanel::begin(const QList<QWidget*>& controls) {
    if (busy_) return;
    busy_ = true;
    stopRequested_ = false;
    interrupted_ = false;
    disabled_.clear();
    for (QWidget* w : controls) {
        if (!w) continue;
        disabled_.append({w, w->isEnabled()});
        w->setEnabled(false);
    }
    guarded_ = window();
    if (guarded_) guarded_->installEventFilter(this);
    gg->setValue(0);
    if (!countCaption_.isEmpty()) conta->setText(countCaption_ + u"0"_s);
    show();
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void TProgressPanel::end() {
    if (!busy_) return;
    QApplication::restoreOverrideCursor();
    hide();
    if (guarded_) guarded_->removeEventFilter(this);
    guarded_ = nullptr;
    for (const Disabled& d : disabled_)
        if (d.widget) d.widget->setEnabled(d.wasEnabled);
    disabled_.clear();
    stopRequested_ = false;
    busy_ = false;
}

void TProgressPanel::sb1Click() {
    if (busy_) stopRequested_ = true;
}

ProgressCallback TProgressPanel::callback() {
    QPointer<TProgressPanel> self(this);
    return [self](const ProgressStatus& status) { return self ? self->report(status) : false; };
}

bool TProgressPanel::report(const ProgressStatus& status) {
    QCoreApplication::processEvents();
    if (stopRequested_) {
        // The question is answered with the ordinary pointer, not the hourglass.
        QApplication::setOverrideCursor(Qt::ArrowCursor);
        const MsgAnswer a = MessageBox::question(window(), question_, MsgButtons::YesNo, preselected_,
                                                 MsgIcon::Question, u"Attenzione"_s);
        QApplication::restoreOverrideCursor();
        stopRequested_ = false;
        if (a == MsgAnswer::Yes) {
            interrupted_ = true;
            return false;
        }
    }
    showStatus(status);
    QCoreApplication::processEvents();
    return true;
}

void TProgressPanel::showStatus(const ProgressStatus& status) {
    const int maximum = gg->maximum();
    int value = 0;
    if (status.total > 0) {
        const double share = static_cast<double>(status.done) / static_cast<double>(status.total);
        value = static_cast<int>(std::lround(std::min(1.0, share) * maximum));
    }
    gg->setValue(value);
    if (!countCaption_.isEmpty()) conta->setText(countCaption_ + QString::number(status.found));
}

bool TProgressPanel::eventFilter(QObject* watched, QEvent* event) {
    if (busy_ && watched == guarded_) {
        if (event->type() == QEvent::Close) {
            event->ignore();
            return true;
        }
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) return true;
    }
    return QFrame::eventFilter(watched, event);
}

TProgressWindow::TProgressWindow(const QString& caption, const QString& text, QWidget* parent) : QDialog(parent) {
    setObjectName(u"TProgressWindow"_s);
    setWindowTitle(caption);
    setWindowModality(Qt::ApplicationModal);
    Label1 = new QLabel(text, this);
    Label1->setObjectName(u"Label1"_s);
    AntiPan3 = new TProgressPanel(this);
    AntiPan3->setMinimumWidth(360);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addWidget(Label1);
    layout->addWidget(AntiPan3);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TProgressWindow::begin() {
    AntiPan3->begin({});
    show();
    QCoreApplication::processEvents();
}

void TProgressWindow::end() {
    AntiPan3->end();
    hide();
}

void TProgressWindow::done(int result) {
    if (!AntiPan3->busy()) QDialog::done(result);
}

} // namespace numora
