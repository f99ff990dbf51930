#include "components/UArchiveSave.h"

#include "components/UCommandTable.h"
#include "components/UMessageBox.h"
#include "core/Globali.h"

#include <utility>

using namespace Qt::StringLiterals;

namespace numora {

bool SaveArchiveOrSayWhy(QWidget* parent) {
    Globali& g = Globals();
    if (g.saveArchive()) return true;
    MessageBox::error(parent, QString::fromStdString(g.lastSaveError), u"Errore di scrittura"_s);
    // Memory goes back to what the file holds (nothing, for a file that cannot be read), so
    // that what the windows show is what the next start will find.
    static_cast<void>(g.loadArchive());
    if (Commands().views.refreshViewerAt) Commands().views.refreshViewerAt(0);
    return false;
}

bool SaveArchiveOrSayWhy(QWidget* parent, DrawArchive candidate) {
    Globali& g = Globals();
    if (g.saveArchive(candidate)) {
        g.archive = std::move(candidate);
        return true;
    }
    MessageBox::error(parent, QString::fromStdString(g.lastSaveError), u"Errore di scrittura"_s);
    return false;
}

} // namespace numora
