#pragma once

#include "platform/HttpClient.h"

#include <QDialog>
#include <QString>

#include <functional>

class QLabel;
class QPlainTextEdit;
class QToolButton;

namespace numora {

// Replaces the way the dialog opens what a notice or the home-page label names; without one
// the platform's OpenDocument opens web addresses and documents only.
using DocumentOpener = std::function<void(const QString& target, const QString& parameters)>;

inline constexpr const char* HomePageAddress = "https://www.varnel.it/numora";

// The update of the archive from the maker's server. Created for one use and shown modally.
class TAggio : public QDialog {
    Q_OBJECT
public:
    explicit TAggio(QWidget* parent = nullptr);
    ~TAggio() override;

    void setOpener(DocumentOpener opener) { opener_ = std::move(opener); }
    // Each request's time-out, HttpClient::DefaultTimeoutMs unless changed.
    void setTimeout(int milliseconds) { http_.setTimeout(milliseconds); }
    // Why the last run stopped with the failure lines, also their last line; empty after a success.
    const QString& lastError() const { return lastError_; }
    bool busy() const { return busy_; }

    QToolButton* SpeedButton1 = nullptr;
    QToolButton* SpeedButton2 = nullptr;
    QPlainTextEdit* mm1 = nullptr;
    QLabel* Label3 = nullptr;

public slots:
    void SpeedButton1Click();
    void SpeedButton2Click();
    void Label3Click();

protected:
    void done(int result) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addLine(const QString& line);
    void showPending(const QUrl& address);
    void endPending();
    void begin();
    void end();
    void fail(const QString& reason);
    void openTarget(const QString& target, const QString& parameters);
    void removeWorkFiles();

    HttpClient http_;
    DocumentOpener opener_;
    QString lastError_;
    QString beforePending_;
    bool busy_ = false;
    bool cursorSet_ = false;
};

// What the main window's "Aggiorna" command runs; returns when the dialog has closed.
void RunInternetUpdate(QWidget* parent);

} // namespace numora
