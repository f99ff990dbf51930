#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace numora {

// The proxy through which the internet update connects. Created for one use.
class TImpoConne : public QDialog {
    Q_OBJECT
public:
    explicit TImpoConne(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLineEdit* Edit1 = nullptr; // ProxyServer
    QLineEdit* Edit2 = nullptr; // ProxyPorta
    QPushButton* AVSEL = nullptr;
    QPushButton* BITBTN2 = nullptr;

public slots:
    void FormActivate();
    void AVSELClick();
    void BITBTN2Click();

protected:
    void showEvent(QShowEvent* event) override;
};

void ShowConnectionSettings(QWidget* parent);

} // namespace numora
