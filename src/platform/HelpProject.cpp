#include "platform/HelpProject.h"

#include <QDir>
#include <QRegularExpression>
#include <QSaveFile>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

QString Attribute(const QString& text) {
    return text.toHtmlEscaped();
}

QString PagePath(int context) {
    return QString::fromUtf8(HelpPagesFolder) + u'/' + HelpPageName(context);
}

bool WriteText(const QString& path, const QString& text, QString& message) {
    QSaveFile out(path);
    if (out.open(QIODevice::WriteOnly)) {
        out.write(text.toUtf8());
        if (out.commit()) return true;
    }
    message = u"Impossibile scrivere il file \"%1\": %2"_s.arg(path, out.errorString());
    return false;
}

} // namespace

QString HelpPageName(int context) {
    return u"ctx%1.html"_s.arg(context);
}

int HelpPageContext(const QString& pageOrUrl) {
    static const QRegularExpression page(u"(?:^|/)ctx([0-9]{1,6})\\.html(?:#.*)?$"_s);
    const QRegularExpressionMatch m = page.match(pageOrUrl);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

QString HelpTopicPage(const HelpFile& file, const HelpTopic& topic) {
    static const QRegularExpression link(u"href\\s*=\\s*\"#ctx([0-9]{1,6})\""_s,
                                         QRegularExpression::CaseInsensitiveOption);
    QString body = topic.html;
    body.replace(link, u"href=\"ctx\\1.html\""_s);
    return u"<!DOCTYPE html>\n<html lang=\"it\"><head><meta charset=\"utf-8\"><title>"_s + topic.title.toHtmlEscaped() +
           u"</title>"_s + file.style() + u"</head><body>\n"_s + body + u"\n</body></html>\n"_s;
}

QString HelpProjectXml(const HelpFile& file) {
    QString toc, keywords, files;
    for (const HelpTopic& t : file.topics()) {
        const QString ref = Attribute(PagePath(t.context));
        toc += u"      <section title=\"%1\" ref=\"%2\"/>\n"_s.arg(Attribute(t.title), ref);
        keywords +=
            u"      <keyword name=\"%1\" id=\"ctx%2\" ref=\"%3\"/>\n"_s.arg(Attribute(t.title)).arg(t.context).arg(ref);
        for (const QString& k : t.keywords)
            keywords += u"      <keyword name=\"%1\" ref=\"%2\"/>\n"_s.arg(Attribute(k), ref);
        files += u"      <file>%1</file>\n"_s.arg(ref);
    }
    const HelpTopic& first = file.topics().front();
    return u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<QtHelpProject version=\"1.0\">\n"_s
           u"  <namespace>%1</namespace>\n  <virtualFolder>%2</virtualFolder>\n  <filterSection>\n"_s
           u"    <toc>\n    <section title=\"Guida di Numora\" ref=\"%3\">\n%4    </section>\n    </toc>\n"_s
           u"    <keywords>\n%5    </keywords>\n    <files>\n%6    </files>\n  </filterSection>\n</QtHelpProject>\n"_s
               .arg(QString::fromUtf8(HelpNamespace), QString::fromUtf8(HelpVirtualFolder),
                    Attribute(PagePath(first.context)), toc, keywords, files);
}

bool WriteHelpProject(const HelpFile& file, const QString& dir, QString& message) {
    if (file.topics().isEmpty()) {
        message = u"La guida non contiene argomenti."_s;
        return false;
    }
    const QString pages = dir + u'/' + QString::fromUtf8(HelpPagesFolder);
    if (!QDir().mkpath(pages)) {
        message = u"Impossibile creare la cartella \"%1\"."_s.arg(pages);
        return false;
    }
    for (const HelpTopic& t : file.topics())
        if (!WriteText(pages + u'/' + HelpPageName(t.context), HelpTopicPage(file, t), message)) return false;
    return WriteText(dir + u"/Numora.qhp"_s, HelpProjectXml(file), message);
}

} // namespace numora
