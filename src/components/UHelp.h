#pragma once

#include "platform/HelpFile.h"

#include <QWidget>

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTextBrowser;
class QUrl;

namespace numora {

// The help window: the list of topics (filtered by the search field) beside the page shown.
class THelp : public QWidget {
    Q_OBJECT
public:
    explicit THelp(HelpFile file, QWidget* parent = nullptr);

    // False when the file has no topic with that context number.
    bool showContext(int context);
    void showContents();
    void showSearch(const QString& keyword);
    // Context of the page shown, 0 when none.
    int currentContext() const { return current_; }

    QLineEdit* cerca;
    QListWidget* sommario;
    QTextBrowser* testo;

private:
    void cercaChange();
    void sommarioClick(QListWidgetItem* item);
    void testoAnchorClicked(const QUrl& url);
    void fillContents(const QList<int>& contexts);
    void selectInContents(int context);

    HelpFile file_;
    int current_ = 0;
};

// The help file: the one set by SetHelpFile, else "help/Numora.html" in AppDir, else
// "Numora.html" in AppDir.
QString HelpFilePath();
void SetHelpFile(const QString& path);

// Opens the help at a context number, as the "Manuale" buttons do; an unknown context opens the
// contents. A help file that cannot be read is reported with an error message.
void ShowHelpContext(int context, QWidget* parent = nullptr);
void ShowHelpContents(QWidget* parent = nullptr);
// The keyword search; an empty keyword lists every topic and waits for the user's words.
void ShowHelpSearch(const QString& keyword = QString(), QWidget* parent = nullptr);
// The open help window, or nullptr.
THelp* CurrentHelpWindow();

} // namespace numora
