#pragma once

class QWidget;

namespace numora {

// Saves the shared archive. When the save is refused or fails, says why (caption "Errore di
// scrittura"), puts back in memory what the file holds and moves the viewer accordingly, so the
// windows never show draws the file does not have. Every window that changes the archive saves
// through here.
[[nodiscard]] bool SaveArchiveOrSayWhy(QWidget* parent);

} // namespace numora
