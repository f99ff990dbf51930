#pragma once
// The two top-K scans over the (pair, wheel) combinations, run by "Calcola" with the gauge and
// "Interrompi"; an interrupted scan shows what it had collected, sorted.

#include "stats/UPairGrid.h"

#include <QPalette>
#include <QWidget>

class QCheckBox;
class QFrame;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QTableView;

namespace numora {

class TProgressPanel;

class TStatAmbiTop : public QWidget {
    Q_OBJECT
public:
    QFrame* Bevel1;
    QTableView* sg;
    QCheckBox* CheckBox1;     // "Escludi la ruota nazionale"
    QPushButton* go;          // "Calcola"
    TProgressPanel* AntiPan3; // the gauge and "Interrompi" (`stopbtn`), shown only while computing
    QPushButton* stopbtn;
    QPushButton* aggpro;
    QPushButton* agggio;
    QPushButton* stampa;
    QPushButton* manuale;
    QPushButton* chiudi;

    const std::vector<WheelPairValue>& rows() const { return model_->rows(); }
    // 0 idle, 1 computing, 2 stop asked: closing is refused while it is not 0.
    int stopState() const;
    bool lastRunInterrupted() const { return interrupted_; }

    void goClick();
    void aggproClick();
    void agggioClick();
    void stampaClick();

protected:
    TStatAmbiTop(QWidget* parent, const QString& caption, const PairGridStyle& style);

    struct Inputs {
        int k = 0;
        DrawWindow window;
    };
    // Reads the fields, showing the first refusal; false stops "Calcola".
    virtual bool readInputs(Inputs& in) = 0;
    virtual TopPairsResult scan(const Inputs& in, int lastWheel, const ProgressCallback& progress) = 0;
    // The window's fields in the top row; they are disabled while computing and enable "Calcola"
    // when edited.
    void addField(QWidget* label, QLineEdit* field);
    void refuse(const char* message);

    void keyPressEvent(QKeyEvent* event) override;

private:
    ProgressCallback throttledProgress();
    void selectionChanged();

    PairRowsModel* model_;
    QGridLayout* fieldsGrid_;
    std::vector<QLineEdit*> fields_;
    QPalette saved_;
    bool boxClickedWhileComputing_ = false;
    bool interrupted_ = false;
};

} // namespace numora
