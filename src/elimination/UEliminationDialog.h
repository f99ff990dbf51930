#pragma once
// What the two eliminators by score share: "Numero di giocate da eliminare:" under "Caratteristiche
// delle giocate da eliminare", the buttons "Elimina giocate", "Manuale" and "Annulla", the progress
// panel, and the run: E checked, the undo snapshot, E = P emptying the list at once, the dialog's
// own checks, the scores with the stop question every 173 plays, the exchange sort and the
// removal of the last E plays.

#include "core/Progress.h"

#include "components/URunDialog.h"
#include <QList>

#include <vector>

class QGroupBox;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QVBoxLayout;

namespace numora {

class TProgressPanel;

class TEliminationDialog : public TRunDialog {
    Q_OBJECT
public:
    TEliminationDialog(const QString& caption, int helpContext, QWidget* parent);
    ~TEliminationDialog() override;

    QGroupBox* GroupBox1;
    QLineEdit* Edit6; // E
    QPushButton* go;
    QPushButton* SpeedButton2; // "Manuale"
    QPushButton* SpeedButton3; // "Annulla"
    TProgressPanel* AntiPan3;
    QProgressBar* gg;
    QPushButton* sb1;

    bool busy() const;
    virtual void FormActivate() {}
    void goClick();
    bool FormCloseQuery() override;

protected:
    QPushButton* runButton() const override { return go; }
    void runClick() override { goClick(); }
    // Adds the dialog's own part above the progress panel; it is disabled while a run goes on.
    void addPanel(QWidget* panel);
    // Step 4: the scoring inputs, each failure with its message.
    virtual bool checkScoring() = 0;
    // Steps 6 and 7: the scores of plays 1..P; false when the user stopped the run.
    virtual bool computeScores(std::vector<double>& scores, const Progress& progress) = 0;

    void showEvent(QShowEvent* event) override;

private:
    QVBoxLayout* panels_;
    QList<QWidget*> ownPanels_;
};

} // namespace numora
