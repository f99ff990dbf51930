#pragma once

#include <QDialog>

class QKeyEvent;
class QPushButton;

namespace numora {

// A dialog that starts a long computation from its run button. Enter presses the button and Escape
// closes the dialog, both only while the button is enabled; while FormCloseQuery() says no (a run
// holds the dialog) no way of closing it acts, the window's close box included.
class TRunDialog : public QDialog {
    Q_OBJECT

public:
    using QDialog::QDialog;
    // False while a run holds the dialog.
    virtual bool FormCloseQuery() = 0;
    void done(int result) override;

protected:
    // The button Enter presses, and what pressing it does.
    virtual QPushButton* runButton() const = 0;
    virtual void runClick() = 0;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace numora
