#pragma once

#include "components/UGeneratorHost.h"
#include "core/ConditionSet.h"

#include <array>

class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QWidget;

namespace numora {

// "Riduzione condizionata": the play characteristics on the first page, the conditions on the
// second. It keeps the combinations of the forecast, or the current plays, that satisfy the
// chosen number of conditions. The page shows the program's ConditionSet at every activation,
// and every permitted close stores what it holds into "Condizioni.def".
class TRidCond : public TGeneratorHost {
    Q_OBJECT
public:
    explicit TRidCond(QWidget* parent = nullptr);
    ~TRidCond() override;
    static TRidCond* instance();

    QTabWidget* PageControl1;
    QRadioButton* RadioButton1; // "Applica riduzione al pronostico"
    QRadioButton* RadioButton2; // "Applica riduzione alle giocate attuali"
    QLabel* Label13;            // the current play count
    QLabel* Label14;            // C(M, N)
    std::array<QCheckBox*, ConditionCount> cb{};
    // Edit6..Edit29 and the six spin edits, in the order of the record's values.
    std::array<QWidget*, ConditionSet::ValueCount> fields{};
    QPushButton* AntiLabel6;   // "Imposta come predefiniti"
    QPushButton* AntiLabel1;   // "Ripristina originali"
    QPushButton* SpeedButton1; // "Statistiche"

    void FormActivate() override;
    void ShowConditions();
    // Reads the page into the ConditionSet; on a bad value its message, the focus on its field.
    bool ReadConditions();
    void AntiLabel6Click();
    void AntiLabel1Click();
    void SpeedButton1Click();
    bool FormCloseQuery() override;

protected:
    double playsInTotal(bool stakesValid) override;
    bool checkRun() override;
    bool takesUndoSnapshot() const override;
    bool runEngine(const ProgressCallback& progress) override;

private:
    QString fieldText(int field) const;
    void setFieldText(int field, std::int32_t value);
    bool forecastMode() const;
};

} // namespace numora
