#pragma once

#include <QObject>
#include <QStyledItemDelegate>
#include <QValidator>

#include <string>

class QLineEdit;

namespace numora {

enum class FieldKind {
    // Amounts: "." typed becomes ","; digits and "," only.
    Stake,
    // Whole numbers: digits only.
    Number,
};

// The typing rule of a field. Typed characters with codes up to 14 (backspace, tab, enter) and
// keys that type nothing (arrows, delete, escape, shortcuts) pass untouched, so the dialog still
// sees Enter and Escape.
class FieldKeyFilter : public QObject {
    Q_OBJECT
public:
    FieldKeyFilter(FieldKind kind, QObject* parent);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    FieldKind kind_;
};

// Guards what reaches the field other than by typing (paste, drop). A stake field also accepts
// "." so that amounts shown with FormatAmount ("1.234,50") stay editable.
class FieldValidator : public QValidator {
    Q_OBJECT
public:
    FieldValidator(FieldKind kind, QObject* parent);
    State validate(QString& input, int& pos) const override;

private:
    FieldKind kind_;
};

// Installs the key filter and the validator; maxLength 0 leaves the length free.
void ApplyFieldFilter(QLineEdit* edit, FieldKind kind, int maxLength = 0);
inline void ApplyStakeFilter(QLineEdit* edit, int maxLength = 0) {
    ApplyFieldFilter(edit, FieldKind::Stake, maxLength);
}
inline void ApplyNumberFilter(QLineEdit* edit, int maxLength = 0) {
    ApplyFieldFilter(edit, FieldKind::Number, maxLength);
}

// Cell editors of a list or grid that follow the same typing rule.
class FieldItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    FieldItemDelegate(FieldKind kind, int maxLength, QObject* parent);
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    FieldKind kind_;
    int maxLength_;
};

// The text of an amount field as ParseAmount should read it. Typing can never put a "." in a
// stake field, so a text laid out as FormatAmount writes it ("1.234,50", "1.000.000") holds
// thousands separators, which are dropped; any other text is returned as it is.
std::string AmountFieldText(const QString& text);

} // namespace numora
