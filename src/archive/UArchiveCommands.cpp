#include "archive/UArchiveCommands.h"

#include "archive/ArchiveMaintenance.h"
#include "archive/UModEstra.h"
#include "archive/UNuovaEstra.h"
#include "archive/Udb.h"
#include "archive/Ueliest.h"
#include "components/UMessageBox.h"
#include "core/FileIo.h"
#include "core/Globali.h"
#include "core/OperatorImport.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QProgressDialog>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

// The operator's complete archive is a few megabytes; far more cannot be a draw file.
constexpr long long MaxImportBytes = 64LL * 1024 * 1024;

QString StripLeadingBreaks(QString title) {
    while (title.startsWith(u'\r') || title.startsWith(u'\n')) title.remove(0, 1);
    return title;
}

QString SystemFolderChooser(QWidget* parent, const QString& title) {
    // A window title cannot show the line break the text starts with.
    return QFileDialog::getExistingDirectory(parent, StripLeadingBreaks(title),
                                             QString::fromStdString(Globals().appDir));
}

QString SystemFileChooser(QWidget* parent, const QString& title) {
    return QFileDialog::getOpenFileName(parent, title, QString::fromStdString(Globals().appDir),
                                        u"File di testo (*.txt);;Tutti i file (*)"_s);
}

PathChooser& FolderChooser() {
    static PathChooser chooser = SystemFolderChooser;
    return chooser;
}

PathChooser& FileChooser() {
    static PathChooser chooser = SystemFileChooser;
    return chooser;
}

class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// The draw the viewer shows, or 0 after telling the user there is none.
int ShownDrawOrExplain(QWidget* parent) {
    Tdb* viewer = Tdb::instance();
    const int index = viewer ? viewer->shownIndex() : 0;
    if (index == 0) MessageBox::information(parent, QString::fromUtf8(EmptyArchiveMessage));
    return index;
}

// The dialogs answer with "/" separators; the file layer adds the platform's own.
std::string LocalPath(const QString& path) {
    return QDir::toNativeSeparators(path).toStdString();
}

} // namespace

void SetFolderChooser(PathChooser chooser) {
    FolderChooser() = chooser ? std::move(chooser) : SystemFolderChooser;
}

void SetImportFileChooser(PathChooser chooser) {
    FileChooser() = chooser ? std::move(chooser) : SystemFileChooser;
}

void ShowViewer() {
    if (Tdb* viewer = Tdb::instance()) {
        viewer->show();
        viewer->raise();
    }
}

void NewDraw(QWidget* parent) {
    TNuovaEstra dialog(parent);
    dialog.exec();
}

void EditShownDraw(QWidget* parent) {
    ShowViewer();
    const int index = ShownDrawOrExplain(parent);
    if (index == 0) return;
    TModEstra dialog(index, parent);
    dialog.exec();
}

void DeleteShownDraw(QWidget* parent) {
    ShowViewer();
    const int index = ShownDrawOrExplain(parent);
    if (index == 0) return;
    Globali& g = Globals();
    const QString question = QString::fromStdString(DeleteDrawQuestion(index, g.archive.draw(index)));
    if (MessageBox::question(parent, question) != MsgAnswer::Yes) return;
    g.deleteDraw(index);
    // The position stays where it was unless the archive now ends before it.
    if (Tdb* viewer = Tdb::instance()) viewer->RefreshViewerAt(index);
    g.saveArchive();
}

void DeleteDrawRange(QWidget* parent) {
    if (Globals().archive.empty()) {
        MessageBox::information(parent, QString::fromUtf8(EmptyArchiveMessage));
        return;
    }
    Teliest dialog(parent);
    dialog.exec();
}

void BackupArchive(QWidget* parent) {
    const QString folder = FolderChooser()(parent, u"\r\nIndicare la posizione in cui creare la copia di sicurezza."_s);
    if (folder.isEmpty()) return;
    bool ok = false;
    {
        WaitCursor wait;
        ok = BackupArchiveFile(Globals().appDir, LocalPath(folder));
    }
    if (ok)
        MessageBox::information(parent, u"Il Backup è stato eseguito correttamente."_s);
    else
        MessageBox::error(parent, u"Impossibile scrivere nella posizione indicata!"_s, u"Errore di scrittura"_s);
}

void RestoreArchive(QWidget* parent) {
    const QString folder = FolderChooser()(parent, u"\r\nIndicare la posizione della copia di sicurezza."_s);
    if (folder.isEmpty()) return;
    Globali& g = Globals();
    bool ok = false;
    {
        WaitCursor wait;
        ok = RestoreArchiveFile(LocalPath(folder), g.appDir);
        if (ok) g.loadArchive();
    }
    if (!ok) {
        MessageBox::error(parent, u"Impossibile leggere dalla posizione indicata!"_s, u"Errore di scrittura"_s);
        return;
    }
    MessageBox::information(parent, u"Il ripristino del Database è stato eseguito correttamente."_s);
    if (Tdb* viewer = Tdb::instance()) viewer->RefreshViewerToLast();
}

void ImportArchiveFromFile(QWidget* parent) {
    const QString file = FileChooser()(parent, u"Importa archivio da file"_s);
    if (file.isEmpty()) return;
    const std::string path = LocalPath(file);
    const QString name = QFileInfo(file).fileName();
    const long long size = FileSize(path);
    if (size > MaxImportBytes) {
        MessageBox::error(parent, u"Il file %1 è troppo grande per essere un archivio di estrazioni."_s.arg(name));
        return;
    }
    const auto text = size < 0 ? std::nullopt : ReadFileBytes(path, static_cast<std::size_t>(MaxImportBytes));
    if (!text) {
        MessageBox::error(parent, u"Impossibile leggere il file %1."_s.arg(name));
        return;
    }

    QProgressDialog gauge(u"Importazione delle estrazioni in corso..."_s, u"Interrompi"_s, 0, 1, parent);
    gauge.setObjectName(u"gg"_s);
    gauge.setWindowTitle(u"Importa archivio da file"_s);
    gauge.setWindowModality(Qt::ApplicationModal);
    gauge.setMinimumDuration(0);
    gauge.setAutoClose(false);
    gauge.setAutoReset(false);
    // "Interrompi" asks first; the dialog's own handling would stop at once.
    QObject::disconnect(&gauge, SIGNAL(canceled()), &gauge, SLOT(cancel()));
    bool stopAsked = false;
    bool interrupted = false;
    QObject::connect(&gauge, &QProgressDialog::canceled, &gauge, [&stopAsked] { stopAsked = true; });
    gauge.show();
    QCoreApplication::processEvents();

    const ImportProgress progress = [&](int done, int total) {
        gauge.setMaximum(total > 0 ? total : 1);
        gauge.setValue(done);
        QCoreApplication::processEvents();
        if (stopAsked) {
            stopAsked = false;
            if (MessageBox::question(&gauge, u"Sei sicuro di voler interrompere l'elaborazione?"_s) == MsgAnswer::Yes) {
                interrupted = true;
                return false;
            }
        }
        return true;
    };
    Globali& g = Globals();
    const ImportResult r = ImportOperatorText(*text, g.archive, progress);
    gauge.close();
    if (!r.ok) {
        if (interrupted)
            MessageBox::information(parent, QString::fromStdString(r.error));
        else
            MessageBox::error(parent, QString::fromStdString(r.error));
        return;
    }
    if (!g.saveArchive()) {
        // The draws are in use for this session; the user can try again after freeing the disk.
        MessageBox::error(parent,
                          u"Impossibile scrivere il file %1."_s.arg(QString::fromStdString(g.path(ArchiveFileName))),
                          u"Errore di scrittura"_s);
    }
    MessageBox::information(parent, u"Nº di nuove estrazioni: %1"_s.arg(r.newDraws));
    if (Tdb* viewer = Tdb::instance()) viewer->RefreshViewerToLast();
}

} // namespace numora
