#pragma once
// Helpers of the window tests (QtTest); the engine tests use TestSupport.h alone.

#include "components/UCommandTable.h"
#include "components/UWindowRegistry.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>

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

// Forgets every long-lived window (deleting it) and every registered command.
inline void ResetWindows() {
    Windows().reset();
    Commands().clear();
}

} // namespace numora::test
