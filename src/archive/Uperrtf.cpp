#include "archive/Uperrtf.h"

#include "components/UWindowRegistry.h"

#include "archive/RtfReader.h"
#include "components/UMessageBox.h"
#include "core/FileIo.h"

#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

Qt::Alignment QtAlignment(RtfAlignment a) {
    switch (a) {
    case RtfAlignment::Center:
        return Qt::AlignHCenter;
    case RtfAlignment::Right:
        return Qt::AlignRight;
    case RtfAlignment::Justify:
        return Qt::AlignJustify;
    case RtfAlignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

QTextCharFormat QtCharFormat(const RtfCharFormat& f) {
    QTextCharFormat c;
    c.setFontWeight(f.bold ? QFont::Bold : QFont::Normal);
    c.setFontItalic(f.italic);
    c.setFontUnderline(f.underline);
    c.setFontStrikeOut(f.strike);
    c.setFontPointSize(f.halfPoints / 2.0);
    if (f.color) c.setForeground(QColor(f.color->red, f.color->green, f.color->blue));
    return c;
}

} // namespace

void FillTextDocument(QTextDocument& target, const RtfDocument& source) {
    target.clear();
    QTextCursor cursor(&target);
    bool first = true;
    for (const RtfParagraph& p : source.paragraphs) {
        QTextBlockFormat block;
        block.setAlignment(QtAlignment(p.alignment));
        // An empty paragraph keeps the height of the text around it.
        const QTextCharFormat blockChars = QtCharFormat(p.runs.empty() ? RtfCharFormat{} : p.runs.front().format);
        if (first) {
            cursor.setBlockFormat(block);
            cursor.setBlockCharFormat(blockChars);
        } else {
            cursor.insertBlock(block, blockChars);
        }
        first = false;
        for (const RtfRun& r : p.runs) {
            QString text = QString::fromUtf8(r.text);
            text.replace(QChar(u'\n'), QChar(QChar::LineSeparator));
            cursor.insertText(text, QtCharFormat(r.format));
        }
    }
}

Tperrtf::Tperrtf(QWidget* parent) : QDialog(parent) {
    Windows().enrol(this);
    setObjectName(u"perrtf"_s);
    setWindowTitle(u"Messaggio ..."_s);
    setModal(true);
    resize(520, 400);

    RichEdit1 = new QTextBrowser(this);
    RichEdit1->setObjectName(u"RichEdit1"_s);
    RichEdit1->setOpenLinks(false);
    RichEdit1->setUndoRedoEnabled(false);
    // Half an inch, the default tab stop of RTF.
    RichEdit1->setTabStopDistance(RichEdit1->logicalDpiX() / 2.0);

    OK = new QPushButton(u"OK"_s, this);
    OK->setObjectName(u"OK"_s);
    OK->setDefault(true);
    Salva = new QPushButton(u"Salva su file"_s, this);
    Salva->setObjectName(u"Salva"_s);
    Salva->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Salva);
    buttons->addWidget(OK);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 6);
    layout->addWidget(RichEdit1, 1);
    layout->addLayout(buttons);

    connect(OK, &QPushButton::clicked, this, &Tperrtf::OKClick);
    connect(Salva, &QPushButton::clicked, this, &Tperrtf::SalvaClick);
    chooser_ = &Tperrtf::ChooseRtfFileName;
}

Tperrtf::~Tperrtf() {
    Windows().forget(this);
}

Tperrtf* Tperrtf::instance() {
    return Windows().find<Tperrtf>();
}

bool Tperrtf::loadRtfFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() > MaxFileSize) return false;
    const QByteArray bytes = f.read(MaxFileSize + 1);
    if (bytes.size() > MaxFileSize) return false;
    loadRtf(bytes);
    return true;
}

void Tperrtf::loadRtf(const QByteArray& bytes) {
    bytes_ = bytes;
    FillTextDocument(*RichEdit1->document(),
                     ReadRtf(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
    RichEdit1->moveCursor(QTextCursor::Start);
}

void Tperrtf::OKClick() {
    accept();
}

QString Tperrtf::ChooseRtfFileName(QWidget* parent) {
    QFileDialog dialog(parent, u"Salva su file"_s);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(u"rtf"_s);
    dialog.setNameFilters({u"Rich Text Forma (*.rtf)"_s, u"Tutti i file (*.*)"_s});
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

void Tperrtf::SalvaClick() {
    const QString path = chooser_ ? chooser_(this) : QString();
    if (path.isEmpty()) return;
    if (!WriteFileAtomically(path.toStdString(),
                             std::string_view(bytes_.constData(), static_cast<std::size_t>(bytes_.size()))))
        MessageBox::error(this, u"Impossibile salvare il file %1."_s.arg(path));
}

} // namespace numora
