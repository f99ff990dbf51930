#pragma once

#include <QDialog>
#include <QString>

class QPlainTextEdit;
class QPushButton;

namespace numora {

// A warning whose text may be long: the text scrolls inside a box that never grows past the
// screen. The update shows the server's notices in it.
class TAvviso : public QDialog {
    Q_OBJECT
public:
    TAvviso(const QString& text, QWidget* parent = nullptr);

    // Texts up to these bounds fit an ordinary message box.
    static constexpr int ShortTextLines = 15;
    static constexpr int ShortTextChars = 1000;
    static bool isShort(const QString& text);

    QPlainTextEdit* Testo = nullptr;
    QPushButton* OK = nullptr;
};

// Shows the text with caption "Attenzione" and the warning icon: in the program's ordinary box
// when it is short, scrolling in a TAvviso when it is not.
void ShowNotice(QWidget* parent, const QString& text);

} // namespace numora
