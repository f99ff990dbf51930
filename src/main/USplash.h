#pragma once

#include <QDialog>
#include <QPixmap>

namespace numora {

// The borderless picture shown for two seconds while the program starts.
class TSplash : public QDialog {
    Q_OBJECT
public:
    explicit TSplash(QWidget* parent = nullptr, int milliseconds = 2000);
    // The picture at a pixel ratio, so that it stays sharp on a scaled desktop.
    static QPixmap picture(qreal devicePixelRatio = 1.0);

protected:
    void showEvent(QShowEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    QPixmap picture_;
    int milliseconds_;
};

} // namespace numora
