#include "components/UHelp.h"

#include "components/UMessageBox.h"
#include "platform/HelpProject.h"

#include <QApplication>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QHelpSearchEngine>
#include <QHelpSearchQueryWidget>
#include <QHelpSearchResultWidget>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QSplitter>
#include <QStandardPaths>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

QString& ChosenHelpFile() {
    static QString path;
    return path;
}

QString& ChosenCacheFolder() {
    static QString folder;
    return folder;
}

QPointer<THelp>& OpenWindow() {
    static QPointer<THelp> window;
    return window;
}

// The collection is named after the help file it registers, so an installed update of the help
// gets a collection and a search index of its own; the older ones are removed.
QString CollectionFor(const QFileInfo& qch, const QString& folder) {
    const QByteArray identity = (qch.absoluteFilePath() + u'|' + QString::number(qch.size()) + u'|' +
                                 QString::number(qch.lastModified().toMSecsSinceEpoch()))
                                    .toUtf8();
    const QString key =
        QString::fromLatin1(QCryptographicHash::hash(identity, QCryptographicHash::Sha1).toHex().left(12));
    const QString name = u"Numora-"_s + key;
    QDir dir(folder);
    for (const QString& old : dir.entryList({u"Numora-*.qhc"_s}, QDir::Files))
        if (old != name + u".qhc"_s) {
            dir.remove(old);
            QDir(dir.filePath(u"."_s + QFileInfo(old).completeBaseName())).removeRecursively();
        }
    return dir.filePath(name + u".qhc"_s);
}

// The engine over the help file, its documentation registered; nullptr with a message for the user.
QHelpEngine* OpenEngine(QString& message) {
    const QString path = HelpFilePath();
    const QFileInfo qch(path);
    if (!qch.isFile()) {
        message = u"Il file della guida \"%1\" non è stato trovato."_s.arg(path);
        return nullptr;
    }
    const QString ns = QHelpEngineCore::namespaceName(path);
    if (ns.isEmpty()) {
        message = u"Il file della guida \"%1\" non contiene argomenti validi."_s.arg(path);
        return nullptr;
    }
    QString folder = HelpCacheFolder();
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isWritable()) folder = QDir::tempPath();
    auto* engine = new QHelpEngine(CollectionFor(qch, folder));
    engine->setReadOnly(false); // the collection is ours to fill
    bool ok = engine->setupData();
    if (ok && !engine->registeredDocumentations().contains(ns)) ok = engine->registerDocumentation(path);
    if (!ok) {
        message = u"Impossibile aprire la guida \"%1\": %2"_s.arg(path, engine->error());
        delete engine;
        return nullptr;
    }
    return engine;
}

// A modal dialog blocks every window but its own, so the help it opens belongs to it while it is
// open (and stands above it, usable); when the dialog goes, the help is a window of its own again
// where it was.
class HelpOwner : public QObject {
public:
    HelpOwner(THelp* help, QWidget* modal) : QObject(help), help_(help), modal_(modal) {
        modal->installEventFilter(this);
    }

    static void follow(THelp* help) {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == help || help->parentWidget() == modal) return;
        const QRect where = help->geometry();
        const bool placed = help->testAttribute(Qt::WA_Moved);
        help->setParent(modal, Qt::Window);
        if (placed) help->setGeometry(where);
        new HelpOwner(help, modal);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (watched == modal_ && (e->type() == QEvent::Hide || e->type() == QEvent::Destroy)) {
            modal_->removeEventFilter(this);
            THelp* help = help_;
            deleteLater();
            const bool shown = help->isVisible();
            const QRect where = help->geometry();
            help->setParent(nullptr, Qt::Window);
            help->setGeometry(where);
            if (shown) help->show();
        }
        return false;
    }

private:
    THelp* help_;
    QPointer<QWidget> modal_;
};

// The window, created on first use; nullptr (after telling the user) when the help is unusable.
THelp* EnsureWindow(QWidget* parent) {
    QPointer<THelp>& w = OpenWindow();
    if (!w) {
        QString message;
        QHelpEngine* engine = OpenEngine(message);
        if (!engine) {
            MessageBox::error(parent, message);
            return nullptr;
        }
        w = new THelp(engine);
        w->setAttribute(Qt::WA_DeleteOnClose);
    }
    HelpOwner::follow(w);
    w->show();
    w->raise();
    w->activateWindow();
    return w;
}

QUrl ContextUrl(QHelpEngine* engine, int context) {
    const QList<QHelpLink> links = engine->documentsForIdentifier(u"ctx%1"_s.arg(context));
    return links.isEmpty() ? QUrl() : links.front().url;
}

} // namespace

THelpBrowser::THelpBrowser(QHelpEngine* engine, QWidget* parent) : QTextBrowser(parent), engine_(engine) {
    setOpenLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &THelpBrowser::linkClicked);
}

QVariant THelpBrowser::loadResource(int type, const QUrl& name) {
    if (name.scheme() == u"qthelp"_s) return engine_->fileData(name);
    return QTextBrowser::loadResource(type, name);
}

void THelpBrowser::linkClicked(const QUrl& url) {
    const QUrl target = source().resolved(url);
    if (target.scheme() == u"qthelp"_s) {
        if (!engine_->fileData(target).isEmpty()) setSource(target);
    } else if (target.scheme() == u"http"_s || target.scheme() == u"https"_s) {
        QDesktopServices::openUrl(target);
    }
}

THelp::THelp(QHelpEngine* engine, QWidget* parent) : QWidget(parent, Qt::Window), engine_(engine) {
    engine_->setParent(this);
    setObjectName(u"THelp"_s);
    setWindowTitle(u"Guida di Numora"_s);

    schede = new QTabWidget(this);
    schede->setObjectName(u"schede"_s);
    sommario = engine_->contentWidget();
    sommario->setObjectName(u"sommario"_s);
    sommario->setHeaderHidden(true);
    schede->addTab(sommario, u"Sommario"_s);

    auto* indexPage = new QWidget(schede);
    auto* indexLayout = new QVBoxLayout(indexPage);
    auto* cercaLabel = new QLabel(u"Digitare le prime lettere della parola da cercare:"_s, indexPage);
    cercaLabel->setWordWrap(true);
    cerca = new QLineEdit(indexPage);
    cerca->setObjectName(u"cerca"_s);
    cerca->setClearButtonEnabled(true);
    cercaLabel->setBuddy(cerca);
    indice = engine_->indexWidget();
    indice->setObjectName(u"indice"_s);
    indexLayout->addWidget(cercaLabel);
    indexLayout->addWidget(cerca);
    indexLayout->addWidget(indice, 1);
    schede->addTab(indexPage, u"Indice"_s);

    auto* searchPage = new QWidget(schede);
    auto* searchLayout = new QVBoxLayout(searchPage);
    QHelpSearchEngine* search = engine_->searchEngine();
    ricerca = search->queryWidget();
    ricerca->setObjectName(u"ricerca"_s);
    risultati = search->resultWidget();
    risultati->setObjectName(u"risultati"_s);
    searchLayout->addWidget(ricerca);
    searchLayout->addWidget(risultati, 1);
    schede->addTab(searchPage, u"Cerca"_s);

    testo = new THelpBrowser(engine_, this);
    testo->setObjectName(u"testo"_s);

    auto* splitter = new QSplitter(this);
    splitter->addWidget(schede);
    splitter->addWidget(testo);
    splitter->setStretchFactor(1, 1);
    const int leftWidth = fontMetrics().averageCharWidth() * 44;
    resize(leftWidth + 640, 600);
    splitter->setSizes({leftWidth, 640});
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(splitter);

    connect(sommario, &QHelpContentWidget::linkActivated, this, &THelp::showPage);
    connect(sommario, &QAbstractItemView::clicked, this, &THelp::sommarioClick);
    connect(engine_->contentModel(), &QHelpContentModel::contentsCreated, this,
            [this] { selectInContents(testo->source()); });
    // The signal comes before source() has the new address.
    connect(testo, &QTextBrowser::sourceChanged, this, &THelp::selectInContents);
    connect(cerca, &QLineEdit::textChanged, this, &THelp::cercaChange);
    connect(cerca, &QLineEdit::returnPressed, indice, &QHelpIndexWidget::activateCurrentItem);
    connect(indice, &QHelpIndexWidget::documentActivated, this,
            [this](const QHelpLink& link, const QString&) { showPage(link.url); });
    connect(indice, &QHelpIndexWidget::documentsActivated, this, [this](const QList<QHelpLink>& links, const QString&) {
        if (!links.isEmpty()) showPage(links.front().url);
    });
    connect(ricerca, &QHelpSearchQueryWidget::search, this, [this, search] { search->search(ricerca->searchInput()); });
    connect(risultati, &QHelpSearchResultWidget::requestShowLink, this, &THelp::showPage);
    // The full-text index is built in the background the first time, and again after an update.
    search->scheduleIndexDocumentation();
}

void THelp::showPage(const QUrl& url) {
    if (url.isValid() && !engine_->fileData(url).isEmpty()) testo->setSource(url);
}

int THelp::currentContext() const {
    return HelpPageContext(testo->source().path());
}

void THelp::selectInContents(const QUrl& page) {
    sommario->expandToDepth(0); // the topics under the manual's title are in sight
    QModelIndex at = sommario->indexOf(page);
    // The manual's title leads to its first topic: the topic itself is the one to show as current.
    if (at.isValid() && !at.parent().isValid())
        if (const QModelIndex first = sommario->model()->index(0, 0, at); first.isValid())
            if (QHelpContentItem* item = engine_->contentModel()->contentItemAt(first); item && item->url() == page)
                at = first;
    if (at.isValid()) {
        sommario->setCurrentIndex(at);
        sommario->scrollTo(at);
    }
}

bool THelp::showContext(int context) {
    const QUrl url = ContextUrl(engine_, context);
    if (url.isEmpty()) return false;
    showPage(url);
    return currentContext() == context;
}

void THelp::showContents() {
    schede->setCurrentWidget(sommario);
    if (testo->source().isEmpty()) showContext(1);
    sommario->setFocus();
}

void THelp::showIndex(const QString& keyword) {
    schede->setCurrentIndex(schede->indexOf(cerca->parentWidget()));
    if (cerca->text() == keyword)
        cercaChange();
    else
        cerca->setText(keyword);
    cerca->setFocus();
    cerca->selectAll();
}

void THelp::cercaChange() {
    indice->filterIndices(cerca->text());
}

void THelp::sommarioClick(const QModelIndex& index) {
    if (QHelpContentItem* item = engine_->contentModel()->contentItemAt(index)) showPage(item->url());
}

QString HelpFilePath() {
    if (!ChosenHelpFile().isEmpty()) return ChosenHelpFile();
    return QCoreApplication::applicationDirPath() + u"/help/Numora.qch"_s;
}

void SetHelpFile(const QString& path) {
    ChosenHelpFile() = path;
    // A window over the old file would keep showing it.
    delete OpenWindow().data();
}

QString HelpCacheFolder() {
    if (!ChosenCacheFolder().isEmpty()) return ChosenCacheFolder();
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + u"/Numora"_s;
}

void SetHelpCacheFolder(const QString& folder) {
    ChosenCacheFolder() = folder;
    delete OpenWindow().data();
}

void ShowHelpContext(int context, QWidget* parent) {
    if (THelp* w = EnsureWindow(parent))
        if (!w->showContext(context)) w->showContents();
}

void ShowHelpContents(QWidget* parent) {
    if (THelp* w = EnsureWindow(parent)) w->showContents();
}

void ShowHelpSearch(const QString& keyword, QWidget* parent) {
    if (THelp* w = EnsureWindow(parent)) {
        if (w->currentContext() == 0) w->showContext(1);
        w->showIndex(keyword);
    }
}

THelp* CurrentHelpWindow() {
    return OpenWindow();
}

} // namespace numora
