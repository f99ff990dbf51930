#include "generation/UGenerationMessages.h"

#include "components/UMessageBox.h"

#include <QApplication>

namespace numora {

void ShowRunNotice(QWidget* parent, const char* text) {
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    MessageBox::warning(parent, QString::fromUtf8(text));
    QApplication::restoreOverrideCursor();
}

} // namespace numora
