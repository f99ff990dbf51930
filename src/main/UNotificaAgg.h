#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

namespace numora {

// The update reminder: the date of the last draw, the question, and "do not show again".
class TNotificaAgg : public QDialog {
    Q_OBJECT
public:
    TNotificaAgg(QWidget* parent, const QString& text);
    // Shows the dialog modally; true when "Aggiorna" was chosen. With an empty archive the dialog
    // also offers the import of the operator's file, which runs once the dialog has closed.
    static bool ask(QWidget* parent, const QString& text, bool& dontShowAgain);

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QPushButton* Aggiorna = nullptr;
    QPushButton* Annulla = nullptr;
    // Only when the archive is empty: how to start, and the import of the operator's file.
    QLabel* Label3 = nullptr;
    QPushButton* Importa = nullptr;
    bool importChosen = false;
};

// The menu row that imports the operator's file of draws.
inline constexpr const char* ImportArchiveCommand = "Importaarchivio1";

} // namespace numora
