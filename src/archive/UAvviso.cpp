#include "archive/UAvviso.h"

#include "components/UMessageBox.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace numora {

bool TAvviso::isShort(const QString& text) {
    return text.size() <= ShortTextChars && MessageBox::displayText(text).count(QChar(u'\n')) < ShortTextLines;
}

TAvviso::TAvviso(const QString& text, QWidget* parent) : QDialog(parent) {
    setObjectName(u"avviso"_s);
    setWindowTitle(u"Attenzione"_s);
    setModal(true);

    auto* icon = new QLabel(this);
    const int side = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this).pixmap(side, side));
    icon->setAlignment(Qt::AlignTop);

    Testo = new QPlainTextEdit(this);
    Testo->setObjectName(u"Testo"_s);
    Testo->setReadOnly(true);
    Testo->setPlainText(MessageBox::displayText(text));
    Testo->setLineWrapMode(QPlainTextEdit::WidgetWidth);

    OK = new QPushButton(u"OK"_s, this);
    OK->setObjectName(u"OK"_s);
    OK->setDefault(true);
    connect(OK, &QPushButton::clicked, this, &QDialog::accept);

    auto* row = new QHBoxLayout;
    row->addWidget(icon);
    row->addWidget(Testo, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(OK);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row, 1);
    layout->addLayout(buttons);

    // Half the screen at most, whatever the text: the rest scrolls.
    const QScreen* screen = parent ? parent->screen() : QApplication::primaryScreen();
    const QRect room = screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
    const QSize wanted(std::min(640, room.width() * 3 / 4), std::min(420, room.height() * 3 / 4));
    setMaximumSize(room.size() * 9 / 10);
    resize(wanted);
}

void ShowNotice(QWidget* parent, const QString& text) {
    if (TAvviso::isShort(text)) {
        MessageBox::warning(parent, text, u"Attenzione"_s);
        return;
    }
    TAvviso box(text, parent);
    box.exec();
}

} // namespace numora
