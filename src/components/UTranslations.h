#pragma once

class QCoreApplication;

namespace numora {

// Makes Qt's own dialogs (file, print, page set-up, message boxes) speak Italian: loads every Qt
// catalogue they take texts from, fills in the contexts that newer Qt versions renamed while the
// installed catalogues still carry the old ones, and makes the locale Italian for sizes and dates.
// Call once, after the application object exists. False when Qt's catalogue is missing or
// unreadable; the program then runs with Qt's English texts in those dialogs.
bool LoadItalianTranslations(QCoreApplication& app);

// Before the application object exists: Qt's dialogs read sizes and dates from the system
// locale, which becomes Italian for the process. The C library keeps reading numbers in the
// C locale, as the engine expects.
void PrepareItalianLocale();
// After the application object exists (it sets the C library's locale from the environment).
void RestoreNumericLocale();

} // namespace numora
