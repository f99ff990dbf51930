#pragma once

#include "playlist/PlayEntry.h"

#include <QGroupBox>

#include <array>
#include <optional>

class QDialog;
class QGridLayout;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

namespace numora {

class WheelSelection;

// The fields both play dialogs share: the numbers, the five stakes with their live total and the
// wheel boxes. It reports every change the user makes; while it shows a play it reports none.
class PlayEntryPanel : public QGroupBox {
    Q_OBJECT
public:
    PlayEntryPanel(const QString& title, QWidget* parent);

    QLineEdit* Numeri;
    QLineEdit* Estratto;
    QLineEdit* Ambo;
    QLineEdit* Terno;
    QLineEdit* Quaterna;
    QLineEdit* Cinquina;
    QLabel* Totale;
    WheelSelection* Ruote;

    // The texts as BuildPlay reads them.
    PlayEntryTexts texts() const;
    // The play the fields make, or nothing after the dialog's message on bad stakes or numbers.
    std::optional<BuiltPlay> readPlay();
    // After a play is taken: names the stakes its size ignores, if any.
    void sayIgnoredStakes(const BuiltPlay& built);
    // Enter presses the dialog's action button, Escape closes the dialog, both only while that
    // button is enabled; true when the key was one of them.
    static bool dialogKey(QDialog& dialog, QKeyEvent* event, QPushButton* action);
    // Fills the fields from the play without reporting a change, then shows the total.
    void showPlay(const Play& play);
    // A row above the numbers, for what only one of the dialogs has.
    void addTopWidget(QWidget* widget);

    void NumeriChange();
    void EstrattoChange();
    void CheckBox1Click();

signals:
    // A field or a box changed by the user (or by a caller), not while a play is shown.
    void edited();

private:
    std::array<QLineEdit*, 5> stakeFields() const { return {Estratto, Ambo, Terno, Quaterna, Cinquina}; }
    void showTotal();

    QGridLayout* top_ = nullptr;
    int topRows_ = 0;
    bool filling_ = false;
};

} // namespace numora
