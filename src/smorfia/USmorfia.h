#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;
class QTableWidget;

namespace numora {

// "La smorfia": finds the entries of "Numora.smo" whose meaning holds the words typed, or whose
// number is typed. Long-lived; keeps its last results; every search reads the file anew.
class TSmorfia : public QWidget {
    Q_OBJECT
public:
    explicit TSmorfia(QWidget* parent = nullptr);
    ~TSmorfia() override;
    static TSmorfia* instance();

    QLineEdit* smo;
    QPushButton* SpeedButton8;
    QTableWidget* sgsmo;

    void SpeedButton8Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace numora
