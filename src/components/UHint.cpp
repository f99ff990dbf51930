#include "components/UHint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QStatusTipEvent>
#include <QWidget>

namespace numora {

namespace {
HintRouter* g_router = nullptr;
}

QString LongHint(const QString& hint) {
    const auto bar = hint.indexOf(u'|');
    return bar < 0 ? hint : hint.mid(bar + 1);
}

QString ShortHint(const QString& hint) {
    const auto bar = hint.indexOf(u'|');
    return bar < 0 ? hint : hint.left(bar);
}

void SetHint(QWidget* control, const QString& hint, bool tooltip) {
    control->setToolTip(tooltip ? ShortHint(hint) : QString());
    // The whole hint travels in the status tip: the router picks the long part when it is shown.
    control->setStatusTip(hint);
}

HintRouter::HintRouter(Sink sink) : QObject(QCoreApplication::instance()), sink_(std::move(sink)) {}

HintRouter* HintRouter::install(Sink sink) {
    if (g_router) {
        g_router->sink_ = std::move(sink);
        return g_router;
    }
    g_router = new HintRouter(std::move(sink));
    QCoreApplication::instance()->installEventFilter(g_router);
    return g_router;
}

void HintRouter::uninstall() {
    delete g_router;
    g_router = nullptr;
}

bool HintRouter::eventFilter(QObject* watched, QEvent* e) {
    // Qt hands a status tip up the parents only as far as the control's own window; catching it
    // here, at its first delivery, lets dialogs and the floating windows reach the main strip.
    if (e->type() == QEvent::StatusTip) {
        if (sink_) sink_(LongHint(static_cast<QStatusTipEvent*>(e)->tip()));
        return true;
    }
    return QObject::eventFilter(watched, e);
}

} // namespace numora
