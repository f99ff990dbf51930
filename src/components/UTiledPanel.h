#pragma once

#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPixmap>

namespace numora {

// The program's own pictures, drawn at the screen's pixel ratio so that they stay sharp when the
// desktop is scaled: the tile behind the panels and the program's icon.
QPixmap ProgramTile(qreal devicePixelRatio = 1.0);
QPixmap ProgramIconPixmap(int size, qreal devicePixelRatio = 1.0);
// The icon of every window, at the sizes the desktop asks for.
QIcon ProgramIcon();

// A panel that tiles the program's background picture behind its children.
class TTiledPanel : public QFrame {
    Q_OBJECT
public:
    explicit TTiledPanel(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* e) override;
};

// The label variant that sits on a tiled panel: light text with a dark shadow, legible over the
// picture; a heading is larger and bold.
class TPanelLabel : public QLabel {
    Q_OBJECT
public:
    explicit TPanelLabel(const QString& text, QWidget* parent = nullptr, bool heading = false);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* e) override;
};

// The folder chooser: the folders only, starting at start, with the program's caption; empty
// when the user cancels.
QString ChooseFolder(QWidget* parent, const QString& title, const QString& start = QString());

} // namespace numora
