#pragma once

#include <QPalette>
#include <QWidget>

class QFrame;

namespace numora {

// What the list windows of the statistics and of the probability share: they recompute each time
// they become active, refuse with an error box that must not count as a new activation when the
// window gets its focus back, close with Escape, and print on a white background without frame.
class TStatWindow : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    // Runs at each activation of the window.
    virtual void FormActivate() {}

protected:
    // The error box of a refused computation.
    void showRefusal(const char* message);
    // The look of the window while its image is printed (true) and afterwards (false).
    void setPrintingLook(bool printing, QFrame* frame);

    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPalette saved_;
    bool swallowActivation_ = false;
};

} // namespace numora
