#pragma once
// "Elimina giocate casualmente": removes E plays of the list chosen at random.

#include "components/URunDialog.h"

class QLineEdit;
class QPushButton;

namespace numora {

class RandomSource;

class TEliminaCasu : public TRunDialog {
    Q_OBJECT
public:
    explicit TEliminaCasu(QWidget* parent = nullptr);
    ~TEliminaCasu() override;
    static TEliminaCasu* instance();

    QLineEdit* Edit6; // E
    QPushButton* go;
    QPushButton* SpeedButton3; // "Annulla"

    // The program's random source unless a test puts its own in place.
    void setRandom(RandomSource& random) { random_ = &random; }

    void FormActivate();
    void goClick();
    bool FormCloseQuery() override { return !busy_; }

protected:
    QPushButton* runButton() const override { return go; }
    void runClick() override { goClick(); }
    void showEvent(QShowEvent* event) override;

private:
    RandomSource* random_;
    bool busy_ = false;
};

} // namespace numora
