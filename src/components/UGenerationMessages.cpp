#include "components/UGenerationMessages.h"

#include "components/UMessageBox.h"
#include "core/PlayList.h"
#include "core/PlayRun.h"

#include <QApplication>

namespace numora {

void ShowRunNotice(QWidget* parent, const char* text) {
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    MessageBox::warning(parent, QString::fromUtf8(text));
    QApplication::restoreOverrideCursor();
}

bool ReportRun(QWidget* parent, const RunResult& result) {
    if (result.outcome == RunOutcome::ListFull) ShowRunNotice(parent, PlayListFullMessage);
    if (result.outcome != RunOutcome::Completed) return false;
    if (result.added == 0) ShowRunNotice(parent, NoPlayAddedMessage);
    return true;
}

} // namespace numora
