#include "components/UHelp.h"
#include "components/UMessageBox.h"
#include "platform/HelpFile.h"
#include "platform/HelpProject.h"

#include <QAbstractItemModel>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpSearchEngine>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

using namespace Qt::StringLiterals;
using namespace numora;

namespace {

const QString Manual = QString::fromUtf8(NUMORA_HELP_FILE);
const QString BuiltHelp = QString::fromUtf8(NUMORA_HELP_QCH);

// Every context number the windows' "Manuale", "Spiegazioni" and "Guida in linea" buttons and the
// "Introduzione" command open.
const QList<int> WindowContexts{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 17, 51, 52, 53, 54, 55, 60, 114};

const QString Sample = uR"(<html><head><style>h2 { color: red; }</style></head><body>
<h2><a name="ctx1"></a>Introduzione</h2><!-- indice: benvenuto; gioco -->
<p>Benvenuti &amp; buon gioco. Vedere <a href="#ctx14">la pagina</a>.</p>
<h2 class="t"><A NAME="ctx14"></a>Importi <b>di</b> giocata</h2><p>Il totale è un multiplo; la probabilità.</p>
<h2><a name="ctx1"></a>Doppione</h2><p>ignorato</p>
</body></html>)"_s;

} // namespace

class TestHelp : public QObject {
    Q_OBJECT
    QTemporaryDir cache;

private slots:
    void init() {
        SetHelpFile(BuiltHelp);
        SetHelpCacheFolder(cache.path());
    }
    void cleanup() {
        delete CurrentHelpWindow();
        SetHelpFile(QString());
    }

    void parsesTopics() {
        HelpFile f;
        QVERIFY(f.parse(Sample));
        QCOMPARE(f.topics().size(), 2); // the repeated context keeps its first page
        QCOMPARE(f.topic(1)->title, u"Introduzione"_s);
        QCOMPARE(f.topic(14)->title, u"Importi di giocata"_s);
        QCOMPARE(f.topic(1)->keywords, (QStringList{u"benvenuto"_s, u"gioco"_s}));
        QVERIFY(f.topic(14)->keywords.isEmpty());
        QVERIFY(f.topic(1)->plainText.contains(u"Benvenuti & buon gioco."_s));
        QVERIFY(!f.topic(1)->plainText.contains(u"indice"_s));
        QVERIFY(!f.topic(1)->html.contains(u"Importi"_s));
        QVERIFY(!f.topic(14)->html.contains(u"</body>"_s));
        QVERIFY(f.page(*f.topic(14)).contains(u"color: red"_s));
        QVERIFY(!f.topic(2));
        QVERIFY(!f.parse(u"<html><body><h2>Senza contesto</h2></body></html>"_s));
    }

    void projectListsPagesContentsAndIndex() {
        HelpFile f;
        QVERIFY(f.parse(Sample));
        const QString page = HelpTopicPage(f, *f.topic(1));
        QVERIFY(page.contains(u"href=\"ctx14.html\""_s));
        QVERIFY(page.contains(u"color: red"_s) && page.contains(u"<title>Introduzione</title>"_s));
        const QString xml = HelpProjectXml(f);
        for (const QString& s :
             {u"<namespace>it.varnel.numora.guida</namespace>"_s,
              u"<section title=\"Importi di giocata\" ref=\"pagine/ctx14.html\"/>"_s,
              u"<keyword name=\"Introduzione\" id=\"ctx1\" ref=\"pagine/ctx1.html\"/>"_s,
              u"<keyword name=\"gioco\" ref=\"pagine/ctx1.html\"/>"_s, u"<file>pagine/ctx14.html</file>"_s})
            QVERIFY2(xml.contains(s), qPrintable(s));

        QTemporaryDir out;
        QString message;
        QVERIFY(WriteHelpProject(f, out.path(), message));
        QVERIFY(QFile::exists(out.filePath(u"Numora.qhp"_s)));
        QVERIFY(QFile::exists(out.filePath(u"pagine/ctx14.html"_s)));
        QVERIFY(!WriteHelpProject(HelpFile(), out.path(), message));
    }

    void pageContext_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<int>("context");
        QTest::newRow("name") << u"ctx14.html"_s << 14;
        QTest::newRow("help address") << u"qthelp://it.varnel.numora.guida/guida/pagine/ctx60.html"_s << 60;
        QTest::newRow("anchor") << u"pagine/ctx3.html#fine"_s << 3;
        QTest::newRow("other page") << u"pagine/indice.html"_s << 0;
        QTest::newRow("prefix") << u"xctx3.html"_s << 0;
        QTest::newRow("empty") << QString() << 0;
    }
    void pageContext() {
        QFETCH(QString, page);
        QFETCH(int, context);
        QCOMPARE(HelpPageContext(page), context);
    }

    void manualHasATopicForEveryContext() {
        HelpFile f;
        QString message;
        QVERIFY2(f.load(Manual, message), qPrintable(message));
        for (int c : WindowContexts) {
            QVERIFY2(f.topic(c), qPrintable(u"ctx%1"_s.arg(c)));
            QVERIFY(f.topic(c)->plainText.size() > f.topic(c)->title.size() + 80);
        }
        // Every link between topics leads to a topic.
        static const QRegularExpression link(u"href=\"#ctx([0-9]+)\""_s);
        for (const HelpTopic& t : f.topics())
            for (auto it = link.globalMatch(t.html); it.hasNext();) {
                const int target = it.next().captured(1).toInt();
                QVERIFY2(f.topic(target), qPrintable(u"ctx%1 -> ctx%2"_s.arg(t.context).arg(target)));
            }
    }

    void badFilesGiveAMessage() {
        QTemporaryDir dir;
        MessageBoxHook hook;
        SetHelpFile(dir.filePath(u"manca.qch"_s));
        ShowHelpContext(14);
        QCOMPARE(hook.count(), 1);
        QCOMPARE(hook.last().caption, u"Errore"_s);
        QVERIFY(hook.last().text.contains(u"manca.qch"_s) && hook.last().text.contains(u"non è stato trovato"_s));
        QVERIFY(!CurrentHelpWindow());

        // The manual's source is no compressed help.
        SetHelpFile(Manual);
        ShowHelpContents();
        QCOMPARE(hook.count(), 2);
        QVERIFY(hook.last().text.contains(u"non contiene argomenti validi"_s));
        QVERIFY(!CurrentHelpWindow());
    }

    // Each context opens its own topic, whose title heads the page shown.
    void everyContextOpensItsTopic() {
        HelpFile manual;
        QString message;
        QVERIFY(manual.load(Manual, message));
        MessageBoxHook hook;
        for (int c : WindowContexts) {
            QVERIFY2(hook.count() == 0, qPrintable(hook.last().text));
            ShowHelpContext(c);
            THelp* w = CurrentHelpWindow();
            QVERIFY2(w && w->isVisible(), qPrintable(hook.last().text));
            QCOMPARE(w->currentContext(), c);
            QVERIFY2(w->testo->toPlainText().startsWith(manual.topic(c)->title), qPrintable(u"ctx%1"_s.arg(c)));
        }
    }

    void windowOpensAtContext() {
        ShowHelpContext(14);
        THelp* w = CurrentHelpWindow();
        QVERIFY(w);
        QVERIFY(w->testo->toPlainText().contains(u"Importo Minimo di giocata"_s));
        // A second request reuses the window.
        ShowHelpContext(1);
        QCOMPARE(CurrentHelpWindow(), w);
        QCOMPARE(w->currentContext(), 1);
        // The introduction is current as a topic under the manual's title, not as the title.
        QTRY_VERIFY(w->sommario->currentIndex().parent().isValid());
        // A link inside a page leads to its topic.
        emit w->testo->anchorClicked(QUrl(u"ctx14.html"_s));
        QCOMPARE(w->currentContext(), 14);
        // The contents follow the page shown and lead to the pages.
        QCOMPARE(HelpPageContext(w->engine()->contentModel()->contentItemAt(w->sommario->currentIndex())->url().path()),
                 14);
        const QModelIndex first = w->sommario->model()->index(0, 0, w->sommario->model()->index(0, 0));
        emit w->sommario->clicked(first);
        QCOMPARE(w->currentContext(), 1);
        // An unknown context still opens the help, on its contents.
        ShowHelpContext(999);
        QVERIFY(w->isVisible());
        QCOMPARE(w->schede->currentWidget(), w->sommario);
        QCOMPARE(w->currentContext(), 1);
    }

    void keywordIndexFindsTopics() {
        ShowHelpSearch();
        THelp* w = CurrentHelpWindow();
        QVERIFY(w);
        QCOMPARE(w->schede->currentIndex(), 1);
        QVERIFY(w->cerca->hasFocus() || !w->isActiveWindow());
        QTRY_VERIFY(w->indice->model()->rowCount() > 40);
        QTest::keyClicks(w->cerca, u"bloccaggio"_s);
        QTRY_COMPARE(w->indice->model()->rowCount(), 1);
        w->indice->setCurrentIndex(w->indice->model()->index(0, 0));
        QTest::keyClick(w->cerca, Qt::Key_Return);
        QCOMPARE(w->currentContext(), 12);
        ShowHelpSearch(u"smorfia"_s);
        QCOMPARE(w->cerca->text(), u"smorfia"_s);
        QTRY_VERIFY(w->indice->model()->rowCount() >= 1);
    }

    void fullTextSearchFindsPages() {
        ShowHelpContents();
        THelp* w = CurrentHelpWindow();
        QVERIFY(w);
        QHelpSearchEngine* s = w->engine()->searchEngine();
        // The window has the index built in the background when it opens.
        QSignalSpy indexed(s, &QHelpSearchEngine::indexingFinished);
        QVERIFY(indexed.wait(20000));
        QSignalSpy searched(s, &QHelpSearchEngine::searchingFinished);
        s->search(u"cadenza"_s);
        QVERIFY(searched.wait(20000));
        QVERIFY(s->searchResultCount() >= 1);
        QCOMPARE(HelpPageContext(s->searchResults(0, 1).front().url().path()), 53);
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
