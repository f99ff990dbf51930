#include "archive/Uaggio.h"

#include "archive/DrawUpdateFile.h"
#include "archive/DrawUpdateReply.h"
#include "archive/UAvviso.h"
#include "archive/Uperrtf.h"
#include "components/UArchiveSave.h"
#include "components/UHint.h"
#include "components/UMessageBox.h"
#include "core/FileIo.h"
#include "core/Globali.h"
#include "platform/OpenDocument.h"
#include "platform/QtText.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include <utility>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

const QString FailureLines[] = {
    u"ERRORE: impossibile aggiornare l'archivio storico!"_s,
    u"Assicurarsi che la connessione ad internet sia attiva."_s,
    u"Assicurarsi che nel sistema non siano attivi Firewall che"_s,
    u"impediscano a Numora di collegarsi ad internet."_s,
    u"Se si utilizza un server proxy verificare le impostazioni"_s,
    u"della scheda "_s + QChar(u'"') + u"Opzioni generali"_s + QChar(u'"') + u" > "_s + QChar(u'"') +
        u"Connessione ad internet"_s + QChar(u'"') + u"."_s,
};

std::string_view View(const QByteArray& b) {
    return {b.constData(), static_cast<std::size_t>(b.size())};
}

const QString CloseText = u"Chiudi"_s;
const QString CloseHint = u"Chiude la scheda"_s;
const QString CancelText = u"Annulla"_s;
const QString CancelHint = u"Interrompe la richiesta in corso"_s;

} // namespace

TAggio::TAggio(QWidget* parent) : QDialog(parent) {
    setObjectName(u"aggio"_s);
    setWindowTitle(u"Aggiornamento diretto da Internet"_s);
    setModal(true);

    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setObjectName(u"SpeedButton1"_s);
    SpeedButton1->setText(u"Aggiorna"_s);
    SpeedButton1->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    SetHint(SpeedButton1, u"Avvia l'aggiornamento"_s);
    SpeedButton2 = new QToolButton(this);
    SpeedButton2->setObjectName(u"SpeedButton2"_s);
    SpeedButton2->setText(CloseText);
    SpeedButton2->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    SetHint(SpeedButton2, CloseHint);
    for (QToolButton* b : {SpeedButton1, SpeedButton2}) {
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        b->setAutoRaise(true);
        b->setMinimumWidth(90);
    }

    mm1 = new QPlainTextEdit(this);
    mm1->setObjectName(u"mm1"_s);
    mm1->setReadOnly(true);
    mm1->setLineWrapMode(QPlainTextEdit::NoWrap);

    Label3 = new QLabel(u"Numora "_s + QString::fromUtf8(HomePageAddress), this);
    Label3->setObjectName(u"Label3"_s);
    Label3->setCursor(Qt::PointingHandCursor);
    Label3->setStyleSheet(u"color: #0000c0; text-decoration: underline;"_s);
    Label3->installEventFilter(this);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(2);
    buttons->addWidget(SpeedButton1);
    buttons->addWidget(SpeedButton2);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 6);
    layout->setSpacing(4);
    layout->addLayout(buttons);
    layout->addWidget(mm1, 1);
    layout->addWidget(Label3);
    setFixedSize(430, 300);

    connect(SpeedButton1, &QToolButton::clicked, this, &TAggio::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TAggio::SpeedButton2Click);
}

TAggio::~TAggio() {
    if (cursorSet_) QApplication::restoreOverrideCursor();
    removeWorkFiles();
}

void TAggio::addLine(const QString& line) {
    mm1->appendPlainText(line);
}

void TAggio::showPending(const QUrl& address) {
    // The line goes once the server has answered; until then it says who is being waited for.
    beforePending_ = mm1->toPlainText();
    addLine(u"Connessione a "_s + address.host() + u" in corso..."_s);
    mm1->repaint();
}

void TAggio::endPending() {
    mm1->setPlainText(beforePending_);
    mm1->moveCursor(QTextCursor::End);
}

void TAggio::begin() {
    busy_ = true;
    lastError_.clear();
    SpeedButton1->setEnabled(false);
    // While a request runs the second button stops it; a server that never answers must not
    // keep the user waiting for the time-out.
    SpeedButton2->setText(CancelText);
    SetHint(SpeedButton2, CancelHint);
    SpeedButton2->setEnabled(true);
    mm1->clear();
    if (!cursorSet_) QApplication::setOverrideCursor(Qt::WaitCursor);
    cursorSet_ = true;
}

void TAggio::end() {
    SpeedButton1->setEnabled(true);
    SpeedButton2->setText(CloseText);
    SetHint(SpeedButton2, CloseHint);
    SpeedButton2->setEnabled(true);
    if (cursorSet_) QApplication::restoreOverrideCursor();
    cursorSet_ = false;
    busy_ = false;
}

void TAggio::fail(const QString& reason) {
    lastError_ = reason;
    for (const QString& line : FailureLines) addLine(line);
    addLine(u"Motivo: "_s + reason);
    end();
}

namespace {

// True when the target names a file an update writes (the downloaded file, its message): a reply
// must not make the desktop open what a server put on the disk.
bool WrittenByTheUpdate(const QString& target) {
    const Globali& g = Globals();
    QString local = target.trimmed();
    const QUrl url(local);
    if (url.isLocalFile())
        local = url.toLocalFile();
    else if (url.scheme().size() > 1) // a web address; "C:" is a drive
        return false;
    const QDir folder(Q(g.appDir));
    auto where = [](const QFileInfo& f) {
        const QString canonical = f.canonicalFilePath();
        return canonical.isEmpty() ? QDir::cleanPath(f.absoluteFilePath()) : canonical;
    };
    const QString path = where(QFileInfo(folder, local));
#ifdef Q_OS_WIN
    const Qt::CaseSensitivity cs = Qt::CaseInsensitive;
#else
    const Qt::CaseSensitivity cs = Qt::CaseSensitive;
#endif
    for (const char* name : {UpdateFileName, UpdateMessageFileName})
        if (path.compare(where(QFileInfo(Q(g.path(name)))), cs) == 0) return true;
    return false;
}

} // namespace

void TAggio::openTarget(const QString& target, const QString& parameters) {
    // The name comes from the server: a box shows no more of it than fits a line or two.
    const QString shortName = target.size() > 160 ? target.left(160) + u"…"_s : target;
    if (WrittenByTheUpdate(target)) {
        MessageBox::warning(this,
                            u"Il server di aggiornamento chiede di aprire \"%1\", un file scritto dall'aggiornamento "
                            u"stesso: non è stato aperto."_s.arg(shortName),
                            u"Attenzione"_s);
        return;
    }
    if (opener_) {
        opener_(target, parameters);
        return;
    }
    const QString& name = shortName;
    switch (OpenDocument(target, parameters, Q(Globals().appDir))) {
    case OpenOutcome::Opened:
        return;
    case OpenOutcome::NotAllowed:
        MessageBox::warning(this,
                            u"Il server di aggiornamento chiede di aprire \"%1\", che non è un indirizzo web né "
                            u"un documento: non è stato aperto."_s.arg(name),
                            u"Attenzione"_s);
        return;
    case OpenOutcome::NotFound:
        MessageBox::warning(this, u"Il documento \"%1\" indicato dal server non esiste."_s.arg(name), u"Attenzione"_s);
        return;
    case OpenOutcome::Failed:
        MessageBox::warning(this, u"Impossibile aprire \"%1\"."_s.arg(name), u"Attenzione"_s);
        return;
    }
}

void TAggio::SpeedButton1Click() {
    if (busy_) return;
    Globali& g = Globals();
    begin();

    http_.setProxy(Q(g.settings.proxyServer).trimmed(), ProxyPortNumber(g.settings.proxyPorta));
    // The reply is a short address or notice; a longer one is not from a sound server.
    const QUrl queryUrl(Q(UpdateQueryAddress(UpdateServerBase(g.settings.updateServer), g.installationId)),
                        QUrl::StrictMode);
    showPending(queryUrl);
    const HttpResult query = http_.get(queryUrl, static_cast<qint64>(MaxUpdateFileSize));
    endPending();
    if (!query.ok) return fail(query.error);
    addLine(u"Connessione riuscita"_s);

    const UpdateReply reply = ClassifyUpdateReply(ReplyTextFromBytes(View(query.body)));
    if (reply.kind != UpdateReplyKind::FilePrefix) {
        // Nothing is pending any more: the notice is shown with the dialog at rest.
        SpeedButton2->setEnabled(false);
        if (reply.kind == UpdateReplyKind::Other) {
            ShowNotice(this, Q(reply.text));
        } else {
            if (!reply.text.empty()) ShowNotice(this, Q(reply.text));
            if (!reply.target.empty()) openTarget(Q(reply.target), Q(reply.parameters));
        }
        end();
        accept();
        return;
    }

    addLine(u"Avviato aggiornamento archivio storico ..."_s);
    const std::string filePath = g.path(UpdateFileName);
    const std::string messagePath = g.path(UpdateMessageFileName);
    RemoveFile(filePath);
    // A message left by an earlier run must not be taken for this file's.
    RemoveFile(messagePath);

    const QUrl fileUrl(Q(reply.prefix) + QString::fromUtf8(UpdateFileName));
    showPending(fileUrl);
    const HttpResult download = http_.get(fileUrl, static_cast<qint64>(MaxUpdateFileSize));
    endPending();
    if (!download.ok) return fail(download.error);
    SpeedButton2->setEnabled(false);
    if (!WriteFileAtomically(filePath, View(download.body))) return fail(u"impossibile scrivere "_s + Q(filePath));
    const auto bytes = ReadFileBytes(filePath, MaxUpdateFileSize + 1);
    if (!bytes) return fail(u"impossibile leggere "_s + Q(filePath));
    const UpdateFileContent content = ReadUpdateFile(*bytes);
    if (!content.ok()) return fail(Q(content.reason));

    // The merge works on a copy that replaces the archive only once it is safely on disk.
    DrawArchive work = g.archive;
    const UpdateMergeResult merged = MergeUpdateDraws(content.draws, work);
    if (!merged.ok) return fail(Q(merged.error));
    // An update that changes nothing leaves the file as it is, header bytes included.
    if (merged.changed) {
        // The shared save says why it failed and puts memory back to what the file holds.
        if (!SaveArchiveOrSayWhy(this, std::move(work)))
            return fail(u"impossibile scrivere "_s + Q(g.path(ArchiveFileName)));
    }

    // The message reaches the window only with a file that was merged.
    Tperrtf* messageWindow = nullptr;
    if (content.hasMessage) {
        messageWindow = Tperrtf::instance() ? Tperrtf::instance() : new Tperrtf(this);
        if (!WriteFileAtomically(messagePath, content.message) || !messageWindow->loadRtfFile(Q(messagePath)))
            messageWindow->loadRtf(QByteArray(content.message.data(), static_cast<qsizetype>(content.message.size())));
    }
    addLine(QString());
    addLine(u"Nº di nuove estrazioni: "_s + QString::number(merged.newDraws));
    if (merged.replaced > 0) addLine(u"Nº di estrazioni modificate: "_s + QString::number(merged.replaced));
    if (merged.refused > 0)
        addLine(u"Nº di estrazioni rifiutate (con meno ruote di quelle in archivio): "_s +
                QString::number(merged.refused));
    end();

    if (messageWindow) {
        messageWindow->exec();
        // Shown: it has served, and nothing may take it for a document of the user's later.
        RemoveFile(messagePath);
    }
    // The report is what the player came for: the dialog stays on it until it is closed.
}

void TAggio::SpeedButton2Click() {
    if (http_.busy()) {
        http_.abort();
        return;
    }
    close();
}

void TAggio::Label3Click() {
    openTarget(QString::fromUtf8(HomePageAddress), QString());
}

bool TAggio::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label3 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Label3Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TAggio::done(int result) {
    // While a request runs the dialog stays: the run still needs it when the request returns.
    if (busy_) return;
    removeWorkFiles();
    QDialog::done(result);
}

void TAggio::closeEvent(QCloseEvent* event) {
    if (busy_) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TAggio::removeWorkFiles() {
    const Globali& g = Globals();
    for (const char* name : {UpdateMessageFileName, UpdateFileName, UpdateHeaderFileName}) {
        const std::string path = g.path(name);
        if (FileExists(path)) RemoveFile(path);
    }
}

void RunInternetUpdate(QWidget* parent) {
    TAggio dialog(parent);
    dialog.exec();
}

} // namespace numora
