#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QScrollBar;

namespace numora {

// Deletion of a range of draws: two scroll bars over 1..N that never cross (first <= last).
// Created for one use. With an empty archive the bars and "OK" are disabled.
class Teliest : public QDialog {
    Q_OBJECT
public:
    explicit Teliest(QWidget* parent = nullptr);

    QLabel* Label1; // the instruction
    QLabel* Label2; // "Estrazione iniziale: ..."
    QScrollBar* ScrollBar1;
    QLabel* Label3; // "Estrazione finale: ..."
    QScrollBar* ScrollBar2;
    QPushButton* OK;
    QPushButton* Annulla;

    int first() const;
    int last() const;

    void ScrollBar1Change(int position);
    void ScrollBar2Change(int position);
    void OKClick();
    void AnnullaClick();

private:
    void showLabels();
};

} // namespace numora
