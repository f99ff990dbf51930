#include "components/UModalFocus.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <vector>

namespace numora {

namespace {

class ModalFocusKeeper : public QObject {
public:
    explicit ModalFocusKeeper(QObject* parent) : QObject(parent) {}

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() != QEvent::Show && e->type() != QEvent::Hide) return false;
        auto* w = qobject_cast<QWidget*>(watched);
        if (!w || !w->isWindow()) return false;
        if (e->type() == QEvent::Show) {
            QWidget* opener = QApplication::activeWindow();
            if (w->isModal() && opener && opener != w) {
                ++serial_; // a new dialog: the repeats of an earlier one's give-back are over
                QWidget* root = w;
                while (root->parentWidget()) root = root->parentWidget();
                opened_.push_back({w, opener, QApplication::focusWidget(), root});
            }
            return false;
        }
        for (auto it = opened_.begin(); it != opened_.end(); ++it)
            if (it->modal == w) {
                const Opened o = *it;
                opened_.erase(it);
                giveBack(o);
                const unsigned serial = ++serial_;
                // The window manager hands the activation to the dialog's owners in its own time,
                // after the request: the request is made again while the activation sits with
                // them (or nowhere), never when the user has chosen another window.
                for (int ms : {50, 150, 300, 600})
                    QTimer::singleShot(ms, this, [this, o, serial] {
                        // Only the latest dialog's give-back is repeated: an older one would take
                        // the activation from the window a later dialog gave it back to.
                        if (serial != serial_) return;
                        QWidget* active = QApplication::activeWindow();
                        if (o.opener && active != o.opener && !QApplication::activeModalWidget() &&
                            (!active || active == o.root))
                            giveBack(o);
                    });
                break;
            }
        return false;
    }

private:
    struct Opened {
        QPointer<QWidget> modal;
        QPointer<QWidget> opener;
        QPointer<QWidget> focus;
        QPointer<QWidget> root; // the window that owns the dialog's owners
    };

    static void giveBack(const Opened& o) {
        if (!o.opener || !o.opener->isVisible()) return;
        o.opener->activateWindow();
        if (o.focus && o.focus->window() == o.opener && o.focus->isVisible() && o.focus->isEnabled())
            o.focus->setFocus(Qt::ActiveWindowFocusReason);
    }

    std::vector<Opened> opened_;
    unsigned serial_ = 0;
};

} // namespace

void KeepFocusAcrossModals() {
    static QPointer<ModalFocusKeeper> keeper;
    if (keeper || !qApp) return;
    keeper = new ModalFocusKeeper(qApp);
    qApp->installEventFilter(keeper);
}

} // namespace numora
