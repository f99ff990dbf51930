#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace numora {

// One page of the help: the part of the file from a heading <h2><a name="ctxN"></a>Title</h2>
// up to the next such heading.
struct HelpTopic {
    int context = 0;
    QString title;
    QString html;
    QString plainText;
    // The index entries of the topic, from a comment <!-- indice: entry; entry --> in its text.
    QStringList keywords;
};

// The program's help, an HTML file of topics addressed by context number, as the windows'
// "Manuale" buttons know them.
class HelpFile {
public:
    // False with a message for the user when the file is missing, unreadable, too large or holds no topic.
    bool load(const QString& path, QString& message);
    // Returns false when the text holds no topic.
    bool parse(const QString& html);

    const QList<HelpTopic>& topics() const { return topics_; }
    const HelpTopic* topic(int context) const;
    // The <style> element of the file, to keep the look when a topic is shown alone.
    const QString& style() const { return style_; }
    // The complete page of one topic, ready for a browser.
    QString page(const HelpTopic& topic) const;

    static constexpr qint64 MaxFileSize = 8 * 1024 * 1024;

private:
    QList<HelpTopic> topics_;
    QString style_;
};

} // namespace numora
