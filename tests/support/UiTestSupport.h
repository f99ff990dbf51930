#pragma once
// Helpers of the window tests (QtTest); the engine tests use TestSupport.h alone.

#include "components/UCommandTable.h"
#include "components/UWindowRegistry.h"
#include "core/Settings.h"
#include "main/UFeatures.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QtTest>

#include <functional>
#include <memory>

namespace numora::test {

// A modal dialog's exec() blocks the test: this runs inspect on the next modal window of type T
// as soon as it is up (inspect closes it). When no such window comes within about two seconds
// nothing runs, and the test's own checks then fail. A later call replaces one still waiting.
template <class T = QWidget> void RunModal(std::function<void(T*)> inspect) {
    static QPointer<QTimer> waiting;
    delete waiting.data();
    auto* poll = new QTimer;
    waiting = poll;
    auto tries = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, [poll, tries, inspect = std::move(inspect)] {
        if (auto* w = qobject_cast<T*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            inspect(w);
        } else if (++*tries > 200) {
            poll->stop();
            poll->deleteLater();
        }
    });
    poll->start(10);
}

// Types text into a field as a user does, after emptying it.
inline void SetField(QLineEdit* e, const QString& text) {
    e->clear();
    QTest::keyClicks(e, text);
}

// The stake settings the window tests of the statistics assume: 1 to 300 euro in multiples of 0,50,
// denominations 0,50 and 20 to 180.
inline void UseTestStakes(Settings& s) {
    s.minimo = 1;
    s.massimo = 300;
    s.multiplo = 0.5;
    s.i(1) = 0.5;
    for (int k = 2; k <= 18; ++k) s.i(k) = k * 10.0;
}

// Every feature's commands, windows and shared views, as the program registers them, so that a
// window built alone in a test reaches the windows of other features (the stake entry dialog,
// the archive viewer, the forecast board) as it does in the program.
inline void RegisterAllFeatures() {
    RegisterFeatures(Commands(), Windows());
}

// Forgets every long-lived window (deleting it) and every registered command.
inline void ResetWindows() {
    Windows().reset();
    Commands().clear();
}

} // namespace numora::test
