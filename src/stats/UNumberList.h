#pragma once
// The two list windows of single numbers: 990 rows (number, wheel, value, bar) that the user can
// add to the forecast or turn into one-number plays on the row's wheel.

#include "components/UStatWindow.h"
#include "stats/NumberStats.h"

#include <QColor>
#include <QPalette>
#include <QWidget>

#include <vector>

class QFrame;
class QHBoxLayout;
class QPushButton;
class QTableWidget;

namespace numora {

class TStatNumList : public TStatWindow {
    Q_OBJECT
public:
    QFrame* Bevel1; // the frame around the grid; hidden while printing
    QTableWidget* sg;
    QPushButton* aggpro; // "Aggiungi al pronostico"
    QPushButton* agggio; // "Aggiungi alle giocate"
    QPushButton* stampa;
    QPushButton* manuale;
    QPushButton* chiudi;

    const std::vector<NumberWheelValue>& rows() const { return rows_; }

    // Recomputes with the current fields: what happens each time the window becomes active.
    void FormActivate() override;
    void aggproClick();
    void agggioClick();
    void stampaClick();

protected:
    // barReferenceLast: the bars are scaled to the last row's value, else to the first row's.
    TStatNumList(QWidget* parent, const QString& caption, const QString& valueHeading, QColor barColour,
                 bool barReferenceLast);
    // Computes the rows; false (nothing changed) when the input was refused.
    virtual bool compute(std::vector<NumberWheelValue>& rows) = 0;
    // Buttons a window adds to the row of its buttons, and hides while printing.
    void addButton(QPushButton* button, int position);
    // Fills the grid from a fresh computation; false when it was refused.
    bool recompute();

private:
    void fill();
    void selectionChanged();

    std::vector<NumberWheelValue> rows_;
    QHBoxLayout* buttons_ = nullptr;
    std::vector<QPushButton*> allButtons_;
};

} // namespace numora
