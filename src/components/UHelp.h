#pragma once

#include <QString>
#include <QTextBrowser>
#include <QUrl>
#include <QWidget>

class QHelpContentWidget;
class QHelpEngine;
class QHelpIndexWidget;
class QHelpSearchQueryWidget;
class QHelpSearchResultWidget;
class QLineEdit;
class QModelIndex;
class QTabWidget;

namespace numora {

// The page of the help: reads the pages and pictures from the engine; links between topics stay in
// the window, links to the internet open in the browser.
class THelpBrowser : public QTextBrowser {
public:
    THelpBrowser(QHelpEngine* engine, QWidget* parent);
    QVariant loadResource(int type, const QUrl& name) override;

private:
    void linkClicked(const QUrl& url);
    QHelpEngine* engine_;
};

// The help window over the compressed help "Numora.qch": the contents, the index with its search
// field and the full-text search on the left, the page on the right.
class THelp : public QWidget {
    Q_OBJECT
public:
    // The engine is ready (its documentation registered); the window takes it over.
    explicit THelp(QHelpEngine* engine, QWidget* parent = nullptr);

    // False when the help has no topic with that context number.
    bool showContext(int context);
    void showContents();
    // The index, filtered by keyword; an empty keyword lists every entry and waits for the user's words.
    void showIndex(const QString& keyword);
    // Context of the page shown, 0 when none.
    int currentContext() const;
    QHelpEngine* engine() const { return engine_; }

    QTabWidget* schede;
    QHelpContentWidget* sommario;
    QLineEdit* cerca;
    QHelpIndexWidget* indice;
    QHelpSearchQueryWidget* ricerca;
    QHelpSearchResultWidget* risultati;
    THelpBrowser* testo;

private:
    void showPage(const QUrl& url);
    void cercaChange();
    void sommarioClick(const QModelIndex& index);
    void selectInContents(const QUrl& page);

    QHelpEngine* engine_;
};

// The folder holding the compressed help: the one set by SetHelpFile, else "help/Numora.qch" in the
// program's folder.
QString HelpFilePath();
void SetHelpFile(const QString& path);
// Where the help keeps its collection and search index: a folder the user can write to, since the
// program's folder may not be. Tests point it elsewhere.
QString HelpCacheFolder();
void SetHelpCacheFolder(const QString& folder);

// Opens the help at a context number, as the "Manuale" buttons do; an unknown context opens the
// contents. A help file that cannot be read is reported with an error message.
void ShowHelpContext(int context, QWidget* parent = nullptr);
// "Sommario": the contents, beside the index and the search.
void ShowHelpContents(QWidget* parent = nullptr);
// "Cerca argomento": the index by keyword; an empty keyword lists every entry.
void ShowHelpSearch(const QString& keyword = QString(), QWidget* parent = nullptr);
// The open help window, or nullptr.
THelp* CurrentHelpWindow();

} // namespace numora
