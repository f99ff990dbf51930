#pragma once
// The fields both probability windows carry: the start and end draw, the wheels, the two
// criteria with their percentages. Unchecking both criteria checks the delay one again; the
// fields of a criterion that is off are disabled and grey.

#include "probability/NumberProbability.h"

#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace numora {

class WheelSelection;

class ProbabilityFields : public QWidget {
    Q_OBJECT
public:
    // nationalCaption: "R. Nazionale" or "Nazionale".
    ProbabilityFields(QWidget* parent, const QString& nationalCaption);

    QLabel* Label9;
    QLineEdit* Edit9; // start draw
    QLabel* Label10;
    QLineEdit* Edit10;     // end draw
    QGroupBox* ruoteGroup; // " Ruote "
    WheelSelection* ruote;
    QGroupBox* criteriGroup; // " Criterio per l'assegnazione delle probabilità "
    QCheckBox* CheckBox12;   // delays
    QCheckBox* CheckBox13;   // frequencies
    QLineEdit* Edit1;        // Dlo
    QLineEdit* Edit2;        // Dhi
    QLineEdit* Edit3;        // Fmost
    QLineEdit* Edit4;        // Fleast

    ProbabilityCriteria criteria() const;
    // While printing only the fields of the draws stay.
    void setPrinting(bool printing);

signals:
    // Any edit of a field, a wheel box or a criterion box.
    void changed();

private:
    void criterionToggled(QCheckBox* box);
    void greyOff();
};

} // namespace numora
