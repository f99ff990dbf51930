#pragma once

#include <QByteArray>
#include <QDialog>
#include <QString>

#include <functional>

class QPushButton;
class QTextBrowser;
class QTextDocument;

namespace numora {

struct RtfDocument;

// Lays the formatted text out in a document: one block per paragraph, one fragment per run.
void FillTextDocument(QTextDocument& target, const RtfDocument& source);

// The message that came with the last update file. Created once at start-up and kept; the
// update shows it modally after the merge.
class Tperrtf : public QDialog {
    Q_OBJECT
public:
    explicit Tperrtf(QWidget* parent = nullptr);
    ~Tperrtf() override;
    static Tperrtf* instance();

    // False, and the shown text left as it was, when the file cannot be read or is larger than
    // any message the program expects.
    bool loadRtfFile(const QString& path);
    void loadRtf(const QByteArray& bytes);
    // What "Salva su file" writes: the bytes as they came, not a conversion of what is shown.
    const QByteArray& rtfBytes() const { return bytes_; }

    // Asks for the name "Salva su file" writes to; empty means the user gave up. Tests replace it.
    using FileNameChooser = std::function<QString(QWidget* parent)>;
    void setFileNameChooser(FileNameChooser chooser) { chooser_ = std::move(chooser); }
    static QString ChooseRtfFileName(QWidget* parent);

    static constexpr qint64 MaxFileSize = 4 * 1024 * 1024;

    QTextBrowser* RichEdit1 = nullptr;
    QPushButton* OK = nullptr;
    QPushButton* Salva = nullptr;

public slots:
    void OKClick();
    void SalvaClick();

private:
    QByteArray bytes_;
    FileNameChooser chooser_;
};

} // namespace numora
