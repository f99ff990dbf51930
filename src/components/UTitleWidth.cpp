#include "components/UTitleWidth.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QLayout>
#include <QPointer>
#include <QWidget>

#include <algorithm>

namespace numora {

namespace {

// The title bar's icon, its three buttons and the gaps between them.
constexpr int DecorationWidth = 120;
// Window managers draw titles in a font of their own theme, often wider than the program's bold
// font (openbox's cut "Pronostico: 30 numeri" at 100 px over the bold width): a fifth more.
constexpr int TitleFontAllowancePercent = 120;

void FitToTitle(QWidget* w) {
    if (w->windowTitle().isEmpty() || w->windowType() == Qt::Popup || w->windowType() == Qt::ToolTip ||
        (w->windowFlags() & Qt::FramelessWindowHint))
        return;
    const int needed = TitleBarWidth(w);
    QLayout* layout = w->layout();
    if (layout && layout->sizeConstraint() == QLayout::SetFixedSize) {
        // The room goes to the layout's right margin, counted afresh from the margin it was built
        // with; nothing moves and the height stays.
        const QMargins m = layout->contentsMargins();
        const QVariant built = w->property("numoraBuiltRightMargin");
        const int right = built.isValid() ? built.toInt() : m.right();
        const int content = layout->sizeHint().width() - m.left() - m.right();
        const int wanted = std::max(right, needed - m.left() - content);
        if (wanted == m.right()) return;
        w->setProperty("numoraBuiltRightMargin", right);
        layout->setContentsMargins(m.left(), m.top(), wanted, m.bottom());
        return;
    }
    if (w->minimumWidth() == w->maximumWidth()) {
        if (w->maximumWidth() < needed) w->setFixedWidth(needed);
        return;
    }
    if (w->maximumWidth() < needed) w->setMaximumWidth(needed);
    if (w->minimumWidth() < needed) w->setMinimumWidth(std::min(needed, w->maximumWidth()));
}

class TitleFitter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        // A window is fitted as it is shown, before the window system maps it, and again when its
        // title changes while it is on the screen.
        if (e->type() == QEvent::Show || e->type() == QEvent::WindowTitleChange)
            if (auto* w = qobject_cast<QWidget*>(watched); w && w->isWindow() && w->isVisible()) {
                FitToTitle(w);
                if (QLayout* layout = w->layout()) layout->activate();
            }
        return false;
    }
};

} // namespace

int TitleBarWidth(const QWidget* window) {
    QFont font = QApplication::font();
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(window->windowTitle()) * TitleFontAllowancePercent / 100 +
           DecorationWidth;
}

void FitWindowsToTitles() {
    static QPointer<TitleFitter> fitter;
    if (fitter || !qApp) return;
    fitter = new TitleFitter(qApp);
    qApp->installEventFilter(fitter);
}

} // namespace numora
