#include "components/URunDialog.h"

#include <QKeyEvent>
#include <QPushButton>

namespace numora {

void TRunDialog::done(int result) {
    if (!FormCloseQuery()) return;
    QDialog::done(result);
}

void TRunDialog::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (runButton()->isEnabled()) runClick();
        event->accept();
        return;
    case Qt::Key_Escape:
        if (runButton()->isEnabled()) reject();
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

} // namespace numora
