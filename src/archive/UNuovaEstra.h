#pragma once

#include "archive/DrawEntry.h"

#include <QDialog>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace numora {

// Entry of a new draw by hand: the date and the 55 numbers. Created for one use. "Applica"
// closes the window only when the draw is in the archive and saved; every refusal leaves it
// open with the user's texts.
class TNuovaEstra : public QDialog {
    Q_OBJECT
public:
    explicit TNuovaEstra(QWidget* parent = nullptr);

    QLabel* Label1;   // "Estrazione del:"
    QLineEdit* Edit1; // the date, gg/mm/aaaa
    QTableWidget* sg; // column 0 the wheel names, columns 1..5 the cells
    QPushButton* Applica;
    QPushButton* Annulla;

    // The cell of wheel 1..11 at position 0..4.
    QLineEdit* cell(int wheel, int pos) const;

    DrawEntryText entryText() const;
    void setEntryText(const DrawEntryText& text);

    // Where the draw stands in the archive after a successful "Applica"; 0 before.
    int storedIndex() const { return stored_; }

    void ApplicaClick();
    void AnnullaClick();

protected:
    // Puts the checked record into the archive, saves it and moves the viewer. False, with the
    // archive unchanged and the message shown, when the archive refuses the record.
    virtual bool store(const DrawRecord& record);

    int stored_ = 0;

private:
    std::array<std::array<QLineEdit*, NumbersPerWheel>, WheelCount> cells_{};
};

} // namespace numora
