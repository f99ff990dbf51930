#include "archive/UArchiveCommands.h"

#include "archive/ArchiveMaintenance.h"
#include "archive/UModEstra.h"
#include "archive/UNuovaEstra.h"
#include "archive/Udb.h"
#include "archive/Ueliest.h"
#include "components/UArchiveSave.h"
#include "components/UMessageBox.h"
#include "components/UProgressPanel.h"
#include "components/UTiledPanel.h"
#include "core/FileIo.h"
#include "core/Globali.h"
#include "core/OperatorImport.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPushButton>

#include <exception>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

QString StripLeadingBreaks(QString title) {
    while (title.startsWith(u'\r') || title.startsWith(u'\n')) title.remove(0, 1);
    return title;
}

QString SystemFolderChooser(QWidget* parent, const QString& title) {
    // A window title cannot show the line break the text starts with.
    return ChooseFolder(parent, StripLeadingBreaks(title), QString::fromStdString(Globals().appDir));
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

// The import once the file is chosen: read line by line, merged on a copy, saved only when
// something changed.
void ImportFile(QWidget* parent, const QString& file) {
    const std::string path = LocalPath(file);
    const QString name = QFileInfo(file).fileName();
    const OperatorText parsed = ReadOperatorFile(path);
    if (parsed.cannotRead) {
        MessageBox::error(parent, u"Impossibile leggere il file %1."_s.arg(name));
        return;
    }

    TProgressWindow gauge(u"Importa archivio da file"_s, u"Importazione delle estrazioni in corso..."_s, parent);
    gauge.begin();
    const ImportProgress progress = [&gauge](int done, int total) {
        return gauge.AntiPan3->report(
            {static_cast<std::uint64_t>(done < 0 ? 0 : done), static_cast<std::uint64_t>(total < 0 ? 0 : total), 0});
    };
    Globali& g = Globals();
    const ImportResult r = MergeOperatorDraws(parsed, g.archive, progress);
    const bool interrupted = gauge.AntiPan3->interrupted();
    gauge.end();
    if (!r.ok) {
        if (interrupted)
            MessageBox::information(parent, QString::fromStdString(r.error));
        else
            MessageBox::error(parent, QString::fromStdString(r.error));
        return;
    }
    if (r.changed() && !SaveArchiveOrSayWhy(parent)) return;
    MessageBox::information(parent, QString::fromStdString(ImportReportText(r)));
    if (Tdb* viewer = Tdb::instance()) viewer->RefreshViewerToLast();
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
    static_cast<void>(SaveArchiveOrSayWhy(parent));
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
        MessageBox::error(parent, QString::fromStdString(BackupFailureMessage(Globals().appDir)),
                          u"Errore di scrittura"_s);
}

void RestoreArchive(QWidget* parent) {
    const QString folder = FolderChooser()(parent, u"\r\nIndicare la posizione della copia di sicurezza."_s);
    if (folder.isEmpty()) return;
    Globali& g = Globals();
    // The file that could not be read may still hold the user's draws: it is not replaced.
    if (g.archiveUnreadable()) {
        MessageBox::error(parent, QString::fromUtf8(UnreadableArchiveMessage));
        return;
    }
    bool copied = false;
    bool loaded = false;
    {
        WaitCursor wait;
        copied = RestoreArchiveFile(LocalPath(folder), g.appDir);
        loaded = copied && g.loadArchive() && !g.lastLoad.unreadable;
    }
    if (!loaded) {
        MessageBox::error(parent, u"Impossibile leggere dalla posizione indicata!"_s, u"Errore di scrittura"_s);
        if (Tdb* viewer = Tdb::instance(); viewer && copied) viewer->RefreshViewerToLast();
        return;
    }
    MessageBox::information(parent, u"Il ripristino del Database è stato eseguito correttamente."_s);
    // As at start: the draws beyond the capacity are named, and where the whole file is.
    if (g.lastLoad.truncated) MessageBox::warning(parent, QString::fromStdString(OversizedArchiveMessage(g.lastLoad)));
    if (Tdb* viewer = Tdb::instance()) viewer->RefreshViewerToLast();
}

void ImportArchiveFromFile(QWidget* parent) {
    const QString file = FileChooser()(parent, u"Importa archivio da file"_s);
    if (file.isEmpty()) return;
    Globali& g = Globals();
    if (g.archiveUnreadable()) {
        MessageBox::error(parent, QString::fromUtf8(UnreadableArchiveMessage));
        return;
    }
    try {
        ImportFile(parent, file);
    } catch (const std::exception& e) {
        // Whatever failed (memory included), the archive and its file are as they were.
        MessageBox::error(parent, u"Importazione non riuscita: %1.\r\nL'archivio non è stato modificato."_s.arg(
                                      QString::fromUtf8(e.what())));
    }
}

} // namespace numora
