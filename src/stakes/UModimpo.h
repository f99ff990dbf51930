#pragma once

#include <QDialog>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace numora {

// The stake settings dialog: limits of a play's total, the decimals shown and the 18
// denominations, largest first. Created for one use.
class TModimpo : public QDialog {
    Q_OBJECT
public:
    explicit TModimpo(QWidget* parent = nullptr);

    QLineEdit* minimo;
    QLineEdit* massimo;
    QLineEdit* multiplo;
    QLineEdit* vincitamassima;
    QLineEdit* decimali;
    // One row per denomination; row r (1-based) edits i(19 - r) in its field importo<r>.
    QTableWidget* importi;
    QPushButton* Applica;
    QPushButton* Annulla;
    QPushButton* Manuale;

    QLineEdit* importo(int row) const { return rows_[static_cast<std::size_t>(row - 1)]; }

    void FormCreate();
    void ApplicaClick();
    void AnnullaClick();
    void ManualeClick();

private:
    std::array<QLineEdit*, 18> rows_{};
};

} // namespace numora
