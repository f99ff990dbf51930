#pragma once

class QWidget;

namespace numora {
class DrawArchive;
}

namespace numora {

// Saves the shared archive. When the save is refused or fails, says why (caption "Errore di
// scrittura"), puts back in memory what the file holds and moves the viewer accordingly, so the
// windows never show draws the file does not have. Every window that changes the archive saves
// through here.
[[nodiscard]] bool SaveArchiveOrSayWhy(QWidget* parent);
// The same for an archive that replaces the shared one only once it is safely on disk (the
// update's merge): a failure says why in the same words and leaves memory as it was.
[[nodiscard]] bool SaveArchiveOrSayWhy(QWidget* parent, DrawArchive candidate);

} // namespace numora
