#include "archive/ArchiveMaintenance.h"

#include "core/FileIo.h"

namespace numora {

int ReplaceDraw(DrawArchive& archive, int index, const DrawRecord& record) {
    // InsertDraw checks the last draw's date as well as the new one, so a date that passes
    // alone can still be refused once the old draw has gone; only the copy sees that.
    DrawArchive work = archive;
    DeleteDraw(work, index);
    const int j = InsertDraw(work, record);
    archive = work;
    return j;
}

void DeleteDrawRange(DrawArchive& archive, int first, int last) {
    if (first < 1) first = 1;
    if (last > archive.count()) last = archive.count();
    for (int i = last; i >= first; --i) DeleteDraw(archive, i);
}

std::string DrawReference(int index, const DrawRecord& draw) {
    return "nº " + std::to_string(index) + " del " + DateText(draw);
}

std::string DeleteDrawQuestion(int index, const DrawRecord& draw) {
    return "Eliminare l'estrazione " + DrawReference(index, draw) + " ?";
}

std::string ReplaceOtherDrawQuestion(int index, const DrawRecord& draw) {
    return "L'estrazione " + DrawReference(index, draw) + " ha la stessa data: sostituirla con quella modificata ?";
}

std::string DeleteRangeQuestion(int first, int last) {
    return "Eliminare le estrazioni dalla nº " + std::to_string(first) + " alla nº " + std::to_string(last) + " ?";
}

bool BackupArchiveFile(const std::string& appDir, const std::string& folder) {
    if (folder.empty()) return false;
    return CopyFileOver(appDir + ArchiveFileName, WithTrailingSeparator(folder) + ArchiveFileName);
}

std::string BackupFailureMessage(const std::string& appDir) {
    const std::string archive = appDir + ArchiveFileName;
    if (!PathExists(archive))
        return "Non c'è ancora un archivio da copiare: il file Numora.dtb non esiste.\r\nLa copia di sicurezza non è "
               "stata creata.";
    if (!ReadFileBytes(archive, 1))
        return "Impossibile leggere il file Numora.dtb: la copia di sicurezza non è stata creata.";
    return "Impossibile scrivere nella posizione indicata!";
}

bool RestoreArchiveFile(const std::string& folder, const std::string& appDir) {
    if (folder.empty()) return false;
    const std::string from = WithTrailingSeparator(folder) + ArchiveFileName;
    return FileExists(from) && CopyFileOver(from, appDir + ArchiveFileName);
}

} // namespace numora
