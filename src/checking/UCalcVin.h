#pragma once

#include <QDialog>

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace numora {

// "Calcola Vincite": the win of one play from its size, its hits, its wheels and its five
// stakes. Long-lived; keeps its fields between uses.
class TCalcVin : public QDialog {
    Q_OBJECT
public:
    explicit TCalcVin(QWidget* parent = nullptr);
    ~TCalcVin() override;
    static TCalcVin* instance();

    QComboBox* cb1; // "Singola", "Tutte"
    QComboBox* cb2; // numbers played, 1..10
    QComboBox* cb3; // numbers hit, 0..n
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QLineEdit* Edit3;
    QLineEdit* Edit4;
    QLineEdit* Edit5;
    QPushButton* go;
    QLabel* Label19;
    QPushButton* SpeedButton1;

    void goClick();
    void cb2Change();
    void SpeedButton1Click();

private:
    std::array<QLineEdit*, 5> fields() const { return {Edit1, Edit2, Edit3, Edit4, Edit5}; }
    void changed();
};

} // namespace numora
