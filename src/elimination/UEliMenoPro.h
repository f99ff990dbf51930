#pragma once
// "Elimina giocate meno probabili": each play scored by the delays and frequencies of its numbers
// on its own wheels; the E plays with the lowest scores are removed, the rest left sorted.

#include "elimination/Elimination.h"
#include "elimination/UEliminationDialog.h"

class QCheckBox;

namespace numora {

class TEliMenoPro : public TEliminationDialog {
    Q_OBJECT
public:
    explicit TEliMenoPro(QWidget* parent = nullptr);
    ~TEliMenoPro() override;
    static TEliMenoPro* instance();

    QGroupBox* GroupBox2; // "Criterio per l'assegnazione delle probabilità"
    QCheckBox* CheckBox12;
    QCheckBox* CheckBox13;
    QLineEdit* Edit8;  // Dlo
    QLineEdit* Edit9;  // Dhi
    QLineEdit* Edit10; // Fmost
    QLineEdit* Edit11; // Fleast

    void CheckBox12Click();
    void CheckBox13Click();

protected:
    bool checkScoring() override;
    bool computeScores(std::vector<double>& scores, const Progress& progress) override;

private:
    EliminationCriteria criteria_;
};

} // namespace numora
