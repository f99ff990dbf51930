#pragma once
// "Elimina giocate casualmente": removes E plays of the list chosen at random.

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace numora {

class RandomSource;

class TEliminaCasu : public QDialog {
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
    bool FormCloseQuery() const { return !busy_; }
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    RandomSource* random_;
    bool busy_ = false;
};

} // namespace numora
