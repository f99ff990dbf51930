#pragma once

class QCoreApplication;

namespace numora {

// Installs Qt's own Italian texts (qtbase_it.qm from Qt's translations folder) so that the
// standard dialogs (file, print, colour) speak the program's language. Call once, after the
// application object exists. False when the translation file is missing or unreadable; the
// program then runs with Qt's English texts in those dialogs.
bool LoadItalianTranslations(QCoreApplication& app);

} // namespace numora
