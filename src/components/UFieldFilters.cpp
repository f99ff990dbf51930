#include "components/UFieldFilters.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace numora {

namespace {

bool Accepted(FieldKind kind, QChar c) {
    if (c.unicode() >= u'0' && c.unicode() <= u'9') return true;
    return kind == FieldKind::Stake && c == u',';
}

} // namespace

FieldKeyFilter::FieldKeyFilter(FieldKind kind, QObject* parent) : QObject(parent), kind_(kind) {}

bool FieldKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    if (text.isEmpty() || key->key() == Qt::Key_Escape) return false;
    if (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier | Qt::AltModifier)) return false;
    const QChar c = text.front();
    if (text.size() == 1 && c.unicode() <= 14) return false;
    if (text.size() == 1 && c.unicode() == 127) return false; // delete, on platforms that type it
    if (kind_ == FieldKind::Stake && text == u"."_s) {
        QKeyEvent comma(QEvent::KeyPress, Qt::Key_Comma, key->modifiers(), u","_s, key->isAutoRepeat());
        QCoreApplication::sendEvent(watched, &comma);
        return true;
    }
    for (QChar ch : text)
        if (!Accepted(kind_, ch)) return true;
    return false;
}

FieldValidator::FieldValidator(FieldKind kind, QObject* parent) : QValidator(parent), kind_(kind) {}

QValidator::State FieldValidator::validate(QString& input, int&) const {
    for (QChar c : input)
        if (!Accepted(kind_, c) && !(kind_ == FieldKind::Stake && c == u'.')) return Invalid;
    return Acceptable;
}

void ApplyFieldFilter(QLineEdit* edit, FieldKind kind, int maxLength) {
    edit->installEventFilter(new FieldKeyFilter(kind, edit));
    edit->setValidator(new FieldValidator(kind, edit));
    if (maxLength > 0) edit->setMaxLength(maxLength);
}

FieldItemDelegate::FieldItemDelegate(FieldKind kind, int maxLength, QObject* parent)
    : QStyledItemDelegate(parent), kind_(kind), maxLength_(maxLength) {}

QWidget* FieldItemDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const {
    auto* edit = new QLineEdit(parent);
    edit->setFrame(false);
    ApplyFieldFilter(edit, kind_, maxLength_);
    return edit;
}

std::string AmountFieldText(const QString& text) {
    static const QRegularExpression grouped(u"^[0-9]{1,3}(\\.[0-9]{3})+(,[0-9]*)?$"_s);
    QString t = text;
    if (grouped.match(t).hasMatch()) t.remove(QChar(u'.'));
    return t.toStdString();
}

} // namespace numora
