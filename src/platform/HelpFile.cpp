#include "platform/HelpFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

QString PlainText(QString html) {
    static const QRegularExpression tags(u"<[^>]*>"_s);
    static const QRegularExpression blanks(u"\\s+"_s);
    html.replace(tags, u" "_s);
    html.replace(u"&nbsp;"_s, u" "_s);
    html.replace(u"&lt;"_s, u"<"_s);
    html.replace(u"&gt;"_s, u">"_s);
    html.replace(u"&quot;"_s, u"\""_s);
    html.replace(u"&amp;"_s, u"&"_s);
    return html.replace(blanks, u" "_s).trimmed();
}

} // namespace

bool HelpFile::load(const QString& path, QString& message) {
    QFile file(path);
    if (!file.exists()) {
        message = u"Il file della guida \"%1\" non è stato trovato."_s.arg(path);
        return false;
    }
    if (QFileInfo(path).size() > MaxFileSize) {
        message = u"Il file della guida \"%1\" è troppo grande per essere aperto."_s.arg(path);
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        message = u"Impossibile leggere il file della guida \"%1\"."_s.arg(path);
        return false;
    }
    if (!parse(QString::fromUtf8(file.readAll()))) {
        message = u"Il file della guida \"%1\" non contiene argomenti validi."_s.arg(path);
        return false;
    }
    return true;
}

bool HelpFile::parse(const QString& html) {
    static const QRegularExpression heading(
        u"<h2[^>]*>\\s*<a\\s+name\\s*=\\s*\"ctx([0-9]{1,6})\"\\s*>\\s*</a>(.*?)</h2>"_s,
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression styleElement(u"<style[^>]*>.*?</style>"_s,
                                                 QRegularExpression::CaseInsensitiveOption |
                                                     QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression bodyEnd(u"</body>"_s, QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression indexComment(u"<!--\\s*indice:(.*?)-->"_s,
                                                 QRegularExpression::CaseInsensitiveOption |
                                                     QRegularExpression::DotMatchesEverythingOption);

    topics_.clear();
    const QRegularExpressionMatch s = styleElement.match(html);
    style_ = s.hasMatch() ? s.captured(0) : QString();

    qsizetype end = html.size();
    const QRegularExpressionMatch b = bodyEnd.match(html);
    if (b.hasMatch()) end = b.capturedStart();

    QList<QRegularExpressionMatch> headings;
    for (auto it = heading.globalMatch(html); it.hasNext();) headings.append(it.next());
    for (qsizetype i = 0; i < headings.size(); ++i) {
        const QRegularExpressionMatch& m = headings[i];
        const qsizetype from = m.capturedStart();
        qsizetype to = i + 1 < headings.size() ? headings[i + 1].capturedStart() : end;
        if (to < from) to = html.size();
        HelpTopic t;
        t.context = m.captured(1).toInt();
        t.title = PlainText(m.captured(2));
        t.html = html.mid(from, to - from);
        t.plainText = PlainText(t.html);
        for (auto k = indexComment.globalMatch(t.html); k.hasNext();)
            for (const QString& entry : k.next().captured(1).split(u';'))
                if (const QString e = entry.simplified(); !e.isEmpty() && !t.keywords.contains(e)) t.keywords.append(e);
        if (topic(t.context) == nullptr) topics_.append(t); // a repeated context keeps its first page
    }
    return !topics_.isEmpty();
}

const HelpTopic* HelpFile::topic(int context) const {
    for (const HelpTopic& t : topics_)
        if (t.context == context) return &t;
    return nullptr;
}

QString HelpFile::page(const HelpTopic& t) const {
    return u"<html><head><meta charset=\"utf-8\">"_s + style_ + u"</head><body>"_s + t.html + u"</body></html>"_s;
}

} // namespace numora
