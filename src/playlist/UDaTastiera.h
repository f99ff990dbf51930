#pragma once

#include <QDialog>

class QPushButton;

namespace numora {

class PlayEntryPanel;

// "Inserimento giocate da tastiera": appends the typed plays one by one. It lives for the whole
// run and keeps its texts, so changing a number and pressing "Aggiungi" adds the next play.
class TDaTastiera : public QDialog {
    Q_OBJECT
public:
    explicit TDaTastiera(QWidget* parent = nullptr);
    ~TDaTastiera() override;

    static TDaTastiera* instance();

    PlayEntryPanel* Panel1;
    QPushButton* Aggiungi;
    QPushButton* Chiudi;

    void FormActivate();
    void AggiungiClick();
    void ChiudiClick();
    void Panel1Change();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace numora
