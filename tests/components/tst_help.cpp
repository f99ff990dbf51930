#include "components/UHelp.h"
#include "components/UMessageBox.h"
#include "platform/HelpFile.h"

#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QUrl>

using namespace Qt::StringLiterals;
using namespace numora;

namespace {

const QString ShippedHelp = QString::fromUtf8(NUMORA_HELP_FILE);

const QString Sample = uR"(<html><head><style>h2 { color: red; }</style></head><body>
<h2><a name="ctx1"></a>Introduzione</h2><p>Benvenuti &amp; buon gioco.</p>
<h2 class="t"><A NAME="ctx14"></a>Importi <b>di</b> giocata</h2><p>Il totale è un multiplo; la probabilità.</p>
<h2><a name="ctx1"></a>Doppione</h2><p>ignorato</p>
</body></html>)"_s;

} // namespace

class TestHelp : public QObject {
    Q_OBJECT
private slots:
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
        QVERIFY(f.topic(1)->plainText.contains(u"Benvenuti & buon gioco."_s));
        QVERIFY(!f.topic(1)->html.contains(u"Importi"_s));
        QVERIFY(!f.topic(14)->html.contains(u"</body>"_s));
        QVERIFY(f.page(*f.topic(14)).contains(u"color: red"_s));
        QVERIFY(!f.topic(2));
        QVERIFY(!f.parse(u"<html><body><h2>Senza contesto</h2></body></html>"_s));
    }

    void search_data() {
        QTest::addColumn<QString>("words");
        QTest::addColumn<QList<int>>("found");
        QTest::newRow("empty lists all") << QString() << QList<int>{1, 14};
        QTest::newRow("case") << u"BENVENUTI"_s << QList<int>{1};
        QTest::newRow("accent-free") << u"probabilita"_s << QList<int>{14};
        QTest::newRow("accents in the words too") << u"benvenùti"_s << QList<int>{1};
        QTest::newRow("title words") << u"importi giocata"_s << QList<int>{14};
        QTest::newRow("every word must match") << u"importi benvenuti"_s << QList<int>{};
        QTest::newRow("none") << u"cinquina"_s << QList<int>{};
    }
    void search() {
        QFETCH(QString, words);
        QFETCH(QList<int>, found);
        HelpFile f;
        QVERIFY(f.parse(Sample));
        QCOMPARE(f.search(words), found);
    }

    void shippedFileHasTheContextsTheWindowsOpen() {
        HelpFile f;
        QString message;
        QVERIFY2(f.load(ShippedHelp, message), qPrintable(message));
        for (int c : {1, 2, 3, 4, 6, 7, 8, 9, 10, 12, 13, 14, 51, 52, 53, 54, 55, 60}) {
            QVERIFY2(f.topic(c), qPrintable(u"ctx%1"_s.arg(c)));
            QVERIFY(f.topic(c)->plainText.size() > f.topic(c)->title.size() + 80);
        }
    }

    void badFilesGiveAMessage() {
        QTemporaryDir dir;
        HelpFile f;
        QString message;
        QVERIFY(!f.load(dir.filePath(u"manca.html"_s), message));
        QVERIFY(message.contains(u"manca.html"_s) && message.contains(u"non è stato trovato"_s));
        QFile empty(dir.filePath(u"vuoto.html"_s));
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.write("<html><body>niente</body></html>");
        empty.close();
        QVERIFY(!f.load(empty.fileName(), message));
        QVERIFY(message.contains(u"non contiene argomenti"_s));

        MessageBoxHook hook;
        SetHelpFile(dir.filePath(u"manca.html"_s));
        ShowHelpContext(14);
        QCOMPARE(hook.count(), 1);
        QCOMPARE(hook.last().caption, u"Errore"_s);
        QVERIFY(!CurrentHelpWindow());
    }

    void windowOpensAtContext() {
        SetHelpFile(ShippedHelp);
        ShowHelpContext(14);
        THelp* w = CurrentHelpWindow();
        QVERIFY(w && w->isVisible());
        QCOMPARE(w->currentContext(), 14);
        QVERIFY(w->testo->toPlainText().contains(u"Importo Minimo di giocata"_s));
        QCOMPARE(w->sommario->currentItem()->data(Qt::UserRole).toInt(), 14);

        // A second request reuses the window.
        ShowHelpContext(1);
        QCOMPARE(CurrentHelpWindow(), w);
        QCOMPARE(w->currentContext(), 1);

        // A link inside a page and a click in the contents.
        emit w->testo->anchorClicked(QUrl(u"#ctx14"_s));
        QCOMPARE(w->currentContext(), 14);
        QListWidgetItem* item = w->sommario->item(0);
        w->sommario->scrollToItem(item);
        QTest::mouseClick(w->sommario->viewport(), Qt::LeftButton, {}, w->sommario->visualItemRect(item).center());
        QCOMPARE(w->currentContext(), 1);

        // An unknown context still opens the help, on its contents.
        ShowHelpContext(999);
        QVERIFY(w->isVisible());
        QCOMPARE(w->currentContext(), 1);
    }

    void keywordSearchFiltersTheContents() {
        SetHelpFile(ShippedHelp);
        ShowHelpSearch();
        THelp* w = CurrentHelpWindow();
        QVERIFY(w);
        const int all = w->sommario->count();
        QVERIFY(all >= 4);
        QTest::keyClicks(w->cerca, u"bloccaggio orizzontale"_s);
        QCOMPARE(w->sommario->count(), 1);
        QCOMPARE(w->currentContext(), 12);
        w->cerca->clear();
        QCOMPARE(w->sommario->count(), all);
        ShowHelpSearch(u"vincita massima"_s);
        QVERIFY(w->sommario->count() >= 1);
        for (int r = 0; r < w->sommario->count(); ++r)
            QVERIFY(w->sommario->item(r)->data(Qt::UserRole).toInt() != 1);
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
