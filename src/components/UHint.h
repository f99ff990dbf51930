#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QWidget;

namespace numora {

// A hint is "short|long" or a single text. The tooltip shows the short part; the status line of
// the main window shows the long part of the control under the mouse.
QString LongHint(const QString& hint);
QString ShortHint(const QString& hint);

// Gives a control its hint. Without a tooltip when the control shows none (toolbar buttons).
void SetHint(QWidget* control, const QString& hint, bool tooltip = true);

// One application-wide filter: the status-tip event of any control in any window (and the empty
// one when the mouse leaves it) reaches the sink with the long part of the hint.
class HintRouter : public QObject {
    Q_OBJECT
public:
    using Sink = std::function<void(const QString& longHint)>;
    // Installs the router on the application; a later call replaces the sink.
    static HintRouter* install(Sink sink);
    static void uninstall();

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    explicit HintRouter(Sink sink);
    Sink sink_;
};

} // namespace numora
