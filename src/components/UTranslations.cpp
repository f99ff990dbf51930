#include "components/UTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

using namespace Qt::StringLiterals;

namespace numora {

bool LoadItalianTranslations(QCoreApplication& app) {
    // Parented to the application, so it lives exactly as long as the texts it provides.
    auto* translator = new QTranslator(&app);
    if (!translator->load(u"qtbase_it"_s, QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

} // namespace numora
