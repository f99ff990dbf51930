#include "components/UTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <clocale>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

// Qt 6 asks the file icon provider for "Folder", "File" and "Unknown" under a context that the
// Italian catalogue of this Qt still files under the file dialog.
class RenamedContexts : public QTranslator {
public:
    RenamedContexts(const QTranslator* base, QObject* parent) : QTranslator(parent), base_(base) {}
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char* disambiguation, int n) const override {
        if (qstrcmp(context, "QAbstractFileIconProvider") == 0 || qstrcmp(context, "QFileIconProvider") == 0)
            return base_->translate("QFileDialog", source, disambiguation, n);
        return {};
    }

private:
    const QTranslator* base_;
};

} // namespace

bool LoadItalianTranslations(QCoreApplication& app) {
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    // Parented to the application, so each lives exactly as long as the texts it provides.
    auto* base = new QTranslator(&app);
    if (!base->load(u"qtbase_it"_s, folder) || !QCoreApplication::installTranslator(base)) {
        delete base;
        return false;
    }
    QCoreApplication::installTranslator(new RenamedContexts(base, &app));
    // The help viewer's own texts, when Qt's help catalogue is installed.
    auto* help = new QTranslator(&app);
    if (!help->load(u"qt_help_it"_s, folder) || !QCoreApplication::installTranslator(help)) delete help;
    return true;
}

void PrepareItalianLocale() {
    // Read from the environment, not from QLocale::system(), which would keep what it saw first.
    QByteArray current = qgetenv("LC_ALL");
    if (current.isEmpty()) current = qgetenv("LANG");
    if (!current.startsWith("it")) qputenv("LC_ALL", "it_IT.UTF-8");
}

void RestoreNumericLocale() {
    std::setlocale(LC_NUMERIC, "C");
}

} // namespace numora
