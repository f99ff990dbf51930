#pragma once

#include <QDialog>

class QPushButton;
class QTableWidget;

namespace numora {

// "Personalizzazione della smorfia": the whole table of "Numora.smo" for editing. Created for
// one use; only "Applica" changes the file.
class Tmodsmorfia : public QDialog {
    Q_OBJECT
public:
    explicit Tmodsmorfia(QWidget* parent = nullptr);

    QTableWidget* smo;
    QPushButton* SpeedButton1; // "Elimina"
    QPushButton* SpeedButton2; // "Applica"
    QPushButton* spb8;         // "Annulla"

    void FormCreate();
    void smoClick();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void spb8Click();

private:
    QString cell(int row, int column) const;
    void setCell(int row, int column, const QString& text);
};

} // namespace numora
