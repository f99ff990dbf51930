#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QScrollBar;

namespace numora {

class PlayEntryPanel;

// "Modifica giocate": edits plays first..last of the list one at a time, the scroll bar choosing
// which. It lives for the whole run and keeps its texts between uses.
class TModGiocata : public QDialog {
    Q_OBJECT
public:
    explicit TModGiocata(QWidget* parent = nullptr);
    ~TModGiocata() override;

    static TModGiocata* instance();

    // The plays to edit (1-based, first <= last); takes effect when the dialog is shown.
    void setPlays(int first, int last);
    int first() const { return first_; }
    int last() const { return last_; }
    // The play the fields show.
    int position() const;

    PlayEntryPanel* Panel1;
    QScrollBar* ScrollBar1;
    QLabel* Label9; // "Giocata Nº: " + the play shown
    QPushButton* Applica;
    QPushButton* Chiudi;

    void FormActivate();
    void ScrollBar1Change();
    void ApplicaClick();
    void ChiudiClick();
    void Panel1Change();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showPosition(int index);

    int first_ = 1;
    int last_ = 1;
};

} // namespace numora
