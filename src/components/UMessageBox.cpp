#include "components/UMessageBox.h"

#include <QMessageBox>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

MessageBoxHook* activeHook = nullptr;

QMessageBox::Icon QtIcon(MsgIcon icon) {
    switch (icon) {
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::Warning:
        return QMessageBox::Warning;
    case MsgIcon::Error:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QString OrDefault(const QString& caption, const QString& fallback) {
    return caption.isEmpty() ? fallback : caption;
}

} // namespace

MessageBoxHook::MessageBoxHook() {
    Q_ASSERT(activeHook == nullptr);
    activeHook = this;
}

MessageBoxHook::~MessageBoxHook() {
    if (activeHook == this) activeHook = nullptr;
}

MsgAnswer MessageBoxHook::answer(const ShownMessage& message) {
    shown_.push_back(message);
    if (answers_.empty()) return message.defaultAnswer;
    MsgAnswer a = answers_.front();
    answers_.pop_front();
    return a;
}

QString MessageBox::displayText(const QString& text) {
    QString t = text;
    t.replace(u"\r\n"_s, u"\n"_s);
    t.replace(QChar(u'\r'), QChar(u'\n'));
    return t;
}

MsgAnswer MessageBox::show(QWidget* parent, const QString& caption, const QString& text, MsgIcon icon,
                           MsgButtons buttons, MsgAnswer defaultAnswer) {
    if (buttons == MsgButtons::Ok) defaultAnswer = MsgAnswer::Ok;
    if (activeHook) return activeHook->answer(ShownMessage{caption, text, icon, buttons, defaultAnswer});

    QMessageBox box(QtIcon(icon), caption, QString(), QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);
    box.setText(displayText(text));
    // Qt's own texts would follow the loaded translation only partly ("&Sì" with a mnemonic,
    // or English when no translation is installed); the program always speaks Italian.
    QPushButton* ok = nullptr;
    QPushButton* yes = nullptr;
    QPushButton* no = nullptr;
    QPushButton* cancel = nullptr;
    if (buttons == MsgButtons::Ok) {
        ok = box.addButton(QMessageBox::Ok);
        ok->setText(u"OK"_s);
        box.setDefaultButton(ok);
        box.setEscapeButton(ok);
    } else {
        yes = box.addButton(QMessageBox::Yes);
        yes->setText(u"Sì"_s);
        no = box.addButton(QMessageBox::No);
        no->setText(u"No"_s);
        if (buttons == MsgButtons::YesNoCancel) {
            cancel = box.addButton(QMessageBox::Cancel);
            cancel->setText(u"Annulla"_s);
        }
        box.setEscapeButton(cancel ? cancel : no);
        switch (defaultAnswer) {
        case MsgAnswer::No:
            box.setDefaultButton(no);
            break;
        case MsgAnswer::Cancel:
            box.setDefaultButton(cancel ? cancel : no);
            break;
        default:
            box.setDefaultButton(yes);
            break;
        }
    }
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    if (clicked == yes && yes) return MsgAnswer::Yes;
    if (clicked == no && no) return MsgAnswer::No;
    if (clicked == cancel && cancel) return MsgAnswer::Cancel;
    if (buttons == MsgButtons::Ok) return MsgAnswer::Ok;
    return cancel ? MsgAnswer::Cancel : MsgAnswer::No;
}

void MessageBox::error(QWidget* parent, const QString& text, const QString& caption) {
    show(parent, OrDefault(caption, u"Errore"_s), text, MsgIcon::Error, MsgButtons::Ok, MsgAnswer::Ok);
}

void MessageBox::error(QWidget* parent, const std::string& text, const QString& caption) {
    error(parent, QString::fromStdString(text), caption);
}

void MessageBox::warning(QWidget* parent, const QString& text, const QString& caption) {
    show(parent, OrDefault(caption, u"Attenzione"_s), text, MsgIcon::Warning, MsgButtons::Ok, MsgAnswer::Ok);
}

void MessageBox::information(QWidget* parent, const QString& text, const QString& caption) {
    show(parent, OrDefault(caption, u"Numora"_s), text, MsgIcon::Information, MsgButtons::Ok, MsgAnswer::Ok);
}

MsgAnswer MessageBox::question(QWidget* parent, const QString& text, MsgButtons buttons, MsgAnswer defaultAnswer,
                               MsgIcon icon, const QString& caption) {
    if (buttons == MsgButtons::Ok) buttons = MsgButtons::YesNo;
    return show(parent, OrDefault(caption, u"Attenzione"_s), text, icon, buttons, defaultAnswer);
}

} // namespace numora
