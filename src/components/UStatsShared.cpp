#include "components/UStatsShared.h"

#include "components/UCommandTable.h"
#include "components/UMessageBox.h"
#include "components/UPrinter.h"
#include "core/Globali.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QTableWidget>
#include <QThread>

#include <algorithm>
#include <set>

namespace numora {

namespace {

PrinterSetupHook& Hook() {
    static PrinterSetupHook hook;
    return hook;
}

QPrinter& StatsPrinter() {
    return ProgramPrinter();
}

} // namespace

void SetPrinterSetupHook(PrinterSetupHook hook) {
    Hook() = std::move(hook);
}

bool PrintWindowImage(QWidget* window, const std::function<void(bool)>& prepare) {
    QPrinter& printer = StatsPrinter();
    bool confirmed = false;
    if (Hook()) {
        confirmed = Hook()(printer);
    } else {
        QPrintDialog dialog(&printer, window);
        confirmed = dialog.exec() == QDialog::Accepted;
    }
    if (!confirmed) return false;

    if (prepare) prepare(true);
    window->repaint();
    const QPixmap image = window->grab();
    bool printed = false;
    QPainter painter;
    // A job that cannot start has said so already.
    const bool started = !image.isNull() && BeginPrint(painter, printer, window);
    if (started) {
        // The whole image on the page: as wide as the page unless that makes it too tall, keeping
        // its proportions, from the page's top left corner.
        const QRect page = painter.viewport();
        const double scale = std::min(double(page.width()) / image.width(), double(page.height()) / image.height());
        const QRect target(page.topLeft(), QSize(int(image.width() * scale), int(image.height() * scale)));
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(target, image);
        printed = painter.end();
    }
    QThread::msleep(10);
    if (prepare) prepare(false);
    window->update();
    if (!printed && (started || image.isNull()))
        MessageBox::error(window, QStringLiteral("Impossibile stampare: la stampante non è disponibile."));
    return printed;
}

void AddNumbersToForecast(const std::vector<int>& numbers) {
    ChangeForecast(Globals().system, [&](Forecast& forecast) {
        bool changed = false;
        for (int n : numbers)
            if (n >= 1 && n <= 90 && !forecast.isChosen(n)) {
                forecast.setChosen(n, true);
                changed = true;
            }
        return changed;
    });
}

bool AskStakes(QWidget* parent, int playSize, StakeSet& stakes) {
    const auto& ask = Commands().views.askStakes;
    return ask && ask(parent, playSize, stakes);
}

void AddPlaysToList(QWidget* parent, const std::vector<Play>& plays) {
    if (plays.empty()) return;
    bool full = false;
    ChangePlays(Globals().system, [&](PlayList& list) {
        bool changed = false;
        for (const Play& p : plays) {
            if (AddOrReplacePlay(list, p) == AddPlayResult::ListFull) {
                full = true;
                break;
            }
            changed = true;
        }
        return changed;
    });
    if (full) MessageBox::warning(parent, QString::fromUtf8(PlayListFullMessage));
}

std::vector<int> SelectedRows(const QTableWidget* grid) {
    std::set<int> rows;
    for (const QTableWidgetSelectionRange& r : grid->selectedRanges())
        for (int row = r.topRow(); row <= r.bottomRow(); ++row) rows.insert(row);
    return {rows.begin(), rows.end()};
}

} // namespace numora
