#include "archive/UModEstra.h"

#include "archive/ArchiveMaintenance.h"
#include "archive/UArchiveCommands.h"
#include "archive/Udb.h"
#include "components/UHint.h"
#include "components/UMessageBox.h"
#include "core/Globali.h"

#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace numora {

TModEstra::TModEstra(int index, QWidget* parent) : TNuovaEstra(parent), index_(index) {
    setObjectName(u"TModEstra"_s);
    setWindowTitle(u"Modifica estrazione"_s);
    const QString hint = u" Rende le modifiche permanenti "_s;
    SetHint(Applica, hint);
    const DrawArchive& a = Globals().archive;
    if (index_ >= 1 && index_ <= a.count()) setEntryText(EntryTextOf(a.draw(index_)));
}

bool TModEstra::store(const DrawRecord& record) {
    Globali& g = Globals();
    // Another draw on the new date would be replaced: only when the user says so.
    const int other = FindDrawByDate(g.archive, record);
    if (other != 0 && other != index_ &&
        MessageBox::question(this, QString::fromStdString(ReplaceOtherDrawQuestion(other, g.archive.draw(other))),
                             MsgButtons::YesNo, MsgAnswer::No) != MsgAnswer::Yes)
        return false;
    int j = 0;
    try {
        j = ReplaceDraw(g.archive, index_, record);
    } catch (const ArchiveError& e) {
        MessageBox::error(this, std::string(e.what()), u"Errore"_s);
        Edit1->setFocus();
        return false;
    }
    if (Tdb* viewer = Tdb::instance()) viewer->RefreshViewerAt(j);
    if (!SaveArchiveOrSayWhy(this)) return false;
    stored_ = j;
    return true;
}

} // namespace numora
