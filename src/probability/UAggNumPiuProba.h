#pragma once
// "Aggiungi numeri più probabili" / "Elimina numeri meno probabili": selects in the forecast the
// M most probable numbers not yet chosen, or clears the M least probable chosen ones.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace numora {

class ProbabilityFields;

class TAggNumPiuProba : public QDialog {
    Q_OBJECT
public:
    enum Mode { Adding = 1, Removing = 2 };

    explicit TAggNumPiuProba(QWidget* parent = nullptr);
    ~TAggNumPiuProba() override;
    static TAggNumPiuProba* instance();

    ProbabilityFields* fields;
    QLabel* Label1;
    QLineEdit* Edit5; // M
    QPushButton* go;
    QPushButton* annulla;
    QPushButton* manuale;

    // Caption, button, hint and label of the mode; the fields stay as the user left them.
    void setMode(Mode mode);
    Mode mode() const { return mode_; }

    void goClick();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    Mode mode_ = Adding;
};

} // namespace numora
