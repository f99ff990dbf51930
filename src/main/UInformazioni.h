#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace numora {

inline constexpr const char* NumoraHomePage = "https://www.varnel.it/numora";
// The version of the build, the same as the package's.
inline constexpr const char* NumoraVersion = NUMORA_VERSION;
inline constexpr const char* NumoraLicence =
    "Numora è software libero, distribuito con licenza MIT: può essere usato, copiato, modificato e "
    "ridistribuito liberamente, purché questa nota accompagni il programma. Il programma è fornito "
    "\"così com'è\", senza garanzie di alcun tipo: nessun sistema rende certa una vincita al Lotto.";
inline constexpr const char* NumoraCredits =
    "Realizzato con le librerie Qt 6 (The Qt Company, licenza LGPL 3). Caratteri Liberation (licenza SIL OFL). "
    "Il significato dei numeri della smorfia segue la tradizione napoletana.";

// "Informazioni su Numora": what the program is, its version, its licence and credits, where its
// data lives and the home page.
class TInformazioni : public QDialog {
    Q_OBJECT
public:
    explicit TInformazioni(QWidget* parent = nullptr);

    QLabel* Label1; // version, archive and data folder
    QLabel* licenza;
    QLabel* riconoscimenti;
    QLabel* Label3; // the home page
    QPushButton* ok;
};

// Opens the home page in the browser; without a browser the address is shown in a message.
void OpenHomePage(QWidget* parent);

} // namespace numora
