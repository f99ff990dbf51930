// numora-cli print SYSTEM --pdf FILE [--model new|old] [--orientation vertical|horizontal] [--plain]:
// the plays of a system printed to a PDF file, one slip a page in the geometry of the printing
// dialogs (the built-in calibration of the new slips, the ini file's layout of the old ones), or
// the plain-paper listing.
#include "apps/cli/printing/CliPrintGrammar.h"
#include "core/FileIo.h"
#include "core/PlaySystem.h"
#include "core/Settings.h"
#include "core/SystemFile.h"
#include "core/TextHelpers.h"
#include "printing/PlainPaperLayout.h"
#include "printing/SlipGeometry.h"
#include "printing/USlipPainting.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <memory>
#include <ostream>

namespace numora {

namespace {

// Painting text needs the font database of a GUI application; a terminal has no display. The
// application ends with the command, before the program's static objects, so that Qt releases its
// fonts while everything they use is still there.
std::unique_ptr<QGuiApplication> GuiApplication() {
    if (QCoreApplication::instance()) return nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "numora-print";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

bool AllZero(const OldSlipLayout& l) {
    return l.sinistro == 0 && l.superiore == 0 && l.distanza_righe == 0 && l.distanza_colonne == 0 && l.diametro == 0;
}

int RunPrint(const CliContext& c) {
    const std::string pdf = c.options.value("--pdf");
    const std::string model = c.options.value("--model", "new");
    const std::string orientation = c.options.value("--orientation", "vertical");
    const bool plain = c.options.has("--plain");
    const std::string& systemPath = c.args[0];
    if (pdf.empty()) return 2;

    Settings settings;
    ReadSettings(c.dir + SettingsFileName, settings);
    auto system = std::make_unique<PlaySystem>();
    NewSystem(*system);
    switch (LoadSystem(systemPath, *system)) {
    case LoadSystemResult::Ok:
        break;
    case LoadSystemResult::Incompatible:
        c.err << TerminalText(IncompatibleSystemMessage) << '\n';
        [[fallthrough]];
    default:
        c.err << TerminalText(OpenSystemErrorMessage) << '\n';
        return 1;
    }
    system->currentPath = systemPath;
    const PlayList& list = system->list;
    if (list.empty()) {
        c.err << "Non ci sono giocate da stampare!\n";
        return 1;
    }

    const std::unique_ptr<QGuiApplication> app = GuiApplication();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    int pages = 0;
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(600);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setTitle(QStringLiteral("Numora"));
        QPainter painter;
        if (!painter.begin(&writer)) {
            c.err << "Impossibile creare il PDF.\n";
            return 1;
        }
        const auto page = PageOf(writer);
        const auto o =
            orientation == "vertical" ? printing::SlipOrientation::Vertical : printing::SlipOrientation::Horizontal;
        if (plain) {
            std::vector<Play> plays;
            for (int i = 1; i <= list.count(); ++i) plays.push_back(list.play(i));
            const std::string cost = FormatAmount(TotalCost(list), settings) + " €";
            PaintPlainPaper(painter, writer, printing::PlainPaperHeading(systemPath, list.count(), cost),
                            system->forecast, plays, {}, settings.decimali);
        } else {
            OldSlipLayout old =
                o == printing::SlipOrientation::Vertical ? settings.oldVertical : settings.oldHorizontal;
            if (model == "old" && AllZero(old)) {
                c.out << "Il file Numora.ini non ha la calibrazione delle vecchie schedine: valori originali.\n";
                old = printing::OldSlipOriginalValues(o);
            }
            const auto& cal = o == printing::SlipOrientation::Vertical ? SlipCalibration::DefaultVertical
                                                                       : SlipCalibration::DefaultHorizontal;
            for (int i = 1; i <= list.count(); ++i) {
                if (i > 1) writer.newPage();
                const Play& play = list.play(i);
                const QString number = QString::fromStdString(printing::SlipNumberText(i));
                if (model == "new") {
                    DrawDots(painter, printing::NewSlipDots(play, o, cal, settings.denominations, page));
                    DrawSlipNumber(painter, page, 500, number, printing::NewSlipNumberPosition(o, cal, page));
                } else {
                    DrawDots(painter, printing::OldSlipDots(play, o, old, settings.denominations, page));
                    const auto at = printing::OldSlipNumberPosition(o, old);
                    DrawSlipNumber(painter, page, 200, number,
                                   {printing::MmToPixelsX(page, printing::OldSlipPage, at.x),
                                    printing::MmToPixelsY(page, printing::OldSlipPage, at.y)});
                }
            }
        }
        painter.end();
    }
    const QByteArray bytes = buffer.data();
    for (qsizetype at = bytes.indexOf("/Type /Page"); at >= 0; at = bytes.indexOf("/Type /Page", at + 1))
        pages += bytes.mid(at, 12) == "/Type /Pages" ? 0 : 1;
    std::string why;
    if (!WriteFileAtomically(pdf, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), &why)) {
        c.err << "Impossibile scrivere " << pdf << ": " << why << '\n';
        return 1;
    }
    c.out << "Pagine: " << pages << '\n';
    return 0;
}

} // namespace

CliCommand PrintCommand() {
    return PrintCommandRow("giocate su schedine o su carta comune in un PDF", RunPrint);
}

} // namespace numora
