#include "platform/OpenDocument.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

UrlHandler& Handler() {
    static UrlHandler handler;
    return handler;
}

// Kinds of file that the desktop shows rather than runs. Anything else (programs, scripts,
// shortcuts, launchers, installers, archives that open themselves) is refused.
bool IsDocumentSuffix(const QString& suffix) {
    static const QStringList documents = {
        u"pdf"_s, u"rtf"_s, u"txt"_s, u"htm"_s,  u"html"_s, u"doc"_s, u"docx"_s,
        u"odt"_s, u"png"_s, u"jpg"_s, u"jpeg"_s, u"gif"_s,  u"bmp"_s,
    };
    return documents.contains(suffix.toLower());
}

QUrl Refuse(OpenOutcome outcome, OpenOutcome* why) {
    if (why) *why = outcome;
    return QUrl();
}

} // namespace

void SetUrlHandler(UrlHandler handler) {
    Handler() = std::move(handler);
}

QUrl DocumentUrl(const QString& target, const QString& folder, OpenOutcome* why) {
    const QString t = target.trimmed();
    if (t.isEmpty()) return Refuse(OpenOutcome::NotAllowed, why);
    const QUrl url(t, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (scheme == u"http"_s || scheme == u"https"_s) {
        if (!url.isValid() || url.host().isEmpty()) return Refuse(OpenOutcome::NotAllowed, why);
        if (why) *why = OpenOutcome::Opened;
        return url;
    }
    // Any other scheme (file:, mailto:, smb:, javascript:, a launcher's own) is refused; a
    // one-letter one is a Windows drive ("C:\\...") and goes on as a path.
    if (url.isValid() && scheme.size() > 1) return Refuse(OpenOutcome::NotAllowed, why);

    QFileInfo info(t);
    if (info.isRelative()) info.setFile(QDir(folder), t);
    if (!IsDocumentSuffix(info.suffix())) return Refuse(OpenOutcome::NotAllowed, why);
    if (!info.exists()) return Refuse(OpenOutcome::NotFound, why);
    // A document marked as a program is treated as a program.
    if (!info.isFile() || info.isExecutable()) return Refuse(OpenOutcome::NotAllowed, why);
    if (why) *why = OpenOutcome::Opened;
    return QUrl::fromLocalFile(info.canonicalFilePath());
}

OpenOutcome OpenDocument(const QString& target, const QString& /*parameters*/, const QString& folder) {
    OpenOutcome why = OpenOutcome::NotAllowed;
    const QUrl url = DocumentUrl(target, folder, &why);
    if (url.isEmpty()) return why;
    const bool opened = Handler() ? Handler()(url) : QDesktopServices::openUrl(url);
    return opened ? OpenOutcome::Opened : OpenOutcome::Failed;
}

} // namespace numora
