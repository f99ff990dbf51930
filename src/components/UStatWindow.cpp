#include "components/UStatWindow.h"

#include "components/UMessageBox.h"

#include <QEvent>
#include <QFrame>
#include <QKeyEvent>

namespace numora {

void TStatWindow::showRefusal(const char* message) {
    MessageBox::error(this, QString::fromUtf8(message));
    // A real box takes the activation with it; coming back to the window is no new activation.
    swallowActivation_ = !isActiveWindow();
}

void TStatWindow::setPrintingLook(bool printing, QFrame* frame) {
    frame->setFrameStyle(printing ? QFrame::NoFrame : (QFrame::Box | QFrame::Sunken));
    if (printing) {
        saved_ = palette();
        QPalette white = saved_;
        white.setColor(QPalette::Window, Qt::white);
        setPalette(white);
    } else {
        setPalette(saved_);
    }
}

void TStatWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow()) return;
    if (swallowActivation_) {
        swallowActivation_ = false;
        return;
    }
    FormActivate();
}

void TStatWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace numora
