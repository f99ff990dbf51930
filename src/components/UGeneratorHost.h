#pragma once

#include "core/Progress.h"
#include "core/StakeRule.h"

#include "components/URunDialog.h"

#include <array>
#include <cstdint>
#include <vector>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QVBoxLayout;

namespace numora {

struct PlayRequest;

class Clock;
class RandomSource;
class TProgressPanel;
class WheelSelection;

// What differs between the generator and reduction dialogs in their shared controls.
struct GeneratorSetup {
    QString caption;
    QString goCaption;        // "Esegui", "Estrai giocate", "Riduci"
    int helpContext = 0;      // of "Manuale"
    int smallestPlaySize = 1; // `ComboBox1` lists smallestPlaySize.."10"
    // Component name of the national wheel box; some dialogs use CheckBox12 for their own control.
    QString nationalName;
};

// The base of the dialogs that turn the forecast into plays. It owns the controls they all share:
// the group "Caratteristiche delle giocate da generare" with the play size `ComboBox1`, the stake
// fields `Edit1`..`Edit5` (enabled by the play size) and their total `Label12`, the wheel boxes
// and `usafisse`; the buttons `go`, "Manuale" and "Annulla"; the progress panel `AntiPan3` with
// `gg` and `sb1`. A dialog adds its own rows and parameter panels and supplies the engine.
//
// goClick() checks the play size against the forecast and the stakes, then the dialog's own
// parameters, takes the undo snapshot, enters the busy state and runs the engine; the dialog
// closes when the engine says so. While busy every way of closing is refused.
class TGeneratorHost : public TRunDialog {
    Q_OBJECT
public:
    explicit TGeneratorHost(const GeneratorSetup& setup, QWidget* parent = nullptr);
    ~TGeneratorHost() override;

    QGroupBox* GroupBox1; // "Caratteristiche delle giocate da generare"
    QComboBox* ComboBox1;
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QLineEdit* Edit3;
    QLineEdit* Edit4;
    QLineEdit* Edit5;
    QLabel* Label12; // the total
    WheelSelection* ruote;
    QCheckBox* usafisse;
    QPushButton* go;
    QPushButton* SpeedButton2; // "Manuale"
    QPushButton* SpeedButton3; // "Annulla"
    TProgressPanel* AntiPan3;
    QProgressBar* gg;
    QPushButton* sb1;

    // K, from the item chosen in ComboBox1; a dialog with a play-size field of its own (see
    // replacePlaySizeField) says the K its stake fields follow.
    virtual int playSize() const;
    // N as counted at the last activation, and the forecast numbers of now in ascending order.
    int forecastCount() const { return n_; }
    std::vector<std::uint8_t> forecastList() const;
    // The fixed numbers the plays must hold: the forecast's when `usafisse` is checked, else none.
    std::vector<std::uint8_t> fixedNumbers() const;
    StakeSet stakeSet() const;
    std::uint16_t wheelMask() const;
    // The forecast, the fixed numbers, the wheels and the stakes as they stand, for plays of `size`.
    PlayRequest playRequest(int size) const;
    bool busy() const;

    // The clock and random source of the engines; tests put their own in place.
    Clock& clock() const { return *clock_; }
    RandomSource& random() const { return *random_; }
    void setClock(Clock& clock) { clock_ = &clock; }
    void setRandom(RandomSource& random) { random_ = &random; }

    virtual void FormActivate();
    void ComboBox1Change();
    void Edit1Change();
    bool ValidateAndShowCost();
    void goClick();
    void sb1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    // Whether the dialog may close now; refused while a run goes on.
    bool FormCloseQuery() override;

protected:
    QPushButton* runButton() const override { return go; }
    void runClick() override { goClick(); }

    // A labelled row of the shared group, below the stakes ("Numero di giocate da estrarre:").
    void addCharacteristic(const QString& caption, QWidget* field);
    // The dialog's own parameter group, below the shared one; disabled while a run goes on.
    void addParameterPanel(QWidget* panel);
    // A field of the dialog's own takes the place of ComboBox1 in the row "Quantità di numeri per
    // ogni giocata:"; ComboBox1 is hidden and no longer drives the stake fields.
    void replacePlaySizeField(QWidget* field);

    // How many plays the total counts: the number the user typed or C(N, K). Below 0 when the
    // dialog's own fields make the run invalid (the total then shows 0, in red).
    virtual double playsInTotal(bool stakesValid) = 0;
    // The checks of goClick, each with its message; false stops. By default the play size
    // against the forecast ("La quantità di numeri per ogni giocata non è valida ..."), the
    // stakes (the stake rule's message), then checkParameters().
    virtual bool checkRun();
    // The dialog's own checks after the shared ones.
    virtual bool checkParameters() { return true; }
    // Whether the run's change of the plays takes the undo snapshot first (when the list is not
    // empty), as the protocol does; a run that keeps its own snapshot says no.
    virtual bool takesUndoSnapshot() const { return true; }
    // The run, in the busy state; progress goes to the engine. True closes the dialog.
    virtual bool runEngine(const ProgressCallback& progress) = 0;

    void showEvent(QShowEvent* event) override;

private:
    std::array<QLineEdit*, 5> stakeFields() const { return {Edit1, Edit2, Edit3, Edit4, Edit5}; }

    GeneratorSetup setup_;
    QGridLayout* rows_ = nullptr;
    QLabel* sizeLabel_ = nullptr;
    QVBoxLayout* panels_ = nullptr;
    QList<QWidget*> ownPanels_;
    Clock* clock_;
    RandomSource* random_;
    int n_ = 0;
};

} // namespace numora
