#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

namespace numora {

// The update reminder: the date of the last draw, the question, and "do not show again".
class TNotificaAgg : public QDialog {
    Q_OBJECT
public:
    TNotificaAgg(QWidget* parent, const QString& text);
    // Shows the dialog modally; true when "Aggiorna" was chosen.
    static bool ask(QWidget* parent, const QString& text, bool& dontShowAgain);

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QPushButton* Aggiorna = nullptr;
    QPushButton* Annulla = nullptr;
};

} // namespace numora
