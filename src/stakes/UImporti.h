#pragma once

#include "core/StakeRule.h"

#include <QDialog>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace numora {

// The stake entry dialog: five stakes checked by the stake rule, for windows that add plays of
// a known size. It lives for the whole run and keeps its texts between uses.
class TImporti : public QDialog {
    Q_OBJECT
public:
    explicit TImporti(QWidget* parent = nullptr);

    // How many stakes the user may enter (1..5): field j is enabled only when j <= k.
    void setPlaySize(int k);
    int playSize() const { return k_; }
    // The stakes accepted by the last OK.
    const StakeSet& stakeSet() const { return accepted_; }

    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QLineEdit* Edit3;
    QLineEdit* Edit4;
    QLineEdit* Edit5;
    QLabel* Label6; // the total
    QPushButton* OK;
    QPushButton* Annulla;

    void Edit1Change();
    void OKClick();
    void AnnullaClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::array<QLineEdit*, 5> fields() const { return {Edit1, Edit2, Edit3, Edit4, Edit5}; }
    StakeSet runRule() const;

    int k_ = 5;
    StakeSet accepted_;
};

} // namespace numora
