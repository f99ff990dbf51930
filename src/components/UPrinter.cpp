#include "components/UPrinter.h"

#include "components/UMessageBox.h"

#include <QDialogButtonBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

#include <memory>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

std::unique_ptr<QPrinter>& Current() {
    static auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return printer;
}

// What the user chose in "Imposta stampante" and what the windows set, carried to a new printer.
void CopyChoices(const QPrinter& from, QPrinter& to) {
    if (!from.printerName().isEmpty()) to.setPrinterName(from.printerName());
    to.setOutputFileName(from.outputFileName());
    to.setOutputFormat(from.outputFormat());
    to.setPageLayout(from.pageLayout());
    to.setCopyCount(from.copyCount());
    to.setCollateCopies(from.collateCopies());
    to.setColorMode(from.colorMode());
    to.setDuplex(from.duplex());
    to.setPageOrder(from.pageOrder());
    to.setFullPage(from.fullPage());
    to.setDocName(from.docName());
    to.setCreator(from.creator());
}

} // namespace

QPrinter& ProgramPrinter() {
    return *Current();
}

bool BeginPrint(QPainter& painter, QPrinter& printer, QWidget* parent) {
    if (painter.begin(&printer)) return true;
    if (&printer == Current().get()) {
        auto fresh = std::make_unique<QPrinter>(QPrinter::HighResolution);
        CopyChoices(printer, *fresh);
        Current() = std::move(fresh);
    }
    MessageBox::error(parent, QString::fromUtf8(PrintStartFailedMessage));
    return false;
}

bool SetUpProgramPrinter(QWidget* parent) {
    // The print dialog rather than the page set-up: only it offers the printers and the PDF file.
    QPrintDialog dialog(&ProgramPrinter(), parent);
    dialog.setWindowTitle(u"Imposta stampante"_s);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>())
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok)) ok->setText(u"OK"_s);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace numora
