#pragma once
// The two full lists of the 4005 pairs on the chosen wheels. They compute each time they become
// active and on "Ricalcola"; the selected pairs go to the forecast or become two-number plays on
// the checked wheels.

#include "components/UStatWindow.h"
#include "stats/UPairGrid.h"

#include <QPalette>
#include <QWidget>

class QFrame;
class QGroupBox;
class QPushButton;
class QTableView;
class QVBoxLayout;

namespace numora {

class WheelSelection;

class TStatAmbiLista : public TStatWindow {
    Q_OBJECT
public:
    QFrame* Bevel1; // the frame around the grid
    QTableView* sg;
    QGroupBox* GroupBox1; // the wheels and the buttons; hidden while printing
    WheelSelection* ruote;
    QPushButton* go; // "Ricalcola"
    QPushButton* aggpro;
    QPushButton* agggio;
    QPushButton* stampa;
    QPushButton* manuale;
    QPushButton* chiudi;

    const std::vector<WheelPairValue>& rows() const { return model_->rows(); }

    void FormActivate() override;
    void goClick();
    void aggproClick();
    void agggioClick();
    void stampaClick();

protected:
    TStatAmbiLista(QWidget* parent, const QString& caption, const PairGridStyle& style);
    // The rows in display order and the delay from which a pair counts as never drawn; false
    // (nothing changes) when the input was refused.
    virtual bool compute(std::vector<PairValue>& rows, int& neverDrawnFrom) = 0;
    // Where a window puts its own fields: inside the group, above the buttons.
    QVBoxLayout* fieldsArea() const { return fields_; }

private:
    bool recompute();
    void selectionChanged();

    PairRowsModel* model_;
    QVBoxLayout* fields_;
    bool restoringSelection_ = false;
};

} // namespace numora
