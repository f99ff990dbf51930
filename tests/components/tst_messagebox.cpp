#include "components/UMessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace Qt::StringLiterals;
using namespace numora;

Q_DECLARE_METATYPE(numora::MsgAnswer)
Q_DECLARE_METATYPE(numora::MsgButtons)

namespace {

// Runs `inspect` on the real box once it is up.
void WhenBoxShows(std::function<void(QMessageBox*)> inspect) {
    QTimer::singleShot(0, [inspect] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        inspect(box);
    });
}

QStringList ButtonTexts(QMessageBox* box) {
    QStringList texts;
    for (QAbstractButton* b : box->buttons()) texts << b->text();
    texts.sort();
    return texts;
}

} // namespace

class TestMessageBox : public QObject {
    Q_OBJECT
private slots:
    void displayText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("crlf") << u"a\r\nb"_s << u"a\nb"_s;
        QTest::newRow("cr") << u"a\rb\rc"_s << u"a\nb\nc"_s;
        QTest::newRow("lf") << u"a\nb"_s << u"a\nb"_s;
        QTest::newRow("cr then crlf") << u"a\r\r\nb"_s << u"a\n\nb"_s;
        QTest::newRow("plain") << u"Sì"_s << u"Sì"_s;
    }
    void displayText() {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCOMPARE(MessageBox::displayText(text), shown);
    }

    void hookRecordsCaptionsAndIcons() {
        MessageBoxHook hook;
        MessageBox::error(nullptr, u"e"_s);
        MessageBox::error(nullptr, std::string("Impossibile\r\nscrivere"), u"Attenzione"_s);
        MessageBox::warning(nullptr, u"w"_s);
        MessageBox::information(nullptr, u"i"_s);
        MessageBox::information(nullptr, u"i2"_s, u"Attenzione"_s);
        const QList<std::tuple<QString, QString, MsgIcon>> expected = {
            {u"Errore"_s, u"e"_s, MsgIcon::Error},
            {u"Attenzione"_s, u"Impossibile\r\nscrivere"_s, MsgIcon::Error},
            {u"Attenzione"_s, u"w"_s, MsgIcon::Warning},
            {u"Numora"_s, u"i"_s, MsgIcon::Information},
            {u"Attenzione"_s, u"i2"_s, MsgIcon::Information},
        };
        QCOMPARE(hook.count(), expected.size());
        for (int i = 0; i < hook.count(); ++i) {
            const ShownMessage& m = hook.shown()[static_cast<std::size_t>(i)];
            QCOMPARE(m.caption, std::get<0>(expected[i]));
            QCOMPARE(m.text, std::get<1>(expected[i]));
            QVERIFY(m.icon == std::get<2>(expected[i]));
        }
    }

    void hookAnswers() {
        MessageBoxHook hook;
        // Without queued answers every box takes its default.
        QVERIFY(MessageBox::question(nullptr, u"q"_s) == MsgAnswer::Yes);
        QVERIFY(MessageBox::question(nullptr, u"q"_s, MsgButtons::YesNo, MsgAnswer::No) == MsgAnswer::No);
        QCOMPARE(hook.last().caption, u"Attenzione"_s);
        QVERIFY(hook.last().icon == MsgIcon::Question);
        QVERIFY(hook.last().defaultAnswer == MsgAnswer::No);
        hook.queueAnswer(MsgAnswer::Cancel);
        hook.queueAnswer(MsgAnswer::No);
        QVERIFY(MessageBox::question(nullptr, u"a"_s, MsgButtons::YesNoCancel, MsgAnswer::Yes, MsgIcon::Warning,
                                     u"Numora"_s) == MsgAnswer::Cancel);
        QCOMPARE(hook.last().caption, u"Numora"_s);
        QVERIFY(hook.last().icon == MsgIcon::Warning);
        QVERIFY(hook.last().buttons == MsgButtons::YesNoCancel);
        MessageBox::error(nullptr, u"consumes one answer"_s);
        QCOMPARE(hook.pendingAnswers(), 0);
        QCOMPARE(hook.count(), 4);
    }

    // Without the hook a real box appears, in Italian, with the stated default button.
    void realBox_data() {
        QTest::addColumn<MsgButtons>("buttons");
        QTest::addColumn<MsgAnswer>("defaultAnswer");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("key");
        QTest::addColumn<MsgAnswer>("answer");
        QTest::newRow("yes/no, enter on default yes")
            << MsgButtons::YesNo << MsgAnswer::Yes << QStringList{u"No"_s, u"Sì"_s} << int(Qt::Key_Return)
            << MsgAnswer::Yes;
        QTest::newRow("yes/no, enter on default no")
            << MsgButtons::YesNo << MsgAnswer::No << QStringList{u"No"_s, u"Sì"_s} << int(Qt::Key_Return)
            << MsgAnswer::No;
        QTest::newRow("yes/no, escape is no") << MsgButtons::YesNo << MsgAnswer::Yes << QStringList{u"No"_s, u"Sì"_s}
                                              << int(Qt::Key_Escape) << MsgAnswer::No;
        QTest::newRow("yes/no/cancel, escape is cancel")
            << MsgButtons::YesNoCancel << MsgAnswer::Yes << QStringList{u"Annulla"_s, u"No"_s, u"Sì"_s}
            << int(Qt::Key_Escape) << MsgAnswer::Cancel;
        QTest::newRow("ok") << MsgButtons::Ok << MsgAnswer::Ok << QStringList{u"OK"_s} << int(Qt::Key_Return)
                            << MsgAnswer::Ok;
    }
    void realBox() {
        QFETCH(MsgButtons, buttons);
        QFETCH(MsgAnswer, defaultAnswer);
        QFETCH(QStringList, texts);
        QFETCH(int, key);
        QFETCH(MsgAnswer, answer);
        bool inspected = false;
        WhenBoxShows([&](QMessageBox* box) {
            inspected = true;
            QCOMPARE(box->windowTitle(), u"Titolo"_s);
            QCOMPARE(box->text(), u"riga 1\nriga 2"_s);
            QCOMPARE(ButtonTexts(box), texts);
            QCOMPARE(box->icon(), QMessageBox::Critical);
            QTest::keyClick(box, static_cast<Qt::Key>(key));
        });
        const MsgAnswer got =
            MessageBox::show(nullptr, u"Titolo"_s, u"riga 1\rriga 2"_s, MsgIcon::Error, buttons, defaultAnswer);
        QVERIFY(inspected);
        QVERIFY(got == answer);
    }
};

QTEST_MAIN(TestMessageBox)
#include "tst_messagebox.moc"
