#pragma once

#include "components/UArchiveSave.h"

#include <QString>

#include <functional>

class QWidget;

namespace numora {

// The archive commands of the main window's menu "Archivio storico" and toolbar. Each one
// works on the shared archive, saves it after a change and moves the viewer (Tdb::instance()).
// With an empty archive the commands that need a shown draw say so and change nothing.

// Brings up the archive viewer (the menu's "Visualizza", and the menu rows that show it first).
void ShowViewer();

void NewDraw(QWidget* parent);         // "Aggiorna manualmente", SpeedButton2
void EditShownDraw(QWidget* parent);   // "Modifica estrazione", SpeedButton4
void DeleteShownDraw(QWidget* parent); // "Elimina estrazione", SpeedButton3
void DeleteDrawRange(QWidget* parent); // "Elimina intervallo di estrazioni", SpeedButton5
void BackupArchive(QWidget* parent);   // "Crea copia di sicurezza"
void RestoreArchive(QWidget* parent);  // "Ripristina da copia di sicurezza"
// "Importa archivio da file…": merges the operator's text file, as numora-cli import does.
void ImportArchiveFromFile(QWidget* parent);

// Asks the user for a folder or a file; an empty result means the user cancelled. The title
// is the program's text as written, leading line breaks included. Tests set their own; an
// empty function puts the system dialog back.
using PathChooser = std::function<QString(QWidget* parent, const QString& title)>;
void SetFolderChooser(PathChooser chooser);
void SetImportFileChooser(PathChooser chooser);

} // namespace numora
