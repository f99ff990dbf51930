#pragma once
// The statistics selector: the nine statistics windows in a drop-down list and "&Vai".

#include <QWidget>

class QComboBox;
class QPushButton;

namespace numora {

class TStats : public QWidget {
    Q_OBJECT
public:
    explicit TStats(QWidget* parent = nullptr);
    ~TStats() override;
    static TStats* instance();

    QComboBox* tipo;
    QPushButton* vai;

    // Shows the window of the selected entry, non-modally.
    void vaiClick();
};

} // namespace numora
