#pragma once

#include "components/UMessageBox.h"
#include "core/Progress.h"

#include <QDialog>
#include <QFrame>
#include <QList>
#include <QPointer>

class QLabel;
class QProgressBar;
class QPushButton;

namespace numora {

// The progress panel of the long runs (`AntiPan3`): the gauge `gg`, a count label and
// "Interrompi" (`sb1`); hidden while idle.
//
// begin() puts its window in the busy state: the controls given are disabled, the panel shows
// with the gauge at 0, the hourglass cursor is on and the window refuses to close (the close
// button and Escape do nothing); end() undoes all of it. "Interrompi" only sets a request: the
// callback the panel makes for an engine lets the window system process its events, turns a
// request into the question (caption "Attenzione", Yes/No, question icon) and answers stop
// when the user says Yes; No clears the request and the run goes on.
class TProgressPanel : public QFrame {
    Q_OBJECT
public:
    explicit TProgressPanel(QWidget* parent = nullptr);
    ~TProgressPanel() override;

    QProgressBar* gg;
    QLabel* conta; // the count label, shown only with a caption
    QPushButton* sb1;

    // The question of "Interrompi" and its preselected answer; by default "Sei sicuro di voler
    // interrompere l'elaborazione?" with No preselected.
    void setQuestion(const QString& text, MsgAnswer preselected);
    // The text before the count of found plays ("Nº di giocate: "); empty hides the label.
    void setCountCaption(const QString& caption);
    // The gauge runs 0..maximum (100 unless told otherwise) as done runs 0..total.
    void setGaugeMaximum(int maximum);

    void begin(const QList<QWidget*>& controls);
    void end();
    bool busy() const { return busy_; }
    bool stopRequested() const { return stopRequested_; }
    // True when the last run stopped because the user confirmed the question.
    bool interrupted() const { return interrupted_; }

    // For the engine: each call is one report of the run (see the class comment).
    ProgressCallback callback();
    bool report(const ProgressStatus& status);
    // Gauge and count label only, without processing events or asking.
    void showStatus(const ProgressStatus& status);

    void sb1Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Disabled {
        QPointer<QWidget> widget;
        bool wasEnabled;
    };

    QString question_;
    MsgAnswer preselected_ = MsgAnswer::No;
    QString countCaption_;
    QList<Disabled> disabled_;
    QPointer<QWidget> guarded_;
    bool busy_ = false;
    bool stopRequested_ = false;
    bool interrupted_ = false;
};

// A window of its own for a long command that has no dialog: a text above the progress panel.
// begin() shows it modal for the whole program and busy; end() hides it. It refuses to close
// while busy.
class TProgressWindow : public QDialog {
    Q_OBJECT
public:
    TProgressWindow(const QString& caption, const QString& text, QWidget* parent = nullptr);

    QLabel* Label1;
    TProgressPanel* AntiPan3;

    void begin();
    void end();
    void done(int result) override;
};

// Keeps a panel busy for one scope, so that every way out of a run (an early return included)
// leaves the busy state.
class ProgressRun {
public:
    ProgressRun(TProgressPanel& panel, const QList<QWidget*>& controls) : panel_(panel) { panel_.begin(controls); }
    ~ProgressRun() { panel_.end(); }
    ProgressRun(const ProgressRun&) = delete;
    ProgressRun& operator=(const ProgressRun&) = delete;

private:
    TProgressPanel& panel_;
};

} // namespace numora
