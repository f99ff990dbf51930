#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QScrollBar;

namespace numora {

class DrawArchive;

// The draw picker of the checking of plays: the caller sets the range and the starting
// position, runs it modally and reads the chosen index. Long-lived. An empty range (max below
// min, as with an empty archive) disables the bar and "OK"; the chosen index is then 0.
class TDaiNumEstra : public QDialog {
    Q_OBJECT
public:
    // Picks among the draws of `archive` (the shared one by default).
    explicit TDaiNumEstra(QWidget* parent = nullptr, const DrawArchive* archive = nullptr);
    ~TDaiNumEstra() override;

    static TDaiNumEstra* instance();

    QLabel* Label1; // the instruction
    QLabel* Data;
    QLabel* Concorso;
    QScrollBar* ScrollBar1;
    QPushButton* OK;
    QPushButton* Annulla;

    void setRange(int min, int max);
    void setPosition(int index);
    int chosenIndex() const;

    void ScrollBar1Change(int position);
    void OKClick();
    void AnnullaClick();

private:
    const DrawArchive* archive_;
    bool empty_ = true;
};

} // namespace numora
